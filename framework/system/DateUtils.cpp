#include "framework/system/DateUtils.h"

#include <cmath>
#include <cstdint>

namespace Tovix {

namespace {

constexpr int64_t kMsPerDay = 86400000;
// Days from 1 January 1970 back to 30 December 1899, the day TDateTime counts from.
constexpr int64_t kUnixEpochSerial = 25569;

// A value as a whole day (counted from 30 December 1899, negative before) and the milliseconds
// of its time of day, which count forward from that day's midnight.
struct TDayAndTime {
  int64_t day;
  int64_t ms;
};

[[noreturn]] void InvalidValue(TDateTime value) {
  throw EConvertError(Format("Invalid date and time value %g", value));
}

TDayAndTime Split(TDateTime value) {
  if (!std::isfinite(value) || value < MinDateTime || value > MaxDateTime) InvalidValue(value);
  double day = std::trunc(value);
  int64_t ms = std::llround(std::fabs(value - day) * kMsPerDay);
  // The last half millisecond of a day stays in that day.
  if (ms >= kMsPerDay) ms = kMsPerDay - 1;
  return {static_cast<int64_t>(day), ms};
}

TDateTime Join(int64_t day, int64_t ms) {
  double time = static_cast<double>(ms) / kMsPerDay;
  return day < 0 ? static_cast<double>(day) - time : static_cast<double>(day) + time;
}

// The proleptic Gregorian calendar's day count, after H. Hinnant's civil-date algorithms.
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  int64_t era = (y >= 0 ? y : y - 399) / 400;
  int64_t yearOfEra = y - era * 400;
  int64_t dayOfYear = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t dayOfEra = z - era * 146097;
  int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  int64_t mp = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
}

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

String LocaleText(LCTYPE type) {
  char buffer[128];
  int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  return length > 1 ? String(buffer, static_cast<size_t>(length - 1)) : String();
}

String Padded(int value, int digits) {
  String text = IntToStr(value);
  return text.size() < static_cast<size_t>(digits) ? String(static_cast<size_t>(digits) - text.size(), '0') + text : text;
}

// One element of a locale date pattern: a run of the same letter.
String DateElement(char letter, size_t count, TDateTime value) {
  int year, month, day;
  DecodeDate(value, year, month, day);
  switch (letter) {
    case 'd': {
      if (count <= 2) return Padded(day, static_cast<int>(count));
      int mondayFirst = (DayOfWeek(value) + 5) % 7;
      return LocaleText((count == 3 ? LOCALE_SABBREVDAYNAME1 : LOCALE_SDAYNAME1) + mondayFirst);
    }
    case 'M':
      if (count <= 2) return Padded(month, static_cast<int>(count));
      return LocaleText((count == 3 ? LOCALE_SABBREVMONTHNAME1 : LOCALE_SMONTHNAME1) + month - 1);
    case 'y':
      if (count <= 2) return Padded(year % 100, static_cast<int>(count));
      return Padded(year, 4);
    default:  // the era (g, gg) is not shown
      return String();
  }
}

// Expands the user's short date pattern ourselves: the system's GetDateFormat refuses years
// before 1601, and a date picker's range can reach back further.
String FormatShortDate(TDateTime value) {
  String pattern = LocaleText(LOCALE_SSHORTDATE);
  if (pattern.empty()) pattern = "yyyy-MM-dd";
  String result;
  for (size_t i = 0; i < pattern.size();) {
    char c = pattern[i];
    if (c == '\'') {
      // Quoted text; two quotes stand for one.
      size_t end = i + 1;
      while (end < pattern.size()) {
        if (pattern[end] == '\'' && end + 1 < pattern.size() && pattern[end + 1] == '\'') {
          result += '\'';
          end += 2;
        } else if (pattern[end] == '\'') {
          break;
        } else {
          result += pattern[end++];
        }
      }
      i = end + 1;
    } else if (c == 'd' || c == 'M' || c == 'y' || c == 'g') {
      size_t run = i;
      while (run < pattern.size() && pattern[run] == c) ++run;
      result += DateElement(c, run - i, value);
      i = run;
    } else {
      result += c;
      ++i;
    }
  }
  return result;
}

}  // namespace

TDateTime Now() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return SystemTimeToDateTime(now);
}

TDateTime Date() { return DateOf(Now()); }

TDateTime Time() { return TimeOf(Now()); }

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

bool TryEncodeDate(int year, int month, int day, TDateTime& value) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
  value = static_cast<double>(DaysFromCivil(year, month, day) + kUnixEpochSerial);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime value = 0;
  if (!TryEncodeDate(year, month, day, value)) throw EConvertError("Invalid argument to date encode");
  return value;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& value) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
      millisecond > 999)
    return false;
  value = static_cast<double>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond) / kMsPerDay;
  return true;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  TDateTime value = 0;
  if (!TryEncodeTime(hour, minute, second, millisecond, value)) throw EConvertError("Invalid argument to time encode");
  return value;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
  CivilFromDays(Split(value).day - kUnixEpochSerial, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
  int64_t ms = Split(value).ms;
  millisecond = static_cast<int>(ms % 1000);
  second = static_cast<int>(ms / 1000 % 60);
  minute = static_cast<int>(ms / 60000 % 60);
  hour = static_cast<int>(ms / 3600000);
}

int DayOfWeek(TDateTime value) {
  // 30 December 1899 was a Saturday.
  int64_t day = Split(value).day;
  return static_cast<int>(((day + 6) % 7 + 7) % 7) + 1;
}

TDateTime DateOf(TDateTime value) { return static_cast<double>(Split(value).day); }

TDateTime TimeOf(TDateTime value) { return static_cast<double>(Split(value).ms) / kMsPerDay; }

TDateTime ComposeDateTime(TDateTime date, TDateTime time) { return Join(Split(date).day, Split(time).ms); }

int CompareDateTime(TDateTime a, TDateTime b) {
  TDayAndTime x = Split(a), y = Split(b);
  int64_t first = x.day * kMsPerDay + x.ms, second = y.day * kMsPerDay + y.ms;
  return first < second ? -1 : first > second ? 1 : 0;
}

SYSTEMTIME DateTimeToSystemTime(TDateTime value) {
  int year, month, day, hour, minute, second, ms;
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, minute, second, ms);
  SYSTEMTIME result{};
  result.wYear = static_cast<WORD>(year);
  result.wMonth = static_cast<WORD>(month);
  result.wDay = static_cast<WORD>(day);
  result.wDayOfWeek = static_cast<WORD>(DayOfWeek(value) - 1);
  result.wHour = static_cast<WORD>(hour);
  result.wMinute = static_cast<WORD>(minute);
  result.wSecond = static_cast<WORD>(second);
  result.wMilliseconds = static_cast<WORD>(ms);
  return result;
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& time) {
  return ComposeDateTime(EncodeDate(time.wYear, time.wMonth, time.wDay),
                         EncodeTime(time.wHour, time.wMinute, time.wSecond, time.wMilliseconds));
}

String DateToStr(TDateTime value) { return FormatShortDate(value); }

String TimeToStr(TDateTime value) {
  SYSTEMTIME time = DateTimeToSystemTime(value);
  // Only the time fields are formatted; a fixed day keeps the system from refusing early years.
  time.wYear = 2000;
  time.wMonth = 1;
  time.wDay = 1;
  time.wDayOfWeek = 6;
  char buffer[128];
  int length = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, buffer, sizeof buffer);
  if (length <= 1) RaiseLastWin32Error();
  return String(buffer, static_cast<size_t>(length - 1));
}

// Midnight is shown as the date alone.
String DateTimeToStr(TDateTime value) {
  return TimeOf(value) == 0 ? DateToStr(value) : DateToStr(value) + " " + TimeToStr(value);
}

}  // namespace Tovix
