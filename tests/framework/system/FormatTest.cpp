#include <gtest/gtest.h>

#include "framework/SysUtils.h"

using namespace Tovix;

TEST(Format, WritesEachDirectiveType) {
  EXPECT_EQ("a 42 b", Format("a %d b", 42));
  EXPECT_EQ("-5|0007|  12|12  |", Format("%d|%.4d|%4d|%-4d|", -5, 7, 12, 12));
  EXPECT_EQ("FF 00FF", Format("%x %.4x", 255, 255));
  EXPECT_EQ("FFFFFFFF", Format("%x", -1));
  EXPECT_EQ("4294967295", Format("%u", -1));
  EXPECT_EQ("3.14 2.5 0.3", Format("%1.2f %.1f %1.1f", 3.14159, 2.5, 0.25 + 0.05));
  EXPECT_EQ("1,234,567.50", Format("%n", 1234567.5));
  EXPECT_EQ("1.5000E+000", Format("%.5e", 1.5));
  EXPECT_EQ("0.25", Format("%g", 0.25));
  EXPECT_EQ("abc|ab|  abc", Format("%s|%.2s|%5s", "abc", String("abc"), "abc"));
  EXPECT_EQ("100%", Format("%d%%", 100));
  EXPECT_EQ("x", Format("%s", 'x'));
  EXPECT_EQ("   7", Format("%*d", 4, 7));
  EXPECT_EQ("b a b", Format("%1:s %0:s %s", "a", "b"));
  EXPECT_EQ("no directives", Format("no directives"));
  EXPECT_EQ("18446744073709551615", Format("%u", UINT64_MAX));
  EXPECT_EQ("-9223372036854775808", Format("%d", INT64_MIN));
}

TEST(Format, UserTextIsNeverInterpretedAsDirectives) {
  String hostile = "%s%s%n%d%x %%";
  EXPECT_EQ("[" + hostile + "]", Format("[%s]", hostile));
}

TEST(Format, MismatchesAndMissingArgumentsRaise) {
  try {
    Format("%d", "text");
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ("Format '%d' invalid or incompatible with argument", e.Message());
  }
  try {
    Format("%s and %s", "one");
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ("No argument for format '%s and %s'", e.Message());
  }
  EXPECT_THROW(Format("%f", 1), EConvertError);
  EXPECT_THROW(Format("%s", 1.5), EConvertError);
  EXPECT_THROW(Format("%q", 1), EConvertError);
  EXPECT_THROW(Format("trailing %", 1), EConvertError);
  EXPECT_THROW(Format("%99999999d", 1), EConvertError);
}

TEST(Format, HugeFloatsAreWrittenInFull) {
  String s = Format("%.2f", 1e300);
  EXPECT_EQ(304u, s.size());
  EXPECT_EQ(".00", s.substr(s.size() - 3));
}
