#include "controls/Orvtime.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <memory>

#include "framework/classes/TypInfoBuilder.h"
#include "framework/stdctrls/Items.h"
#include "framework/stdctrls/MonthCalColors.h"
#include "framework/stdctrls/Publish.h"
#include "framework/design/Registration.h"

namespace Tovix {

namespace {

// The system parses a display format in fixed-size buffers.
constexpr size_t kMaxFormatLength = 255;
// DTM_GETIDEALSIZE, which the headers offer only for newer system versions.
constexpr UINT kDtmGetIdealSize = DTM_FIRST + 15;

// A device context of a window (or of the screen), released on every path.
class TWindowDC {
 public:
  explicit TWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {
    if (!dc_) RaiseLastWin32Error();
  }
  ~TWindowDC() { ReleaseDC(window_, dc_); }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Handle() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Text as a literal element of a display format: in quotes, its own quotes doubled.
String QuotedFormatText(const String& text) {
  String quoted = "'";
  for (char c : text) quoted += c == '\'' ? String("''") : String(1, c);
  return quoted + "'";
}

bool IsAllZero(const SYSTEMTIME& time) {
  static const SYSTEMTIME kZero{};
  return std::memcmp(&time, &kZero, sizeof time) == 0;
}

}  // namespace

// ---------------------------------------------------------------------------
// TOrvDateTimeColors

TOVIX_IMPLEMENT_CLASS(TOrvDateTimeColors, TPersistent) {
  using T = TOrvDateTimeColors;
  c.Property("BackColor", &T::GetBackColor, &T::SetBackColor).Default(clWindow);
  c.Property("TextColor", &T::GetTextColor, &T::SetTextColor).Default(clWindowText);
  c.Property("TitleBackColor", &T::GetTitleBackColor, &T::SetTitleBackColor).Default(clActiveCaption);
  c.Property("TitleTextColor", &T::GetTitleTextColor, &T::SetTitleTextColor).Default(clWhite);
  c.Property("MonthBackColor", &T::GetMonthBackColor, &T::SetMonthBackColor).Default(clWhite);
  c.Property("TrailingTextColor", &T::GetTrailingTextColor, &T::SetTrailingTextColor).Default(clInactiveCaptionText);
}

TOrvDateTimeColors::TOrvDateTimeColors(TOrvCustomDateTimePicker* owner) : owner_(owner) {}

TPersistent* TOrvDateTimeColors::GetOwner() const { return owner_; }

void TOrvDateTimeColors::SetColor(int index, TColor color) {
  if (index < 0 || index >= 6) throw EListError(Format("List index out of bounds (%d)", index));
  if (owner_->WindowReady())
    owner_->SendToWindow(DTM_SETMCCOLOR, static_cast<WPARAM>(index), static_cast<LPARAM>(ColorToRGB(color)));
  colors_[index] = color;
}

void TOrvDateTimeColors::SetAllColors() {
  for (int index = 0; index < 6; ++index) SetColor(index, colors_[index]);
}

void TOrvDateTimeColors::Assign(TPersistent* source) {
  if (auto* colors = dynamic_cast<TOrvDateTimeColors*>(source)) {
    std::copy(std::begin(colors->colors_), std::end(colors->colors_), std::begin(colors_));
  } else if (auto* calendar = dynamic_cast<TMonthCalColors*>(source)) {
    colors_[0] = calendar->GetBackColor();
    colors_[1] = calendar->GetTextColor();
    colors_[2] = calendar->GetTitleBackColor();
    colors_[3] = calendar->GetTitleTextColor();
    colors_[4] = calendar->GetMonthBackColor();
    colors_[5] = calendar->GetTrailingTextColor();
  } else {
    AssignError(source);
  }
}

// ---------------------------------------------------------------------------
// TOrvCustomDateTimePicker

TOVIX_IMPLEMENT_CLASS(TOrvCustomDateTimePicker, TWinControl) {
  c.Message(CM_COLORCHANGED, &TOrvCustomDateTimePicker::CMColorChanged);
  c.Message(CM_FONTCHANGED, &TOrvCustomDateTimePicker::CMFontChanged);
  c.Message(CN_NOTIFY, &TOrvCustomDateTimePicker::CNNotify);
}

TOrvCustomDateTimePicker::TOrvCustomDateTimePicker(TComponent* owner)
    : TWinControl(owner), calColors_(std::make_unique<TOrvDateTimeColors>(this)), dateTime_(Now()) {
  static const bool dateClassesReady = [] {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_DATE_CLASSES};
    return InitCommonControlsEx(&classes) != FALSE;
  }();
  (void)dateClassesReady;
  controlStyle_ = TControlStyle{csClickEvents, csOpaque, csDoubleClicks, csFixedHeight};
  SetColor(clWindow);
  SetParentColor(false);
  SetTabStop(true);
  SetWidth(186);
  AdjustHeight();
}

// The window goes first: the calendar colours stay alive as long as it can ask for them.
TOrvCustomDateTimePicker::~TOrvCustomDateTimePicker() {
  Destroying();
  if (HandleAllocated()) DestroyHandle();
}

bool TOrvCustomDateTimePicker::WindowReady() {
  if (!HandleAllocated() && !IsLoading() && !controlState_.Contains(csCreating) && CanMakeWindow(this)) HandleNeeded();
  return HandleAllocated();
}

LRESULT TOrvCustomDateTimePicker::SendToWindow(UINT msg, WPARAM wParam, LPARAM lParam) const {
  return SendMessageA(handle_, msg, wParam, lParam);
}

void TOrvCustomDateTimePicker::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, DATETIMEPICK_CLASSA);
  params.Style |= dateFormat_ == dfLong ? DTS_LONGDATEFORMAT : DTS_SHORTDATEFORMAT;
  if (dateMode_ == dmUpDown) params.Style |= DTS_UPDOWN;
  if (kind_ == dtkTime) params.Style |= DTS_TIMEFORMAT;
  if (calAlignment_ == dtaRight) params.Style |= DTS_RIGHTALIGN;
  if (parseInput_) params.Style |= DTS_APPCANPARSE;
  if (showCheckBox_) params.Style |= DTS_SHOWNONE;
  params.WindowClass.style = (params.WindowClass.style & ~(CS_HREDRAW | CS_VREDRAW)) | CS_DBLCLKS;
}

// The range goes first (the system refuses a value outside it) and on every creation, since a
// new window starts without limits.
void TOrvCustomDateTimePicker::CreateWnd() {
  TWinControl::CreateWnd();
  SendRange();
  SetDateTime(dateTime_);
  calColors_->SetAllColors();
  SetChecked(checked_);
}

bool TOrvCustomDateTimePicker::InRange(TDateTime value) const {
  return (minDate_ == 0 || CompareDateTime(value, minDate_) >= 0) &&
         (maxDate_ == 0 || CompareDateTime(value, maxDate_) <= 0);
}

// The system answers "done" for a valid date outside its range without taking it, so the range
// is checked here; the value a window refuses is not taken either.
void TOrvCustomDateTimePicker::SetDateTime(TDateTime value) {
  if (!InRange(value)) return;
  if (WindowReady()) {
    SYSTEMTIME time = DateTimeToSystemTime(value);
    if (!SendToWindow(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time))) return;
    // Sending a value checks the window's box; an unchecked control stays unchecked.
    if (showCheckBox_ && !checked_) {
      SYSTEMTIME none{};
      SendToWindow(DTM_SETSYSTEMTIME, GDT_NONE, reinterpret_cast<LPARAM>(&none));
    }
  }
  dateTime_ = value;
}

void TOrvCustomDateTimePicker::SetNoDate() {
  if (!showCheckBox_) throw EDateTimeError("You must be in ShowCheckbox mode to set to this date");
  SetChecked(false);
}

void TOrvCustomDateTimePicker::SetDate(TDateTime value) {
  if (DateOf(value) == DateOf(dateTime_)) return;
  TDateTime newValue = ComposeDateTime(value, dateTime_);
  if (newValue == 0) {
    SetNoDate();
    return;
  }
  try {
    if (maxDate_ != 0 && CompareDateTime(newValue, maxDate_) > 0)
      throw EDateTimeError(Format("Date exceeds maximum of %s", DateToStr(maxDate_)));
    if (minDate_ != 0 && CompareDateTime(newValue, minDate_) < 0)
      throw EDateTimeError(Format("Date is less than minimum of %s", DateToStr(minDate_)));
    SetDateTime(newValue);
  } catch (...) {
    // The user may have changed the window's date: it shows the kept value again.
    SetDateTime(dateTime_);
    throw;
  }
}

void TOrvCustomDateTimePicker::SetTime(TDateTime value) {
  if (TimeOf(value) == TimeOf(dateTime_)) return;
  TDateTime newValue = ComposeDateTime(dateTime_, value);
  if (newValue == 0) SetNoDate();
  else SetDateTime(newValue);
}

void TOrvCustomDateTimePicker::SetChecked(bool value) {
  checked_ = value;
  if (!showCheckBox_ || !WindowReady()) return;
  if (value) {
    SetDateTime(dateTime_);
  } else {
    SYSTEMTIME none{};  // the system wants a time even for "no date"
    SendToWindow(DTM_SETSYSTEMTIME, GDT_NONE, reinterpret_cast<LPARAM>(&none));
  }
  CheckedChanged();
  Invalidate();
}

void TOrvCustomDateTimePicker::SetShowCheckBox(bool value) {
  if (value == showCheckBox_) return;
  showCheckBox_ = value;
  RecreateWnd();
}

void TOrvCustomDateTimePicker::SetMinDate(TDateTime value) {
  if (value != 0 && maxDate_ != 0 && CompareDateTime(value, maxDate_) > 0)
    throw EDateTimeError(Format("Date exceeds maximum of %s", DateToStr(maxDate_)));
  if (value != minDate_) SetRange(value, maxDate_);
}

void TOrvCustomDateTimePicker::SetMaxDate(TDateTime value) {
  if (value != 0 && minDate_ != 0 && CompareDateTime(value, minDate_) < 0)
    throw EDateTimeError(Format("Date is less than minimum of %s", DateToStr(minDate_)));
  if (value != maxDate_) SetRange(minDate_, value);
}

void TOrvCustomDateTimePicker::SetRange(TDateTime minimum, TDateTime maximum) {
  if (minimum != 0 && maximum != 0 && CompareDateTime(maximum, minimum) < 0)
    throw EDateTimeError(Format("Date is less than minimum of %s", DateToStr(minimum)));
  // Converted first: a value that cannot be a system time changes nothing.
  if (minimum != 0) DateTimeToSystemTime(minimum);
  if (maximum != 0) DateTimeToSystemTime(maximum);
  minDate_ = minimum;
  maxDate_ = maximum;
  SendRange();
}

// Always sent, also without limits: each DTM_SETRANGE replaces both limits of the window.
void TOrvCustomDateTimePicker::SendRange() {
  if (!WindowReady()) return;
  SYSTEMTIME range[2] = {};
  WPARAM flags = 0;
  if (minDate_ != 0) {
    flags |= GDTR_MIN;
    range[0] = DateTimeToSystemTime(minDate_);
  }
  if (maxDate_ != 0) {
    flags |= GDTR_MAX;
    range[1] = DateTimeToSystemTime(maxDate_);
  }
  SendToWindow(DTM_SETRANGE, flags, reinterpret_cast<LPARAM>(range));
}

void TOrvCustomDateTimePicker::SetCalColors(TOrvDateTimeColors* colors) {
  if (colors != calColors_.get()) calColors_->Assign(colors);
}

void TOrvCustomDateTimePicker::SetCalAlignment(TDTCalAlignment value) {
  if (value == calAlignment_) return;
  calAlignment_ = value;
  if (!IsDesigning()) RecreateWnd();
}

void TOrvCustomDateTimePicker::SetParseInput(bool value) {
  if (value == parseInput_) return;
  parseInput_ = value;
  if (!IsDesigning()) RecreateWnd();
}

void TOrvCustomDateTimePicker::SetDateFormat(TDTDateFormat value) {
  if (value == dateFormat_) return;
  dateFormat_ = value;
  RecreateWnd();
}

void TOrvCustomDateTimePicker::SetDateMode(TDTDateMode value) {
  if (value == dateMode_) return;
  dateMode_ = value;
  RecreateWnd();
}

void TOrvCustomDateTimePicker::SetKind(TDateTimeKind value) {
  if (value == kind_) return;
  kind_ = value;
  RecreateWnd();
}

void TOrvCustomDateTimePicker::AdjustHeight() {
  TEXTMETRICA metrics{};
  {
    TWindowDC screen(nullptr);
    HGDIOBJ old = SelectObject(screen.Handle(), GetFont()->GetHandle());
    GetTextMetricsA(screen.Handle(), &metrics);
    SelectObject(screen.Handle(), old);
  }
  SetHeight(metrics.tmHeight + 8 * GetSystemMetrics(SM_CYBORDER));
}

void TOrvCustomDateTimePicker::CMColorChanged(TMessage& m) {
  TWinControl::CMColorChanged(m);
  Invalidate();
}

void TOrvCustomDateTimePicker::CMFontChanged(TMessage& m) {
  TWinControl::CMFontChanged(m);
  AdjustHeight();
  Invalidate();
}

void TOrvCustomDateTimePicker::CNNotify(TMessage& m) {
  auto* header = reinterpret_cast<NMHDR*>(m.LParam);
  m.Result = 0;
  switch (header->code) {
    case DTN_DATETIMECHANGE:
      DateTimeChanged(m);
      break;
    case DTN_USERSTRINGA:
      UserString(m);
      break;
    case DTN_DROPDOWN:
      onDropDown_(this);
      break;
    case DTN_CLOSEUP:
      SetDateTime(dateTime_);
      onCloseUp_(this);
      break;
    default:
      DefaultHandler(m);
      break;
  }
}

// The system reports a cleared check box as GDT_NONE, with whatever date it held.
void TOrvCustomDateTimePicker::DateTimeChanged(const TMessage& m) {
  const auto& change = *reinterpret_cast<const NMDATETIMECHANGE*>(m.LParam);
  if (change.dwFlags == GDT_NONE || IsAllZero(change.st)) {
    if (showCheckBox_) checked_ = false;
  } else {
    TDateTime value = SystemTimeToDateTime(change.st);
    if (kind_ == dtkDate) SetDate(value);
    else SetTime(value);
    if (showCheckBox_) checked_ = true;
  }
  if (showCheckBox_) CheckedChanged();
  onChange_(this);
}

// Without a handler the typed text is refused; so it is when the handler fails.
void TOrvCustomDateTimePicker::UserString(TMessage& m) {
  auto& parse = *reinterpret_cast<NMDATETIMESTRINGA*>(m.LParam);
  parse.dwFlags = GDT_NONE;
  if (!onUserInput_) return;
  TDateTime value = 0;
  bool allow = true;
  onUserInput_(this, String(parse.pszUserString ? parse.pszUserString : ""), value, allow);
  parse.st = DateTimeToSystemTime(value);
  if (allow) parse.dwFlags = GDT_VALID;
}

// ---------------------------------------------------------------------------
// TOrvExCustomDateTimePicker

TOVIX_IMPLEMENT_CLASS(TOrvExCustomDateTimePicker, TOrvCustomDateTimePicker) {
  namespace P = StdCtrlsPublish;
  using T = TOrvExCustomDateTimePicker;
  c.Property("Format", &T::GetFormat, &T::SetFormat).Stored(&T::IsFormatStored);
  c.Property("AutoSize", &T::GetAutoSize, &T::SetAutoSize);
  c.Property("ShowCheckBox", &T::GetShowCheckBox, &T::SetShowCheckBox).Default(false);
  c.Property("Checked", &T::GetChecked, &T::SetChecked).Default(true);
  c.Property("ParseInput", &T::GetParseInput, &T::SetParseInput);
  c.Property("Color", &T::GetColor, &T::SetColor).Default(clWindow).Stored(&T::IsColorStored);
  c.Property("DragCursor", &T::GetDragCursor, &T::SetDragCursor).Default(crDrag);
  c.Property("DragMode", &T::GetDragMode, &T::SetDragMode).Default(dmManual);
  c.Property("Enabled", &T::GetEnabled, &T::SetEnabled).Default(true);
  c.Property("Font", &T::GetFont, &T::SetFont).Stored(&T::IsFontStored);
  c.Property("ImeMode", &T::GetImeMode, &T::SetImeMode).Default(imDontCare);
  c.Property("ImeName", &T::GetImeName, &T::SetImeName);
  c.Property("ParentColor", &T::GetParentColor, &T::SetParentColor).Default(false);
  c.Property("ParentFont", &T::GetParentFont, &T::SetParentFont).Default(true);
  c.Property("ParentShowHint", &T::GetParentShowHint, &T::SetParentShowHint).Default(true);
  c.Property("PopupMenu", &T::GetPopupMenu, &T::SetPopupMenu);
  c.Property("ShowHint", &T::GetShowHint, &T::SetShowHint).Stored(&T::IsShowHintStored);
  P::TabOrder(c, true);
  c.Property("Visible", &T::GetVisible, &T::SetVisible).Default(true);
  c.Property("OnClick", &T::GetOnClick, &T::SetOnClick);
  c.Property("OnChange", &T::GetOnChange, &T::SetOnChange);
  c.Property("OnDblClick", &T::GetOnDblClick, &T::SetOnDblClick);
  c.Property("OnDragDrop", &T::GetOnDragDrop, &T::SetOnDragDrop);
  c.Property("OnDragOver", &T::GetOnDragOver, &T::SetOnDragOver);
  c.Property("OnEndDrag", &T::GetOnEndDrag, &T::SetOnEndDrag);
  P::FocusAndKeyEvents(c);
  c.Property("OnStartDrag", &T::GetOnStartDrag, &T::SetOnStartDrag);
  c.Property("OnUserInput", &T::GetOnUserInput, &T::SetOnUserInput);
}

void TOrvExCustomDateTimePicker::CreateWnd() {
  TOrvCustomDateTimePicker::CreateWnd();
  SendFormat();
  if (autoSize_) SetWidth(CalcMinWidth());
}

// An empty format goes as none, which gives the system's format for the style; an empty text
// would show an empty control. While there is no value to show, the no-value text stands as
// the format's only (quoted) element.
void TOrvExCustomDateTimePicker::SendFormat() {
  if (!WindowReady()) return;
  bool noValue = GetShowCheckBox() && !GetChecked() && !noValueText_.empty();
  const String& format = noValue ? QuotedFormatText(noValueText_) : format_;
  SendToWindow(DTM_SETFORMATA, 0, format.empty() ? 0 : reinterpret_cast<LPARAM>(format.c_str()));
}

void TOrvExCustomDateTimePicker::CheckedChanged() {
  if (!noValueText_.empty()) SendFormat();
}

void TOrvExCustomDateTimePicker::SetNoValueText(const String& text) {
  if (QuotedFormatText(text).size() > kMaxFormatLength) throw EDateTimeError("Format too long");
  noValueText_ = text;
  if (HandleAllocated()) SendFormat();
}

void TOrvExCustomDateTimePicker::SetFormat(const String& format) {
  if (format.size() > kMaxFormatLength) throw EDateTimeError("Format too long");
  formatStored_ = true;
  formatAssigned_ = true;
  timeOptionsStored_ = false;
  format_ = format;
  SendFormat();
  if (autoSize_) SetWidth(CalcMinWidth());
}

void TOrvExCustomDateTimePicker::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  if (value) SetWidth(CalcMinWidth());
}

String TOrvExCustomDateTimePicker::GetMinWidthString() const {
  // Longest element first for each letter: a run takes the longest element it starts with.
  static const std::array<std::pair<const char*, const char*>, 22> kSamples{{
      {"dddd", "Wednesday"}, {"ddd", "Wed"}, {"dd", "99"}, {"d", "99"},
      {"MMMM", "September"}, {"MMM", "Sep"}, {"MM", "99"}, {"M", "99"},
      {"yyyy", "9999"}, {"yyy", "9999"}, {"yy", "99"}, {"y", "9"},
      {"hh", "99"}, {"h", "99"}, {"HH", "99"}, {"H", "99"},
      {"mm", "99"}, {"m", "99"}, {"ss", "99"}, {"s", "99"},
      {"tt", "PM"}, {"t", "P"},
  }};
  String sample;
  size_t i = 0;
  while (i < format_.size()) {
    auto element = std::find_if(kSamples.begin(), kSamples.end(),
                                [&](const auto& e) { return format_.compare(i, std::strlen(e.first), e.first) == 0; });
    if (element == kSamples.end()) {
      sample += format_[i++];
    } else {
      sample += element->second;
      i += std::strlen(element->first);
    }
  }
  return sample + " ";
}

int TOrvExCustomDateTimePicker::CalcMinWidth() {
  // Without a window yet, the screen measures the same.
  HWND window = WindowReady() ? handle_ : nullptr;
  TWindowDC dc(window);
  TCanvas canvas;
  canvas.SetHandle(dc.Handle());
  int textWidth = canvas.TextWidth(GetMinWidthString());
  canvas.SetHandle(nullptr);
  return (GetShowCheckBox() ? 36 : 21) + textWidth;
}

// ---------------------------------------------------------------------------
// TOrvTimePicker

TOVIX_IMPLEMENT_CLASS(TOrvTimePicker, TOrvExCustomDateTimePicker) {
  using T = TOrvTimePicker;
  c.Property("ShowAmPm", &T::GetShowAmPm, &T::SetShowAmPm).Stored(&T::AreTimeOptionsStored);
  c.Property("ShowSeconds", &T::GetShowSeconds, &T::SetShowSeconds).Stored(&T::AreTimeOptionsStored);
  // Always written: no value equals NaN.
  c.Property("Time", &T::GetTime, &T::SetTime).Default(std::numeric_limits<double>::quiet_NaN());
}

TOrvTimePicker::TOrvTimePicker(TComponent* owner) : TOrvExCustomDateTimePicker(owner) {
  // Set without their side effects: the first window creation builds the format and the width.
  autoSize_ = true;
  kind_ = dtkTime;
}

void TOrvTimePicker::CreateWnd() {
  TOrvExCustomDateTimePicker::CreateWnd();
  if (!formatAssigned_) UpdateTimeFormat();
}

SIZE TOrvTimePicker::GetIdealSize() {
  SIZE size{};
  if (WindowReady() && SendToWindow(kDtmGetIdealSize, 0, reinterpret_cast<LPARAM>(&size)) && size.cx > 0) return size;
  return SIZE{CalcMinWidth(), GetHeight()};
}

void TOrvTimePicker::SetShowAmPm(bool value) {
  showAmPm_ = value;
  UpdateTimeFormat();
}

void TOrvTimePicker::SetShowSeconds(bool value) {
  showSeconds_ = value;
  UpdateTimeFormat();
}

void TOrvTimePicker::UpdateTimeFormat() {
  String format = showAmPm_ ? "h:mm" : "HH:mm";
  if (showSeconds_) format += ":ss";
  if (showAmPm_) format += " tt";
  SetFormat(format);
  formatStored_ = false;
  timeOptionsStored_ = true;
}

// ---------------------------------------------------------------------------
// TOrvWeekdaysCombo

namespace {

using TDayNames = std::array<String, 10>;

// The days' texts, by ordinal: made on first use and released by the unit's shut-down
// (OrvtimeShutDown), so that a package that is unloaded leaves none of its strings behind.
std::unique_ptr<TDayNames>& DayNameTable() {
  static std::unique_ptr<TDayNames> table;
  return table;
}

const TDayNames& DayNames() {
  auto& table = DayNameTable();
  if (!table)
    table.reset(new TDayNames{"(None)", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday",
                              "Sunday", "Mon - Fri", "Sat, Sun"});
  return *table;
}

}  // namespace

const TEnumInfo& TEnumTraits<TOrvDay>::Info() {
  static const TEnumInfo info{
      {"wdNone", "wdMon", "wdTue", "wdWed", "wdThu", "wdFri", "wdSat", "wdSun", "wdMonFri", "wdSatSun"}};
  return info;
}

const String& OrvDayName(TOrvDay day) { return DayNames().at(static_cast<size_t>(day)); }

TOVIX_IMPLEMENT_CLASS(TOrvWeekdaysCombo, TComboBox) {
  using T = TOrvWeekdaysCombo;
  c.Property("DaysShown", &T::GetDaysShown, &T::SetDaysShown).Stored(&T::IsStoreDaysShown);
  c.Property("Day", &T::GetDay, &T::SetDay);
}

TOrvWeekdaysCombo::TOrvWeekdaysCombo(TComponent* owner) : TComboBox(owner) {
  SetStyle(csDropDownList);
  SetSorted(false);
  SetWidth(90);
  FillList();
  SetDay(wdNone);
}

// The list is made from DaysShown on every creation, keeping the selected day.
void TOrvWeekdaysCombo::CreateWnd() {
  TComboBox::CreateWnd();
  SetDaysShown(daysShown_);
}

void TOrvWeekdaysCombo::FillList() {
  GetItems()->Clear();
  const TDayNames& names = DayNames();
  for (size_t day = 0; day < names.size(); ++day)
    if (daysShown_.Contains(static_cast<TOrvDay>(day))) GetItems()->Add(names[day]);
  SetDropDownCount(GetItems()->GetCount());
}

void TOrvWeekdaysCombo::SetDaysShown(TOrvDaySet days) {
  TOrvDay day = GetDay();
  daysShown_ = days;
  FillList();
  SetDay(days.Contains(day) ? day : wdNone);
}

TOrvDay TOrvWeekdaysCombo::GetDay() const {
  int index = GetItemIndex();
  return index < 0 ? wdNone : DayNameToVal(GetItems()->Get(index));
}

void TOrvWeekdaysCombo::SetDay(TOrvDay day) {
  if (daysShown_.Contains(day)) SetItemIndex(GetItems()->IndexOf(OrvDayName(day)));
}

TOrvDay TOrvWeekdaysCombo::DayNameToVal(const String& text) {
  const TDayNames& names = DayNames();
  for (size_t day = 0; day < names.size(); ++day)
    if (SameText(names[day], text)) return static_cast<TOrvDay>(day);
  return wdNone;
}

void OrvtimeShutDown() { DayNameTable().reset(); }

bool OrvtimeDayNamesMade() { return DayNameTable() != nullptr; }

void Orvtime::Register() {
  RegisterComponents("Tovix", {&TOrvTimePicker::StaticClassInfo()});
  RegisterComponents("Tovix", {&TOrvWeekdaysCombo::StaticClassInfo()});
}

}  // namespace Tovix
