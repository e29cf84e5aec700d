// The date-time picker, the time picker and the weekdays combo on a form, against the system's
// date-time picker window.
#include <gtest/gtest.h>

#include <optional>

#include "controls/Orvtime.h"
#include "framework/Forms.h"
#include "framework/classes/Filer.h"
#include "framework/stdctrls/MonthCalColors.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/ResourceCounts.h"

#include <commctrl.h>

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

template <typename E, typename F>
String RaisedMessage(F f) {
  try {
    f();
  } catch (const E& e) {
    return e.Message();
  }
  return "no error";
}

String GetTextOf(HWND window) {
  char text[256] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

class OrvtimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(Application);
    picker = Place<TOrvExCustomDateTimePicker>();
  }
  void TearDown() override { form->Free(); }

  template <typename T>
  T* Place() {
    auto* control = new T(form);
    control->SetParent(form);
    return control;
  }
  // The window's value, or nullopt for "no date".
  std::optional<TDateTime> WindowValue(TOrvCustomDateTimePicker* p) {
    SYSTEMTIME st{};
    if (SendMessageA(p->GetHandle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID) return {};
    return SystemTimeToDateTime(st);
  }
  DWORD WindowRange(TOrvCustomDateTimePicker* p, SYSTEMTIME (&range)[2]) {
    return static_cast<DWORD>(SendMessageA(p->GetHandle(), DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)));
  }

  TForm* form = nullptr;
  TOrvExCustomDateTimePicker* picker = nullptr;
  const TDateTime day = EncodeDate(2000, 1, 1);
  const TDateTime tenOClock = EncodeTime(10, 0, 0, 0);
};

}  // namespace

TEST_F(OrvtimeTest, DateAndTimeReplaceTheirOwnPartAndTheWindowFollows) {
  picker->SetDateTime(day + tenOClock);
  picker->SetDate(day + EncodeTime(15, 0, 0, 0));
  EXPECT_EQ(day + tenOClock, picker->GetDateTime()) << "same day, other hour: no change";
  picker->SetDate(day + 3);
  picker->SetTime(EncodeTime(8, 30, 0, 0));
  EXPECT_EQ(day + 3 + EncodeTime(8, 30, 0, 0), picker->GetDateTime());
  EXPECT_EQ(picker->GetDateTime(), WindowValue(picker));
  // Before 30 December 1899 the time of day still counts forward from midnight.
  picker->SetDate(EncodeDate(1899, 12, 20));
  EXPECT_EQ((TDateTime(EncodeDate(1899, 12, 20)) - EncodeTime(8, 30, 0, 0)), picker->GetDateTime());
  EXPECT_EQ(picker->GetDateTime(), WindowValue(picker));
}

TEST_F(OrvtimeTest, NoDateNeedsTheCheckBoxAndThenUnchecksTheWindow) {
  picker->SetDateTime(day);
  EXPECT_EQ("You must be in ShowCheckbox mode to set to this date", RaisedMessage<EDateTimeError>([&] { picker->SetDate(0); }));
  picker->SetShowCheckBox(true);
  picker->SetDate(0);
  EXPECT_FALSE(picker->GetChecked());
  EXPECT_EQ(day, picker->GetDateTime());
  EXPECT_EQ(std::nullopt, WindowValue(picker));
}

TEST_F(OrvtimeTest, TheRangeIsCheckedWithTheTimeOfDayAndSurvivesRecreation) {
  picker->SetDateTime(day - 5 + tenOClock);
  picker->SetMaxDate(day);
  String expected = Format("Date exceeds maximum of %s", DateToStr(day));
  EXPECT_EQ(expected, RaisedMessage<EDateTimeError>([&] { picker->SetDate(day); }));
  EXPECT_EQ(day - 5 + tenOClock, picker->GetDateTime());
  EXPECT_EQ(picker->GetDateTime(), WindowValue(picker));
  // A value the window would report as set without taking it changes nothing.
  picker->SetDateTime(day + 1);
  EXPECT_EQ(day - 5 + tenOClock, picker->GetDateTime());
  EXPECT_EQ(picker->GetDateTime(), WindowValue(picker));
  picker->SetMinDate(day - 10);
  EXPECT_EQ(Format("Date is less than minimum of %s", DateToStr(day - 10)),
            RaisedMessage<EDateTimeError>([&] { picker->SetMaxDate(day - 20); }));
  picker->SetKind(dtkTime);  // re-creates the window
  SYSTEMTIME range[2];
  EXPECT_EQ(DWORD(GDTR_MIN | GDTR_MAX), WindowRange(picker, range));
  EXPECT_EQ(day - 10, SystemTimeToDateTime(range[0]));
  EXPECT_EQ(day, SystemTimeToDateTime(range[1]));
  // 0 clears a limit without the cross-check; the window, which replaces both limits at each
  // DTM_SETRANGE, is told also when none is left.
  TMessageRecorder recorder;
  recorder.Watch(picker->GetHandle());
  recorder.Only({DTM_SETRANGE});
  picker->SetMaxDate(0);
  picker->SetMinDate(0);
  EXPECT_TRUE(recorder.Matches({TExpect::WithWParam(DTM_SETRANGE, GDTR_MIN), TExpect::WithWParam(DTM_SETRANGE, 0)}));
  EXPECT_EQ(0u, WindowRange(picker, range));
}

TEST_F(OrvtimeTest, SettingsMadeBeforeThereIsAParentReachTheWindowWhenItIsMade) {
  auto* loose = new TOrvExCustomDateTimePicker(form);
  loose->SetShowCheckBox(true);
  loose->SetRange(day - 1, day + 1);
  loose->SetDateTime(day + tenOClock);
  loose->SetChecked(false);
  loose->GetCalColors()->SetTitleTextColor(clRed);
  loose->SetFormat("yyyy");
  EXPECT_FALSE(loose->HandleAllocated());
  loose->SetParent(form);
  SYSTEMTIME range[2];
  EXPECT_EQ(DWORD(GDTR_MIN | GDTR_MAX), WindowRange(loose, range));
  EXPECT_EQ(std::nullopt, WindowValue(loose));
  loose->SetChecked(true);
  EXPECT_EQ(day + tenOClock, WindowValue(loose));
  EXPECT_EQ(LRESULT(0x0000FF), SendMessageA(loose->GetHandle(), DTM_GETMCCOLOR, MCSC_TITLETEXT, 0));
  EXPECT_EQ("2000", GetTextOf(loose->GetHandle()));
}

TEST_F(OrvtimeTest, TheWindowsCheckBoxUnchecksAndChecksTheControl) {
  picker->SetShowCheckBox(true);
  picker->SetDateTime(day + tenOClock);
  std::vector<bool> changes;
  picker->SetOnChange([&](TObject*) { changes.push_back(picker->GetChecked()); });
  HWND box = FindWindowExA(picker->GetHandle(), nullptr, "Button", nullptr);
  ASSERT_NE(nullptr, box);
  SendMessageA(box, BM_CLICK, 0, 0);
  EXPECT_EQ(std::vector<bool>{false}, changes);
  EXPECT_EQ(day + tenOClock, picker->GetDateTime());
  SendMessageA(box, BM_CLICK, 0, 0);
  EXPECT_EQ((std::vector<bool>{false, true}), changes);
  EXPECT_EQ(day + tenOClock, picker->GetDateTime());
}

TEST_F(OrvtimeTest, ChosenNoValueTextStandsInWhileUnchecked) {
  picker->SetShowCheckBox(true);
  picker->SetFormat("yyyy");
  picker->SetDateTime(day);
  picker->SetNoValueText("open");
  EXPECT_EQ("2000", GetTextOf(picker->GetHandle()));
  picker->SetChecked(false);
  EXPECT_EQ("open", GetTextOf(picker->GetHandle()));
  SendMessageA(FindWindowExA(picker->GetHandle(), nullptr, "Button", nullptr), BM_CLICK, 0, 0);
  EXPECT_TRUE(picker->GetChecked());
  EXPECT_EQ("2000", GetTextOf(picker->GetHandle()));
}

// Wine's picker never sends DTN_USERSTRING: the test sends the notification it would send.
TEST_F(OrvtimeTest, SentUserStringNotificationIsParsedByTheHandlerOrRefused) {
  auto notify = [&](const char* text) {
    NMDATETIMESTRINGA n{};
    n.nmhdr = NMHDR{picker->GetHandle(), 0, static_cast<UINT>(DTN_USERSTRINGA)};
    n.pszUserString = text;
    n.dwFlags = 12345;
    SendMessageA(form->GetHandle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
    return n;
  };
  EXPECT_EQ(DWORD(GDT_NONE), notify("tomorrow").dwFlags);
  picker->SetOnUserInput([&](TObject*, const String& text, TDateTime& value, bool& allow) {
    allow = text == "new year";
    value = day;
  });
  NMDATETIMESTRINGA parsed = notify("new year");
  EXPECT_EQ(DWORD(GDT_VALID), parsed.dwFlags);
  EXPECT_EQ(day, SystemTimeToDateTime(parsed.st));
  EXPECT_EQ(DWORD(GDT_NONE), notify("someday").dwFlags);
}

TEST_F(OrvtimeTest, CalendarColorsAssignFromEitherColourSetAndNothingElse) {
  TMonthCalColors calendar;
  calendar.SetMonthBackColor(clYellow);
  picker->GetCalColors()->Assign(&calendar);
  EXPECT_EQ(clYellow, picker->GetCalColors()->GetMonthBackColor());
  TFont font;
  EXPECT_EQ("Cannot assign a TFont to a TOrvDateTimeColors",
            RaisedMessage<EConvertError>([&] { picker->GetCalColors()->Assign(&font); }));
  EXPECT_EQ("Cannot assign a nil to a TOrvDateTimeColors",
            RaisedMessage<EConvertError>([&] { picker->GetCalColors()->Assign(nullptr); }));
  picker->GetCalColors()->SetBackColor(clBtnFace);
  EXPECT_EQ(LRESULT(ColorToRGB(clBtnFace)), SendMessageA(picker->GetHandle(), DTM_GETMCCOLOR, MCSC_BACKGROUND, 0));
}

TEST_F(OrvtimeTest, FormatGivesTheSampleTextAndWidth) {
  picker->SetFormat("dddd, MMMM dd, yyyy");
  EXPECT_EQ("Wednesday, September 99, 9999 ", picker->GetMinWidthString());
  picker->SetFormat("ddddd 'at' h:m tt");
  EXPECT_EQ("Wednesday99 'aP' 99:99 PM ", picker->GetMinWidthString());
  int width = picker->CalcMinWidth();
  picker->SetShowCheckBox(true);
  EXPECT_EQ(width + 15, picker->CalcMinWidth());
  EXPECT_EQ("Format too long", RaisedMessage<EDateTimeError>([&] { picker->SetFormat(String(256, 'd')); }));
  EXPECT_EQ("ddddd 'at' h:m tt", picker->GetFormat());
}

TEST_F(OrvtimeTest, TimePickerBuildsItsFormatFromTheSwitchesUntilOneIsAssigned) {
  auto* time = Place<TOrvTimePicker>();
  EXPECT_EQ(186, time->GetWidth());
  time->HandleNeeded();
  TCanvas canvas;
  canvas.SetHandle(GetDC(nullptr));
  EXPECT_EQ("h:mm tt", time->GetFormat());
  EXPECT_EQ(21 + canvas.TextWidth("99:99 PM "), time->GetWidth());
  time->SetShowAmPm(false);
  EXPECT_EQ("HH:mm", time->GetFormat());
  EXPECT_EQ(21 + canvas.TextWidth("99:99 "), time->GetWidth());
  SIZE shortIdeal = time->GetIdealSize();
  time->SetAutoSize(false);
  time->SetShowSeconds(true);
  EXPECT_GT(time->GetIdealSize().cx, shortIdeal.cx) << "seconds need more room";
  EXPECT_EQ("HH:mm:ss", time->GetFormat());
  EXPECT_EQ(21 + canvas.TextWidth("99:99 "), time->GetWidth()) << "AutoSize off: the width stays";
  HDC dc = canvas.GetHandle();
  canvas.SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
}

TEST_F(OrvtimeTest, WeekdaysComboListsTheShownDaysAndKeepsTheDay) {
  auto* combo = Place<TOrvWeekdaysCombo>();
  EXPECT_EQ(90, combo->GetWidth());
  EXPECT_EQ("(None)\r\nMonday\r\nTuesday\r\nWednesday\r\nThursday\r\nFriday\r\nSaturday\r\nSunday\r\nMon - Fri\r\nSat, Sun\r\n",
            combo->GetItems()->GetText());
  EXPECT_EQ(wdNone, combo->GetDay());
  EXPECT_EQ(10, combo->GetDropDownCount());
  combo->SetDay(wdSun);
  combo->SetDaysShown(TOrvDaySet{wdSat, wdSun, wdSatSun});
  EXPECT_EQ(wdSun, combo->GetDay());
  combo->SetDay(wdMon);
  EXPECT_EQ(wdSun, combo->GetDay()) << "a day not shown changes nothing";
  combo->SetDaysShown(TOrvDaySet{wdMon});
  EXPECT_EQ(-1, combo->GetItemIndex());
  EXPECT_EQ(wdNone, combo->GetDay());
  combo->SetDaysShown(OrvAllDays);
  combo->SetDay(wdThu);
  combo->SetWidth(120);
  combo->SetStyle(csDropDown);
  combo->SetStyle(csDropDownList);  // two window re-creations
  EXPECT_EQ(wdThu, combo->GetDay());
  EXPECT_EQ(120, combo->GetWidth());
  EXPECT_EQ(wdMon, TOrvWeekdaysCombo::DayNameToVal("MONDAY"));
  EXPECT_EQ(wdNone, TOrvWeekdaysCombo::DayNameToVal("Mon"));
}

TEST_F(OrvtimeTest, FormFileRoundTripKeepsBothComponents) {
  auto* time = Place<TOrvTimePicker>();
  time->SetName("Time1");
  time->SetFormat("HH:mm:ss");
  time->SetTime(EncodeTime(0, 0, 0, 0) + 0.5);
  auto* combo = Place<TOrvWeekdaysCombo>();
  combo->SetName("Days1");
  combo->SetDaysShown(TOrvDaySet{wdNone, wdMonFri, wdSatSun});
  combo->SetDay(wdSatSun);
  auto* plain = Place<TOrvWeekdaysCombo>();
  plain->SetName("Days2");
  plain->SetDay(wdFri);
  picker->Free();
  String text = WriteComponentToText(form);
  EXPECT_NE(String::npos, text.find("Format = 'HH:mm:ss'")) << text;
  EXPECT_EQ(String::npos, text.find("ShowAmPm")) << text;
  TForm* copy = new TForm(Application);
  ReadComponentFromText(text, copy);
  auto* time2 = dynamic_cast<TOrvTimePicker*>(copy->FindComponent("Time1"));
  auto* combo2 = dynamic_cast<TOrvWeekdaysCombo*>(copy->FindComponent("Days1"));
  auto* plain2 = dynamic_cast<TOrvWeekdaysCombo*>(copy->FindComponent("Days2"));
  ASSERT_TRUE(time2 && combo2 && plain2) << text;
  time2->HandleNeeded();
  EXPECT_EQ("HH:mm:ss", time2->GetFormat());
  EXPECT_EQ(0.5, TimeOf(time2->GetTime()));
  EXPECT_EQ((TOrvDaySet{wdNone, wdMonFri, wdSatSun}), combo2->GetDaysShown());
  EXPECT_EQ(wdSatSun, combo2->GetDay());
  EXPECT_EQ(wdFri, plain2->GetDay());
  copy->Free();
}

TEST(OrvtimePublished, TimePickerPublishesItsPropertiesInOrder) {
  String names;
  for (const TPropInfo* prop : TOrvTimePicker::StaticClassInfo().Properties()) names += prop->Name() + " ";
  EXPECT_EQ("Name Tag Left Top Width Height Cursor Hint HelpContext Format AutoSize ShowCheckBox Checked ParseInput "
            "Color DragCursor DragMode Enabled Font ImeMode ImeName ParentColor ParentFont ParentShowHint PopupMenu "
            "ShowHint TabOrder TabStop Visible OnClick OnChange OnDblClick OnDragDrop OnDragOver OnEndDrag OnEnter "
            "OnExit OnKeyDown OnKeyPress OnKeyUp OnStartDrag OnUserInput ShowAmPm ShowSeconds Time ",
            names);
}

TEST(OrvtimeLeaks, ThousandPickersAndCombosLeaveNothingBehind) {
  TForm* form = new TForm(Application);
  auto round = [form] {
    auto* time = new TOrvTimePicker(form);
    time->SetShowCheckBox(true);
    time->SetParent(form);
    time->HandleNeeded();
    time->GetFont()->SetSize(12);
    auto* combo = new TOrvWeekdaysCombo(form);
    combo->SetParent(form);
    combo->SetDay(wdWed);
    time->Free();
    combo->Free();
  };
  round();
  int gdiObjects = CountGdiObjects();
  int windows = CountThreadWindows();
  for (int i = 0; i < 1000; ++i) round();
  EXPECT_EQ(gdiObjects, CountGdiObjects());
  EXPECT_EQ(windows, CountThreadWindows());
  form->Free();
}
