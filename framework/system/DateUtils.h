// Date and time routines on TDateTime: the current moment, encoding and decoding, conversion to
// and from the system's SYSTEMTIME, comparison, and text in the user's locale formats.
//
// A TDateTime counts days since 30 December 1899 and its fraction is the time of day. Before that
// day the value is negative while the time of day still counts forward from midnight: -1.25 is
// 29 December 1899, 06:00, and -0.5 is 30 December 1899, 12:00 (like 0.5). A plain floor or
// fraction therefore gives the wrong day or time for negative values: split and join values with
// DateOf, TimeOf and ComposeDateTime, and order them with CompareDateTime.
//
// Values are handled to the millisecond. A value that decodes to 23:59:59.9995 or later stays at
// 23:59:59.999 of its day: the milliseconds never round up to 1000 (nor the time into the next day).
#pragma once

#include "framework/system/SysUtils.h"
#include "framework/system/WinApi.h"

namespace Tovix {

// 1 January 0001, 00:00 and 31 December 9999, 23:59:59.999: the values the routines accept.
constexpr TDateTime MinDateTime = -693593.0;
constexpr TDateTime MaxDateTime = 2958465.99999999;

// The local date and time now, today at midnight, and the time of day now.
TDateTime Now();
TDateTime Date();
TDateTime Time();

bool IsLeapYear(int year);
// False, value unchanged, for a date that does not exist (year 1 to 9999).
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
// Raises EConvertError "Invalid argument to date encode" for a date that does not exist.
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& value);
// Raises EConvertError "Invalid argument to time encode" unless 0-23, 0-59, 0-59, 0-999.
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);

// Both raise EConvertError "Invalid date and time value %s" for a value outside
// MinDateTime..MaxDateTime, and for infinities and NaN.
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
// 1 (Sunday) to 7 (Saturday).
int DayOfWeek(TDateTime value);

// The value's day at midnight, and its time of day (0 <= time < 1).
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);
// The day of date at the time of day of time.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);
// < 0, 0 or > 0 as a is earlier than, at the same millisecond as, or later than b.
int CompareDateTime(TDateTime a, TDateTime b);

// wDayOfWeek is filled in. Raises EConvertError as DecodeDate does.
SYSTEMTIME DateTimeToSystemTime(TDateTime value);
// Ignores wDayOfWeek; raises EConvertError "Invalid argument to date encode" (or time) for a
// system time that is not a valid date and time.
TDateTime SystemTimeToDateTime(const SYSTEMTIME& time);

// The date in the user's short date format, the time in the user's time format, and both.
String DateToStr(TDateTime value);
String TimeToStr(TDateTime value);
String DateTimeToStr(TDateTime value);

}  // namespace Tovix
