// Orvtime: the date and time controls.
//
//   TOrvCustomDateTimePicker    the system's date-time picker ("SysDateTimePick32") as a control:
//                               the value, an optional check box that switches it off, a range,
//                               the drop-down calendar's colours, and the picker's notifications
//                               turned into property changes and events.
//   TOrvExCustomDateTimePicker  adds a free display format and a width fitted to that format.
//   TOrvDateTimeColors          the six colours of the drop-down calendar.
//   TOrvTimePicker              a time-of-day picker whose format follows two switches.
//   TOrvWeekdaysCombo           a drop-down list of the days of the week and two day groups.
//
// The controls' fields are the truth: setters store the value and send it to the window when there
// is one (or one can be made); every creation of the window sends the range, value, colours,
// check state and format again.
#pragma once

#include <memory>

#include "framework/ComCtrls.h"
#include "framework/Controls.h"
#include "framework/StdCtrls.h"
#include "framework/SysUtils.h"

namespace Tovix {

class TOrvCustomDateTimePicker;

// The drop-down calendar's colours, indexed as the system's MCSC_BACKGROUND (0) to
// MCSC_TRAILINGTEXT (5).
class TOrvDateTimeColors : public TPersistent {
  TOVIX_DECLARE_CLASS(TOrvDateTimeColors)

 public:
  explicit TOrvDateTimeColors(TOrvCustomDateTimePicker* owner);

  TColor GetBackColor() const { return colors_[0]; }
  void SetBackColor(TColor v) { SetColor(0, v); }
  TColor GetTextColor() const { return colors_[1]; }
  void SetTextColor(TColor v) { SetColor(1, v); }
  TColor GetTitleBackColor() const { return colors_[2]; }
  void SetTitleBackColor(TColor v) { SetColor(2, v); }
  TColor GetTitleTextColor() const { return colors_[3]; }
  void SetTitleTextColor(TColor v) { SetColor(3, v); }
  TColor GetMonthBackColor() const { return colors_[4]; }
  void SetMonthBackColor(TColor v) { SetColor(4, v); }
  TColor GetTrailingTextColor() const { return colors_[5]; }
  void SetTrailingTextColor(TColor v) { SetColor(5, v); }

  // Sends the colour (system colours resolved) to the picker's window, then keeps it as given.
  // Raises EListError for an index outside 0-5.
  void SetColor(int index, TColor color);
  // Sends all six kept colours.
  void SetAllColors();
  // Copies the colours of a TOrvDateTimeColors or a TMonthCalColors without sending them (the
  // next window creation does); raises EConvertError "Cannot assign a %s to a %s" for others.
  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() const override;

 private:
  TOrvCustomDateTimePicker* owner_;
  TColor colors_[6] = {clWindow, clWindowText, clActiveCaption, clWhite, clWhite, clInactiveCaptionText};
};

class TOrvCustomDateTimePicker : public TWinControl {
  TOVIX_DECLARE_CLASS(TOrvCustomDateTimePicker)

 public:
  explicit TOrvCustomDateTimePicker(TComponent* owner);
  ~TOrvCustomDateTimePicker() override;

  // The value: days since 30 December 1899, the fraction the time of day. Date and Time read the
  // whole value; setting Date keeps the time of day, setting Time keeps the day.
  TDateTime GetDateTime() const { return dateTime_; }
  // Takes the value when the window (if any) accepts it and it lies within MinDate..MaxDate;
  // otherwise the value stays as it was, without an error.
  void SetDateTime(TDateTime value);
  TDateTime GetDate() const { return dateTime_; }
  // Raises EDateTimeError when the new value lies outside MinDate..MaxDate (the window then shows
  // DateTime again), and for the value 0 (no date) without ShowCheckBox; with it, 0 unchecks.
  void SetDate(TDateTime value);
  TDateTime GetTime() const { return dateTime_; }
  void SetTime(TDateTime value);

  bool GetChecked() const { return checked_; }
  void SetChecked(bool value);
  bool GetShowCheckBox() const { return showCheckBox_; }
  void SetShowCheckBox(bool value);

  // The limits; 0 means none. Raise EDateTimeError when the new limit crosses the other one.
  TDateTime GetMinDate() const { return minDate_; }
  void SetMinDate(TDateTime value);
  TDateTime GetMaxDate() const { return maxDate_; }
  void SetMaxDate(TDateTime value);
  // Sets both limits at once (0 for none); raises EDateTimeError when maximum < minimum.
  void SetRange(TDateTime minimum, TDateTime maximum);

  TOrvDateTimeColors* GetCalColors() const { return calColors_.get(); }
  void SetCalColors(TOrvDateTimeColors* colors);
  TDTCalAlignment GetCalAlignment() const { return calAlignment_; }
  void SetCalAlignment(TDTCalAlignment value);
  TDTDateFormat GetDateFormat() const { return dateFormat_; }
  void SetDateFormat(TDTDateFormat value);
  TDTDateMode GetDateMode() const { return dateMode_; }
  void SetDateMode(TDTDateMode value);
  TDateTimeKind GetKind() const { return kind_; }
  void SetKind(TDateTimeKind value);
  // The application parses typed text in OnUserInput.
  bool GetParseInput() const { return parseInput_; }
  void SetParseInput(bool value);

  // Fits the height to the font: its character cell plus eight border widths.
  void AdjustHeight();

  const TDTParseInputEvent& GetOnUserInput() const { return onUserInput_; }
  void SetOnUserInput(const TDTParseInputEvent& e) { onUserInput_ = e; }
  // The value or the check box changed in the window.
  const TNotifyEvent& GetOnChange() const { return onChange_; }
  void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }
  const TNotifyEvent& GetOnDropDown() const { return onDropDown_; }
  void SetOnDropDown(const TNotifyEvent& e) { onDropDown_ = e; }
  const TNotifyEvent& GetOnCloseUp() const { return onCloseUp_; }
  void SetOnCloseUp(const TNotifyEvent& e) { onCloseUp_ = e; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  // True when the window exists, after making it when the control has somewhere to live and is
  // not being read from a form file; false leaves the work to the next window creation.
  bool WindowReady();
  LRESULT SendToWindow(UINT msg, WPARAM wParam, LPARAM lParam) const;

  void CMColorChanged(TMessage& m);
  void CMFontChanged(TMessage& m);
  void CNNotify(TMessage& m);
  // Checked changed, by code or in the window.
  virtual void CheckedChanged() {}

 private:
  bool InRange(TDateTime value) const;
  // The value 0 stands for "no date": allowed only with the check box, which it clears.
  void SetNoDate();
  void SendRange();
  // DTN_DATETIMECHANGE and DTN_USERSTRINGA.
  void DateTimeChanged(const TMessage& m);
  void UserString(TMessage& m);

  friend class TOrvDateTimeColors;
  friend class TOrvTimePicker;

  TDTCalAlignment calAlignment_ = dtaLeft;
  std::unique_ptr<TOrvDateTimeColors> calColors_;
  bool checked_ = true;
  TDateTime dateTime_;
  TDTDateFormat dateFormat_ = dfShort;
  TDTDateMode dateMode_ = dmComboBox;
  TDateTimeKind kind_ = dtkDate;
  bool parseInput_ = false;
  TDateTime maxDate_ = 0;
  TDateTime minDate_ = 0;
  bool showCheckBox_ = false;
  TDTParseInputEvent onUserInput_;
  TNotifyEvent onCloseUp_;
  TNotifyEvent onChange_;
  TNotifyEvent onDropDown_;
};

class TOrvExCustomDateTimePicker : public TOrvCustomDateTimePicker {
  TOVIX_DECLARE_CLASS(TOrvExCustomDateTimePicker)

 public:
  using TOrvCustomDateTimePicker::TOrvCustomDateTimePicker;

  // The picker's display format ("h:mm tt", "dddd, MMMM dd, yyyy"); empty for the system's
  // format of DateFormat and Kind. Raises EDateTimeError "Format too long" beyond 255 characters
  // (the system parses formats in fixed buffers), changing nothing.
  const String& GetFormat() const { return format_; }
  void SetFormat(const String& format);
  // Keeps Width at CalcMinWidth whenever the format changes.
  bool GetAutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);

  // A sample text as wide as the widest text the format can show, with one space appended.
  String GetMinWidthString() const;
  // The width the format needs: the sample text in a new canvas's default font, plus 21 pixels
  // (36 with the check box) for the borders and the drop-down button.
  int CalcMinWidth();

  // A text the window shows instead of the grayed value while ShowCheckBox is on and Checked
  // off, such as "(no date)". Empty, the default, leaves the system's display. Not published.
  // Raises EDateTimeError "Format too long" for a text the system's format parser cannot hold.
  const String& GetNoValueText() const { return noValueText_; }
  void SetNoValueText(const String& text);

 protected:
  void CreateWnd() override;
  bool IsFormatStored() const { return formatStored_; }
  void SendFormat();
  void CheckedChanged() override;

  // Which description of the display a form file holds: Format after a direct assignment, the
  // time picker's switches after they built the format.
  bool formatStored_ = false;
  bool timeOptionsStored_ = true;
  // Format was set (directly or from the switches): window creations re-send it as it is.
  bool formatAssigned_ = false;
  bool autoSize_ = false;

 private:
  String format_;
  String noValueText_;
};

// A time-of-day picker with a 12-hour (AM/PM) or 24-hour display, with or without seconds,
// sized to its format.
class TOrvTimePicker : public TOrvExCustomDateTimePicker {
  TOVIX_DECLARE_CLASS(TOrvTimePicker)

 public:
  explicit TOrvTimePicker(TComponent* owner);

  bool GetShowAmPm() const { return showAmPm_; }
  // Both switches rebuild the format, also when unchanged.
  void SetShowAmPm(bool value);
  bool GetShowSeconds() const { return showSeconds_; }
  void SetShowSeconds(bool value);
  // Applies 'h:mm tt', 'h:mm:ss tt', 'HH:mm' or 'HH:mm:ss' as the switches say.
  void UpdateTimeFormat();
  // The size the picker needs for its format: the system's own measure (DTM_GETIDEALSIZE) where
  // it gives one, else CalcMinWidth by the current height.
  SIZE GetIdealSize();

 protected:
  void CreateWnd() override;
  bool AreTimeOptionsStored() const { return timeOptionsStored_; }

 private:
  bool showAmPm_ = true;
  bool showSeconds_ = false;
};

enum TOrvDay { wdNone, wdMon, wdTue, wdWed, wdThu, wdFri, wdSat, wdSun, wdMonFri, wdSatSun };
using TOrvDaySet = TSet<TOrvDay>;
// Every value, wdNone and the two groups included.
constexpr TOrvDaySet OrvAllDays = TOrvDaySet::FromBits(0x3FF);

template <> struct TEnumTraits<TOrvDay> { static const TEnumInfo& Info(); };

// The text the weekdays combo shows for a day: "(None)", "Monday" ... "Sunday", "Mon - Fri",
// "Sat, Sun".
const String& OrvDayName(TOrvDay day);

// A drop-down list of the entries of DaysShown in their order; Day is the one selected.
class TOrvWeekdaysCombo : public TComboBox {
  TOVIX_DECLARE_CLASS(TOrvWeekdaysCombo)

 public:
  explicit TOrvWeekdaysCombo(TComponent* owner);

  TOrvDaySet GetDaysShown() const { return daysShown_; }
  // Lists the days of the set; the selected day stays selected when it is still listed.
  void SetDaysShown(TOrvDaySet days);
  // wdNone when nothing is selected.
  TOrvDay GetDay() const;
  // Selects the day when it is listed; otherwise changes nothing.
  void SetDay(TOrvDay day);
  // The day whose text equals text, ignoring case; wdNone when none does.
  static TOrvDay DayNameToVal(const String& text);
  bool IsStoreDaysShown() const { return !(daysShown_ == OrvAllDays); }

 protected:
  void CreateWnd() override;

 private:
  void FillList();

  TOrvDaySet daysShown_ = OrvAllDays;
};

TOVIX_LINK_CLASS(TOrvTimePicker)
TOVIX_LINK_CLASS(TOrvWeekdaysCombo)

// The unit's shut-down: releases the table of day texts (made again on the next use).
void OrvtimeShutDown();
// Whether the table of day texts exists now.
bool OrvtimeDayNamesMade();

// The unit's design-time registration, which a form designer runs after loading the package:
// puts the time picker, then the weekdays combo, on the "Tovix" palette page.
namespace Orvtime {
void Register();
}  // namespace Orvtime

}  // namespace Tovix
