// TTextFile: line ends of every kind, lines longer than the buffer, appending, and failures that
// raise EInOutError without leaving a handle open.
#include <gtest/gtest.h>

#include <vector>

#include "framework/SystemTextFile.h"
#include "tests/support/ScratchFolder.h"

using namespace Tovix;
using Tovix::Testing::ScratchFolder;

namespace {

std::vector<String> ReadLines(const String& path) {
  TTextFile file;
  file.Reset(path);
  std::vector<String> lines;
  String line;
  while (file.ReadLn(line)) lines.push_back(line);
  file.Close();
  return lines;
}

}  // namespace

TEST(TextFile, ReadsEveryKindOfLineEndAndKeepsTheBytesOfEachLine) {
  ScratchFolder folder;
  String bytes = String("crlf\r\nlf\ncr\r\r\nempty above\t\x01\xff") + '\0' + "nul";
  auto lines = ReadLines(folder.WriteFile("mixed.txt", bytes));
  EXPECT_EQ((std::vector<String>{"crlf", "lf", "cr", "", String("empty above\t\x01\xff") + '\0' + "nul"}), lines)
      << "the last line has no line end and is a line all the same";
  EXPECT_TRUE(ReadLines(folder.WriteFile("empty.txt", "")).empty());
  EXPECT_EQ((std::vector<String>{""}), ReadLines(folder.WriteFile("one.txt", "\r\n")));
}

TEST(TextFile, LinesAndLineEndsMaySpanTheReadBuffer) {
  ScratchFolder folder;
  // A CR as the last byte of the first 64 KiB block and its LF as the first byte of the next.
  String first(64 * 1024 - 1, 'a');
  String second(200 * 1024, 'b');
  auto lines = ReadLines(folder.WriteFile("long.txt", first + "\r\n" + second + "\rlast"));
  ASSERT_EQ(3u, lines.size());
  EXPECT_EQ(first, lines[0]);
  EXPECT_EQ(second, lines[1]);
  EXPECT_EQ("last", lines[2]);
}

TEST(TextFile, RewriteAndAppendWriteLinesEndedByCrLf) {
  ScratchFolder folder;
  String path = folder.File("out.txt");
  TTextFile file;
  file.Rewrite(path);
  file.WriteLn("one");
  file.Write("tw");
  file.WriteLn("o");
  file.Close();
  EXPECT_EQ("one\r\ntwo\r\n", ScratchFolder::ReadFile(path));

  file.Append(path);
  EXPECT_FALSE(file.EndsInsideLine());
  file.WriteLn("three");
  file.Close();
  EXPECT_EQ("one\r\ntwo\r\nthree\r\n", ScratchFolder::ReadFile(path));

  String open = folder.WriteFile("open.txt", "no end");
  file.Append(open);
  EXPECT_TRUE(file.EndsInsideLine());
  file.Close();
  file.Append(folder.WriteFile("blank.txt", ""));
  EXPECT_FALSE(file.EndsInsideLine()) << "an empty file has no last line to continue";
  file.Close();
}

TEST(TextFile, FailuresRaiseInOutErrorsAndTheDestructorCloses) {
  ScratchFolder folder;
  TTextFile file;
  try {
    file.Reset(folder.File("missing.txt"));
    ADD_FAILURE() << "a missing file opened";
  } catch (const EInOutError& e) {
    EXPECT_EQ(static_cast<uint32_t>(ERROR_FILE_NOT_FOUND), e.ErrorCode());
  }
  EXPECT_THROW(file.Append(folder.File("missing.txt")), EInOutError);
  EXPECT_FALSE(FileExists(folder.File("missing.txt"))) << "Append creates nothing";
  String line;
  EXPECT_THROW(file.ReadLn(line), EInOutError) << "nothing is open";

  String path = folder.WriteFile("held.txt", "data\r\n");
  {
    TTextFile reader;
    reader.Reset(path);
    EXPECT_THROW(reader.WriteLn("x"), EInOutError) << "a file opened for reading is not written";
    TTextFile writer;
    EXPECT_THROW(writer.Rewrite(path), EInOutError) << "the reader shares reading only";
  }
  // Both went out of scope without Close: the file is free again.
  TTextFile writer;
  writer.Rewrite(path);
  writer.Close();
  EXPECT_TRUE(DeleteFile(path));
}
