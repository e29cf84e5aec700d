// Typed-stream files of random bytes, or of good values cut and flipped, read back by random typed
// reads through the plain and the buffered stream: every value is what the bytes say, a string
// without its zero byte raises "Unable to read string from stream" having read nothing past the
// end, a short fixed-size value raises the read error, and both streams agree throughout.
#include <bit>
#include <cstring>

#include "tests/fuzz/Fuzz.h"
#include "tests/support/ScratchFolder.h"
#include "utils/OrvstreamBuffered.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

// Sees every byte the typed reads ask of the stream.
class WatchedStream : public TOrvFileStream {
 public:
  using TOrvFileStream::TOrvFileStream;
  int Read(void* buffer, int count) override {
    int got = TOrvFileStream::Read(buffer, count);
    bytesRead += got;
    return got;
  }
  int64_t bytesRead = 0;
};

String GoodValues(Mutator& mutator, const String& path) {
  {
    TOrvFileStream stream(path, fmCreate);
    for (uint32_t n = mutator.Below(12); n > 0; --n) {
      switch (mutator.Below(4)) {
        case 0: stream.WriteStr(String(mutator.Below(20), static_cast<char>('a' + mutator.Below(26)))); break;
        case 1: stream.WriteInt(static_cast<int>(mutator.Below(0xFFFFFFFFu))); break;
        case 2: stream.WriteBool(mutator.Below(2) != 0); break;
        default: stream.WriteDateTime(mutator.Below(100000) / 7.0); break;
      }
    }
  }
  return ScratchFolder::ReadFile(path);
}

// Reads the file's bytes as the format says, beside the streams.
struct Decoder {
  const String& bytes;
  size_t at = 0;
  template <typename T>
  bool Fixed(T& value) {
    if (bytes.size() - at < sizeof(T)) return false;
    std::memcpy(&value, bytes.data() + at, sizeof(T));
    at += sizeof(T);
    return true;
  }
  bool Str(String& text) {
    size_t zero = bytes.find('\0', at);
    if (zero == String::npos) return false;
    text = bytes.substr(at, zero - at);
    at = zero + 1;
    return true;
  }
};

// One typed read on both streams, checked against the decoder. False once the data ran out.
bool ReadOne(uint32_t kind, Decoder& decoder, WatchedStream& plain, TOrvBufferedFileStream& buffered) {
  const int64_t size = static_cast<int64_t>(decoder.bytes.size());
  if (kind == 0) {
    String expected;
    if (decoder.Str(expected)) {
      EXPECT_EQ(expected, plain.ReadStr());
      EXPECT_EQ(expected, buffered.ReadStr());
      return true;
    }
    for (TOrvFileStream* stream : {static_cast<TOrvFileStream*>(&plain), static_cast<TOrvFileStream*>(&buffered)}) {
      try {
        stream->ReadStr();
        ADD_FAILURE() << "a string without its zero byte was read";
      } catch (const EStreamError& e) {
        EXPECT_EQ("Unable to read string from stream", e.Message());
      }
    }
    EXPECT_EQ(size, plain.bytesRead) << "read to the end and nothing past it";
    return false;
  }
  auto fixed = [&](auto expected, auto readPlain, auto readBuffered) {
    if (decoder.Fixed(expected)) {
      EXPECT_EQ(expected, readPlain());
      EXPECT_EQ(expected, readBuffered());
      return true;
    }
    EXPECT_THROW(readPlain(), EReadError);
    EXPECT_THROW(readBuffered(), EReadError);
    return false;
  };
  if (kind == 1) return fixed(int32_t{}, [&] { return plain.ReadInt(); }, [&] { return buffered.ReadInt(); });
  if (kind == 2) {
    uint8_t byte;
    if (decoder.Fixed(byte)) {
      EXPECT_EQ(byte != 0, plain.ReadBool());
      EXPECT_EQ(byte != 0, buffered.ReadBool());
      return true;
    }
    EXPECT_THROW(plain.ReadBool(), EReadError);
    EXPECT_THROW(buffered.ReadBool(), EReadError);
    return false;
  }
  // Compared as bits: a flipped byte may make a NaN, which equals nothing.
  return fixed(uint64_t{}, [&] { return std::bit_cast<uint64_t>(plain.ReadDateTime()); },
               [&] { return std::bit_cast<uint64_t>(buffered.ReadDateTime()); });
}

}  // namespace

TEST(TypedStreamFuzz, EveryReadIsWhatTheBytesSayOrTheStreamsError) {
  ScratchFolder folder;
  const String path = folder.File("fuzz.dat");
  FuzzCount count("typed-stream files");
  Mutator mutator(20261208);
  for (int round = 0; round < 60 * FuzzScale(); ++round) {
    String bytes = mutator.Below(4) == 0 ? mutator.RandomBytes(mutator.Below(40)) : mutator.Mutate(GoodValues(mutator, path), 2);
    folder.WriteFile("fuzz.dat", bytes);
    count.Run(Format("round %d", round), [&] {
      WatchedStream plain(path, fmOpenRead | fmShareDenyNone);
      TOrvBufferedFileStream buffered(path, fmOpenRead | fmShareDenyNone);
      Decoder decoder{bytes};
      // Half the rounds read strings mostly, so that strings meet the end of the file often.
      bool strings = round % 2 == 0;
      while (ReadOne(strings && mutator.Below(2) ? 0 : mutator.Below(4), decoder, plain, buffered)) {
        ASSERT_EQ(static_cast<int64_t>(decoder.at), plain.GetPosition());
        ASSERT_EQ(plain.GetPosition(), buffered.GetPosition());
        ASSERT_EQ(decoder.at >= bytes.size(), plain.IsEOF());
      }
    });
  }
}
