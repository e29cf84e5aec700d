// The typed file stream: the exact bytes of each value, the end-of-stream rules, every value going
// through the stream's own Read and Write, errors raised at once; and the buffered stream, which
// behaves exactly like an unbuffered file stream under any mix of operations and never drops a
// failure.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "tests/support/ScratchFolder.h"
#include "framework/classes/UtilityWindow.h"
#include "utils/OrvstreamBuffered.h"

using namespace Tovix;
using Tovix::Testing::ScratchFolder;

namespace {

// Takes no write, as a full disk.
const char* const kFullDevice = "Z:\\dev\\full";

String Bytes(std::initializer_list<int> values) {
  String bytes;
  for (int v : values) bytes += static_cast<char>(v);
  return bytes;
}

}  // namespace

TEST(OrvFileStream, WritesEachValueAsItsExactBytes) {
  ScratchFolder folder;
  String name = folder.File("values.dat");
  {
    TOrvFileStream stream(name, fmCreate);
    EXPECT_TRUE(stream.IsEOF()) << "a new file is at its end";
    stream.WriteStr("ab");
    stream.WriteInt(1);
    stream.WriteBool(true);
    EXPECT_EQ(8, stream.GetSize());
    stream.WriteInt(-2);
    stream.WriteDateTime(-0.25);
    stream.WriteStr(String("a\0b", 3));  // written whole, read back as two strings
    stream.WriteStr("");
  }
  EXPECT_EQ(Bytes({0x61, 0x62, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0xFE, 0xFF, 0xFF, 0xFF,  //
                   0, 0, 0, 0, 0, 0, 0xD0, 0xBF, 0x61, 0x00, 0x62, 0x00, 0x00}),
            ScratchFolder::ReadFile(name));

  TOrvFileStream stream(name, fmOpenRead);
  EXPECT_EQ("ab", stream.ReadStr());
  EXPECT_EQ(1, stream.ReadInt());
  EXPECT_TRUE(stream.ReadBool());
  EXPECT_EQ(-2, stream.ReadInt());
  EXPECT_EQ(-0.25, stream.ReadDateTime());
  EXPECT_EQ("a", stream.ReadStr());
  EXPECT_EQ("b", stream.ReadStr());
  EXPECT_FALSE(stream.IsEOF());
  EXPECT_EQ("", stream.ReadStr());
  EXPECT_TRUE(stream.IsEOF()) << "after the last value";
  try {
    stream.ReadStr();
    FAIL() << "reading a string at the end must raise";
  } catch (const EStreamError& e) {
    EXPECT_EQ("Unable to read string from stream", e.Message());
  }
}

TEST(OrvFileStream, TruncatedValuesRaiseInsteadOfReturningGarbage) {
  ScratchFolder folder;
  {
    TOrvFileStream stream(folder.WriteFile("str.dat", "abc"), fmOpenRead);
    EXPECT_THROW(stream.ReadStr(), EStreamError);
    EXPECT_TRUE(stream.IsEOF());
  }
  TOrvFileStream ints(folder.WriteFile("int.dat", "\x01\x02\x03"), fmOpenRead);
  EXPECT_THROW(ints.ReadInt(), EReadError);
  TOrvFileStream bools(folder.WriteFile("bool.dat", ""), fmOpenRead);
  EXPECT_THROW(bools.ReadBool(), EReadError);
  TOrvFileStream dates(folder.WriteFile("date.dat", String(7, '\x40')), fmOpenRead);
  EXPECT_THROW(dates.ReadDateTime(), EStreamError);
  TOrvFileStream flags(folder.WriteFile("flags.dat", Bytes({0x02, 0x00})), fmOpenRead);
  EXPECT_TRUE(flags.ReadBool()) << "any non-zero byte is true";
  EXPECT_FALSE(flags.ReadBool());
}

TEST(OrvFileStream, ReopeningAndAppendingKeepsTheEarlierValues) {
  ScratchFolder folder;
  String name = folder.File("log.dat");
  for (int round = 0; round < 3; ++round) {
    TOrvFileStream stream(name, round == 0 ? TFileMode(fmCreate) : fmOpenReadWrite | fmShareDenyWrite);
    stream.Seek(0, soFromEnd);
    stream.WriteStr(String(round + 1, 'x'));
    stream.WriteDateTime(45000.5 + round);
  }
  TOrvFileStream stream(name, fmOpenRead | fmShareDenyWrite);
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(String(round + 1, 'x'), stream.ReadStr());
    EXPECT_EQ(45000.5 + round, stream.ReadDateTime());
  }
  EXPECT_TRUE(stream.IsEOF());
}

TEST(OrvFileStream, FailuresAreReportedNotDeferredOrLost) {
  ScratchFolder folder;
  String name = folder.WriteFile("modes.dat", Bytes({1, 0, 0, 0}));
  for (bool buffered : {false, true}) {
    SCOPED_TRACE(buffered ? "buffered" : "unbuffered");
    {
      std::unique_ptr<TOrvFileStream> reader(buffered ? new TOrvBufferedFileStream(name, fmOpenRead)
                                                      : new TOrvFileStream(name, fmOpenRead));
      EXPECT_THROW(reader->WriteInt(5), EWriteError) << "at once, not when a buffer would be written";
    }
    TOrvBufferedFileStream writer(name, fmOpenWrite);
    writer.WriteInt(7);
    writer.SetPosition(0);
    EXPECT_THROW(writer.ReadInt(), EReadError) << "even bytes it has just written cannot be read";
  }
  EXPECT_EQ(Bytes({7, 0, 0, 0}), ScratchFolder::ReadFile(name));

  // Z:\dev\full takes no write, as a full disk: the plain stream raises on the write itself.
  {
    TOrvFileStream full(kFullDevice, fmOpenWrite);
    EXPECT_THROW(full.WriteStr("lost"), EWriteError);
    EXPECT_THROW(full.WriteBool(true), EWriteError);
  }

  // No file system takes a write this far out. The buffered stream reports it on Flush, keeps the
  // bytes, and reports again.
  TOrvBufferedFileStream stream(name, fmOpenReadWrite);
  stream.SetPosition(int64_t{1} << 62);
  stream.WriteInt(2);
  EXPECT_THROW(stream.Flush(), EStreamError);
  EXPECT_THROW(stream.Flush(), EStreamError) << "the bytes are kept, and still fail";
  stream.SetPosition(0);
  EXPECT_THROW(stream.ReadInt(), EStreamError) << "moving the buffer elsewhere reports it too";
  stream.SetSize(4);  // cuts the bytes out there off, so nothing is left to fail
  EXPECT_EQ(7, stream.ReadInt());
}

namespace {

// A stream derived as a checksumming or encrypting one would be: it sees what passes its Read and Write.
class CountingStream : public TOrvFileStream {
 public:
  using TOrvFileStream::TOrvFileStream;
  int Read(void* buffer, int count) override {
    int got = TOrvFileStream::Read(buffer, count);
    read += got;
    return got;
  }
  int Write(const void* buffer, int count) override {
    int put = TOrvFileStream::Write(buffer, count);
    written += put;
    return put;
  }
  int read = 0;
  int written = 0;
};

std::vector<String> exceptionsHandled;
void RecordException(TObject*, const Exception& e) { exceptionsHandled.push_back(e.Message()); }

}  // namespace

TEST(OrvFileStream, EveryValueGoesThroughTheStreamsOwnReadAndWrite) {
  ScratchFolder folder;
  String name = folder.File("counted.dat");
  {
    CountingStream stream(name, fmCreate);
    stream.WriteStr("ab");
    stream.WriteInt(1);
    stream.WriteBool(true);
    stream.WriteDateTime(2.5);
    stream.WriteStr("");
    EXPECT_EQ(17, stream.written);
  }
  CountingStream stream(name, fmOpenRead);
  EXPECT_EQ("ab", stream.ReadStr());
  EXPECT_EQ(3, stream.read) << "the zero byte is consumed, and nothing after it";
  stream.ReadInt();
  stream.ReadBool();
  stream.ReadDateTime();
  stream.ReadStr();
  EXPECT_EQ(17, stream.read);
  EXPECT_THROW(stream.ReadStr(), EStreamError);
  EXPECT_EQ(17, stream.read) << "nothing is read at the end";
}

TEST(OrvFileStream, TwoHandlesSeeEachOthersValuesAtOnce) {
  ScratchFolder folder;
  String name = folder.File("shared.dat");
  {
    TOrvFileStream writer(name, fmCreate | fmShareDenyNone);
    TOrvFileStream other(name, fmOpenReadWrite | fmShareDenyNone);
    writer.WriteStr("first");
    writer.WriteInt(5);
    EXPECT_EQ("first", other.ReadStr());
    EXPECT_EQ(5, other.ReadInt());
    other.SetPosition(0);
    other.WriteStr("FIRST");
    writer.SetPosition(0);
    EXPECT_EQ("FIRST", writer.ReadStr()) << "a reader sees what another handle changed";
    writer.WriteBool(true);  // over the first byte of the integer
  }
  EXPECT_EQ(String("FIRST\0\x01\0\0\0", 10), ScratchFolder::ReadFile(name)) << "nothing overwritten on freeing";
}

TEST(OrvBufferedFileStream, AFailedFinalFlushIsRaisedByFreeOrHandedToTheApplication) {
  ScratchFolder folder;
  String name = folder.File("final.dat");
  auto* stream = new TOrvBufferedFileStream(kFullDevice, fmOpenWrite);
  stream->WriteInt(1);
  EXPECT_THROW(stream->Free(), EWriteError);

  TExceptionHandler saved = ApplicationHandleException;
  ApplicationHandleException = RecordException;
  exceptionsHandled.clear();
  {
    TOrvBufferedFileStream lost(kFullDevice, fmOpenWrite);
    lost.WriteStr("x");
  }
  {
    TOrvBufferedFileStream kept(name, fmCreate);
    kept.WriteStr("kept");
  }
  ApplicationHandleException = saved;
  ASSERT_EQ(1u, exceptionsHandled.size()) << "the destructor's failure, once";
  EXPECT_EQ("Stream write error", exceptionsHandled[0].substr(0, 18));
  EXPECT_EQ(String("kept\0", 5), ScratchFolder::ReadFile(name));
}

// The cases where a buffer meets writes around it, spelled out.
TEST(OrvBufferedFileStream, WritesAroundTheBufferKeepEveryByte) {
  ScratchFolder folder;
  String name = folder.WriteFile("edges.dat", String(200000, 'a'));
  {
    TOrvBufferedFileStream stream(name, fmOpenReadWrite);
    stream.SetPosition(100000);
    stream.ReadInt();  // the buffer now holds the file from 100000 on
    stream.SetPosition(50000);
    String b(100000, 'b');  // a long write from before the buffer across it
    stream.WriteBuffer(b.data(), static_cast<int>(b.size()));
    stream.SetPosition(120000);
    EXPECT_EQ(0x62626262, stream.ReadInt()) << "the buffer must not keep bytes overwritten around it";

    stream.SetPosition(0);
    stream.ReadInt();  // writes into a buffer filled by a read, the later one before the earlier one
    stream.SetPosition(1000);
    stream.WriteInt(0x31313131);
    stream.SetPosition(500);
    stream.WriteInt(0x32323232);
  }
  String file = ScratchFolder::ReadFile(name);
  EXPECT_EQ(String(500, 'a') + "2222", file.substr(0, 504));
  EXPECT_EQ("a1111a", file.substr(999, 6));
  EXPECT_EQ(String(100000, 'b'), file.substr(50000, 100000));
  EXPECT_EQ(200000u, file.size());
}

namespace {

// A long random mix of typed and untyped reads, writes, seeks and size changes, done on a buffered
// stream and on an unbuffered TFileStream side by side: every result, position and size must agree,
// and so must the two files, compared by reading them independently. "Nearby" keeps transfers and
// hops short, so that the stream works inside one buffer; otherwise they cross buffers and jump far.
void CompareWithPlainStream(unsigned seed, bool nearby) {
  ScratchFolder folder;
  String bufferedName = folder.File("buffered.dat");
  String plainName = folder.File("plain.dat");
  std::mt19937 random(seed);
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  String pool;  // random bytes, one in eight a zero so that strings end often
  for (int i = 0; i < 300000; ++i) pool += below(8) == 0 ? '\0' : static_cast<char>(below(256));
  const int sizes[] = {1, 2, 4, 8, 13, 100, 300, 4096, 65535, 65536, 70000, 150000};
  auto randomCount = [&] { return sizes[below(nearby ? 8 : 12)]; };
  {
    TOrvBufferedFileStream buffered(bufferedName, fmCreate | fmShareDenyNone);
    TFileStream plain(plainName, fmCreate | fmShareDenyNone);
    for (int step = 0; step < 3000; ++step) {
      int operation = below(11);
      SCOPED_TRACE(Format("step %d, operation %d", step, operation));
      if (operation <= 2) {
        String bytes = pool.substr(static_cast<size_t>(below(150000)), static_cast<size_t>(randomCount()));
        int n = static_cast<int>(bytes.size());
        ASSERT_EQ(plain.Write(bytes.data(), n), buffered.Write(bytes.data(), n));
      } else if (operation <= 4) {
        int n = randomCount();
        String fromPlain(static_cast<size_t>(n), '\0'), fromBuffered(static_cast<size_t>(n), '\0');
        int got = plain.Read(fromPlain.data(), n);
        ASSERT_EQ(got, buffered.Read(fromBuffered.data(), n));
        ASSERT_EQ(fromPlain.substr(0, static_cast<size_t>(got)), fromBuffered.substr(0, static_cast<size_t>(got)));
      } else if (operation == 5) {
        String text = pool.substr(static_cast<size_t>(below(150000)), static_cast<size_t>(below(20)));
        plain.WriteBuffer(text.c_str(), static_cast<int>(text.size() + 1));
        buffered.WriteStr(text);
        int value = static_cast<int>(random());
        plain.WriteBuffer(&value, 4);
        buffered.WriteInt(value);
      } else if (operation == 6) {
        int32_t value;
        if (plain.Read(&value, 4) == 4) ASSERT_EQ(value, buffered.ReadInt());
        else ASSERT_THROW(buffered.ReadInt(), EReadError);
        String text;
        char c = 1;
        while (plain.Read(&c, 1) == 1 && c != 0) text += c;
        if (c == 0) ASSERT_EQ(text, buffered.ReadStr());
        else ASSERT_THROW(buffered.ReadStr(), EStreamError);
      } else if (operation <= 8) {
        // Short hops stay inside the buffer; long jumps go anywhere, also before the start or past the end.
        int64_t size = plain.GetSize();
        TSeekOrigin origin = static_cast<TSeekOrigin>(below(3));
        int64_t offset = below(nearby ? 8 : 2) ? below(400) - 300 : below(static_cast<int>(size) + 200000) - size / 2 - 100;
        if (origin == soFromBeginning) offset += plain.GetPosition();
        int64_t expected = -1;
        try {
          expected = plain.Seek(offset, origin);
        } catch (const EStreamError&) {
        }
        if (expected < 0) ASSERT_THROW(buffered.Seek(offset, origin), EStreamError);
        else ASSERT_EQ(expected, buffered.Seek(offset, origin));
      } else if (operation == 9) {
        int64_t size = below(static_cast<int>(plain.GetSize()) + 100000);
        plain.SetSize(size);
        buffered.SetSize(size);
      } else if (below(3) == 0) {
        buffered.Flush();
        ASSERT_EQ(ScratchFolder::ReadFile(plainName), ScratchFolder::ReadFile(bufferedName));
      }
      ASSERT_EQ(plain.GetPosition(), buffered.GetPosition());
      ASSERT_EQ(plain.GetSize(), buffered.GetSize());
      ASSERT_EQ(plain.GetPosition() >= plain.GetSize(), buffered.IsEOF());
    }
  }
  EXPECT_EQ(ScratchFolder::ReadFile(plainName), ScratchFolder::ReadFile(bufferedName)) << "freeing writes the rest";
}

}  // namespace

TEST(OrvBufferedFileStream, BehavesExactlyLikeAnUnbufferedFileStream) {
  {
    SCOPED_TRACE("nearby");
    CompareWithPlainStream(20240611, true);
  }
  SCOPED_TRACE("far");
  CompareWithPlainStream(77, false);
}
