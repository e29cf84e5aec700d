// Making, using and freeing each standard control 1,000 times leaves the process's GDI objects
// and windows where they were.
#include <gtest/gtest.h>

#include "screenshots/Screenshots.h"
#include "tests/support/ResourceCounts.h"
#include "tests/framework/stdctrls/TestStdCtrls.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

template <typename T>
T* Place(TWinControl* parent) {
  auto* control = new T(parent);
  control->SetParent(parent);
  return control;
}

// One round: every standard control on a group box of a lasting form, each with its window,
// items, states, selection and a font of its own; a list and a check list made again; all of it
// painted into a picture; then all freed with the group box. The form stays hidden: Wine makes
// windows of a hidden form ten times faster, and printing paints them all the same.
void UseControls(TForm* form) {
  auto* box = Place<TGroupBox>(form);
  box->SetCaption("&Round");
  box->SetBounds(0, 0, 300, 200);
  Place<TLabel>(box)->SetCaption("&Label");
  Place<TEdit>(box)->SetText("edit");
  Place<TMemo>(box)->GetLines()->Add("memo");
  auto* mask = Place<TMaskEdit>(box);
  mask->SetEditMask("00:00;1;_");
  mask->SetText("1234");
  Place<TButton>(box)->SetDefault(true);
  Place<TCheckBox>(box)->SetState(cbGrayed);
  auto* combo = Place<TComboBox>(box);
  combo->GetItems()->Add("one");
  combo->SetItemIndex(0);
  combo->GetFont()->SetSize(12);
  auto* list = Place<TListBox>(box);
  list->GetItems()->Add("one");
  list->SetMultiSelect(true);
  auto* checks = Place<TCheckListBox>(box);
  checks->GetItems()->AddObject("one", box);
  checks->SetState(0, cbChecked);
  checks->SetSorted(true);
  TakeScreenshot(box);
  box->Free();
}

}  // namespace

TEST(StdCtrlsLeaks, ThousandRoundsOfEveryControlLeaveNothingBehind) {
  TForm* form = new TForm(Application);
  form->HandleNeeded();
  UseControls(form);  // fills the system's caches (classes, fonts)
  int gdiObjects = CountGdiObjects();
  int windows = CountThreadWindows();
  for (int i = 0; i < 1000; ++i) UseControls(form);
  EXPECT_EQ(gdiObjects, CountGdiObjects());
  EXPECT_EQ(windows, CountThreadWindows());
  form->Free();
}
