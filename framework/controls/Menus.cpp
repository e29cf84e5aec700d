#include "framework/controls/Menus.h"

#include <algorithm>

#include "framework/forms/Application.h"
#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TMenuItem, TComponent) {
  c.Property("Caption", &TMenuItem::GetCaption, &TMenuItem::SetCaption);
  c.Property("Checked", &TMenuItem::GetChecked, &TMenuItem::SetChecked).Default(false);
  c.Property("Default", &TMenuItem::GetDefault, &TMenuItem::SetDefault).Default(false);
  c.Property("Enabled", &TMenuItem::GetEnabled, &TMenuItem::SetEnabled).Default(true);
  c.Property("ShortCut", &TMenuItem::GetShortCut, &TMenuItem::SetShortCut).Default(TShortCut{0});
  c.Property("Visible", &TMenuItem::GetVisible, &TMenuItem::SetVisible).Default(true);
  c.Property("OnClick", &TMenuItem::GetOnClick, &TMenuItem::SetOnClick);
}

TOVIX_IMPLEMENT_CLASS(TPopupMenu, TComponent) {
  c.Property("Alignment", &TPopupMenu::GetAlignment, &TPopupMenu::SetAlignment).Default(paLeft);
  c.Property("AutoPopup", &TPopupMenu::GetAutoPopup, &TPopupMenu::SetAutoPopup).Default(true);
  c.Property("OnPopup", &TPopupMenu::GetOnPopup, &TPopupMenu::SetOnPopup);
}

const TEnumInfo& TEnumTraits<TPopupAlignment>::Info() {
  static const TEnumInfo info{{"paLeft", "paRight", "paCenter"}};
  return info;
}

namespace {

// Command numbers identify items while a menu is shown; 0 means "nothing chosen".
unsigned NextCommand() {
  static unsigned next = 0;
  if (++next > 0xFFFF) next = 1;
  return next;
}

}  // namespace

// ---------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NextCommand()) {}

TMenuItem::~TMenuItem() {
  Destroying();
  while (!items_.empty()) {
    TMenuItem* item = items_.back();
    item->parent_ = nullptr;
    items_.pop_back();
    // Items owned by nobody (made for this menu alone) go with it; owned ones are their owner's.
    if (!item->GetOwner()) delete item;
  }
  if (parent_) parent_->Remove(this);
}

TMenuItem* TMenuItem::GetItems(int index) const {
  if (index < 0 || index >= GetCount()) throw EMenuError(Format("Menu index out of range (%d)", index));
  return items_[static_cast<size_t>(index)];
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) return;
  if (item->parent_) throw EMenuError("Menu inserted twice");
  if (index < 0 || index > GetCount()) throw EMenuError(Format("Menu index out of range (%d)", index));
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
}

void TMenuItem::Add(TMenuItem* item) { Insert(GetCount(), item); }

void TMenuItem::Delete(int index) {
  TMenuItem* item = GetItems(index);
  items_.erase(items_.begin() + index);
  item->parent_ = nullptr;
}

void TMenuItem::Remove(TMenuItem* item) {
  int index = IndexOf(item);
  if (index < 0) throw EMenuError("Sub-menu is not in menu");
  Delete(index);
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenuItem* TMenuItem::FindCommand(unsigned command) {
  if (command_ == command) return this;
  for (TMenuItem* item : items_)
    if (TMenuItem* found = item->FindCommand(command)) return found;
  return nullptr;
}

void TMenuItem::Click() {
  if (enabled_) onClick_(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (TMenuItem* item : items_)
    if (item->GetOwner() == root) proc(item);
}

TComponent* TMenuItem::GetParentComponent() const { return parent_; }

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (parent_) parent_->Remove(this);
  if (auto* item = dynamic_cast<TMenuItem*>(parent)) item->Add(this);
  else if (auto* menu = dynamic_cast<TPopupMenu*>(parent)) menu->GetItems()->Add(this);
}

void TMenuItem::AppendTo(HMENU menu) {
  if (!visible_) return;
  if (IsLine()) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    return;
  }
  String text = caption_;
  if (shortCut_) text += "\t" + ShortCutToText(shortCut_);
  UINT flags = MF_STRING | (enabled_ ? MF_ENABLED : MF_GRAYED) | (checked_ ? MF_CHECKED : MF_UNCHECKED);
  if (!items_.empty()) {
    AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupHandle()), text.c_str());
  } else {
    AppendMenuA(menu, flags, command_, text.c_str());
    if (default_) SetMenuDefaultItem(menu, command_, FALSE);
  }
}

HMENU TMenuItem::CreatePopupHandle() {
  HMENU menu = CreatePopupMenu();
  for (TMenuItem* item : items_) item->AppendTo(menu);
  return menu;
}

// ---------------------------------------------------------------------------
// TPopupMenu

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr)) {}

TPopupMenu::~TPopupMenu() {
  Destroying();
  delete items_;
}

HWND TPopupMenu::GetWindowHandle() const { return window_ ? window_ : Application->GetHandle(); }

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == popupComponent_) popupComponent_ = nullptr;
}

void TPopupMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  items_->GetChildren(proc, root);
}

void TPopupMenu::Popup(int x, int y) {
  onPopup_(this);
  HMENU menu = items_->CreatePopupHandle();
  static const UINT alignFlags[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
  HWND owner = GetWindowHandle();
  // The owner must be the foreground window, or the menu does not close when the user clicks away.
  SetForegroundWindow(owner);
  unsigned command = static_cast<unsigned>(
      TrackPopupMenu(menu, alignFlags[alignment_] | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, owner, nullptr));
  PostMessageA(owner, WM_NULL, 0, 0);
  DestroyMenu(menu);
  if (command == 0) return;
  if (TMenuItem* item = items_->FindCommand(command)) item->Click();
}

String ShortCutToText(TShortCut shortCut) {
  uint16_t key;
  TShiftState shift;
  ShortCutToKey(shortCut, key, shift);
  String name;
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) name = String(1, static_cast<char>(key));
  else if (key >= VK_F1 && key <= VK_F24) name = Format("F%d", key - VK_F1 + 1);
  else {
    switch (key) {
      case VK_BACK: name = "BkSp"; break;
      case VK_TAB: name = "Tab"; break;
      case VK_RETURN: name = "Enter"; break;
      case VK_ESCAPE: name = "Esc"; break;
      case VK_SPACE: name = "Space"; break;
      case VK_PRIOR: name = "PgUp"; break;
      case VK_NEXT: name = "PgDn"; break;
      case VK_END: name = "End"; break;
      case VK_HOME: name = "Home"; break;
      case VK_LEFT: name = "Left"; break;
      case VK_UP: name = "Up"; break;
      case VK_RIGHT: name = "Right"; break;
      case VK_DOWN: name = "Down"; break;
      case VK_INSERT: name = "Ins"; break;
      case VK_DELETE: name = "Del"; break;
      default: return String();
    }
  }
  String prefix;
  if (shift.Contains(ssShift)) prefix += "Shift+";
  if (shift.Contains(ssCtrl)) prefix += "Ctrl+";
  if (shift.Contains(ssAlt)) prefix += "Alt+";
  return prefix + name;
}

}  // namespace Tovix
