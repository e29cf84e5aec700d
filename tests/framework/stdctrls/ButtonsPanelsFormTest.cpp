// A form file holding one of each control: it loads, shows and survives the writer.
#include <gtest/gtest.h>

#include "framework/Buttons.h"
#include "framework/ClassesFiler.h"
#include "framework/ComCtrls.h"
#include "framework/Dialogs.h"
#include "framework/ExtCtrls.h"
#include "framework/Spin.h"
#include "framework/TypInfoBuilder.h"
#include "tests/support/ControlPictures.h"
#include "tests/support/ReviewShots.h"

#include <commctrl.h>

using namespace Tovix;
using namespace Tovix::Testing;

namespace Tovix::Testing {

// The form of DialogsTestForm.txt. Made empty; Load reads the form file.
class TDialogsTestForm : public TForm {
  TOVIX_DECLARE_CLASS(TDialogsTestForm)

 public:
  using TForm::TForm;
  static TDialogsTestForm* Load() {
    auto* form = new TDialogsTestForm(nullptr);
    form->ReadFormResource();
    return form;
  }

  TPanel* Toolbar = nullptr;
  TSpeedButton* OpenButton = nullptr;
  TPageControl* Pages = nullptr;
  TTabSheet* FirstSheet = nullptr;
  TTabSheet* SecondSheet = nullptr;
  TSpinEdit* Count = nullptr;
  TBitBtn* HelpButton = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;
  int pageChanges = 0;

  void PagesChange(TObject*) { ++pageChanges; }
};

TOVIX_IMPLEMENT_CLASS(TDialogsTestForm, TForm) {
  c.Field("Toolbar", &TDialogsTestForm::Toolbar);
  c.Field("OpenButton", &TDialogsTestForm::OpenButton);
  c.Field("Pages", &TDialogsTestForm::Pages);
  c.Field("FirstSheet", &TDialogsTestForm::FirstSheet);
  c.Field("SecondSheet", &TDialogsTestForm::SecondSheet);
  c.Field("Count", &TDialogsTestForm::Count);
  c.Field("HelpButton", &TDialogsTestForm::HelpButton);
  c.Field("OpenDialog1", &TDialogsTestForm::OpenDialog1);
  c.Method("PagesChange", &TDialogsTestForm::PagesChange);
}

}  // namespace Tovix::Testing

TEST(DialogsFormFile, LoadsEveryControlWithItsPropertiesAndShowsIt) {
  TDialogsTestForm* form = TDialogsTestForm::Load();
  ASSERT_TRUE(form->Toolbar && form->OpenButton && form->Pages && form->FirstSheet && form->SecondSheet &&
              form->Count && form->HelpButton && form->OpenDialog1);
  EXPECT_EQ(form->Toolbar, form->OpenButton->GetParent());
  EXPECT_EQ(bvLowered, form->Toolbar->GetBevelOuter());
  EXPECT_EQ(400, form->Toolbar->GetWidth()) << "aligned to the top";
  EXPECT_TRUE(form->OpenButton->GetDown()) << "Down is read after GroupIndex";
  EXPECT_TRUE(form->OpenButton->GetFlat());
  EXPECT_EQ(2, form->Pages->GetPageCount()) << "the sheets became pages through their parent";
  EXPECT_EQ(form->FirstSheet, form->Pages->GetPages(0));
  EXPECT_EQ(form->SecondSheet, form->Pages->GetActivePage());
  EXPECT_TRUE(form->Pages->GetHotTrack());
  EXPECT_EQ(form->FirstSheet, form->Count->GetParent());
  EXPECT_EQ(5, form->Count->GetValue());
  EXPECT_EQ(10, form->Count->GetMaxValue());
  EXPECT_EQ(bkHelp, form->HelpButton->GetKind());
  EXPECT_EQ("&Help", form->HelpButton->GetCaption());
  EXPECT_EQ("Open a text", form->OpenDialog1->GetTitle());
  EXPECT_EQ((TOpenOptions{ofHideReadOnly, ofFileMustExist}), form->OpenDialog1->GetOptions());

  form->Show();
  EXPECT_TRUE(IsWindowVisible(form->SecondSheet->GetHandle()));
  EXPECT_FALSE(IsWindowVisible(form->FirstSheet->GetHandle()));
  EXPECT_EQ(2, SendMessageA(form->Pages->GetHandle(), TCM_GETITEMCOUNT, 0, 0));
  form->Pages->SelectNextPage(true);
  EXPECT_EQ(1, form->pageChanges) << "the event was bound to the form's method";
  EXPECT_EQ(form->FirstSheet, form->Pages->GetActivePage());
  TScreenshot picture = TakeScreenshot(form);
  EXPECT_FALSE(picture.Empty());
  KeepForReview(form, "dialogs-form");
  form->Free();
}

TEST(DialogsFormFile, WritingAndReadingBackGivesTheSameFormFile) {
  TDialogsTestForm* original = TDialogsTestForm::Load();
  std::unique_ptr<TBitmap> glyph(MakeSquareGlyph(2));
  original->OpenButton->SetGlyph(glyph.get());
  original->Count->SetValue(7);
  String text = WriteComponentToText(original);
  EXPECT_NE(String::npos, text.find("object FirstSheet: TTabSheet")) << text;
  EXPECT_NE(String::npos, text.find("ActivePage = SecondSheet")) << text;
  EXPECT_NE(String::npos, text.find("Glyph.Data = {")) << text;
  EXPECT_NE(String::npos, text.find("NumGlyphs = 2")) << text;
  EXPECT_NE(String::npos, text.find("Kind = bkHelp")) << text;
  EXPECT_EQ(String::npos, text.find("Caption = '&Help'")) << "the kind's caption is not written";
  EXPECT_LT(text.find("object FirstSheet"), text.find("object SecondSheet")) << "pages in page order";

  auto* copy = new TDialogsTestForm(nullptr);
  ReadComponentFromText(text, copy);
  EXPECT_EQ(text, WriteComponentToText(copy));
  EXPECT_EQ(7, copy->Count->GetValue());
  EXPECT_EQ(32, copy->OpenButton->GetGlyph()->GetWidth());
  copy->Free();
  original->Free();
}
