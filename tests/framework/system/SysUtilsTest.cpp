#include <gtest/gtest.h>

#include "framework/SysUtils.h"
#include "framework/WinApi.h"
#include "tests/support/ScratchFolder.h"

using namespace Tovix;

TEST(Trim, RemovesControlCharactersAndBlanksButKeepsHighBytes) {
  EXPECT_EQ("a b", Trim(" \t\r\na b\x01 "));
  EXPECT_EQ("a ", TrimLeft("\x1f a "));
  EXPECT_EQ(" a", TrimRight(" a \x1f"));
  EXPECT_EQ("\xA0x\xA0", Trim("\xA0x\xA0"));  // 160 is above 32: not a blank
  EXPECT_EQ("", Trim("   "));
}

TEST(CaseFolding, TouchesOnlyAsciiLetters) {
  EXPECT_EQ("abc-\xC4z", LowerCase("ABC-\xC4Z"));
  EXPECT_EQ("ABC-\xE4Z", UpperCase("abc-\xE4z"));
  EXPECT_EQ(0, CompareText("Path", "pATH"));
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("abcd", "ABC"), 0);
  EXPECT_FALSE(SameText("\xC4", "\xE4"));  // non-ASCII letters differ by byte
  EXPECT_TRUE(SameText("Known Packages", "KNOWN PACKAGES"));
  // Letters fold to upper case, so '_' (0x5F) sorts after every letter.
  EXPECT_LT(CompareText("Z", "_"), 0);
  EXPECT_LT(CompareText("z", "_"), 0);
}

TEST(IntegerConversion, RoundTripsAndRejectsGarbage) {
  EXPECT_EQ("-2147483648", IntToStr(INT32_MIN));
  EXPECT_EQ(42, StrToInt(" +42 "));
  EXPECT_EQ(-7, StrToInt("-7"));
  EXPECT_EQ(255, StrToInt("$FF"));
  EXPECT_EQ(255, StrToInt("0xff"));
  EXPECT_EQ(-1, StrToInt("$FFFFFFFF"));
  EXPECT_EQ(INT32_MAX, StrToInt("2147483647"));
  EXPECT_EQ(INT32_MIN, StrToInt("-2147483648"));
  for (const char* bad : {"", " ", "12a", "2147483648", "-2147483649", "$", "1 2", "--1", "$1FFFFFFFF"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(Format("'%s' is not a valid integer value", bad), e.Message());
    }
  }
  EXPECT_EQ(5, StrToIntDef("x", 5));
  EXPECT_EQ(INT64_MIN, StrToInt64("-9223372036854775808"));
  EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
  EXPECT_EQ("00FF", IntToHex(255, 4));
  EXPECT_EQ("1234ABCD", IntToHex(0x1234ABCD, 2));
}

TEST(FloatConversion, TakesDecimalNumbersWithAPointOnly) {
  EXPECT_DOUBLE_EQ(4.0, StrToFloat("4.0"));
  EXPECT_DOUBLE_EQ(4.0, StrToFloat("4"));
  EXPECT_DOUBLE_EQ(-0.5, StrToFloat(" -.5 "));
  EXPECT_DOUBLE_EQ(5.0, StrToFloat("5."));
  EXPECT_DOUBLE_EQ(1500.0, StrToFloat("1.5E+3"));
  double value = 7;
  for (const char* bad : {"", " ", ".", "4,0", "4.0.1", "abc", "0x10", "inf", "nan", "1e", "1e+", "1e999", "- 1"}) {
    EXPECT_FALSE(TextToFloat(bad, value)) << "accepted '" << bad << "'";
    EXPECT_EQ(7, value) << "a refused text leaves the value alone";
  }
  try {
    StrToFloat("4,0");
    ADD_FAILURE() << "accepted a comma";
  } catch (const EConvertError& e) {
    EXPECT_EQ("'4,0' is not a valid floating point value", e.Message());
  }
}

TEST(FileNames, SplitAtTheLastDelimiterOrDrive) {
  EXPECT_EQ("file.txt", ExtractFileName("C:\\dir\\file.txt"));
  EXPECT_EQ("file.txt", ExtractFileName("C:file.txt"));
  EXPECT_EQ("C:\\dir\\", ExtractFilePath("C:\\dir\\file.txt"));
  EXPECT_EQ("C:\\dir", ExtractFileDir("C:\\dir\\file.txt"));
  EXPECT_EQ("C:\\", ExtractFileDir("C:\\file.txt"));
  EXPECT_EQ("\\", ExtractFileDir("\\file.txt"));
  EXPECT_EQ("", ExtractFileDir("file.txt"));
  EXPECT_EQ(".txt", ExtractFileExt("C:\\d.ir\\file.txt"));
  EXPECT_EQ("", ExtractFileExt("C:\\d.ir\\file"));
  EXPECT_EQ("C:\\a\\", IncludeTrailingBackslash("C:\\a"));
  EXPECT_EQ("C:\\a\\", IncludeTrailingBackslash("C:\\a\\"));
  EXPECT_EQ("C:\\a", ExcludeTrailingBackslash("C:\\a\\"));
}

TEST(FileSystem, ExistsDistinguishesFilesFromFolders) {
  Testing::ScratchFolder folder;
  String file = folder.WriteFile("x.dat", "data");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_TRUE(DirectoryExists(folder.Path()));
  EXPECT_FALSE(FileExists(folder.Path()));
  EXPECT_FALSE(FileExists(folder.File("missing")));
  EXPECT_TRUE(ForceDirectories(folder.File("a\\b\\c")));
  EXPECT_TRUE(DirectoryExists(folder.File("a\\b\\c")));
  EXPECT_TRUE(DeleteFile(file));
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(DeleteFile(file));
}

TEST(Exceptions, CarryMessagesAndSystemErrors) {
  try {
    RaiseInOutError(ERROR_FILE_NOT_FOUND);
  } catch (const EInOutError& e) {
    EXPECT_EQ(static_cast<uint32_t>(ERROR_FILE_NOT_FOUND), e.ErrorCode());
    EXPECT_FALSE(e.Message().empty());
  }
  SetLastError(ERROR_ACCESS_DENIED);
  try {
    RaiseLastWin32Error();
  } catch (const EWin32Error& e) {
    EXPECT_EQ(static_cast<uint32_t>(ERROR_ACCESS_DENIED), e.ErrorCode());
    EXPECT_NE(String::npos, e.Message().find("Code: 5."));
  }
  EXPECT_THROW(Abort(), EAbort);
}
