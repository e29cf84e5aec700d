#include "framework/dialogs/ShellFolders.h"

namespace Tovix {

TShellMalloc::TShellMalloc() {
  if (FAILED(SHGetMalloc(&malloc_))) malloc_ = nullptr;
}

TShellMalloc::~TShellMalloc() {
  if (malloc_) malloc_->Release();
}

void* TShellMalloc::Alloc(size_t size) const { return malloc_ ? malloc_->Alloc(size) : nullptr; }

void TShellMalloc::Free(void* block) const {
  if (malloc_ && block) malloc_->Free(block);
}

TItemIdList& TItemIdList::operator=(TItemIdList&& other) noexcept {
  if (this != &other) {
    Free();
    list_ = other.list_;
    other.list_ = nullptr;
  }
  return *this;
}

bool TItemIdList::Free() {
  if (!list_) return true;
  TShellMalloc malloc;
  if (!malloc.Assigned()) return false;
  malloc.Free(list_);
  list_ = nullptr;
  return true;
}

TItemIdList ShellSpecialFolder(HWND owner, int csidl, HRESULT* result) {
  LPITEMIDLIST list = nullptr;
  HRESULT answer = SHGetSpecialFolderLocation(owner, csidl, &list);
  if (result) *result = answer;
  TItemIdList folder(list);
  if (FAILED(answer)) folder.Free();  // a failing shell should give none; never keep what it gave
  return folder;
}

}  // namespace Tovix
