// Mixed values (strings, integers, booleans, date-times) written and read back:
// - TOrvFileStream against the framework's TFileStream making the same Read and Write calls, so
//   the ratio is the typed layer's cost over the system calls themselves;
// - TOrvBufferedFileStream, one million values, against a plain buffered baseline: the same bytes
//   written from a std::vector<char> in 64 KiB blocks with WriteFile, and read back in 64 KiB blocks.
// Every pair runs alternately, several times; each result is checked against the others.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "bench/BenchTimer.h"
#include "framework/WinApi.h"
#include "utils/OrvstreamBuffered.h"

using namespace Tovix;
using Tovix::Bench::Compare;
using Tovix::Bench::Comparison;
using Tovix::Bench::Report;

namespace {

constexpr int kBufferedValues = 1000000;
// Each value is a system call or more (a string read is one per byte): fewer of them.
constexpr int kUnbufferedValues = 50000;
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
double Checksum(const Values& values, int count) {
  double sum = 0;
  for (int i = 0; i < count; ++i) {
    switch (i % 4) {
      case 0: sum += static_cast<double>(values.Str(i).size()); break;
      case 1: sum += Values::Int(i) & 0xFF; break;
      case 2: sum += Values::Bool(i); break;
      default: sum += Values::Date(i); break;
    }
  }
  return sum;
}

template <typename Stream>
void WriteTyped(const String& path, const Values& values, int count) {
  Stream stream(path, fmCreate);
  for (int i = 0; i < count; ++i) {
    switch (i % 4) {
      case 0: stream.WriteStr(values.Str(i)); break;
      case 1: stream.WriteInt(Values::Int(i)); break;
      case 2: stream.WriteBool(Values::Bool(i)); break;
      default: stream.WriteDateTime(Values::Date(i)); break;
    }
  }
  if constexpr (requires { stream.Flush(); }) stream.Flush();
}

template <typename Stream>
double ReadTyped(const String& path, int count) {
  Stream stream(path, fmOpenRead);
  double sum = 0;
  for (int i = 0; i < count; ++i) {
    switch (i % 4) {
      case 0: sum += static_cast<double>(stream.ReadStr().size()); break;
      case 1: sum += stream.ReadInt() & 0xFF; break;
      case 2: sum += stream.ReadBool(); break;
      default: sum += stream.ReadDateTime(); break;
    }
  }
  return sum;
}

// The unbuffered stream's baseline: the same Read and Write calls on the framework's file stream,
// a string one byte per Read, so that nothing past its zero byte is read.
void WriteCalls(const String& path, const Values& values, int count) {
  TFileStream stream(path, fmCreate);
  for (int i = 0; i < count; ++i) {
    switch (i % 4) {
      case 0: stream.WriteBuffer(values.Str(i).c_str(), static_cast<int>(values.Str(i).size() + 1)); break;
      case 1: {
        int32_t v = Values::Int(i);
        stream.WriteBuffer(&v, 4);
        break;
      }
      case 2: {
        uint8_t b = Values::Bool(i) ? 1 : 0;
        stream.WriteBuffer(&b, 1);
        break;
      }
      default: {
        TDateTime d = Values::Date(i);
        stream.WriteBuffer(&d, 8);
        break;
      }
    }
  }
}

double ReadCalls(const String& path, int count) {
  TFileStream stream(path, fmOpenRead);
  double sum = 0;
  for (int i = 0; i < count; ++i) {
    switch (i % 4) {
      case 0: {
        String text;
        char c;
        while (stream.Read(&c, 1) == 1 && c != 0) text += c;
        sum += static_cast<double>(text.size());
        break;
      }
      case 1: {
        int32_t v;
        stream.ReadBuffer(&v, 4);
        sum += v & 0xFF;
        break;
      }
      case 2: {
        uint8_t b;
        stream.ReadBuffer(&b, 1);
        sum += b != 0;
        break;
      }
      default: {
        TDateTime d;
        stream.ReadBuffer(&d, 8);
        sum += d;
        break;
      }
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

void WritePlain(const String& path, const Values& values, int count) {
  PlainWriter writer(path);
  const char zero = 0;
  for (int i = 0; i < count; ++i) {
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

double ReadPlain(const String& path, int count) {
  PlainReader reader(path);
  double sum = 0;
  for (int i = 0; i < count; ++i) {
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


struct Pair {
  const char* title;
  int count;
  std::function<void(const String&)> write, writeBaseline;
  std::function<double(const String&)> read, readBaseline;
};

// Times one pair, checks that both sides wrote the same bytes and read back the expected values.
bool Measure(const Pair& pair, const Values& values, const String& path, const String& baselinePath) {
  const double expected = Checksum(values, pair.count);
  const int runs = 7;
  double sum = 0, baselineSum = 0;
  std::printf("%s, %d mixed values (ratio = stream / baseline)\n", pair.title, pair.count);
  Comparison write = Compare(runs, [&] { pair.write(path); }, [&] { pair.writeBaseline(baselinePath); });
  Comparison read = Compare(runs, [&] { sum = pair.read(path); }, [&] { baselineSum = pair.readBaseline(baselinePath); });
  Report("write", write);
  Report("read", read);
  bool good = true;
  if (FileBytes(path) != FileBytes(baselinePath)) {
    std::printf("ERROR: the stream wrote other bytes than the baseline\n");
    good = false;
  }
  if (sum != expected || baselineSum != expected) {
    std::printf("ERROR: values read back differ (stream %.3f, baseline %.3f, expected %.3f)\n", sum, baselineSum, expected);
    good = false;
  }
  std::printf("\n");
  return good;
}

}  // namespace

int main() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const String path = Format("%stovix-bench-typed-%u.dat", temp, static_cast<unsigned>(GetCurrentProcessId()));
  const String baselinePath = Format("%stovix-bench-plain-%u.dat", temp, static_cast<unsigned>(GetCurrentProcessId()));
  const Values values;
  const Pair pairs[] = {
      {"TOrvFileStream against TFileStream making the same calls", kUnbufferedValues,
       [&](const String& p) { WriteTyped<TOrvFileStream>(p, values, kUnbufferedValues); },
       [&](const String& p) { WriteCalls(p, values, kUnbufferedValues); },
       [](const String& p) { return ReadTyped<TOrvFileStream>(p, kUnbufferedValues); },
       [](const String& p) { return ReadCalls(p, kUnbufferedValues); }},
      {"TOrvBufferedFileStream against a 64 KiB vector buffer", kBufferedValues,
       [&](const String& p) { WriteTyped<TOrvBufferedFileStream>(p, values, kBufferedValues); },
       [&](const String& p) { WritePlain(p, values, kBufferedValues); },
       [](const String& p) { return ReadTyped<TOrvBufferedFileStream>(p, kBufferedValues); },
       [](const String& p) { return ReadPlain(p, kBufferedValues); }},
  };
  int status = 0;
  for (const Pair& pair : pairs)
    if (!Measure(pair, values, path, baselinePath)) status = 1;
  DeleteFileA(path.c_str());
  DeleteFileA(baselinePath.c_str());
  return status;
}
