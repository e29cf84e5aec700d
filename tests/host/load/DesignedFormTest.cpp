// A program built on the static library, which knows nothing of the designer, opens the form
// the designer saved (tests/host) and shows it with every component working.
#include <gtest/gtest.h>

#include <memory>

#include "controls/Orvbtn.h"
#include "controls/Orvbtnedit.h"
#include "controls/Orvedit.h"
#include "controls/Orvtime.h"
#include "controls/Orvtrayicon.h"
#include "dialogs/Orvcommdlg.h"
#include "dialogs/Orvfolderbrowser.h"
#include "framework/Forms.h"
#include "tests/support/MessagePump.h"

using namespace Tovix;

TEST(DesignedForm, OpensAndShowsWhatTheDesignerSaved) {
  TStringList text;
  text.LoadFromFile(TOVIX_DESIGNED_FORM);
  std::unique_ptr<TComponent> made(CreateComponentFromText(text.GetText(), nullptr));
  auto* form = dynamic_cast<TForm*>(made.get());
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->GetComponentCount(), 11);
  const char* const names[] = {"OrvInternetLink1", "OrvOpenWaveDialog1", "OrvFolderBrowser1", "OrvEdit1",
                               "OrvTimePicker1",   "OrvWeekdaysCombo1",  "OrvBtnEdit1",       "OrvDirEdit1",
                               "OrvFileEdit1",     "OrvWaveEdit1",       "OrvTrayIcon1"};
  for (const char* name : names) EXPECT_NE(form->FindComponent(name), nullptr) << name;
  EXPECT_FALSE(form->IsDesigning());

  auto* edit = dynamic_cast<TOrvEdit*>(form->FindComponent("OrvEdit1"));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->GetAlignment(), taRightJustify);
  EXPECT_EQ(edit->GetText(), "Right");
  auto* link = dynamic_cast<TOrvInternetLink*>(form->FindComponent("OrvInternetLink1"));
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->GetUrl(), "tovix-designer:from-the-verb");
  auto* combo = dynamic_cast<TOrvWeekdaysCombo*>(form->FindComponent("OrvWeekdaysCombo1"));
  ASSERT_NE(combo, nullptr);

  // The tray icon was dropped at (500, 260) of the design form.
  EXPECT_EQ(form->FindComponent("OrvTrayIcon1")->GetDesignInfo(), (260 << 16) | 500);

  form->Show();
  Testing::PumpFor(200);
  EXPECT_TRUE(IsWindowVisible(edit->GetHandle()));
  EXPECT_EQ(combo->GetItems()->GetCount(), 2) << "Monday and Tuesday only";
  EXPECT_EQ(GetWindowLongA(edit->GetHandle(), GWL_STYLE) & ES_RIGHT, ES_RIGHT);
}
