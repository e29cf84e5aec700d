#include "utils/Orvstream.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace Tovix {

// The file format is little-endian with IEEE doubles, which is what the machine keeps in memory.
static_assert(std::endian::native == std::endian::little, "the typed values are stored as they lie in memory");
static_assert(sizeof(int32_t) == 4 && sizeof(TDateTime) == 8, "the typed values have fixed sizes");

namespace {

// The largest piece handed to one Read or Write when a value is longer than an int can count.
constexpr size_t kLargestPiece = size_t{1} << 30;

}  // namespace

bool TOrvFileStream::IsEOF() { return GetPosition() >= GetSize(); }

void TOrvFileStream::ReadValue(void* value, size_t size) {
  char* out = static_cast<char*>(value);
  for (size_t done = 0; done < size;) {
    int n = static_cast<int>(std::min(size - done, kLargestPiece));
    ReadBuffer(out + done, n);
    done += static_cast<size_t>(n);
  }
}

void TOrvFileStream::WriteValue(const void* value, size_t size) {
  const char* in = static_cast<const char*>(value);
  for (size_t done = 0; done < size;) {
    int n = static_cast<int>(std::min(size - done, kLargestPiece));
    WriteBuffer(in + done, n);
    done += static_cast<size_t>(n);
  }
}

String TOrvFileStream::ReadStr() {
  // One byte per Read, so that nothing after the zero byte is consumed and a derived stream sees
  // exactly the string's bytes. A Read that finds no byte is the end of the stream, which is what
  // testing IsEOF before each byte would find, at one call instead of three.
  String result;
  for (;;) {
    char c;
    if (Read(&c, 1) != 1) throw EStreamError("Unable to read string from stream");
    if (c == 0) return result;
    result += c;
  }
}

int TOrvFileStream::ReadInt() {
  int32_t value;
  ReadValue(&value, sizeof value);
  return value;
}

bool TOrvFileStream::ReadBool() {
  uint8_t value;
  ReadValue(&value, sizeof value);
  return value != 0;
}

TDateTime TOrvFileStream::ReadDateTime() {
  TDateTime value;
  ReadValue(&value, sizeof value);
  return value;
}

// c_str() ends in the zero byte the format wants, so text and terminator go in one write.
void TOrvFileStream::WriteStr(const String& text) { WriteValue(text.c_str(), text.size() + 1); }

void TOrvFileStream::WriteInt(int value) {
  int32_t bytes = value;
  WriteValue(&bytes, sizeof bytes);
}

void TOrvFileStream::WriteBool(bool flag) {
  uint8_t byte = flag ? 1 : 0;
  WriteValue(&byte, sizeof byte);
}

void TOrvFileStream::WriteDateTime(TDateTime value) { WriteValue(&value, sizeof value); }

}  // namespace Tovix
