// Types of the date and time controls: how a date-time picker shows and edits its value, the
// event that parses text typed into one, and the error they raise for a value they cannot take.
#pragma once

#include "framework/classes/TypInfo.h"
#include "framework/system/Events.h"
#include "framework/system/SysUtils.h"

namespace Tovix {

// A date or time a date and time control cannot take (out of its range, or not allowed).
TOVIX_DECLARE_EXCEPTION(EDateTimeError, Exception);

// Which edge of the control the drop-down calendar lines up with.
enum TDTCalAlignment { dtaLeft, dtaRight };
// The user changes the date in a drop-down calendar or with up-down buttons.
enum TDTDateMode { dmComboBox, dmUpDown };
// The system's short or long date format.
enum TDTDateFormat { dfShort, dfLong };
// A picker of dates or of times of day.
enum TDateTimeKind { dtkDate, dtkTime };

// Text the user typed into a picker that lets the application parse it: the handler sets
// DateAndTime and leaves AllowChange true to take the value, or sets it false to refuse the text.
using TDTParseInputEvent =
    TEvent<TObject* /*Sender*/, const String& /*UserString*/, TDateTime& /*DateAndTime*/, bool& /*AllowChange*/>;

template <> struct TEnumTraits<TDTCalAlignment> { static const TEnumInfo& Info(); };
template <> struct TEnumTraits<TDTDateMode> { static const TEnumInfo& Info(); };
template <> struct TEnumTraits<TDTDateFormat> { static const TEnumInfo& Info(); };
template <> struct TEnumTraits<TDateTimeKind> { static const TEnumInfo& Info(); };

}  // namespace Tovix
