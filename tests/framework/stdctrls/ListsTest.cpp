// TComboBox, TListBox and TCheckListBox: items kept in the window and across its re-creation,
// selection through the notifications the controls send, keys from the combo box's edit, and
// the check boxes of a check list.
#include <gtest/gtest.h>

#include "tests/framework/stdctrls/TestStdCtrls.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

class Lists : public ::testing::Test {
 protected:
  void SetUp() override { form = new TStdCtrlsTestForm(Application); }
  void TearDown() override {
    form->Free();
    Pump();
  }
  TStdCtrlsTestForm* form = nullptr;
};

std::vector<String> ItemsOf(TStrings* items) {
  std::vector<String> list;
  for (int i = 0; i < items->GetCount(); ++i) list.push_back(items->Get(i));
  return list;
}

TObject* Tag(intptr_t n) { return reinterpret_cast<TObject*>(n); }

}  // namespace

TEST_F(Lists, ComboItemsSelectionAndObjectsSurviveANewWindow) {
  TComboBox* combo = form->CityCombo;
  combo->GetItems()->PutObject(2, Tag(7));  // Vienna
  combo->SetItemIndex(2);
  HWND before = combo->GetHandle();
  combo->SetStyle(csDropDownList);
  EXPECT_NE(before, combo->GetHandle());
  EXPECT_EQ((std::vector<String>{"Berlin", "Paris", "Vienna"}), ItemsOf(combo->GetItems()));
  EXPECT_EQ(2, combo->GetItemIndex());
  EXPECT_EQ("Vienna", combo->GetText());
  EXPECT_EQ(Tag(7), combo->GetItems()->GetObject(2));
  combo->SetSorted(false);
  combo->GetItems()->Add("Athens");
  EXPECT_EQ("Athens", combo->GetItems()->Get(3)) << "unsorted: added at the end";
  combo->SetSorted(true);
  EXPECT_EQ((std::vector<String>{"Athens", "Berlin", "Paris", "Vienna"}), ItemsOf(combo->GetItems()));
  // A drop-down list's text picks the item of that text, or none.
  combo->SetText("paris");
  EXPECT_EQ(2, combo->GetItemIndex());
  combo->SetText("Rome");
  EXPECT_EQ(-1, combo->GetItemIndex());
  EXPECT_EQ("", combo->GetText());
  EXPECT_EQ((std::vector<String>{}), form->Logged("change")) << "changes by code are not the user's";
}

TEST_F(Lists, ItemsOfAControlWithoutAParentAreKeptUntilItHasAWindow) {
  TListBox* list = new TListBox(nullptr);
  list->SetSorted(true);
  list->GetItems()->Add("pear");
  list->GetItems()->Add("Apple");
  list->GetItems()->AddObject("fig", Tag(3));
  EXPECT_EQ((std::vector<String>{"Apple", "fig", "pear"}), ItemsOf(list->GetItems()));
  list->SetItemIndex(1);
  EXPECT_EQ(1, list->GetItemIndex());
  EXPECT_FALSE(list->HandleAllocated());
  list->SetParent(form);
  EXPECT_EQ(3, SendMessageA(list->GetHandle(), LB_GETCOUNT, 0, 0));
  EXPECT_EQ(1, SendMessageA(list->GetHandle(), LB_GETCURSEL, 0, 0));
  EXPECT_EQ(Tag(3), list->GetItems()->GetObject(1));
  list->SetParent(nullptr);  // the window goes; the items stay
  EXPECT_FALSE(list->HandleAllocated());
  EXPECT_EQ((std::vector<String>{"Apple", "fig", "pear"}), ItemsOf(list->GetItems()));
  EXPECT_EQ(1, list->GetItemIndex());
  list->Free();
}

TEST_F(Lists, PickingFromADropDownListRaisesSelectOrChange) {
  form->Show();
  TComboBox* combo = form->ColorCombo;
  combo->SetFocus();
  PressKey(VK_DOWN);  // the list moves to the next item and tells its parent CBN_SELCHANGE
  EXPECT_EQ("Blue", combo->GetText());
  EXPECT_EQ((std::vector<String>{"select ColorCombo Blue"}), form->Logged("select"));
  EXPECT_EQ((std::vector<String>{}), form->Logged("change")) << "OnSelect takes the place of OnChange";
  combo->SetOnSelect(TNotifyEvent());
  PressKey(VK_UP);
  EXPECT_EQ((std::vector<String>{"change ColorCombo Green"}), form->Logged("change"));
  int clicks = 0;
  combo->SetOnClick([&](TObject*) { ++clicks; });
  PressKey(VK_UP);
  EXPECT_EQ(1, clicks);
}

TEST_F(Lists, TheDroppedDownListShowsDropDownCountItemsAndKeepsEnter) {
  form->Show();
  TComboBox* combo = form->ColorCombo;
  combo->SetDropDownCount(2);
  combo->SetFocus();
  combo->SetDroppedDown(true);
  EXPECT_TRUE(combo->GetDroppedDown());
  EXPECT_EQ((std::vector<String>{"dropdown ColorCombo"}), form->Logged("dropdown"));
  RECT client;
  GetClientRect(combo->GetListHandle(), &client);
  EXPECT_EQ(2 * combo->GetItemHeight(), client.bottom);
  // Enter closes the list; it does not press the form's default button.
  PressKey(VK_RETURN);
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ((std::vector<String>{}), form->Logged("click OkButton"));
  // All items fit without scrolling when the count allows it.
  combo->SetDropDownCount(8);
  combo->SetDroppedDown(true);
  GetClientRect(combo->GetListHandle(), &client);
  EXPECT_EQ(3 * combo->GetItemHeight(), client.bottom);
  EXPECT_FALSE(GetWindowLongA(combo->GetListHandle(), GWL_STYLE) & WS_VSCROLL) << "no scroll bar shown";
  combo->SetDroppedDown(false);
}

TEST_F(Lists, TheEditOfADropDownComboDeliversItsKeysAndFocus) {
  form->Show();
  TComboBox* combo = form->CityCombo;
  ASSERT_NE(nullptr, combo->GetEditHandle());
  combo->SetFocus();
  EXPECT_EQ(combo->GetEditHandle(), GetFocus());
  EXPECT_TRUE(combo->Focused());
  EXPECT_EQ(combo, form->GetActiveControl());
  combo->SelectAll();
  form->log.clear();
  PressKey('R');
  EXPECT_EQ((std::vector<String>{"keydown CityCombo 82", "press CityCombo r", "change CityCombo r"}), form->log);
  TypeText("ome");
  EXPECT_EQ("rome", combo->GetText());
  EXPECT_EQ("change CityCombo rome", form->log.back());
  // Enter in the edit is the form's: the default button takes it.
  PressKey(VK_RETURN);
  EXPECT_EQ((std::vector<String>{"click OkButton"}), form->Logged("click"));
  // Picking an item puts its text into the edit before OnChange tells of it.
  form->log.clear();
  PressKey(VK_DOWN);
  EXPECT_EQ(combo->GetItems()->Get(combo->GetItemIndex()), combo->GetText());
  EXPECT_EQ("change CityCombo " + combo->GetText(), form->Logged("change").back());
  // The edit is a new one after a re-creation, and still delivers its keys.
  combo->SetSorted(false);
  combo->SetFocus();
  form->log.clear();
  TypeText("x");
  EXPECT_EQ("press CityCombo x", form->Logged("press").at(0));
}

TEST_F(Lists, AListBoxTellsOfSelectionsByMouseAndKeyboard) {
  form->Show();
  TListBox* list = form->FruitList;
  int h = list->GetItemHeight();
  PressAt(list->GetHandle(), 10, h + h / 2);
  EXPECT_EQ(1, list->GetItemIndex());
  EXPECT_EQ((std::vector<String>{"click FruitList Banana"}), form->Logged("click"));
  EXPECT_TRUE(list->Focused());
  PressKey(VK_DOWN);
  EXPECT_EQ("click FruitList Cherry", form->Logged("click").back());
  SendMessageA(list->GetHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, h / 2));
  EXPECT_EQ((std::vector<String>{"dblclick FruitList"}), form->Logged("dblclick")) << "one event for one double click";
  EXPECT_EQ(0, list->ItemAtPos(Point(10, h / 2), true));
  EXPECT_EQ(-1, list->ItemAtPos(Point(10, 5 * h + 2), true));
  EXPECT_EQ(4, list->ItemAtPos(Point(10, 5 * h + 2), false));
  // Selecting by code raises nothing.
  form->log.clear();
  list->SetItemIndex(3);
  EXPECT_TRUE(form->log.empty());
  EXPECT_THROW(list->GetSelected(4), EListError);
}

TEST_F(Lists, AMultiSelectListKeepsItsSelectionAcrossANewWindow) {
  TListBox* list = form->FruitList;
  list->SetMultiSelect(true);
  list->SetSelected(0, true);
  list->SetSelected(2, true);
  EXPECT_EQ(2, list->GetSelCount());
  list->SetExtendedSelect(false);  // another window
  EXPECT_TRUE(list->GetSelected(0));
  EXPECT_FALSE(list->GetSelected(1));
  EXPECT_TRUE(list->GetSelected(2));
  EXPECT_TRUE(GetWindowLongA(list->GetHandle(), GWL_STYLE) & LBS_MULTIPLESEL);
  list->GetItems()->Delete(0);
  EXPECT_EQ(1, list->GetSelCount());
  list->Clear();
  EXPECT_EQ(0, list->GetItems()->GetCount());
}

TEST_F(Lists, ACheckListTogglesTheBoxUnderAClickOrSpace) {
  form->Show();
  TCheckListBox* list = form->FeatureList;
  int h = list->GetItemHeight();
  PressAt(list->GetHandle(), 5, h + h / 2);  // the box of the second item
  EXPECT_TRUE(list->GetChecked(1));
  EXPECT_EQ((std::vector<String>{"clickcheck FeatureList"}), form->Logged("clickcheck"));
  PressAt(list->GetHandle(), TCheckListBox::CheckWidth() + 20, h / 2);  // the text of the first
  EXPECT_FALSE(list->GetChecked(0)) << "a click on the text only selects";
  EXPECT_EQ(0, list->GetItemIndex());
  PressKey(VK_SPACE);
  EXPECT_TRUE(list->GetChecked(0));
  EXPECT_EQ(2u, form->Logged("clickcheck").size());
  list->SetAllowGrayed(true);
  std::vector<TCheckBoxState> states;
  for (int i = 0; i < 3; ++i) {
    PressKey(VK_SPACE);
    states.push_back(list->GetState(0));
  }
  EXPECT_EQ((std::vector<TCheckBoxState>{cbUnchecked, cbGrayed, cbChecked}), states);
  list->SetItemEnabled(2, false);
  PressAt(list->GetHandle(), 5, 2 * h + h / 2);
  EXPECT_FALSE(list->GetChecked(2)) << "a disabled item keeps its state";
  EXPECT_THROW(list->GetState(3), EListError);
}

TEST_F(Lists, CheckStatesFollowTheirItemsAndKeepTheItemsObjects) {
  TCheckListBox* list = form->FeatureList;
  TStrings* items = list->GetItems();
  list->SetChecked(1, true);               // Grammar
  items->PutObject(1, Tag(42));
  list->SetState(2, cbGrayed);             // Hyphenation
  items->Insert(0, "Capitals");
  EXPECT_EQ((std::vector<bool>{false, false, true, false}),
            (std::vector<bool>{list->GetChecked(0), list->GetChecked(1), list->GetChecked(2), list->GetChecked(3)}));
  EXPECT_EQ(cbGrayed, list->GetState(3));
  EXPECT_EQ(Tag(42), items->GetObject(2)) << "the object is the item's own, not the state";
  items->Exchange(2, 3);
  EXPECT_EQ(cbGrayed, list->GetState(2));
  EXPECT_TRUE(list->GetChecked(3));
  list->SetSorted(true);  // a new window, sorted
  EXPECT_EQ((std::vector<String>{"Capitals", "Grammar", "Hyphenation", "Spelling"}), ItemsOf(items));
  EXPECT_TRUE(list->GetChecked(1));
  EXPECT_EQ(Tag(42), items->GetObject(1));
  EXPECT_EQ(cbGrayed, list->GetState(2));
  items->Delete(1);
  EXPECT_EQ(cbGrayed, list->GetState(1));
  EXPECT_FALSE(list->GetChecked(0));
  items->Clear();
  items->Add("again");
  EXPECT_EQ(cbUnchecked, list->GetState(0));
  EXPECT_EQ(nullptr, items->GetObject(0));
}

TEST_F(Lists, OwnerDrawnListsMeasureAndDrawTheirItemsThroughTheirEvents) {
  TListBox* list = form->FruitList;
  std::vector<int> measured;
  std::vector<String> drawn;
  list->SetOnMeasureItem([&](TWinControl* control, int index, int& height) {
    EXPECT_EQ(list, control);
    measured.push_back(index);
    height = 10 + 5 * index;
  });
  list->SetOnDrawItem([&](TWinControl*, int index, TRect rect, TOwnerDrawState state) {
    drawn.push_back(Format("%d:%d%s", index, static_cast<int>(rect.bottom - rect.top), state.Contains(odSelected) ? "s" : ""));
    list->GetCanvas()->FillRect(rect);
  });
  list->SetStyle(lbOwnerDrawVariable);  // a new window: every item is measured as it comes back
  EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), measured);
  EXPECT_EQ(15, list->ItemRect(1).bottom - list->ItemRect(1).top);
  list->SetItemIndex(1);
  form->Show();
  drawn.clear();
  RedrawWindow(list->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ((std::vector<String>{"0:10", "1:15s", "2:20", "3:25"}), drawn);

  // A fixed owner-drawn combo box draws its items and its selection field the same way.
  TComboBox* combo = form->ColorCombo;
  std::vector<String> comboDrawn;
  combo->SetItemHeight(18);
  combo->SetStyle(csOwnerDrawFixed);
  combo->SetOnDrawItem([&](TWinControl*, int index, TRect rect, TOwnerDrawState state) {
    comboDrawn.push_back(Format("%d:%d%s", index, static_cast<int>(rect.bottom - rect.top),
                                state.Contains(odComboBoxEdit) ? "e" : ""));
  });
  EXPECT_EQ(18, combo->GetItemHeight());
  EXPECT_EQ(18, SendMessageA(combo->GetHandle(), CB_GETITEMHEIGHT, 0, 0));
  RedrawWindow(combo->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_FALSE(comboDrawn.empty());
  EXPECT_EQ("1:18e", comboDrawn.back()) << "the selected item in the selection field";
}
