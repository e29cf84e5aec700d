#include "framework/classes/Streams.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>
#include <type_traits>

#include "framework/system/WinApi.h"

namespace Tovix {

static_assert(std::is_same_v<HANDLE, void*>, "THandleStream keeps handles as void*");

namespace {

// The block size for copying between streams.
constexpr int kCopyBlock = 64 * 1024;

// "What." or "What.\r\nReason." for a system error number.
String WithReason(const String& what, DWORD errorCode) {
  String reason = SysErrorMessage(errorCode);
  if (reason.empty()) return what;
  String message = what;
  message += ".\r\n";
  message += reason;
  return message;
}

// The Win32 share flags for a share mode; compatibility mode shares nothing.
DWORD ShareFlags(uint32_t share) {
  switch (share) {
    case fmShareDenyWrite:
      return FILE_SHARE_READ;
    case fmShareDenyRead:
      return FILE_SHARE_WRITE;
    case fmShareDenyNone:
      return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default:
      return 0;
  }
}

DWORD AccessFlags(uint32_t access) {
  switch (access) {
    case fmOpenWrite:
      return GENERIC_WRITE;
    case fmOpenReadWrite:
      return GENERIC_READ | GENERIC_WRITE;
    default:
      return GENERIC_READ;
  }
}

bool IsValidMode(TFileMode mode) {
  bool accessOk = mode.GetAccess() == fmOpenRead || mode.GetAccess() == fmOpenWrite ||
                  mode.GetAccess() == fmOpenReadWrite;
  bool shareOk = mode.GetShare() <= fmShareDenyNone && (mode.GetShare() & 0x0F) == 0;
  return accessOk && shareOk;
}

// Opens or creates the file; raises before any handle exists, so a failure leaves nothing open.
HANDLE OpenFileHandle(const String& fileName, TFileMode mode) {
  String what = Format(mode.IsCreate() ? "Cannot create file %s" : "Cannot open file %s", fileName);
  if (!IsValidMode(mode)) {
    String message = what;
    message += ".\r\nThe open mode is not valid.";
    if (mode.IsCreate()) throw EFCreateError(message);
    throw EFOpenError(message);
  }
  HANDLE handle = CreateFileA(fileName.c_str(), AccessFlags(mode.GetAccess()), ShareFlags(mode.GetShare()), nullptr,
                              mode.IsCreate() ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    if (mode.IsCreate()) throw EFCreateError(WithReason(what, error));
    throw EFOpenError(WithReason(what, error));
  }
  return handle;
}

}  // namespace

// ---------------------------------------------------------------------------
// TStream

int64_t TStream::GetSize() {
  int64_t position = Seek(0, soFromCurrent);
  int64_t size = Seek(0, soFromEnd);
  Seek(position, soFromBeginning);
  return size;
}

void TStream::ReadBuffer(void* buffer, int count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count < 0) throw EStreamError(Format("Cannot copy a negative number of bytes (%d)", count));
  if (count == 0) {
    source.SetPosition(0);
    count = source.GetSize();
  }
  std::vector<char> block(static_cast<size_t>(std::min<int64_t>(count, kCopyBlock)));
  for (int64_t left = count; left > 0;) {
    int n = static_cast<int>(std::min<int64_t>(left, kCopyBlock));
    source.ReadBuffer(block.data(), n);
    WriteBuffer(block.data(), n);
    left -= n;
  }
  return count;
}

// ---------------------------------------------------------------------------
// THandleStream

THandleStream::~THandleStream() {
  if (ownsHandle_ && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

int THandleStream::Read(void* buffer, int count) {
  if (count <= 0) return 0;
  DWORD got = 0;
  if (!ReadFile(handle_, buffer, static_cast<DWORD>(count), &got, nullptr)) {
    DWORD error = GetLastError();
    if (error == ERROR_HANDLE_EOF || error == ERROR_BROKEN_PIPE) return 0;
    throw EReadError(WithReason("Stream read error", error));
  }
  return static_cast<int>(got);
}

int THandleStream::Write(const void* buffer, int count) {
  if (count <= 0) return 0;
  DWORD written = 0;
  if (!WriteFile(handle_, buffer, static_cast<DWORD>(count), &written, nullptr))
    throw EWriteError(WithReason("Stream write error", GetLastError()));
  return static_cast<int>(written);
}

int64_t THandleStream::Seek(int64_t offset, TSeekOrigin origin) {
  static const DWORD methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
  if (origin < soFromBeginning || origin > soFromEnd) throw EStreamError("Stream seek error: unknown origin");
  LARGE_INTEGER distance, position;
  distance.QuadPart = offset;
  if (!SetFilePointerEx(handle_, distance, &position, methods[origin]))
    throw EStreamError(WithReason("Stream seek error", GetLastError()));
  return position.QuadPart;
}

int64_t THandleStream::GetSize() {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(handle_, &size)) throw EStreamError(WithReason("Cannot get the stream size", GetLastError()));
  return size.QuadPart;
}

void THandleStream::SetSize(int64_t size) {
  if (size < 0) throw EStreamError(Format("Cannot set the stream size to %d", size));
  // The handle's own file pointer is meant here, also when a derived stream keeps its position itself.
  int64_t position = THandleStream::Seek(0, soFromCurrent);
  THandleStream::Seek(size, soFromBeginning);
  if (!SetEndOfFile(handle_)) {
    DWORD error = GetLastError();
    THandleStream::Seek(position, soFromBeginning);
    throw EStreamError(WithReason(Format("Cannot set the stream size to %d", size), error));
  }
  THandleStream::Seek(std::min(position, size), soFromBeginning);
}

// ---------------------------------------------------------------------------
// TFileStream

TFileStream::TFileStream(const String& fileName, TFileMode mode)
    : THandleStream(OpenFileHandle(fileName, mode), true), fileName_(fileName) {}

// ---------------------------------------------------------------------------
// TMemoryStream

void TMemoryStream::Resize(int64_t size) {
  if (size < 0) throw EStreamError(Format("Cannot set the stream size to %d", size));
  try {
    if (static_cast<uint64_t>(size) > memory_.max_size()) throw std::bad_alloc();
    memory_.resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    throw EStreamError("Out of memory while expanding memory stream");
  } catch (const std::length_error&) {
    throw EStreamError("Out of memory while expanding memory stream");
  }
}

int TMemoryStream::Read(void* buffer, int count) {
  int64_t size = GetSize();
  if (count <= 0 || position_ >= size) return 0;
  int n = static_cast<int>(std::min<int64_t>(count, size - position_));
  std::memcpy(buffer, memory_.data() + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

int TMemoryStream::Write(const void* buffer, int count) {
  if (count <= 0) return 0;
  int64_t end = position_ + count;
  if (end > GetSize()) Resize(end);
  std::memcpy(memory_.data() + position_, buffer, static_cast<size_t>(count));
  position_ = end;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  if (origin < soFromBeginning || origin > soFromEnd) throw EStreamError("Stream seek error: unknown origin");
  int64_t base = origin == soFromBeginning ? 0 : origin == soFromCurrent ? position_ : GetSize();
  if (base + offset < 0) throw EStreamError(WithReason("Stream seek error", ERROR_NEGATIVE_SEEK));
  position_ = base + offset;
  return position_;
}

void TMemoryStream::SetSize(int64_t size) {
  Resize(size);
  position_ = std::min(position_, size);
}

void TMemoryStream::Clear() {
  std::vector<char>().swap(memory_);
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  // Read into new memory first: a failing source leaves this stream untouched. The source is
  // read to its end rather than trusting its size, so a stream that cannot tell works too.
  stream.SetPosition(0);
  std::vector<char> loaded;
  std::vector<char> block(kCopyBlock);
  for (int got; (got = stream.Read(block.data(), kCopyBlock)) > 0;) {
    try {
      loaded.insert(loaded.end(), block.data(), block.data() + got);
    } catch (const std::bad_alloc&) {
      throw EStreamError("Out of memory while expanding memory stream");
    } catch (const std::length_error&) {
      throw EStreamError("Out of memory while expanding memory stream");
    }
  }
  memory_.swap(loaded);
  position_ = 0;
}

void TMemoryStream::SaveToStream(TStream& stream) const {
  const char* data = memory_.data();
  for (size_t left = memory_.size(); left > 0;) {
    int n = static_cast<int>(std::min<size_t>(left, kCopyBlock));
    stream.WriteBuffer(data, n);
    data += n;
    left -= n;
  }
}

void TMemoryStream::LoadFromFile(const String& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const String& fileName) const {
  // The new file is made in the same folder, so that replacing the old one is a rename.
  String full = ExpandFileName(fileName);
  String folder = ExtractFilePath(full);
  char temporary[MAX_PATH];
  if (!GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "tvx", 0, temporary))
    throw EFCreateError(WithReason(Format("Cannot create file %s", fileName), GetLastError()));
  try {
    {
      TFileStream file(temporary, fmCreate);
      SaveToStream(file);
    }
    if (!MoveFileExA(temporary, full.c_str(), MOVEFILE_REPLACE_EXISTING))
      throw EFCreateError(WithReason(Format("Cannot create file %s", fileName), GetLastError()));
  } catch (...) {
    DeleteFileA(temporary);
    throw;
  }
}

}  // namespace Tovix
