// TPopupMenu: shown at a screen point, an item chosen from the keyboard runs its OnClick; a
// dismissed menu or a disabled item runs nothing.
#include <gtest/gtest.h>

#include <vector>

#include "framework/Forms.h"
#include "framework/Menus.h"

using namespace Tovix;

namespace {

// The keys a user presses once the menu is on screen; the menu window is found by its class.
std::vector<WPARAM> pendingKeys;
bool menuSeen = false;
RECT menuRect{};

void CALLBACK PressKeysInMenu(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menu = FindWindowA("#32768", nullptr);
  if (!menu || !IsWindowVisible(menu)) return;  // not up yet: the timer comes again
  KillTimer(nullptr, id);
  menuSeen = true;
  GetWindowRect(menu, &menuRect);
  for (WPARAM key : pendingKeys) {
    PostMessageA(menu, WM_KEYDOWN, key, 1);
    PostMessageA(menu, WM_KEYUP, key, 0xC0000001);
  }
}

class PopupMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    menu = new TPopupMenu(Application);
    for (const char* caption : {"&One", "&Two", "T&hree"}) {
      auto* item = new TMenuItem(menu);
      item->SetCaption(caption);
      item->SetOnClick([this, caption](TObject* sender) {
        clicks.push_back(caption);
        EXPECT_EQ(caption, static_cast<TMenuItem*>(sender)->GetCaption());
      });
      menu->GetItems()->Add(item);
    }
    menu->SetOnPopup([this](TObject*) { clicks.push_back("popup"); });
  }
  void TearDown() override { menu->Free(); }

  void PopupPressing(std::vector<WPARAM> keys) {
    pendingKeys = std::move(keys);
    menuSeen = false;
    SetTimer(nullptr, 0, 20, PressKeysInMenu);
    menu->Popup(150, 120);
    ASSERT_TRUE(menuSeen);
  }

  TPopupMenu* menu = nullptr;
  std::vector<String> clicks;
};

}  // namespace

TEST_F(PopupMenuTest, TheChosenItemRunsItsOnClickAfterThePopupEvent) {
  PopupPressing({VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_EQ((std::vector<String>{"popup", "&Two"}), clicks);
  EXPECT_EQ(150, menuRect.left) << "shown at the point, left-aligned";
  EXPECT_EQ(120, menuRect.top);

  clicks.clear();
  PopupPressing({'H'});
  EXPECT_EQ((std::vector<String>{"popup", "T&hree"}), clicks) << "an accelerator chooses at once";
}

TEST_F(PopupMenuTest, EscapeAndDisabledItemsRunNothing) {
  PopupPressing({VK_ESCAPE});
  EXPECT_EQ((std::vector<String>{"popup"}), clicks);

  clicks.clear();
  menu->GetItems()->GetItems(0)->SetEnabled(false);
  PopupPressing({'O', VK_ESCAPE});
  EXPECT_EQ((std::vector<String>{"popup"}), clicks);
  menu->GetItems()->GetItems(0)->Click();
  EXPECT_EQ((std::vector<String>{"popup"}), clicks) << "Click of a disabled item does nothing";
}
