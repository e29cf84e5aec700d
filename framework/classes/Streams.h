// Streams: the abstract TStream, streams over a system file handle (THandleStream, TFileStream)
// and a stream in memory (TMemoryStream).
//
// Positions and sizes are 64-bit; the count of one Read or Write is an int, as in Delphi.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/classes/Exceptions.h"

namespace Tovix {

enum TSeekOrigin { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

class TStream : public TObject {
 public:
  // Transfer up to count bytes at the position and advance it by what was transferred. A short
  // count means the end of the stream (Read) or of the space (Write); failures of the system
  // raise EReadError or EWriteError with its reason.
  virtual int Read(void* buffer, int count) = 0;
  virtual int Write(const void* buffer, int count) = 0;
  // Moves the position and returns the new one. A position before the start raises EStreamError;
  // one past the end is allowed (a later Write fills the gap with zero bytes).
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t GetPosition() { return Seek(0, soFromCurrent); }
  void SetPosition(int64_t position) { Seek(position, soFromBeginning); }
  virtual int64_t GetSize();
  // Truncates or extends the stream; the position stays, moved back to the new end if past it.
  virtual void SetSize(int64_t size) = 0;

  // Transfer exactly count bytes or raise EReadError "Stream read error" / EWriteError
  // "Stream write error".
  void ReadBuffer(void* buffer, int count);
  void WriteBuffer(const void* buffer, int count);
  // Copies count bytes from source's position; count 0 copies all of source from its start.
  // Returns the number of bytes copied; a source that ends early raises EReadError.
  int64_t CopyFrom(TStream& source, int64_t count);
};

// A stream over an open file handle that belongs to someone else: it is not closed here.
class THandleStream : public TStream {
 public:
  // handle is the system's HANDLE (void* is its type; this header does without <windows.h>).
  explicit THandleStream(void* handle) : handle_(handle) {}
  ~THandleStream() override;

  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t GetSize() override;
  void SetSize(int64_t size) override;

  void* GetHandle() const { return handle_; }

 protected:
  // For TFileStream: the handle is closed with this object, also when a derived constructor fails.
  THandleStream(void* handle, bool ownsHandle) : handle_(handle), ownsHandle_(ownsHandle) {}

 private:
  void* handle_;
  bool ownsHandle_ = false;
};

// Open modes. A mode is an access mode or'ed with a share mode (what others may do with the file
// meanwhile). fmCreate makes a new, empty file for reading and writing, replacing an existing one.
enum TFileAccessMode : uint32_t { fmOpenRead = 0x0000, fmOpenWrite = 0x0001, fmOpenReadWrite = 0x0002, fmCreate = 0xFFFF };
enum TFileShareMode : uint32_t {
  fmShareCompat = 0x0000,  // treated as exclusive, as on Windows
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyRead = 0x0030,
  fmShareDenyNone = 0x0040
};

// The mode a file stream is opened with. It is made from a Delphi mode word (fmCreate alone, or
// access | share) or from an access and a share mode. fmCreate has every bit of the word set, so
// "fmCreate | fmShareDenyNone" could not keep its share part as a plain number: the operators
// below combine the two named modes into this type instead.
class TFileMode {
 public:
  constexpr TFileMode(uint32_t mode)
      : create_(mode == fmCreate),
        access_(mode == fmCreate ? uint32_t(fmOpenReadWrite) : mode & ~0xF0u),
        share_(mode == fmCreate ? uint32_t(fmShareExclusive) : mode & 0xF0u) {}
  constexpr TFileMode(TFileAccessMode access, TFileShareMode share)
      : create_(access == fmCreate), access_(access == fmCreate ? fmOpenReadWrite : access), share_(share) {}

  constexpr bool IsCreate() const { return create_; }
  // fmOpenRead, fmOpenWrite or fmOpenReadWrite (fmOpenReadWrite for fmCreate); anything else is invalid.
  constexpr uint32_t GetAccess() const { return access_; }
  constexpr uint32_t GetShare() const { return share_; }
  constexpr bool CanRead() const { return access_ == fmOpenRead || access_ == fmOpenReadWrite; }
  constexpr bool CanWrite() const { return access_ == fmOpenWrite || access_ == fmOpenReadWrite; }

 private:
  bool create_;
  uint32_t access_;
  uint32_t share_;
};

constexpr TFileMode operator|(TFileAccessMode access, TFileShareMode share) { return TFileMode(access, share); }
constexpr TFileMode operator|(TFileShareMode share, TFileAccessMode access) { return TFileMode(access, share); }

// A stream over a file it opens or creates by name, and closes when it is freed.
// Failures raise EFCreateError "Cannot create file %s" or EFOpenError "Cannot open file %s",
// followed by the system's reason.
class TFileStream : public THandleStream {
 public:
  TFileStream(const String& fileName, TFileMode mode);

  const String& GetFileName() const { return fileName_; }

 private:
  String fileName_;
};

// A stream held in memory, growing as it is written.
class TMemoryStream : public TStream {
 public:
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t GetSize() override { return static_cast<int64_t>(memory_.size()); }
  // New bytes are zero. Raises EStreamError "Out of memory while expanding memory stream".
  void SetSize(int64_t size) override;

  void* GetMemory() { return memory_.data(); }
  const void* GetMemory() const { return memory_.data(); }
  // Empties the stream and gives its memory back.
  void Clear();

  // Replaces the content with all of stream (from its start) and moves to the start; when the
  // source fails, the content stays as it was.
  void LoadFromStream(TStream& stream);
  // Writes the whole content (whatever the position) to stream at its position.
  void SaveToStream(TStream& stream) const;
  void LoadFromFile(const String& fileName);
  // Writes a new file beside fileName and then replaces fileName with it, so that a failure part
  // way leaves an existing file as it was.
  void SaveToFile(const String& fileName) const;

 private:
  void Resize(int64_t size);

  std::vector<char> memory_;
  int64_t position_ = 0;
};

}  // namespace Tovix
