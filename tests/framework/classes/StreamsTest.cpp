// The framework's streams on real files: positions and sizes, open and share modes as the system
// enforces them, the errors, memory streams, copying, safe saving and string lists in files.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/Classes.h"
#include "framework/WinApi.h"
#include "tests/support/ScratchFolder.h"

using namespace Tovix;
using Tovix::Testing::ScratchFolder;

namespace {

String ReadAll(TStream& stream) {
  String bytes(static_cast<size_t>(stream.GetSize() - stream.GetPosition()), '\0');
  stream.ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
  return bytes;
}

void Write(TStream& stream, const String& bytes) { stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size())); }

String Content(TMemoryStream& stream) {
  return String(static_cast<const char*>(stream.GetMemory()), static_cast<size_t>(stream.GetSize()));
}

bool StartsWith(const String& text, const String& start) { return text.compare(0, start.size(), start) == 0; }

// How many files a folder holds.
int FileCount(const String& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  int count = 0;
  do count += entry.cFileName[0] != '.';
  while (FindNextFileA(find, &entry));
  FindClose(find);
  return count;
}

}  // namespace

TEST(FileStream, PositionsSizesAndShortTransfers) {
  ScratchFolder folder;
  String name = folder.File("data.bin");
  {
    TFileStream stream(name, fmCreate);
    Write(stream, "hello world");
    EXPECT_EQ(11, stream.GetSize());
    EXPECT_EQ(6, stream.Seek(-5, soFromEnd));
    EXPECT_EQ("world", ReadAll(stream));
    char buffer[4];
    EXPECT_EQ(0, stream.Read(buffer, 4)) << "at the end a read gets nothing";
    try {
      stream.ReadBuffer(buffer, 1);
      FAIL() << "a short read must raise";
    } catch (const EReadError& e) {
      EXPECT_EQ("Stream read error", e.Message());
    }
    stream.SetPosition(13);  // past the end: writing there fills the gap with zeros
    Write(stream, "!");
    stream.SetPosition(0);
    EXPECT_EQ(String("hello world\0\0!", 14), ReadAll(stream));
    stream.SetSize(2);
    EXPECT_EQ(2, stream.GetPosition()) << "a position past the new end moves to it";
    EXPECT_THROW(stream.Seek(-3, soFromCurrent), EStreamError);
    EXPECT_EQ(2, stream.GetPosition()) << "a refused seek leaves the position";
  }
  {
    TFileStream reader(name, fmOpenRead);
    EXPECT_THROW(reader.WriteBuffer("x", 1), EWriteError);
  }
  {
    TFileStream writer(name, fmOpenWrite);
    char c;
    EXPECT_THROW(writer.Read(&c, 1), EReadError);
    Write(writer, "X");
  }
  EXPECT_EQ("Xe", ScratchFolder::ReadFile(name)) << "opening for writing neither truncates nor appends";
}

TEST(FileStream, FailuresNameTheFileAndShareModesAreEnforced) {
  ScratchFolder folder;
  String missing = folder.File("missing.bin");
  try {
    TFileStream stream(missing, fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_TRUE(StartsWith(e.Message(), "Cannot open file " + missing + ".")) << e.Message();
  }
  String inMissingFolder = folder.File("no folder\\new.bin");
  try {
    TFileStream stream(inMissingFolder, fmCreate);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_TRUE(StartsWith(e.Message(), "Cannot create file " + inMissingFolder)) << e.Message();
  }
  String name = folder.WriteFile("shared.bin", "data");
  EXPECT_THROW(TFileStream(name, TFileMode(3)), EFOpenError) << "there is no access mode 3";
  EXPECT_THROW(TFileStream(name, fmCreate | TFileShareMode(0x50)), EFCreateError);
  EXPECT_EQ("data", ScratchFolder::ReadFile(name)) << "a refused mode leaves the file alone";

  {
    TFileStream holder(name, fmOpenRead);  // compatibility mode shares nothing
    EXPECT_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone), EFOpenError);
  }
  {
    TFileStream holder(name, fmOpenRead | fmShareDenyWrite);
    EXPECT_NO_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone));
    EXPECT_THROW(TFileStream(name, fmOpenWrite | fmShareDenyNone), EFOpenError);
  }
  {
    TFileStream creator(name, fmCreate | fmShareDenyWrite);
    Write(creator, "new");
    TFileStream reader(name, fmShareDenyNone | fmOpenRead);
    EXPECT_EQ("new", ReadAll(reader));
  }
  {
    TFileStream creator(name, fmCreate);
    EXPECT_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone), EFOpenError) << "plain fmCreate is exclusive";
  }
  // Every stream above has let go of the file.
  EXPECT_NO_THROW(TFileStream(name, fmOpenReadWrite | fmShareExclusive));
  EXPECT_TRUE(DeleteFile(name));
}

TEST(HandleStream, LeavesTheHandleOpen) {
  ScratchFolder folder;
  String name = folder.File("handle.bin");
  HANDLE handle = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, handle);
  {
    THandleStream stream(handle);
    Write(stream, "abcdef");
    stream.SetSize(4);
  }
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(handle, "Z", 1, &written, nullptr));
  EXPECT_TRUE(CloseHandle(handle));
  EXPECT_EQ("abcdZ", ScratchFolder::ReadFile(name));
}

TEST(MemoryStream, GrowsShrinksAndCopies) {
  TMemoryStream stream;
  Write(stream, "abc");
  stream.SetPosition(6);
  Write(stream, "d");
  EXPECT_EQ(String("abc\0\0\0d", 7), Content(stream));
  String expected = Content(stream);
  for (int i = 0; i < 100000; ++i) {
    char c = static_cast<char>('a' + i % 26);
    stream.WriteBuffer(&c, 1);
    expected += c;
  }
  EXPECT_EQ(expected, Content(stream));
  stream.SetSize(3);
  EXPECT_EQ(3, stream.GetPosition());
  stream.SetSize(5);
  EXPECT_EQ(String("abc\0\0", 5), Content(stream)) << "the grown part is zero";
  EXPECT_THROW(stream.Seek(-6, soFromEnd), EStreamError);

  TMemoryStream copy;
  stream.SetSize(0);
  Write(stream, expected);
  EXPECT_EQ(100007, copy.CopyFrom(stream, 0)) << "count 0 copies everything, from the start";
  EXPECT_EQ(expected, Content(copy));
  stream.SetPosition(100);
  copy.Clear();
  EXPECT_EQ(70000, copy.CopyFrom(stream, 70000));
  EXPECT_EQ(expected.substr(100, 70000), Content(copy));
  EXPECT_THROW(copy.CopyFrom(stream, 30000), EReadError) << "the source ends early";
}

TEST(MemoryStream, LoadsAndSavesFilesWithoutLosingTheOldContent) {
  ScratchFolder folder;
  String name = folder.WriteFile("in.bin", String("in\0put", 6));
  TMemoryStream stream;
  stream.LoadFromFile(name);
  EXPECT_EQ(String("in\0put", 6), Content(stream));
  {
    TFileStream writeOnly(name, fmOpenWrite);
    EXPECT_THROW(stream.LoadFromStream(writeOnly), EReadError);
  }
  EXPECT_EQ(String("in\0put", 6), Content(stream)) << "a failing source leaves the content";

  String out = folder.WriteFile("out.bin", "an older, longer content");
  stream.SetPosition(4);
  stream.SaveToFile(out);
  EXPECT_EQ(String("in\0put", 6), ScratchFolder::ReadFile(out)) << "the whole content, whatever the position";
  {
    TFileStream holder(out, fmOpenRead | fmShareDenyNone);  // the file cannot be replaced meanwhile
    TMemoryStream other;
    Write(other, "new");
    EXPECT_THROW(other.SaveToFile(out), EFCreateError);
  }
  EXPECT_EQ(String("in\0put", 6), ScratchFolder::ReadFile(out));
  EXPECT_EQ(2, FileCount(folder.Path())) << "no temporary file is left behind";
}

TEST(StringsStreams, RoundTripThroughFilesAndStreams) {
  ScratchFolder folder;
  String name = folder.File("lines.txt");
  TStringList lines;
  lines.SetText("first\r\n\r\nthird line");
  lines.SaveToFile(name);
  EXPECT_EQ("first\r\n\r\nthird line\r\n", ScratchFolder::ReadFile(name));
  TStringList loaded;
  loaded.LoadFromFile(name);
  EXPECT_TRUE(loaded.Equals(lines));

  TMemoryStream stream;
  Write(stream, "skip|a\nb\rc");
  stream.SetPosition(5);
  loaded.LoadFromStream(stream);  // from the position on
  Write(stream, "#");
  loaded.SaveToStream(stream);
  EXPECT_EQ("skip|a\nb\rc#a\r\nb\r\nc\r\n", Content(stream));
  EXPECT_THROW(loaded.LoadFromFile(folder.File("missing.txt")), EFOpenError);
  EXPECT_EQ(3, loaded.GetCount()) << "a failed load keeps the lines";
}
