#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "tests/support/ScratchFolder.h"
#include "utils/Orvutils.h"

using namespace Tovix;
using Tovix::Testing::ScratchFolder;

TEST(Numbers, ConditionalsAndInclusiveRectangleExtents) {
  EXPECT_EQ(-3, Min(-3, 2));
  EXPECT_EQ(2, Max(-3, 2));
  EXPECT_EQ(4, Max(4, 4));
  EXPECT_EQ(1, IntIf(true, 1, 2));
  EXPECT_EQ("no", StrIf(false, "yes", "no"));
  EXPECT_EQ(1, RectWidth(Rect(10, 0, 10, 0)));
  EXPECT_EQ(100, RectHeight(Rect(0, 0, 0, 99)));
  EXPECT_EQ(-9, RectWidth(Rect(10, 0, 0, 0))) << "a reversed rectangle is not normalised";
  // Extreme coordinates give the wrapped 32-bit value, never undefined overflow.
  EXPECT_EQ(0, RectWidth(Rect(INT_MIN, 0, INT_MAX, 0)));
  EXPECT_EQ(INT_MIN, RectHeight(Rect(0, 0, 0, INT_MAX)));
  EXPECT_EQ(2, RectWidth(Rect(INT_MAX, 0, INT_MIN, 0)));
}

TEST(Substrings, FollowTheClampedRule) {
  EXPECT_EQ("ab", StrLeft("abc", 2));
  EXPECT_EQ("", StrLeft("abc", -1));
  EXPECT_EQ("abc", StrLeft("abc", 9));
  EXPECT_EQ("abc", StrRight("abc", 5));
  EXPECT_EQ("", StrRight("abc", 0));
  EXPECT_EQ("", StrRight("abc", INT_MIN));
  EXPECT_EQ("bc", StrRight("abc", 2));
  EXPECT_EQ("abc", StrRight("abc", INT_MAX));
  EXPECT_EQ("abc", StrRightFrom("abc", 0));
  EXPECT_EQ("abc", StrRightFrom("abc", INT_MIN));
  EXPECT_EQ("bc", StrRightFrom("abc", 2));
  EXPECT_EQ("", StrRightFrom("abc", 4));
  EXPECT_EQ("", StrRightFrom("abc", INT_MAX));
  EXPECT_EQ("c", StrRightAfter("abc", 2));
  EXPECT_EQ("", StrRightAfter("abc", 3));
  EXPECT_EQ("abc", StrRightAfter("abc", 0));
  EXPECT_EQ("abc", StrRightAfter("abc", -5));
  EXPECT_EQ("", StrRightAfter("abc", INT_MAX));
  EXPECT_EQ("key", StrLeftOfChar("key=value", '='));
  EXPECT_EQ("novalue", StrLeftOfChar("novalue", '='));
  EXPECT_EQ("", StrLeftOfChar("=x", '='));
  EXPECT_EQ("", StrLeftOfChar("", '='));
  EXPECT_EQ("ac", StrRemoveChar("abc", 2));
  EXPECT_EQ("abc", StrRemoveChar("abc", 0));
  EXPECT_EQ("abc", StrRemoveChar("abc", 4));
  EXPECT_EQ("bc", StrRemoveChar("abc", 1));
  EXPECT_EQ("ab", StrRemoveChar("abc", 3));
  EXPECT_EQ("ab", StrRemoveCharRight("abc", 1));
  EXPECT_EQ("", StrRemoveCharRight("abc", 5));
  EXPECT_EQ("abc", StrRemoveCharRight("abc", 0));
  EXPECT_EQ("abc", StrRemoveCharRight("abc", INT_MIN));
  EXPECT_EQ("", StrLeft("", 3));
}

TEST(Searching, PositionsAreOneBasedAndZeroMeansAbsent) {
  EXPECT_EQ(2, StrFindChar("a\\b\\c", '\\'));
  EXPECT_EQ(4, StrFindCharRight("a\\b\\c", '\\'));
  EXPECT_EQ(0, StrFindChar("", '\\'));
  EXPECT_EQ(0, StrFindCharRight("", '\\'));
  EXPECT_EQ(0, StrFindChar("abc", 'x'));
  EXPECT_TRUE(StrContains("Known Packages", "Pack"));
  EXPECT_FALSE(StrContains("Known Packages", "pack")) << "exact case";
  EXPECT_FALSE(StrContains("abc", ""));
  EXPECT_FALSE(StrContains("", "a"));
  EXPECT_TRUE(StrContains("aaab", "aab"));
  EXPECT_EQ(5, StrCountVowels("AEIOUY xyz"));
  EXPECT_EQ(0, StrCountVowels("\xC4\xE4"));
  EXPECT_EQ(131, StrSumAllChars("AB"));
  EXPECT_EQ(200 + 'A', StrSumAllChars(String("\xC8") + "A")) << "bytes count unsigned";
  EXPECT_EQ(0, StrSumAllChars(""));
}

TEST(Replacing, ScansLeftToRightWithoutOverlapOrRescan) {
  EXPECT_EQ("ba", StrReplaceAll("aaa", "aa", "b"));
  EXPECT_EQ("P;P", StrReplaceAllNoCase("Path;PATH", "path", "P"));
  EXPECT_EQ("Path;P", StrReplaceAll("Path;path", "path", "P"));
  EXPECT_EQ("aaaa", StrReplaceAll("aa", "a", "aa")) << "the replacement is not scanned again";
  EXPECT_EQ("", StrReplaceAll("", "a", "b"));
  EXPECT_EQ("abc", StrReplaceAll("abc", "", "x")) << "an empty find string changes nothing";
  EXPECT_EQ("abc", StrReplaceAllNoCase("abc", "", "x"));
  EXPECT_EQ("ab", StrReplaceAll("ab", "abc", "x")) << "too few characters left for a match";
  EXPECT_EQ("x\xC4x", StrReplaceAllNoCase("a\xC4" "A", "a", "x"));
  EXPECT_EQ("\xE4", StrReplaceAllNoCase("\xE4", "\xC4", "x")) << "only ASCII letters fold";
  EXPECT_EQ("$(DELPHI)\\Lib", StrReplaceAllNoCase("c:\\program files\\borland\\delphi4\\Lib",
                                                 "C:\\Program Files\\Borland\\Delphi4", "$(DELPHI)"));
  EXPECT_EQ("aabc", StrRemove("abcabc", "bc"));
  EXPECT_EQ("abc", StrRemove("abc", "x"));
  EXPECT_EQ("abc", StrRemove("abc", ""));
  EXPECT_EQ("b", StrRemoveAllChar("aba", 'a'));
  EXPECT_EQ("ababab", StrRepeat("ab", 3));
  EXPECT_EQ("", StrRepeat("ab", 0));
  EXPECT_EQ("", StrRepeat("ab", -2));
}

namespace {

// The replacing rule step by step: compare at i, append the replacement or one character.
String ReplaceByTheRule(const String& text, const String& find, const String& replacement) {
  String result;
  for (size_t i = 0; i < text.size();) {
    if (text.compare(i, find.size(), find) == 0) {
      result += replacement;
      i += find.size();
    } else {
      result += text[i++];
    }
  }
  return result;
}

}  // namespace

// Near-misses make the fast search hand over to the linear one part way through a text; the result
// must not change at the hand-over, wherever it falls.
TEST(Replacing, NearMissesGiveTheSameResultAsTheStepByStepRule) {
  std::mt19937 random(1234);
  for (int round = 0; round < 200; ++round) {
    size_t patternLength = 1 + random() % (round % 3 == 0 ? 3000 : 12);
    String find(patternLength, 'a');
    find.back() = static_cast<char>('a' + random() % 2);
    String text;
    size_t length = random() % 12000;
    while (text.size() < length) {
      text += random() % 4 ? String(random() % (2 * patternLength + 1), 'a') : find;
      text += "ab"[random() % 2];
    }
    SCOPED_TRACE(Format("round %d", round));
    ASSERT_EQ(ReplaceByTheRule(text, find, "<>"), StrReplaceAll(text, find, "<>"));
    TStringList pieces;
    StrParse(text, find, &pieces);
    size_t matches = (text.size() - ReplaceByTheRule(text, find, "").size()) / find.size();
    String joined;
    for (int i = 0; i < pieces.GetCount(); ++i) joined += (i ? find : String()) + pieces[i];
    if (matches > 0 && static_cast<size_t>(pieces.GetCount()) == matches) joined += find;  // an empty last piece is dropped
    ASSERT_EQ(text, joined);
  }
}

TEST(Splitting, PiecesBetweenDelimiters) {
  TStringList list;
  EXPECT_EQ(4, StrParse("a;b;;c;", ";", &list));
  EXPECT_EQ("a\r\nb\r\n\r\nc\r\n", list.GetText());
  EXPECT_EQ(2, StrParse(",a", ",", &list));
  EXPECT_EQ("", list[0]);
  EXPECT_EQ(1, StrParse("a,", ",", &list));
  EXPECT_EQ(0, StrParse("", ",", &list));
  EXPECT_EQ(1, StrParse("a,b", "", &list)) << "an empty delimiter is never found";
  EXPECT_EQ("a,b", list[0]);
  EXPECT_EQ(3, StrParse("x<>y<><>", "<>", &list));
  EXPECT_EQ("", list[2]);
  EXPECT_EQ(3, StrParseCount("a;b;;", ";"));
  EXPECT_EQ(2, StrParse("aabab", "ab", &list)) << "multi-character delimiters match at the first place";
  EXPECT_EQ("a", list[0]);
  EXPECT_EQ("", list[1]);
}

TEST(Splitting, NullListRaisesAndSortedListsStillReceiveEveryPiece) {
  try {
    StrParse("a", ",", nullptr);
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ("MakeStringList method given nil TStringList", e.Message());
  }
  TStringList sorted;
  sorted.SetSorted(true);
  sorted.SetDuplicates(dupAccept);
  EXPECT_EQ(3, StrParse("b,a,b", ",", &sorted));
  EXPECT_EQ("a\r\nb\r\nb\r\n", sorted.GetText());
}

TEST(Splitting, FirstPieceWithAnEnding) {
  EXPECT_EQ("x.DPK", StrParseForStringEnding("x.DPK,y.dpr", ",", ".dpk"));
  EXPECT_EQ("y.dpr", StrParseForStringEnding("x.DPK,y.dpr", ",", ".DPR"));
  EXPECT_EQ("", StrParseForStringEnding("x.DPK,y.dpr", ",", ".pas"));
  EXPECT_EQ("x.DPK", StrParseForStringEnding("x.DPK,y.dpr", ",", "")) << "an empty ending matches the first piece";
  EXPECT_EQ("", StrParseForStringEnding("", ",", ""));
  EXPECT_EQ("longk", StrParseForStringEnding("k,longk", ",", "longk"))
      << "a piece shorter than the ending cannot match";
}

TEST(Paths, ParentDirectoryAndTrailingBackslashes) {
  EXPECT_EQ("D:\\Windows", StrParentDir("D:\\Windows\\System"));
  EXPECT_EQ("D:", StrParentDir("D:\\Windows\\"));
  EXPECT_EQ("", StrParentDir("D:\\"));
  EXPECT_EQ("", StrParentDir("abc"));
  EXPECT_EQ("D:\\a", StrParentDir("D:\\a\\b  \t"));
  EXPECT_EQ("", StrParentDir(""));
  EXPECT_EQ("D:\\dir", RemoveTrailingBackslash("D:\\dir\\"));
  EXPECT_EQ("D:", RemoveTrailingBackslash("D:\\"));
  EXPECT_EQ("", RemoveTrailingBackslash("\\\\"));
  EXPECT_EQ("D:\\dir", RemoveTrailingBackslash("D:\\dir\\\\ "));
  EXPECT_EQ("D:\\dir ", RemoveTrailingBackslash("D:\\dir \\")) << "no second trim after the removal";
  EXPECT_TRUE(IsFilePath("D:\\x"));
  EXPECT_FALSE(IsFilePath("D:\\dir\\"));
  EXPECT_FALSE(IsFilePath("file.txt"));
  EXPECT_TRUE(IsFilePath("a:b"));
  EXPECT_FALSE(IsFilePath("a:"));
  EXPECT_FALSE(IsFilePath(""));
}

class FileSyntax : public ::testing::Test {
 protected:
  void SetUp() override { folder_.MakeCurrent(); }
  ScratchFolder folder_;
};

TEST_F(FileSyntax, AcceptsPlainNamesAndLeavesNothingBehind) {
  EXPECT_TRUE(IsFileSyntaxValid("report"));
  EXPECT_TRUE(IsFileSyntaxValid("my report 2 (final)"));
  EXPECT_FALSE(FileExists(folder_.File("report.txt")));
  EXPECT_FALSE(FileExists(folder_.File("my report 2 (final).txt")));
}

TEST_F(FileSyntax, RejectsEachReservedCharacter) {
  EXPECT_FALSE(IsFileSyntaxValid(""));
  for (char c : String("\"*./:<>?\\|")) EXPECT_FALSE(IsFileSyntaxValid(String("a") + c + "b")) << c;
  EXPECT_FALSE(IsFileSyntaxValid("report.txt"));
}

TEST_F(FileSyntax, NeverTouchesAnExistingFileOfTheProbeName) {
  String existing = folder_.WriteFile("keep.txt", "precious");
  SetFileAttributesA(existing.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(IsFileSyntaxValid("keep"));
  EXPECT_EQ("precious", ScratchFolder::ReadFile(existing));
  SetFileAttributesA(existing.c_str(), FILE_ATTRIBUTE_NORMAL);
  folder_.WriteFile("open.txt", "held");
  HANDLE held = CreateFileA(folder_.File("open.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  EXPECT_TRUE(IsFileSyntaxValid("open"));
  CloseHandle(held);
  EXPECT_EQ("held", ScratchFolder::ReadFile(folder_.File("open.txt")));
}

TEST_F(FileSyntax, FailsWhereNoFileCanBeMade) {
  EXPECT_FALSE(IsFileSyntaxValid(String(300, 'n'))) << "longer than a file name may be";
  EXPECT_FALSE(IsFileSyntaxValid("NUL")) << "a device, not a file";
  EXPECT_FALSE(IsFileSyntaxValid("con"));
}
