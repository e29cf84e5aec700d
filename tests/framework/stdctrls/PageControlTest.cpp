// TPageControl and TTabSheet: pages and tabs, switching by tab clicks and from code, events.
#include <gtest/gtest.h>

#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "tests/support/ControlPictures.h"

#include <commctrl.h>

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

class PageControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 400, 300);
    pages = new TPageControl(form);
    pages->SetParent(form);
    pages->SetBounds(10, 10, 300, 200);
    for (const char* caption : {"First", "Second", "Third"}) {
      auto* sheet = new TTabSheet(form);
      sheet->SetPageControl(pages);
      sheet->SetCaption(caption);
      sheets.push_back(sheet);
    }
    pages->SetOnChange([this](TObject*) { log.push_back(Format("change to %d", pages->GetActivePageIndex())); });
    pages->SetOnChanging([this](TObject*, bool& allow) {
      log.push_back(Format("changing from %d", pages->GetActivePageIndex()));
      allow = allowChange;
    });
  }
  void TearDown() override {
    if (form) form->Free();
  }

  String TabText(int index) {
    char text[64] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(pages->GetHandle(), TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
  }
  // Clicks the middle of a tab as the mouse would.
  void ClickTab(int index) {
    RECT r;
    SendMessageA(pages->GetHandle(), TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    ClickAt(pages->GetHandle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }

  TForm* form = nullptr;
  TPageControl* pages = nullptr;
  std::vector<TTabSheet*> sheets;
  std::vector<String> log;
  bool allowChange = true;
};

}  // namespace

TEST_F(PageControlTest, PagesHaveTabsAndOnlyTheActiveOneIsVisible) {
  form->Show();
  ASSERT_EQ(3, pages->GetPageCount());
  EXPECT_EQ(sheets[1], pages->GetPages(1));
  EXPECT_THROW(pages->GetPages(3), EListError);
  EXPECT_EQ(3, SendMessageA(pages->GetHandle(), TCM_GETITEMCOUNT, 0, 0));
  EXPECT_EQ("Second", TabText(1));
  EXPECT_EQ(sheets[0], pages->GetActivePage()) << "the first page shows until another is chosen";
  EXPECT_EQ(0, pages->GetTabIndex());
  EXPECT_TRUE(IsWindowVisible(sheets[0]->GetHandle()));
  EXPECT_FALSE(IsWindowVisible(sheets[1]->GetHandle()));
  EXPECT_EQ(pages, sheets[2]->GetPageControl());
  EXPECT_EQ(2, sheets[2]->GetPageIndex());
  // The page fills the display area below the tabs.
  TRect display = pages->GetDisplayRect();
  EXPECT_EQ(display.left, sheets[0]->GetLeft());
  EXPECT_EQ(display.top, sheets[0]->GetTop());
  EXPECT_GT(display.top, 10);
  EXPECT_EQ(display.right - display.left, sheets[0]->GetWidth());
  // A caption change reaches the tab.
  sheets[1]->SetCaption("Renamed");
  EXPECT_EQ("Renamed", TabText(1));
}

TEST_F(PageControlTest, ClickingATabAsksOnChangingThenSwitchesAndRaisesOnChange) {
  form->Show();
  ClickTab(2);
  EXPECT_EQ(sheets[2], pages->GetActivePage());
  EXPECT_TRUE(sheets[2]->GetVisible());
  EXPECT_FALSE(sheets[0]->GetVisible());
  EXPECT_EQ((std::vector<String>{"changing from 0", "change to 2"}), log);

  log.clear();
  allowChange = false;
  ClickTab(1);
  EXPECT_EQ(sheets[2], pages->GetActivePage()) << "OnChanging refused";
  EXPECT_EQ(2, pages->GetTabIndex());
  EXPECT_EQ((std::vector<String>{"changing from 2"}), log);
}

TEST_F(PageControlTest, SettingThePageFromCodeRaisesNoEventsButSelectNextPageDoes) {
  std::vector<String> shown;
  sheets[1]->SetOnShow([&](TObject*) { shown.push_back("show Second"); });
  sheets[0]->SetOnHide([&](TObject*) { shown.push_back("hide First"); });
  pages->SetActivePage(sheets[1]);
  EXPECT_EQ(1, pages->GetTabIndex());
  EXPECT_TRUE(log.empty());
  EXPECT_EQ((std::vector<String>{"show Second", "hide First"}), shown);

  pages->SelectNextPage(true);
  EXPECT_EQ(sheets[2], pages->GetActivePage());
  pages->SelectNextPage(true);
  EXPECT_EQ(sheets[0], pages->GetActivePage()) << "wraps around at the end";
  pages->SelectNextPage(false);
  EXPECT_EQ(sheets[2], pages->GetActivePage());
  EXPECT_EQ((std::vector<String>{"changing from 1", "change to 2", "changing from 2", "change to 0",
                                 "changing from 0", "change to 2"}),
            log);

  pages->SetActivePageIndex(7);
  EXPECT_EQ(2, pages->GetActivePageIndex()) << "an index out of range changes nothing";
  TPageControl stranger(nullptr);
  TTabSheet foreign(nullptr);
  foreign.SetPageControl(&stranger);
  pages->SetActivePage(&foreign);
  EXPECT_EQ(sheets[2], pages->GetActivePage()) << "a page of another control is not taken";
  pages->SetActivePage(nullptr);
  EXPECT_EQ(nullptr, pages->GetActivePage());
  EXPECT_EQ(-1, pages->GetTabIndex());
}

TEST_F(PageControlTest, CtrlTabTurnsThePagesFromInside) {
  auto* panel = new TPanel(form);  // something focusable on the first page
  panel->SetParent(sheets[0]);
  panel->SetTabStop(true);
  form->Show();
  pages->SetFocus();
  BYTE keys[256];
  GetKeyboardState(keys);
  BYTE saved = keys[VK_CONTROL];
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  form->Perform(CM_DIALOGKEY, VK_TAB, 0);
  keys[VK_CONTROL] = saved;
  SetKeyboardState(keys);
  EXPECT_EQ(sheets[1], pages->GetActivePage());
  EXPECT_EQ((std::vector<String>{"changing from 0", "change to 1"}), log);
}

TEST_F(PageControlTest, RemovingAndMovingPagesKeepsTabsInStep) {
  form->Show();
  pages->SetActivePage(sheets[1]);
  sheets[2]->SetPageIndex(0);
  EXPECT_EQ(sheets[2], pages->GetPages(0));
  EXPECT_EQ("Third", TabText(0));
  EXPECT_EQ(sheets[1], pages->GetActivePage());
  EXPECT_EQ(2, pages->GetTabIndex()) << "the selected tab follows the active page";

  delete sheets[1];  // the active page goes: the next one takes its place
  EXPECT_EQ(2, pages->GetPageCount());
  EXPECT_EQ(2, SendMessageA(pages->GetHandle(), TCM_GETITEMCOUNT, 0, 0));
  EXPECT_NE(nullptr, pages->GetActivePage());
  EXPECT_TRUE(pages->GetActivePage()->GetVisible());

  sheets[0]->SetPageControl(nullptr);
  EXPECT_EQ(1, pages->GetPageCount());
  EXPECT_EQ(nullptr, sheets[0]->GetParent());
  EXPECT_EQ(-1, sheets[0]->GetPageIndex());
}

TEST_F(PageControlTest, FreeingThePageControlFirstLeavesThePagesWhole) {
  form->Show();
  TPageControl* doomed = pages;
  pages = nullptr;
  delete doomed;
  EXPECT_EQ(nullptr, sheets[0]->GetPageControl());
  EXPECT_EQ(nullptr, sheets[0]->GetParent());
}

TEST_F(PageControlTest, HotTrackRecreatesTheTabControlWithItsTabs) {
  form->Show();
  pages->SetActivePage(sheets[2]);
  pages->SetHotTrack(true);
  EXPECT_TRUE(GetWindowLongA(pages->GetHandle(), GWL_STYLE) & TCS_HOTTRACK);
  EXPECT_EQ(3, SendMessageA(pages->GetHandle(), TCM_GETITEMCOUNT, 0, 0));
  EXPECT_EQ(2, pages->GetTabIndex());
  EXPECT_TRUE(IsWindowVisible(sheets[2]->GetHandle()));
}
