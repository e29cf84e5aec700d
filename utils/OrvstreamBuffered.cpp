#include "utils/OrvstreamBuffered.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>

#include "framework/WinApi.h"
#include "framework/classes/UtilityWindow.h"

namespace Tovix {

namespace {

constexpr size_t kWindowSize = 64 * 1024;
// The largest piece handed to one Read or Write when a transfer is longer than an int.
constexpr size_t kLargestPiece = size_t{1} << 30;

}  // namespace

TOrvBufferedFileStream::TOrvBufferedFileStream(const String& fileName, TFileMode mode)
    : TOrvFileStream(fileName, mode), canRead_(mode.CanRead()), canWrite_(mode.CanWrite()), window_(kWindowSize) {}

TOrvBufferedFileStream::~TOrvBufferedFileStream() {
  try {
    Flush();
  } catch (const Exception& e) {
    // A destructor cannot raise; the user must still learn that the data did not reach the file.
    if (ApplicationHandleException) ApplicationHandleException(this, e);
    else OutputDebugStringA(("TOrvBufferedFileStream: " + e.Message()).c_str());
  }
}

void TOrvBufferedFileStream::Free() {
  std::unique_ptr<TOrvBufferedFileStream> owner(this);
  try {
    Flush();
  } catch (...) {
    // Reported here, to the caller: the destructor must not report it a second time.
    dirtyBegin_ = dirtyEnd_ = 0;
    throw;
  }
}

// ---------------------------------------------------------------------------
// The window

char* TOrvBufferedFileStream::WindowAtPosition() { return window_.data() + static_cast<size_t>(position_ - windowStart_); }

size_t TOrvBufferedFileStream::BufferedAtPosition() const {
  int64_t end = windowStart_ + static_cast<int64_t>(windowLength_);
  if (position_ < windowStart_ || position_ >= end) return 0;
  return static_cast<size_t>(end - position_);
}

bool TOrvBufferedFileStream::WindowTakesWrite() const {
  if (position_ < windowStart_) return false;
  int64_t offset = position_ - windowStart_;
  return offset <= static_cast<int64_t>(windowLength_) && offset < static_cast<int64_t>(kWindowSize);
}

bool TOrvBufferedFileStream::FillWindow() {
  Flush();
  windowStart_ = position_;
  windowLength_ = 0;  // stays empty if the read below raises
  TOrvFileStream::Seek(position_, soFromBeginning);
  windowLength_ = static_cast<size_t>(TOrvFileStream::Read(window_.data(), static_cast<int>(kWindowSize)));
  return windowLength_ > 0;
}

void TOrvBufferedFileStream::MarkWritten(size_t begin, size_t end) {
  if (dirtyBegin_ == dirtyEnd_) {
    dirtyBegin_ = begin;
    dirtyEnd_ = end;
  } else {
    dirtyBegin_ = std::min(dirtyBegin_, begin);
    dirtyEnd_ = std::max(dirtyEnd_, end);
  }
  windowLength_ = std::max(windowLength_, end);
}

void TOrvBufferedFileStream::Flush() {
  if (dirtyBegin_ == dirtyEnd_) return;
  // Everything between the first and the last written byte is the file's current content, so
  // one write of the whole span is right even where the caller wrote only parts of it.
  int count = static_cast<int>(dirtyEnd_ - dirtyBegin_);
  TOrvFileStream::Seek(windowStart_ + static_cast<int64_t>(dirtyBegin_), soFromBeginning);
  if (TOrvFileStream::Write(window_.data() + dirtyBegin_, count) != count) throw EWriteError("Stream write error");
  dirtyBegin_ = dirtyEnd_ = 0;
}

int TOrvBufferedFileStream::DirectRead(char* buffer, int count) {
  Flush();
  TOrvFileStream::Seek(position_, soFromBeginning);
  int got = TOrvFileStream::Read(buffer, count);
  position_ += got;
  return got;
}

int TOrvBufferedFileStream::DirectWrite(const char* buffer, int count) {
  Flush();
  TOrvFileStream::Seek(position_, soFromBeginning);
  int written = TOrvFileStream::Write(buffer, count);
  position_ += written;
  // The window may cover bytes just written past it; start an empty one here instead.
  windowStart_ = position_;
  windowLength_ = 0;
  return written;
}

// ---------------------------------------------------------------------------
// TStream

int TOrvBufferedFileStream::Read(void* buffer, int count) {
  if (count <= 0) return 0;
  char* out = static_cast<char*>(buffer);
  // A stream opened for writing only must fail on reading as the file does, even for bytes it holds.
  if (!canRead_) return DirectRead(out, count);
  size_t left = static_cast<size_t>(count);
  while (left > 0) {
    size_t available = BufferedAtPosition();
    if (available == 0) {
      if (left >= kWindowSize) {
        left -= static_cast<size_t>(DirectRead(out, static_cast<int>(left)));
        break;
      }
      if (!FillWindow()) break;
      continue;
    }
    size_t n = std::min(available, left);
    std::memcpy(out, WindowAtPosition(), n);
    position_ += static_cast<int64_t>(n);
    out += n;
    left -= n;
  }
  return count - static_cast<int>(left);
}

int TOrvBufferedFileStream::Write(const void* buffer, int count) {
  if (count <= 0) return 0;
  const char* in = static_cast<const char*>(buffer);
  // A read-only stream must fail on writing now, not later when the window would be written.
  if (!canWrite_) return DirectWrite(in, count);
  size_t left = static_cast<size_t>(count);
  while (left > 0) {
    if (!WindowTakesWrite()) {
      if (left >= kWindowSize) {
        left -= static_cast<size_t>(DirectWrite(in, static_cast<int>(left)));
        break;
      }
      Flush();
      windowStart_ = position_;
      windowLength_ = 0;
    }
    size_t offset = static_cast<size_t>(position_ - windowStart_);
    size_t n = std::min(left, kWindowSize - offset);
    std::memcpy(window_.data() + offset, in, n);
    MarkWritten(offset, offset + n);
    position_ += static_cast<int64_t>(n);
    in += n;
    left -= n;
  }
  return count - static_cast<int>(left);
}

int64_t TOrvBufferedFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t target;
  switch (origin) {
    case soFromBeginning:
      target = offset;
      break;
    case soFromCurrent:
      target = position_ + offset;
      break;
    case soFromEnd:
      target = GetSize() + offset;
      break;
    default:
      return TOrvFileStream::Seek(offset, origin);  // raises for the unknown origin
  }
  // Let the file refuse a position before the start, with the error an unbuffered stream gives.
  if (target < 0) return TOrvFileStream::Seek(target, soFromBeginning);
  position_ = target;
  return position_;
}

int64_t TOrvBufferedFileStream::GetSize() {
  // The window holds current content, some perhaps not yet written to the file. An empty window
  // says nothing: it may stand past the end, where a read found nothing.
  int64_t fileSize = TOrvFileStream::GetSize();
  if (windowLength_ == 0) return fileSize;
  return std::max(fileSize, windowStart_ + static_cast<int64_t>(windowLength_));
}

void TOrvBufferedFileStream::SetSize(int64_t size) {
  if (size < 0) return TOrvFileStream::SetSize(size);  // raises as the file stream does
  // Bytes past the new end would be cut off anyway: they need never reach the file.
  int64_t windowEnd = windowStart_ + static_cast<int64_t>(windowLength_);
  if (windowEnd > size) {
    windowLength_ = size > windowStart_ ? static_cast<size_t>(size - windowStart_) : 0;
    dirtyEnd_ = std::min(dirtyEnd_, windowLength_);
    dirtyBegin_ = std::min(dirtyBegin_, dirtyEnd_);
  }
  Flush();
  TOrvFileStream::SetSize(size);
  position_ = std::min(position_, size);
}

// ---------------------------------------------------------------------------
// Typed values

bool TOrvBufferedFileStream::IsEOF() { return BufferedAtPosition() == 0 && position_ >= GetSize(); }

void TOrvBufferedFileStream::ReadWindowed(void* value, size_t size) {
  // The offset is huge when the position is before the window, so one comparison covers both sides.
  uint64_t offset = static_cast<uint64_t>(position_ - windowStart_);
  if (canRead_ && offset < windowLength_ && windowLength_ - offset >= size) {
    std::memcpy(value, window_.data() + offset, size);
    position_ += static_cast<int64_t>(size);
  } else {
    ReadBuffer(value, static_cast<int>(size));
  }
}

void TOrvBufferedFileStream::WriteWindowed(const void* value, size_t size, bool terminate) {
  size_t total = size + (terminate ? 1 : 0);
  uint64_t offset = static_cast<uint64_t>(position_ - windowStart_);
  if (canWrite_ && offset <= windowLength_ && offset + total <= kWindowSize) {
    char* at = window_.data() + offset;
    std::memcpy(at, value, size);
    if (terminate) at[size] = 0;
    MarkWritten(static_cast<size_t>(offset), static_cast<size_t>(offset + total));
    position_ += static_cast<int64_t>(total);
  } else {
    WriteValueThroughWrite(value, size, terminate);
  }
}

void TOrvBufferedFileStream::WriteValueThroughWrite(const void* value, size_t size, bool terminate) {
  const char* in = static_cast<const char*>(value);
  for (size_t done = 0; done < size;) {
    int n = static_cast<int>(std::min(size - done, kLargestPiece));
    WriteBuffer(in + done, n);
    done += static_cast<size_t>(n);
  }
  if (terminate) {
    const char zero = 0;
    WriteBuffer(&zero, 1);
  }
}

String TOrvBufferedFileStream::ReadStr() {
  if (!canRead_) return ReadStrUnbuffered();
  String result;
  for (;;) {
    size_t available = BufferedAtPosition();
    if (available == 0) {
      if (!FillWindow()) throw EStreamError("Unable to read string from stream");
      continue;
    }
    const char* from = WindowAtPosition();
    const char* zero = static_cast<const char*>(std::memchr(from, 0, available));
    size_t take = zero ? static_cast<size_t>(zero - from) : available;
    result.append(from, take);
    if (zero) {
      position_ += static_cast<int64_t>(take) + 1;  // the zero byte is consumed
      return result;
    }
    position_ += static_cast<int64_t>(take);
  }
}

// The plain byte-by-byte reading, for a stream that cannot read (its Read then raises).
String TOrvBufferedFileStream::ReadStrUnbuffered() {
  String result;
  for (;;) {
    if (IsEOF()) throw EStreamError("Unable to read string from stream");
    char c;
    ReadBuffer(&c, 1);
    if (c == 0) return result;
    result += c;
  }
}

int TOrvBufferedFileStream::ReadInt() {
  int32_t value;
  ReadWindowed(&value, sizeof value);
  return value;
}

bool TOrvBufferedFileStream::ReadBool() {
  uint8_t value;
  ReadWindowed(&value, sizeof value);
  return value != 0;
}

TDateTime TOrvBufferedFileStream::ReadDateTime() {
  TDateTime value;
  ReadWindowed(&value, sizeof value);
  return value;
}

void TOrvBufferedFileStream::WriteStr(const String& text) { WriteWindowed(text.data(), text.size(), true); }

void TOrvBufferedFileStream::WriteInt(int value) {
  int32_t bytes = value;
  WriteWindowed(&bytes, sizeof bytes, false);
}

void TOrvBufferedFileStream::WriteBool(bool flag) {
  uint8_t byte = flag ? 1 : 0;
  WriteWindowed(&byte, sizeof byte, false);
}

void TOrvBufferedFileStream::WriteDateTime(TDateTime value) { WriteWindowed(&value, sizeof value, false); }

}  // namespace Tovix
