// Button edits in form files, in pictures, and made and freed a thousand times.
#include <gtest/gtest.h>

#include "controls/Orvbtnedit.h"
#include "controls/Orvedit.h"
#include "framework/ClassesFiler.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "screenshots/Screenshots.h"
#include "tests/controls/BtnEditTestSupport.h"
#include "tests/support/ResourceCounts.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

// Whether every pixel of glyph except those of its bottom-left (transparent) colour appears in
// the picture at one offset.
bool PictureShowsGlyph(const TScreenshot& picture, TBitmap& glyph) {
  HDC dc = glyph.GetCanvas()->GetHandle();
  int w = glyph.GetWidth(), h = glyph.GetHeight();
  COLORREF transparent = GetPixel(dc, 0, h - 1);
  for (int oy = 0; oy + h <= picture.GetHeight(); ++oy)
    for (int ox = 0; ox + w <= picture.GetWidth(); ++ox) {
      bool all = true;
      for (int y = 0; y < h && all; ++y)
        for (int x = 0; x < w && all; ++x) {
          COLORREF c = GetPixel(dc, x, y);
          if (c != transparent && static_cast<COLORREF>(picture.GetPixel(ox + x, oy + y)) != c) all = false;
        }
      if (all) return true;
    }
  return false;
}

}  // namespace

TEST(BtnEditForm, EveryPublishedPropertyReadsAndWritesBackTheSame) {
  auto* form = new TForm(Application);
  form->SetName("Host");
  auto* edit = new TOrvBtnEdit(form);
  edit->SetName("Value");
  edit->SetParent(form);
  edit->SetBounds(5, 6, 180, 24);
  edit->SetTag(3);
  edit->SetHint("hint");
  edit->SetHelpContext(77);
  edit->SetTabStop(false);
  edit->SetAlignment(taCenter);
  edit->SetAutoSelect(false);
  edit->SetBorderStyle(bsNone);
  edit->SetBtnHint("Pick one");
  edit->SetCharCase(ecUpperCase);
  edit->SetClickKey(0x4041);
  edit->SetColor(clYellow);
  edit->SetCtl3D(false);
  edit->SetDirectInput(false);
  edit->SetDragCursor(crHandPoint);
  edit->SetDragMode(dmAutomatic);
  edit->SetEditMask("999;1;_");
  edit->SetEnabled(false);
  edit->GetFont()->SetSize(12);
  edit->SetBtnType(btEllipsis);
  edit->SetBtnWidth(30);
  edit->SetHideSelection(false);
  edit->SetImeMode(imClose);
  edit->SetImeName("Some IME");
  edit->SetMaxLength(20);
  edit->SetOEMConvert(true);
  edit->SetParentShowHint(false);
  edit->SetShowHint(true);
  edit->SetReadOnly(true);
  edit->SetText("123");
  edit->SetVisible(false);
  String text = WriteComponentToText(form);
  for (const char* name : {"HelpContext = 77", "ButtonType = btEllipsis", "ButtonWidth = 30", "ImeMode = imClose",
                           "ClickKey = 16449", "DirectInput = False", "ButtonHint = 'Pick one'"})
    EXPECT_NE(String::npos, text.find(name)) << name;
  EXPECT_EQ(String::npos, text.find("ButtonBitmap")) << "a generated glyph is not stored";
  EXPECT_LT(text.find("ButtonType"), text.find("ButtonWidth"));

  form->Free();
  auto* again = new TForm(Application);
  ReadComponentFromText(text, again);
  EXPECT_EQ(text, WriteComponentToText(again));
  auto* read = dynamic_cast<TOrvBtnEdit*>(again->FindComponent("Value"));
  ASSERT_NE(nullptr, read);
  EXPECT_EQ(30, read->GetBtnWidth());
  EXPECT_EQ(30 - 6, read->GetBtnBitmap()->GetWidth()) << "the glyph follows the width read after the type";
  again->Free();
}

TEST(BtnEditForm, EachButtonTypeShowsItsGlyph) {
  auto* form = new TForm(Application);
  form->SetBounds(0, 0, 300, 100);
  auto* edit = new TOrvBtnEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 10, 150, 24);
  HINSTANCE module = GetModuleHandleA(nullptr);
  for (TOrvBtnEditBtnType type : {btEllipsis, btDropDown, btOpenFile, btDirectory}) {
    edit->SetBtnType(type);
    TBitmap expected;
    if (type == btEllipsis) {
      std::unique_ptr<TBitmap> dots(edit->CreateEllipsisBitmap());
      expected.Assign(dots.get());
    } else if (type == btDropDown) {
      expected.SetHandle(LoadBitmapA(nullptr, MAKEINTRESOURCEA(32738)));
    } else {
      expected.LoadFromResourceName(module, type == btOpenFile ? "TOrvBtnEdit_OpenFile" : "TOrvBtnEdit_Directory");
    }
    EXPECT_TRUE(PictureShowsGlyph(TakeScreenshot(edit->GetButton()), expected)) << "type " << type;
  }
  form->Free();
}

TEST(BtnEditForm, AThousandEditsOfEachKindLeaveNothingBehind) {
  TForm* form = new TForm(Application);
  form->HandleNeeded();
  int rounds = 0;
  auto round = [form, &rounds] {
    auto* button = new TOrvBtnEdit(form);
    button->SetParent(form);
    button->SetBtnType(btOpenFile);
    button->SetText("text");
    button->SetPathEllipsisText("C:\\some\\path\\file.txt");
    auto* popupEdit = new TPopupEdit(form);
    popupEdit->SetParent(form);
    popupEdit->SetBtnType(btEllipsis);
    popupEdit->PopupDropDown();
    popupEdit->PopupCloseUp(popupEdit, true);
    auto* aligned = new TOrvEdit(form);
    aligned->SetParent(form);
    aligned->SetAlignment(taRightJustify);
    aligned->HandleNeeded();
    // Painting every control is slow here; every 50th round paints, which shows a leak as well.
    if (rounds++ % 50 == 0) TakeScreenshot(form);
    button->Free();
    popupEdit->Free();
    aligned->Free();
  };
  round();
  int gdiObjects = CountGdiObjects();
  int windows = CountThreadWindows();
  for (int i = 0; i < 1000; ++i) round();
  EXPECT_EQ(gdiObjects, CountGdiObjects());
  EXPECT_EQ(windows, CountThreadWindows());
  form->Free();
}
