// Writes one million mixed values (strings, integers, booleans, date-times) through TOrvFileStream
// and reads them back, against a plain buffered baseline in the same run: the same bytes written
// from a std::vector<char> in 64 KiB blocks with WriteFile, and read back in 64 KiB blocks.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/BenchTimer.h"
#include "framework/WinApi.h"
#include "utils/Orvstream.h"

using namespace Tovix;
using Tovix::Bench::BestSeconds;
using Tovix::Bench::Report;

namespace {

constexpr int kValues = 1000000;
constexpr size_t kBlock = 64 * 1024;

// The values: every fourth one a string, an integer, a boolean, a date-time.
struct Values {
  std::vector<String> strings;
  Values() {
    for (int i = 0; i < 64; ++i) strings.push_back(String(static_cast<size_t>(i % 31), static_cast<char>('A' + i % 26)));
  }
  const String& Str(int i) const { return strings[static_cast<size_t>(i) % strings.size()]; }
  static int Int(int i) { return static_cast<int>(static_cast<unsigned>(i) * 2654435761u); }
  static bool Bool(int i) { return i % 3 == 0; }
  static TDateTime Date(int i) { return 45000.0 + i / 86400.0; }
};

// What reading everything back must add up to, so that both readers are checked.
double Checksum(const Values& values) {
  double sum = 0;
  for (int i = 0; i < kValues; ++i) {
    switch (i % 4) {
      case 0: sum += static_cast<double>(values.Str(i).size()); break;
      case 1: sum += Values::Int(i) & 0xFF; break;
      case 2: sum += Values::Bool(i); break;
      default: sum += Values::Date(i); break;
    }
  }
  return sum;
}

void WriteTyped(const String& path, const Values& values) {
  TOrvFileStream stream(path, fmCreate);
  for (int i = 0; i < kValues; ++i) {
    switch (i % 4) {
      case 0: stream.WriteStr(values.Str(i)); break;
      case 1: stream.WriteInt(Values::Int(i)); break;
      case 2: stream.WriteBool(Values::Bool(i)); break;
      default: stream.WriteDateTime(Values::Date(i)); break;
    }
  }
  stream.FlushBuffer();
}

double ReadTyped(const String& path) {
  TOrvFileStream stream(path, fmOpenRead);
  double sum = 0;
  for (int i = 0; i < kValues; ++i) {
    switch (i % 4) {
      case 0: sum += static_cast<double>(stream.ReadStr().size()); break;
      case 1: sum += stream.ReadInt() & 0xFF; break;
      case 2: sum += stream.ReadBool(); break;
      default: sum += stream.ReadDateTime(); break;
    }
  }
  return sum;
}

// The baseline: a byte vector written out whenever it holds a block.
class PlainWriter {
 public:
  explicit PlainWriter(const String& path)
      : file_(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {
    buffer_.reserve(kBlock);
  }
  ~PlainWriter() {
    Flush();
    CloseHandle(file_);
  }
  void Put(const void* data, size_t size) {
    if (buffer_.size() + size > kBlock) Flush();
    const char* bytes = static_cast<const char*>(data);
    buffer_.insert(buffer_.end(), bytes, bytes + size);
  }
  void Flush() {
    DWORD written;
    if (!buffer_.empty()) WriteFile(file_, buffer_.data(), static_cast<DWORD>(buffer_.size()), &written, nullptr);
    buffer_.clear();
  }

 private:
  HANDLE file_;
  std::vector<char> buffer_;
};

class PlainReader {
 public:
  explicit PlainReader(const String& path)
      : file_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)),
        buffer_(kBlock) {}
  ~PlainReader() { CloseHandle(file_); }
  void Get(void* data, size_t size) {
    char* out = static_cast<char*>(data);
    while (size > 0) {
      if (at_ == length_ && !Fill()) return;
      size_t n = std::min(size, length_ - at_);
      std::memcpy(out, buffer_.data() + at_, n);
      at_ += n;
      out += n;
      size -= n;
    }
  }
  String GetStr() {
    String text;
    for (;;) {
      if (at_ == length_ && !Fill()) return text;
      const char* from = buffer_.data() + at_;
      const char* zero = static_cast<const char*>(std::memchr(from, 0, length_ - at_));
      size_t take = zero ? static_cast<size_t>(zero - from) : length_ - at_;
      text.append(from, take);
      at_ += take;
      if (zero) {
        ++at_;
        return text;
      }
    }
  }

 private:
  bool Fill() {
    DWORD got = 0;
    ReadFile(file_, buffer_.data(), static_cast<DWORD>(kBlock), &got, nullptr);
    at_ = 0;
    length_ = got;
    return got > 0;
  }
  HANDLE file_;
  std::vector<char> buffer_;
  size_t at_ = 0;
  size_t length_ = 0;
};

void WritePlain(const String& path, const Values& values) {
  PlainWriter writer(path);
  const char zero = 0;
  for (int i = 0; i < kValues; ++i) {
    switch (i % 4) {
      case 0: {
        const String& s = values.Str(i);
        writer.Put(s.data(), s.size());
        writer.Put(&zero, 1);
        break;
      }
      case 1: {
        int32_t v = Values::Int(i);
        writer.Put(&v, 4);
        break;
      }
      case 2: {
        uint8_t b = Values::Bool(i) ? 1 : 0;
        writer.Put(&b, 1);
        break;
      }
      default: {
        TDateTime d = Values::Date(i);
        writer.Put(&d, 8);
        break;
      }
    }
  }
}

double ReadPlain(const String& path) {
  PlainReader reader(path);
  double sum = 0;
  for (int i = 0; i < kValues; ++i) {
    switch (i % 4) {
      case 0: sum += static_cast<double>(reader.GetStr().size()); break;
      case 1: {
        int32_t v;
        reader.Get(&v, 4);
        sum += v & 0xFF;
        break;
      }
      case 2: {
        uint8_t b;
        reader.Get(&b, 1);
        sum += b != 0;
        break;
      }
      default: {
        TDateTime d;
        reader.Get(&d, 8);
        sum += d;
        break;
      }
    }
  }
  return sum;
}

String FileBytes(const String& path) {
  TMemoryStream memory;
  memory.LoadFromFile(path);
  return String(static_cast<const char*>(memory.GetMemory()), static_cast<size_t>(memory.GetSize()));
}

}  // namespace

int main() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const String typedPath = Format("%stovix-bench-typed-%u.dat", temp, static_cast<unsigned>(GetCurrentProcessId()));
  const String plainPath = Format("%stovix-bench-plain-%u.dat", temp, static_cast<unsigned>(GetCurrentProcessId()));
  const Values values;
  const double expected = Checksum(values);
  const int runs = 9;
  int status = 0;

  // Baseline and stream take turns, so that a slow phase of the machine (other processes, the
  // system writing its file cache out) hits both alike; each keeps its best time.
  double typedSum = 0, plainSum = 0;
  double plainWrite = 1e300, typedWrite = 1e300, plainRead = 1e300, typedRead = 1e300;
  for (int run = 0; run < runs; ++run) {
    plainWrite = std::min(plainWrite, BestSeconds(1, [&] { WritePlain(plainPath, values); }));
    typedWrite = std::min(typedWrite, BestSeconds(1, [&] { WriteTyped(typedPath, values); }));
    plainRead = std::min(plainRead, BestSeconds(1, [&] { plainSum = ReadPlain(plainPath); }));
    typedRead = std::min(typedRead, BestSeconds(1, [&] { typedSum = ReadTyped(typedPath); }));
  }

  if (FileBytes(typedPath) != FileBytes(plainPath)) {
    std::printf("ERROR: TOrvFileStream wrote other bytes than the baseline\n");
    status = 1;
  }
  if (typedSum != expected || plainSum != expected) {
    std::printf("ERROR: values read back differ (typed %.3f, plain %.3f, expected %.3f)\n", typedSum, plainSum, expected);
    status = 1;
  }

  std::printf("TOrvFileStream, %d mixed values, against a 64 KiB vector buffer (ratio = stream / baseline)\n", kValues);
  Report("write", typedWrite, plainWrite);
  Report("read", typedRead, plainRead);
  Report("write + read", typedWrite + typedRead, plainWrite + plainRead);
  DeleteFileA(typedPath.c_str());
  DeleteFileA(plainPath.c_str());
  return status;
}
