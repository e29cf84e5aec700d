// Date and time routines: days before 30 December 1899, milliseconds at the end of a day,
// conversions to the system's time and the locale's text.
#include <gtest/gtest.h>

#include "framework/SysUtils.h"

using namespace Tovix;

namespace {

struct TParts {
  int year, month, day, hour, minute, second, ms;
  bool operator==(const TParts&) const = default;
};

TParts Decode(TDateTime value) {
  TParts p{};
  DecodeDate(value, p.year, p.month, p.day);
  DecodeTime(value, p.hour, p.minute, p.second, p.ms);
  return p;
}

void PrintTo(const TParts& p, std::ostream* out) {
  *out << p.year << "-" << p.month << "-" << p.day << " " << p.hour << ":" << p.minute << ":" << p.second << "." << p.ms;
}

}  // namespace

TEST(DateUtils, ValuesBeforeTheEpochKeepTheirDayAndTimeOfDay) {
  EXPECT_EQ((TParts{1899, 12, 29, 6, 0, 0, 0}), Decode(-1.25));
  EXPECT_EQ((TParts{1899, 12, 30, 12, 0, 0, 0}), Decode(-0.5));
  EXPECT_EQ((TParts{1, 1, 1, 0, 0, 0, 0}), Decode(EncodeDate(1, 1, 1)));
  EXPECT_EQ(-693593.0, EncodeDate(1, 1, 1));
  EXPECT_EQ(36526.0, EncodeDate(2000, 1, 1));
  // Joining a day before the epoch with a time of day, and the reverse.
  EXPECT_EQ(-5.25, ComposeDateTime(EncodeDate(1899, 12, 25), 0.25));
  EXPECT_EQ(3.75, ComposeDateTime(3.2, -1.75));
  EXPECT_EQ(-1.0, DateOf(-1.25));
  EXPECT_EQ(0.25, TimeOf(-1.25));
  // -1.25 (29 Dec, 06:00) is later than -1.0 (29 Dec, midnight) and earlier than -0.5.
  EXPECT_GT(CompareDateTime(-1.25, -1.0), 0);
  EXPECT_LT(CompareDateTime(-1.25, -0.5), 0);
  EXPECT_EQ(0, CompareDateTime(-0.5, 0.5));
}

TEST(DateUtils, TheLastHalfMillisecondOfADayStaysInThatDay) {
  TDateTime almostMidnight = EncodeDate(2024, 2, 29) + 0.99999999999;
  EXPECT_EQ((TParts{2024, 2, 29, 23, 59, 59, 999}), Decode(almostMidnight));
  EXPECT_EQ((TParts{1899, 12, 29, 23, 59, 59, 999}), Decode(-1.99999999999));
  SYSTEMTIME st = DateTimeToSystemTime(almostMidnight);
  EXPECT_EQ(999, st.wMilliseconds);
  EXPECT_EQ(4, st.wDayOfWeek) << "29 February 2024 was a Thursday";
  EXPECT_EQ((TParts{2024, 2, 29, 23, 59, 59, 999}), Decode(SystemTimeToDateTime(st)));
}

TEST(DateUtils, InvalidDatesAndTimesRaiseConvertErrors) {
  auto message = [](auto f) {
    try {
      f();
    } catch (const EConvertError& e) {
      return e.Message();
    }
    return String("no error");
  };
  EXPECT_EQ("Invalid argument to date encode", message([] { EncodeDate(2023, 2, 29); }));
  EXPECT_EQ("Invalid argument to date encode", message([] { EncodeDate(10000, 1, 1); }));
  EXPECT_EQ("Invalid argument to time encode", message([] { EncodeTime(0, 0, 0, 1000); }));
  EXPECT_EQ("Invalid argument to time encode", message([] { SystemTimeToDateTime(SYSTEMTIME{2020, 1, 0, 1, 24, 0, 0, 0}); }));
  EXPECT_THROW(DateTimeToSystemTime(3e6), EConvertError);
  EXPECT_THROW(DateOf(std::numeric_limits<double>::quiet_NaN()), EConvertError);
}

TEST(DateUtils, TextFollowsTheLocaleFormatsAlsoBeforeTheSystemsFirstYear) {
  TDateTime value = EncodeDate(2021, 3, 7) + EncodeTime(14, 5, 9, 0);
  SYSTEMTIME st = DateTimeToSystemTime(value);
  char expected[100];
  ASSERT_GT(GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, expected, sizeof expected), 0);
  EXPECT_EQ(String(expected), DateToStr(value));
  ASSERT_GT(GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, expected, sizeof expected), 0);
  EXPECT_EQ(String(expected), TimeToStr(value));
  EXPECT_EQ(DateToStr(value) + " " + TimeToStr(value), DateTimeToStr(value));
  // The same pattern for a year the system's formatter refuses.
  String early = DateToStr(EncodeDate(1500, 3, 7));
  EXPECT_NE(String::npos, early.find("1500")) << early;
  EXPECT_EQ(DateToStr(value).size(), early.size()) << early;
}
