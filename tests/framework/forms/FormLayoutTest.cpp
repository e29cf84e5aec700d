// Form and control layout from form files: anchors on resizing, size limits, forms designed at
// another pixel density, and the form properties designers write, read and written back.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Classes.h"
#include "framework/Forms.h"
#include "tests/framework/forms/ReadForm.h"

using namespace Tovix;
using Tovix::Testing::ReadForm;

namespace {

// Rectangles as text, so that a failure shows them.
String Rc(int left, int top, int right, int bottom) { return Format("(%d, %d, %d, %d)", left, top, right, bottom); }
String Rc(const TRect& r) { return Rc(r.left, r.top, r.right, r.bottom); }

String BoundsOf(TForm& form, const char* name) {
  return Rc(dynamic_cast<TControl*>(form.FindComponent(name))->GetBoundsRect());
}

const char kAnchored[] =
    "object Anchored: TForm\r\n"
    "  ClientHeight = 300\r\n"
    "  ClientWidth = 400\r\n"
    "  object Stretch: TPanel\r\n    Left = 10\r\n    Top = 10\r\n    Width = 380\r\n    Height = 50\r\n"
    "    Anchors = [akLeft, akTop, akRight]\r\n    TabOrder = 0\r\n"
    "    object Inner: TButton\r\n      Left = 300\r\n      Top = 10\r\n      Width = 70\r\n      Height = 30\r\n"
    "      Anchors = [akTop, akRight]\r\n      TabOrder = 0\r\n    end\r\n  end\r\n"
    "  object Corner: TButton\r\n    Left = 300\r\n    Top = 250\r\n    Width = 90\r\n    Height = 40\r\n"
    "    Anchors = [akRight, akBottom]\r\n    TabOrder = 1\r\n  end\r\n"
    "  object Middle: TButton\r\n    Left = 150\r\n    Top = 100\r\n    Width = 100\r\n    Height = 50\r\n"
    "    Anchors = []\r\n    TabOrder = 2\r\n  end\r\n"
    "  object Fixed: TButton\r\n    Left = 10\r\n    Top = 250\r\n    Width = 80\r\n    Height = 40\r\n    TabOrder = 3\r\n  end\r\n"
    "end\r\n";

}  // namespace

TEST(FormLayout, AnchoredControlsKeepTheirDistancesWhenTheParentResizes) {
  std::unique_ptr<TForm> form = ReadForm(kAnchored);
  auto expectLayout = [&](int dw, int dh) {
    SCOPED_TRACE(Format("grown by %d x %d", dw, dh));
    EXPECT_EQ(Rc(10, 10, 390 + dw, 60), BoundsOf(*form, "Stretch"));
    EXPECT_EQ(Rc(300 + dw, 10, 370 + dw, 40), BoundsOf(*form, "Inner")) << "anchored inside a stretched panel";
    EXPECT_EQ(Rc(300 + dw, 250 + dh, 390 + dw, 290 + dh), BoundsOf(*form, "Corner"));
    EXPECT_EQ(Rc(150 + dw / 2, 100 + dh / 2, 250 + dw / 2, 150 + dh / 2), BoundsOf(*form, "Middle"));
    EXPECT_EQ(Rc(10, 250, 90, 290), BoundsOf(*form, "Fixed"));
  };
  expectLayout(0, 0);
  form->SetClientWidth(500);
  form->SetClientHeight(361);
  expectLayout(100, 61);

  // With windows, the window's own resizing drives it; shrinking back restores every place.
  form->HandleNeeded();
  RECT frame = {0, 0, 0, 0};
  AdjustWindowRectEx(&frame, GetWindowLongA(form->GetHandle(), GWL_STYLE), FALSE, GetWindowLongA(form->GetHandle(), GWL_EXSTYLE));
  SetWindowPos(form->GetHandle(), nullptr, 0, 0, 360 + frame.right - frame.left, 280 + frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  expectLayout(-40, -20);
  form->SetClientWidth(400);
  form->SetClientHeight(300);
  expectLayout(0, 0);
  EXPECT_EQ(Rc(300, 10, 370, 40), [&] {
    RECT r;
    HWND inner = dynamic_cast<TWinControl*>(form->FindComponent("Inner"))->GetHandle();
    GetWindowRect(inner, &r);
    MapWindowPoints(nullptr, GetParent(inner), reinterpret_cast<POINT*>(&r), 2);
    return Rc(r);
  }()) << "the child window moved with the control";

  // Written back with the design sizes of the parents of far-anchored children, and read again
  // at a larger size, the design size is what the anchors measure from.
  String written = WriteComponentToText(form.get());
  EXPECT_NE(String::npos, written.find("  DesignSize = (\r\n    400\r\n    300)\r\n")) << written;
  EXPECT_NE(String::npos, written.find("    Anchors = [akRight, akBottom]\r\n"));
  EXPECT_EQ(written, WriteComponentToText(ReadForm(written).get()));
  String larger = written;
  larger.replace(larger.find("ClientHeight = 300"), 18, "ClientHeight = 330");
  EXPECT_EQ(Rc(300, 280, 390, 320), BoundsOf(*ReadForm(larger), "Corner"));
}

TEST(FormLayout, ConstraintsLimitSizesAndTravelInFormFiles) {
  std::unique_ptr<TForm> form = ReadForm(
      "object Limited: TForm\r\n"
      "  Constraints.MaxWidth = 600\r\n  Constraints.MinHeight = 200\r\n  Constraints.MinWidth = 300\r\n"
      "  object Box: TPanel\r\n    Width = 100\r\n    Height = 40\r\n    Constraints.MaxHeight = 50\r\n"
      "    Constraints.MinWidth = 120\r\n    TabOrder = 0\r\n  end\r\nend\r\n");
  TControl* box = dynamic_cast<TControl*>(form->FindComponent("Box"));
  EXPECT_EQ(120, box->GetWidth()) << "a size read below the minimum is raised to it";
  box->SetBounds(0, 0, 500, 500);
  EXPECT_EQ(Rc(0, 0, 500, 50), Rc(box->GetBoundsRect()));
  box->GetConstraints()->SetMaxWidth(80);
  EXPECT_EQ(80, box->GetWidth()) << "a new limit applies at once";
  EXPECT_EQ(80, box->GetConstraints()->GetMinWidth()) << "a maximum below the minimum lowers the minimum";

  form->SetBounds(0, 0, 100, 100);
  EXPECT_EQ(300, form->GetWidth());
  EXPECT_EQ(200, form->GetHeight());
  MINMAXINFO info{};
  SendMessageA(form->GetHandle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(300, info.ptMinTrackSize.x) << "the user cannot drag the window past its limits";
  EXPECT_EQ(200, info.ptMinTrackSize.y);
  EXPECT_EQ(600, info.ptMaxTrackSize.x);

  String written = WriteComponentToText(form.get());
  EXPECT_NE(String::npos, written.find("  Constraints.MaxWidth = 600\r\n  Constraints.MinHeight = 200\r\n  Constraints.MinWidth = 300\r\n"));
  EXPECT_NE(String::npos, written.find("    Constraints.MaxHeight = 50\r\n    Constraints.MaxWidth = 80\r\n    Constraints.MinWidth = 80\r\n"));
}

TEST(FormLayout, AFormDesignedAt120PixelsPerInchIsScaledToTheScreen) {
  const char text[] =
      "object Dense: TForm\r\n  ClientHeight = 250\r\n  ClientWidth = 500\r\n  Font.Height = -15\r\n"
      "  PixelsPerInch = 120\r\n  TextHeight = 16\r\n"
      "  object Go: TButton\r\n    Left = 100\r\n    Top = 50\r\n    Width = 150\r\n    Height = 30\r\n    TabOrder = 0\r\n  end\r\n"
      "  object Box: TPanel\r\n    Left = 10\r\n    Top = 100\r\n    Width = 200\r\n    Height = 100\r\n"
      "    Constraints.MinWidth = 150\r\n    Font.Height = -20\r\n    ParentFont = False\r\n    TabOrder = 1\r\n"
      "    object Inner: TButton\r\n      Left = 20\r\n      Top = 20\r\n      Width = 50\r\n      Height = 25\r\n      TabOrder = 0\r\n    end\r\n"
      "  end\r\nend\r\n";
  int ppi = Screen->GetPixelsPerInch();
  auto scaled = [ppi](int v) { return MulDiv(v, ppi, 120); };
  std::unique_ptr<TForm> form = ReadForm(text);
  EXPECT_EQ(scaled(500), form->GetClientWidth());
  EXPECT_EQ(scaled(250), form->GetClientHeight());
  EXPECT_EQ(scaled(-15), form->GetFont()->GetHeight());
  EXPECT_EQ(Rc(scaled(100), scaled(50), scaled(100) + scaled(150), scaled(50) + scaled(30)), BoundsOf(*form, "Go"));
  EXPECT_EQ(scaled(-15), dynamic_cast<TControl*>(form->FindComponent("Go"))->GetFont()->GetHeight()) << "follows the form";
  auto* box = dynamic_cast<TControl*>(form->FindComponent("Box"));
  EXPECT_EQ(Rc(scaled(10), scaled(100), scaled(10) + scaled(200), scaled(100) + scaled(100)), Rc(box->GetBoundsRect()));
  EXPECT_EQ(scaled(-20), box->GetFont()->GetHeight());
  EXPECT_EQ(scaled(150), box->GetConstraints()->GetMinWidth());
  EXPECT_EQ(Rc(scaled(20), scaled(20), scaled(20) + scaled(50), scaled(20) + scaled(25)), BoundsOf(*form, "Inner"));
  EXPECT_EQ(ppi, form->GetPixelsPerInch()) << "the form now says the density it is at";
  EXPECT_EQ(scaled(16), form->GetTextHeight());

  String unscaledText = text;
  unscaledText.insert(unscaledText.find("  TextHeight"), "  Scaled = False\r\n");
  std::unique_ptr<TForm> unscaled = ReadForm(unscaledText);
  EXPECT_EQ(500, unscaled->GetClientWidth());
  EXPECT_EQ(Rc(100, 50, 250, 80), BoundsOf(*unscaled, "Go"));
  String written = WriteComponentToText(unscaled.get());
  EXPECT_NE(String::npos, written.find("  PixelsPerInch = 120\r\n  Scaled = False\r\n  TextHeight = 16\r\n")) << written;
}

TEST(FormLayout, DesignerFormPropertiesAreReadAndWrittenBackAndDefaultsStayUnwritten) {
  String plain = WriteComponentToText(std::make_unique<TForm>(nullptr).get());
  for (const char* name : {"Constraints", "DefaultMonitor", "FormStyle", "OldCreateOrder", "ParentFont", "PixelsPerInch",
                           "Scaled", "TextHeight", "Visible", "DesignSize", "Anchors"})
    EXPECT_EQ(String::npos, plain.find(name)) << name;

  const char text[] =
      "object Owned: TForm\r\n  Left = 100\r\n  Top = 100\r\n  HelpContext = 7\r\n  ClientHeight = 100\r\n  ClientWidth = 200\r\n"
      "  DefaultMonitor = dmMainForm\r\n  FormStyle = fsStayOnTop\r\n  OldCreateOrder = True\r\n  ParentFont = True\r\n"
      "  Position = poOwnerFormCenter\r\n  TextHeight = 13\r\nend\r\n";
  std::unique_ptr<TForm> form = ReadForm(text);
  EXPECT_EQ(text, WriteComponentToText(form.get()));
  EXPECT_TRUE(form->GetParentFont());
  form->HandleNeeded();
  EXPECT_TRUE(GetWindowLongA(form->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  form->SetFormStyle(fsNormal);
  EXPECT_FALSE(GetWindowLongA(form->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_THROW(ReadForm("object F: TForm\r\n  FormStyle = fsMDIChild\r\nend\r\n"), EReadError);

  // Centred on the form that owns it, and shown because the file says Visible.
  auto owner = std::make_unique<TForm>(nullptr);
  owner->SetBounds(100, 80, 400, 300);
  owner->Show();
  auto* dialog = new TForm(owner.get());
  ReadComponentFromText("object Dialog: TForm\r\n  Position = poOwnerFormCenter\r\n  Visible = True\r\nend\r\n", dialog);
  EXPECT_TRUE(dialog->GetVisible());
  EXPECT_EQ(100 + (400 - dialog->GetWidth()) / 2, dialog->GetLeft());
  EXPECT_EQ(80 + (300 - dialog->GetHeight()) / 2, dialog->GetTop());
  dialog->Hide();
  owner->Hide();
}
