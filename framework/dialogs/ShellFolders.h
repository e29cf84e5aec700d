// The shell's item identifier lists, as the folder dialog (SHBrowseForFolderA) and the special
// folders hand them out.
//
// The shell allocates every item identifier list it gives away with its task allocator (IMalloc,
// from SHGetMalloc); whoever receives one frees it with that allocator. TItemIdList owns one list
// and does so when it goes or is given another.
#pragma once

#include "framework/system/SysUtils.h"
#include "framework/system/WinApi.h"

#include <shlobj.h>

namespace Tovix {

// A reference to the shell's task allocator, released when the object goes.
class TShellMalloc {
 public:
  // Asks the shell for its allocator. Any failure, or a success without an allocator, leaves the
  // object empty (Assigned false).
  TShellMalloc();
  ~TShellMalloc();
  TShellMalloc(const TShellMalloc&) = delete;
  TShellMalloc& operator=(const TShellMalloc&) = delete;

  bool Assigned() const { return malloc_ != nullptr; }
  // A block of size bytes, null when the allocator refuses (or there is none).
  void* Alloc(size_t size) const;
  void Free(void* block) const;

 private:
  IMalloc* malloc_ = nullptr;
};

// A block from the shell allocator, freed with it when the object goes.
class TShellBuffer {
 public:
  TShellBuffer(const TShellMalloc& malloc, size_t size) : malloc_(malloc), data_(static_cast<char*>(malloc.Alloc(size))) {}
  ~TShellBuffer() { malloc_.Free(data_); }
  TShellBuffer(const TShellBuffer&) = delete;
  TShellBuffer& operator=(const TShellBuffer&) = delete;

  char* Data() const { return data_; }

 private:
  const TShellMalloc& malloc_;
  char* data_;
};

// An item identifier list owned by this object and freed with the shell allocator.
class TItemIdList {
 public:
  TItemIdList() = default;
  // Takes ownership of a list the shell gave away (null for none).
  explicit TItemIdList(LPITEMIDLIST list) : list_(list) {}
  ~TItemIdList() { Free(); }
  TItemIdList(TItemIdList&& other) noexcept : list_(other.list_) { other.list_ = nullptr; }
  TItemIdList& operator=(TItemIdList&& other) noexcept;
  TItemIdList(const TItemIdList&) = delete;
  TItemIdList& operator=(const TItemIdList&) = delete;

  LPITEMIDLIST Get() const { return list_; }
  explicit operator bool() const { return list_ != nullptr; }
  // Frees the list; true when none is held afterwards. When the shell allocator cannot be had the
  // list is kept (false): freeing it with anything else could corrupt the shell's heap.
  bool Free();

 private:
  LPITEMIDLIST list_ = nullptr;
};

// The shell's list of a special folder by its CSIDL_ number; null when the system has no such
// folder. result, when given, receives the shell's answer (S_OK on success).
TItemIdList ShellSpecialFolder(HWND owner, int csidl, HRESULT* result = nullptr);

}  // namespace Tovix
