#include "framework/system/TextFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace Tovix {

namespace {

constexpr size_t kBufferSize = 64 * 1024;

// Whether any byte of word is zero (the classic bit trick: exact, no false positives).
inline bool HasZeroByte(uint64_t word) {
  return ((word - 0x0101010101010101ULL) & ~word & 0x8080808080808080ULL) != 0;
}

// The first CR or LF in [start, end), or end. Eight bytes are tested at a time, since reading
// line by line otherwise spends its time here.
const char* FindLineEnd(const char* start, const char* end) {
  const char* p = start;
  while (end - p >= 8) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    if (HasZeroByte(word ^ 0x0A0A0A0A0A0A0A0AULL) || HasZeroByte(word ^ 0x0D0D0D0D0D0D0D0DULL)) break;
    p += 8;
  }
  while (p != end && *p != '\r' && *p != '\n') ++p;
  return p;
}

}  // namespace

TTextFile::~TTextFile() {
  if (IsOpen()) CloseHandle(file_);
}

void TTextFile::Open(const String& fileName, DWORD access, DWORD share, DWORD disposition) {
  if (IsOpen()) Close();
  file_ = CreateFileA(fileName.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (!IsOpen()) RaiseInOutError(GetLastError());
  writing_ = (access & GENERIC_WRITE) != 0;
  buffer_.resize(kBufferSize);
  position_ = length_ = 0;
  endsInsideLine_ = false;
}

void TTextFile::Reset(const String& fileName) {
  Open(fileName, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
}

void TTextFile::Rewrite(const String& fileName) { Open(fileName, GENERIC_WRITE, 0, CREATE_ALWAYS); }

void TTextFile::Append(const String& fileName) {
  Open(fileName, GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file_, &size)) RaiseInOutError(GetLastError());
  if (size.QuadPart > 0) {
    LARGE_INTEGER last{};
    last.QuadPart = size.QuadPart - 1;
    char c = 0;
    DWORD read = 0;
    if (!SetFilePointerEx(file_, last, nullptr, FILE_BEGIN) || !ReadFile(file_, &c, 1, &read, nullptr))
      RaiseInOutError(GetLastError());
    endsInsideLine_ = c != '\r' && c != '\n';
  }
  LARGE_INTEGER zero{};
  if (!SetFilePointerEx(file_, zero, nullptr, FILE_END)) RaiseInOutError(GetLastError());
}

bool TTextFile::Fill() {
  DWORD read = 0;
  if (!ReadFile(file_, buffer_.data(), static_cast<DWORD>(buffer_.size()), &read, nullptr))
    RaiseInOutError(GetLastError());
  position_ = 0;
  length_ = read;
  return read > 0;
}

bool TTextFile::ReadLn(String& line) {
  line.clear();
  if (!IsOpen() || writing_) RaiseInOutError(ERROR_INVALID_HANDLE);
  bool any = false;
  for (;;) {
    if (position_ == length_ && !Fill()) return any;
    any = true;
    const char* start = buffer_.data() + position_;
    const char* end = buffer_.data() + length_;
    const char* stop = FindLineEnd(start, end);
    line.append(start, stop);
    position_ += static_cast<size_t>(stop - start);
    if (stop == end) continue;
    bool cr = *stop == '\r';
    ++position_;
    // A CR may be followed by the LF of the same line end, possibly in the next buffer.
    if (cr && (position_ < length_ || Fill()) && buffer_[position_] == '\n') ++position_;
    return true;
  }
}

void TTextFile::Write(const String& text) {
  if (!IsOpen() || !writing_) RaiseInOutError(ERROR_INVALID_HANDLE);
  size_t done = 0;
  while (done < text.size()) {
    if (length_ == buffer_.size()) Flush();
    size_t n = std::min(text.size() - done, buffer_.size() - length_);
    std::memcpy(buffer_.data() + length_, text.data() + done, n);
    length_ += n;
    done += n;
  }
}

void TTextFile::WriteLn(const String& line) {
  if (IsOpen() && writing_ && buffer_.size() - length_ >= line.size() + 2) {
    // The usual case, in one copy: the line and its end fit in the buffer.
    std::memcpy(buffer_.data() + length_, line.data(), line.size());
    length_ += line.size();
    buffer_[length_++] = '\r';
    buffer_[length_++] = '\n';
    return;
  }
  Write(line);
  Write("\r\n");
}

void TTextFile::Flush() {
  size_t done = 0;
  while (done < length_) {
    DWORD written = 0;
    if (!WriteFile(file_, buffer_.data() + done, static_cast<DWORD>(length_ - done), &written, nullptr))
      RaiseInOutError(GetLastError());
    done += written;
  }
  length_ = 0;
}

void TTextFile::Close() {
  if (!IsOpen()) return;
  HANDLE file = file_;
  try {
    if (writing_) Flush();
  } catch (...) {
    file_ = INVALID_HANDLE_VALUE;
    CloseHandle(file);
    throw;
  }
  file_ = INVALID_HANDLE_VALUE;
  if (!CloseHandle(file)) RaiseInOutError(GetLastError());
}

}  // namespace Tovix
