// The Menus unit: menu items and popup menus.
#pragma once

#include <vector>

#include "framework/controls/Controls.h"

namespace Tovix {

TOVIX_DECLARE_EXCEPTION(EMenuError, Exception);

class TMenuItem : public TComponent {
  TOVIX_DECLARE_CLASS(TMenuItem)

 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const String& GetCaption() const { return caption_; }
  void SetCaption(const String& v) { caption_ = v; }
  bool GetEnabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  bool GetChecked() const { return checked_; }
  void SetChecked(bool v) { checked_ = v; }
  bool GetVisible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  bool GetDefault() const { return default_; }
  void SetDefault(bool v) { default_ = v; }
  TShortCut GetShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut v) { shortCut_ = v; }
  const TNotifyEvent& GetOnClick() const { return onClick_; }
  void SetOnClick(const TNotifyEvent& e) { onClick_ = e; }

  // Sub-items: a menu item with items is a submenu.
  int GetCount() const { return static_cast<int>(items_.size()); }
  TMenuItem* GetItems(int index) const;
  TMenuItem* operator[](int index) const { return GetItems(index); }
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Delete(int index);
  void Remove(TMenuItem* item);
  int IndexOf(const TMenuItem* item) const;
  TMenuItem* GetParent() const { return parent_; }
  // The item with that command number, here or below, or null.
  TMenuItem* FindCommand(unsigned command);
  unsigned GetCommand() const { return command_; }
  bool IsLine() const { return caption_ == "-"; }

  virtual void Click();

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;

  // Builds a system menu of the sub-items; the caller destroys it.
  HMENU CreatePopupHandle();

 private:
  void AppendTo(HMENU menu);

  String caption_;
  bool enabled_ = true;
  bool checked_ = false;
  bool visible_ = true;
  bool default_ = false;
  TShortCut shortCut_ = 0;
  unsigned command_;
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;
  TNotifyEvent onClick_;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TComponent {
  TOVIX_DECLARE_CLASS(TPopupMenu)

 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;

  TMenuItem* GetItems() const { return items_; }
  bool GetAutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool v) { autoPopup_ = v; }
  TPopupAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TPopupAlignment v) { alignment_ = v; }
  TComponent* GetPopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* v) {
    popupComponent_ = v;
    if (v) v->FreeNotification(this);
  }
  const TNotifyEvent& GetOnPopup() const { return onPopup_; }
  void SetOnPopup(const TNotifyEvent& e) { onPopup_ = e; }

  // Shows the menu at a screen position and waits until the user picks an item (whose Click then
  // runs) or dismisses it.
  virtual void Popup(int x, int y);
  // The window that owns the menu while it is shown (receives its messages).
  HWND GetWindowHandle() const;
  void SetWindowHandle(HWND window) { window_ = window; }

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TMenuItem* items_;
  bool autoPopup_ = true;
  TPopupAlignment alignment_ = paLeft;
  TComponent* popupComponent_ = nullptr;
  HWND window_ = nullptr;
  TNotifyEvent onPopup_;
};

// A menu shortcut as text ("Ctrl+S").
String ShortCutToText(TShortCut shortCut);

template <> struct TEnumTraits<TPopupAlignment> { static const TEnumInfo& Info(); };

TOVIX_LINK_CLASS(TMenuItem)
TOVIX_LINK_CLASS(TPopupMenu)

}  // namespace Tovix
