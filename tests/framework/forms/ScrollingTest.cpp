// Forms that scroll their controls: AutoScroll and the two scroll bars, on real windows and in form files.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Classes.h"
#include "framework/Forms.h"
#include "tests/framework/forms/ReadForm.h"

using namespace Tovix;
using Tovix::Testing::ReadForm;

namespace {

// A panel reaching below a 300 x 200 client area, and a label (painted on the form) above it.
std::unique_ptr<TForm> TallForm(const char* extra) {
  return ReadForm(Format(
      "object Tall: TForm\r\n  ClientHeight = 200\r\n  ClientWidth = 300\r\n%s"
      "  object Low: TPanel\r\n    Left = 10\r\n    Top = 150\r\n    Width = 100\r\n    Height = 250\r\n    TabOrder = 0\r\n  end\r\n"
      "  object Note: TLabel\r\n    Left = 10\r\n    Top = 10\r\n    Width = 40\r\n    Height = 13\r\n  end\r\nend\r\n",
      extra));
}

TControl* Child(TForm& form, const char* name) { return dynamic_cast<TControl*>(form.FindComponent(name)); }

bool HasStyle(TForm& form, LONG style) { return (GetWindowLongA(form.GetHandle(), GWL_STYLE) & style) != 0; }

SCROLLINFO BarInfo(TForm& form, int bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(form.GetHandle(), bar, &info);
  return info;
}

// Sends a scroll request as the form's own vertical bar does, and answers where the panel's window now is.
int ScrollAndTop(TForm& form, int code, int thumb = 0) {
  SendMessageA(form.GetHandle(), WM_VSCROLL, MAKEWPARAM(code, thumb), 0);
  RECT r;
  GetWindowRect(dynamic_cast<TWinControl*>(Child(form, "Low"))->GetHandle(), &r);
  MapWindowPoints(nullptr, form.GetHandle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.top, Child(form, "Low")->GetTop()) << "the window and the control agree";
  EXPECT_EQ(r.top - 140, Child(form, "Note")->GetTop()) << "painted controls scroll too";
  return r.top;
}

}  // namespace

TEST(Scrolling, AutoScrollShowsTheBarTheChildrenNeedAndScrollsThemWithinTheRange) {
  std::unique_ptr<TForm> form = TallForm("  AutoScroll = True\r\n");
  form->Show();
  TControlScrollBar* bar = form->GetVertScrollBar();
  EXPECT_TRUE(HasStyle(*form, WS_VSCROLL));
  EXPECT_FALSE(HasStyle(*form, WS_HSCROLL)) << "the panel fits across, even beside the vertical bar";
  SCROLLINFO info = BarInfo(*form, SB_VERT);
  EXPECT_EQ(0, info.nMin);
  EXPECT_EQ(399, info.nMax);
  EXPECT_EQ(200u, info.nPage);
  EXPECT_EQ(400, bar->GetRange());

  EXPECT_EQ(142, ScrollAndTop(*form, SB_LINEDOWN));
  form->GetVertScrollBar()->SetIncrement(20);
  EXPECT_EQ(122, ScrollAndTop(*form, SB_LINEDOWN));
  EXPECT_EQ(-50, ScrollAndTop(*form, SB_PAGEDOWN)) << "clamped to range - client height";
  EXPECT_EQ(200, bar->GetPosition());
  EXPECT_EQ(200, BarInfo(*form, SB_VERT).nPos);
  EXPECT_EQ(150, ScrollAndTop(*form, SB_TOP));
  EXPECT_EQ(150, ScrollAndTop(*form, SB_THUMBTRACK, 70)) << "without Tracking the thumb is followed once dropped";
  EXPECT_EQ(80, ScrollAndTop(*form, SB_THUMBPOSITION, 70));
  EXPECT_EQ(-50, ScrollAndTop(*form, SB_BOTTOM));
  EXPECT_EQ(400, bar->GetRange()) << "the range does not change as the children scroll";
  EXPECT_EQ(-50, ScrollAndTop(*form, SB_LINEDOWN));
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  SendMessageA(form->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(static_cast<int>(200 - lines * 20), bar->GetPosition()) << "a notch up scrolls lines x increment";
  bar->SetPosition(30);
  EXPECT_EQ(120, ScrollAndTop(*form, SB_ENDSCROLL)) << "setting the position from code scrolls";
  dynamic_cast<TWinControl*>(Child(*form, "Low"))->SetFocus();
  EXPECT_EQ(0, ScrollAndTop(*form, SB_ENDSCROLL)) << "focused, a control taller than the client area shows its top";

  // A control placed farther down grows the range; growing the form until all fits hides the bar
  // and brings every control back to its place.
  Child(*form, "Note")->SetTop(480 - 150);
  EXPECT_EQ(493, bar->GetRange());
  EXPECT_EQ(492, BarInfo(*form, SB_VERT).nMax);
  form->SetClientHeight(500);
  EXPECT_FALSE(HasStyle(*form, WS_VSCROLL));
  EXPECT_EQ(0, bar->GetPosition());
  EXPECT_EQ(150, Child(*form, "Low")->GetTop());
  EXPECT_EQ(480, Child(*form, "Note")->GetTop());
  form->SetClientWidth(60);
  EXPECT_TRUE(HasStyle(*form, WS_HSCROLL));
  EXPECT_EQ(109, BarInfo(*form, SB_HORZ).nMax);
  form->Hide();
}

TEST(Scrolling, WithoutAutoScrollOnlyASetRangeShowsABar) {
  std::unique_ptr<TForm> form = TallForm("");
  form->Show();
  EXPECT_EQ(150, ScrollAndTop(*form, SB_BOTTOM));
  form->SetClientHeight(100);
  form->SetClientWidth(50);
  EXPECT_FALSE(HasStyle(*form, WS_VSCROLL) || HasStyle(*form, WS_HSCROLL)) << "no range, no bar";

  form->GetVertScrollBar()->SetRange(600);
  EXPECT_TRUE(HasStyle(*form, WS_VSCROLL));
  EXPECT_EQ(599, BarInfo(*form, SB_VERT).nMax);
  EXPECT_EQ(150 - 500, ScrollAndTop(*form, SB_BOTTOM));
  form->GetVertScrollBar()->SetVisible(false);
  EXPECT_FALSE(HasStyle(*form, WS_VSCROLL));
  EXPECT_EQ(150, Child(*form, "Low")->GetTop()) << "a bar that goes away scrolls back";
  form->Hide();
}

TEST(Scrolling, ScrollBarsTravelInFormFilesAndDefaultsStayUnwritten) {
  String plain = WriteComponentToText(TallForm("").get());
  for (const char* name : {"AutoScroll", "HorzScrollBar", "VertScrollBar"}) EXPECT_EQ(String::npos, plain.find(name)) << name;

  const char text[] =
      "object Scroller: TForm\r\n  Left = 0\r\n  Top = 0\r\n  AutoScroll = True\r\n  Caption = 'Scroller'\r\n"
      "  ClientHeight = 200\r\n  ClientWidth = 300\r\n"
      "  Font.Charset = DEFAULT_CHARSET\r\n  Font.Color = clWindowText\r\n  Font.Height = -11\r\n"
      "  Font.Name = 'MS Sans Serif'\r\n  Font.Style = []\r\n  HorzScrollBar.ButtonSize = 10\r\n  HorzScrollBar.Increment = 16\r\n"
      "  HorzScrollBar.Margin = 4\r\n  HorzScrollBar.Smooth = True\r\n  HorzScrollBar.Tracking = True\r\n"
      "  VertScrollBar.Color = clRed\r\n  VertScrollBar.ParentColor = False\r\n  VertScrollBar.Size = 12\r\n"
      "  VertScrollBar.Style = ssFlat\r\n  VertScrollBar.ThumbSize = 9\r\n  VertScrollBar.Visible = False\r\n"
      "  object Inner: TFrame\r\n    Left = 0\r\n    Top = 0\r\n    Width = 200\r\n    Height = 100\r\n"
      "    HorzScrollBar.Range = 600\r\n    TabOrder = 0\r\n  end\r\nend\r\n";
  std::unique_ptr<TForm> form = ReadForm(text);
  EXPECT_EQ(text, WriteComponentToText(form.get())) << "ranges that follow the children are not written";
  EXPECT_EQ(204, form->GetHorzScrollBar()->GetRange());

  // Older files set a range, then say AutoScroll = False: the range holds.
  std::unique_ptr<TForm> old = ReadForm("object Old: TForm\r\n  VertScrollBar.Range = 900\r\n  AutoScroll = False\r\nend\r\n");
  EXPECT_EQ(900, old->GetVertScrollBar()->GetRange());
  std::unique_ptr<TForm> dense = ReadForm("object Dense: TForm\r\n  PixelsPerInch = 120\r\n  VertScrollBar.Range = 600\r\nend\r\n");
  EXPECT_EQ(MulDiv(600, Screen->GetPixelsPerInch(), 120), dense->GetVertScrollBar()->GetRange()) << "scaled with the form";
}
