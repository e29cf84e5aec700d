#include "framework/stdctrls/ComboBox.h"

#include "framework/stdctrls/Publish.h"
#include "framework/system/ScopeExit.h"

namespace Tovix {

namespace {

// The window property that leads from the edit inside a combo box to the control.
const char kComboBoxProperty[] = "TovixComboBox";

}  // namespace

TOVIX_IMPLEMENT_CLASS(TComboBoxStrings, TCustomItemStrings) {}

TComboBoxStrings::TComboBoxStrings(TCustomComboBox* comboBox)
    : TCustomItemStrings(comboBox, kComboBoxItemMessages, [comboBox] { return comboBox->GetSorted(); }),
      comboBox_(comboBox) {}

void TComboBoxStrings::Clear() {
  String text = comboBox_->GetTextBuf();
  ClearItems();
  if (!comboBox_->IsListStyle()) comboBox_->SetEditText(text);
}

TOVIX_IMPLEMENT_CLASS(TCustomComboBox, TWinControl) {
  c.Message(CN_COMMAND, &TCustomComboBox::CNCommand);
  c.Message(CN_DRAWITEM, &TCustomComboBox::CNDrawItem);
  c.Message(CN_MEASUREITEM, &TCustomComboBox::CNMeasureItem);
  c.Message(CM_WANTSPECIALKEY, &TCustomComboBox::CMWantSpecialKey);
}

TOVIX_IMPLEMENT_CLASS(TComboBox, TCustomComboBox) {
  namespace P = StdCtrlsPublish;
  StdCtrlsPublish::Placement(c);
  c.Property("Style", &TComboBox::GetStyle, &TComboBox::SetStyle).Default(csDropDown);
  P::Appearance(c, clWindow, false);
  P::Dragging(c);
  c.Property("DropDownCount", &TComboBox::GetDropDownCount, &TComboBox::SetDropDownCount).Default(8);
  c.Property("ItemHeight", &TComboBox::GetItemHeight, &TComboBox::SetItemHeight);
  c.Property("MaxLength", &TComboBox::GetMaxLength, &TComboBox::SetMaxLength).Default(0);
  c.Property("Sorted", &TComboBox::GetSorted, &TComboBox::SetSorted).Default(false);
  P::State(c);
  P::TabOrder(c, true);
  c.Property("Text", &TComboBox::GetText, &TComboBox::SetText);
  c.Property("OnChange", &TComboBox::GetOnChange, &TComboBox::SetOnChange);
  c.Property("OnClick", &TComboBox::GetOnClick, &TComboBox::SetOnClick);
  c.Property("OnDblClick", &TComboBox::GetOnDblClick, &TComboBox::SetOnDblClick);
  c.Property("OnDrawItem", &TComboBox::GetOnDrawItem, &TComboBox::SetOnDrawItem);
  c.Property("OnDropDown", &TComboBox::GetOnDropDown, &TComboBox::SetOnDropDown);
  P::FocusAndKeyEvents(c);
  c.Property("OnMeasureItem", &TComboBox::GetOnMeasureItem, &TComboBox::SetOnMeasureItem);
  c.Property("OnSelect", &TComboBox::GetOnSelect, &TComboBox::SetOnSelect);
  // After the text: a drop-down list's text names one of the items.
  c.Property("Items", &TComboBox::GetItems, &TComboBox::SetItems);
}

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner),
      items_(new TComboBoxStrings(this)),
      canvas_(new TControlCanvas()) {
  controlStyle_ = TControlStyle{csSetCaption, csDoubleClicks, csFixedHeight};
  canvas_->SetControl(this);
  SetBounds(0, 0, 145, 25);
  SetTabStop(true);
  SetParentColor(false);
}

TCustomComboBox::~TCustomComboBox() {
  Destroying();
  // The edit goes back to its own window procedure before the window is destroyed.
  if (editHandle_ && IsWindow(editHandle_)) {
    SetWindowLongPtrA(editHandle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc_));
    RemovePropA(editHandle_, kComboBoxProperty);
  }
  editHandle_ = nullptr;
  delete canvas_;
  canvas_ = nullptr;
  delete items_;
  items_ = nullptr;
}

bool TCustomComboBox::WindowReady() const {
  if (!handle_ && CanMakeWindow(this)) const_cast<TCustomComboBox*>(this)->HandleNeeded();
  return handle_ != nullptr;
}

void TCustomComboBox::SetItems(TStrings* items) {
  if (items) items_->Assign(*items);
}

void TCustomComboBox::Clear() {
  SetEditText(String());
  items_->Clear();
  keptItemIndex_ = -1;
}

// ---------------------------------------------------------------------------
// The window

void TCustomComboBox::CreateParams(TCreateParams& params) {
  static const DWORD kStyles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                  CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
  TWinControl::CreateParams(params);
  CreateSubClass(params, "COMBOBOX");
  params.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL | kStyles[style_];
  if (sorted_) params.Style |= CBS_SORT;
}

void TCustomComboBox::CreateWnd() {
  String text = text_;
  TWinControl::CreateWnd();
  // The parent finds the combo box by this identifier when it asks for an item's height.
  SetWindowLongPtrA(handle_, GWLP_ID, reinterpret_cast<LONG_PTR>(handle_));
  SendMessageA(handle_, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_ > 0 ? maxLength_ : 0), 0);
  if (style_ == csOwnerDrawFixed) {
    SendMessageA(handle_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight_);
    SendMessageA(handle_, CB_SETITEMHEIGHT, 0, itemHeight_);
  }
  editHandle_ = listHandle_ = nullptr;
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(handle_, &info)) {
    listHandle_ = info.hwndList;
    if (!IsListStyle() && info.hwndItem && info.hwndItem != handle_) SubclassEdit(info.hwndItem);
  }
  items_->RestoreItems();
  int count = static_cast<int>(SendMessageA(handle_, CB_GETCOUNT, 0, 0));
  if (keptItemIndex_ >= 0 && keptItemIndex_ < count) SendMessageA(handle_, CB_SETCURSEL, static_cast<WPARAM>(keptItemIndex_), 0);
  keptItemIndex_ = -1;
  // The edit keeps the text it had, typed or picked.
  if (!IsListStyle() && !text.empty()) SetEditText(text);
}

void TCustomComboBox::DestroyWnd() {
  keptItemIndex_ = static_cast<int>(SendMessageA(handle_, CB_GETCURSEL, 0, 0));
  items_->SaveItems();
  TWinControl::DestroyWnd();
  editHandle_ = listHandle_ = nullptr;
}

void TCustomComboBox::SubclassEdit(HWND edit) {
  editHandle_ = edit;
  SetPropA(edit, kComboBoxProperty, this);
  editProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditWndProc)));
  SendMessageA(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

LRESULT CALLBACK TCustomComboBox::EditWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* combo = static_cast<TCustomComboBox*>(GetPropA(window, kComboBoxProperty));
  if (!combo) return DefWindowProcA(window, msg, wParam, lParam);
  TMessage m{msg, wParam, static_cast<intptr_t>(lParam), 0};
  Application->HandleExceptionsOf(combo, [&] { combo->EditMessage(m); });
  return m.Result;
}

void TCustomComboBox::EditMessage(TMessage& m) {
  WNDPROC original = editProc_;
  HWND edit = editHandle_;
  switch (m.Msg) {
    case WM_SETFOCUS:
      if (TCustomForm* form = GetParentForm(this); form && !form->SetFocusedControl(this)) return;
      break;
    case WM_KILLFOCUS:
      if (controlState_.Contains(csFocusing)) return;
      break;
    case WM_KEYDOWN: case WM_SYSKEYDOWN:
      if (DoKeyDown(m)) return;
      break;
    case WM_KEYUP: case WM_SYSKEYUP:
      if (DoKeyUp(m)) return;
      break;
    case WM_CHAR:
      if (DoKeyPress(m)) return;
      if ((m.WParam == VK_RETURN || m.WParam == VK_ESCAPE) && GetDroppedDown()) {
        SetDroppedDown(false);
        return;
      }
      break;
    case WM_GETDLGCODE:
      if (GetDroppedDown()) {
        m.Result = DLGC_WANTALLKEYS;
        return;
      }
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      RemovePropA(edit, kComboBoxProperty);
      if (editHandle_ == edit) editHandle_ = nullptr;
      break;
    default:
      break;
  }
  m.Result = CallWindowProcA(original, edit, m.Msg, m.WParam, m.LParam);
  if (m.Msg == WM_LBUTTONDBLCLK && controlStyle_.Contains(csDoubleClicks)) DblClick();
}

// The edit and the list inside draw in the control's colours.
void TCustomComboBox::WndProc(TMessage& m) {
  if (m.Msg >= WM_CTLCOLORMSGBOX && m.Msg <= WM_CTLCOLORSTATIC && m.LParam &&
      (reinterpret_cast<HWND>(m.LParam) == editHandle_ || reinterpret_cast<HWND>(m.LParam) == listHandle_)) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, ColorToRGB(GetFont()->GetColor()));
    SetBkColor(dc, ColorToRGB(GetBrush()->GetColor()));
    m.Result = reinterpret_cast<intptr_t>(GetBrush()->GetHandle());
    return;
  }
  TWinControl::WndProc(m);
}

void TCustomComboBox::Loaded() {
  TWinControl::Loaded();
  if (!loadedText_.empty()) {
    String text;
    text.swap(loadedText_);
    SetText(text);
  }
}

// ---------------------------------------------------------------------------
// Selection and text

int TCustomComboBox::GetItemIndex() const {
  if (!WindowReady()) return keptItemIndex_;
  return static_cast<int>(SendMessageA(handle_, CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int index) {
  if (!WindowReady()) {
    keptItemIndex_ = index >= 0 && index < items_->GetCount() ? index : -1;
    return;
  }
  SendMessageA(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

String TCustomComboBox::GetText() const {
  if (!IsListStyle()) return GetTextBuf();
  if (!loadedText_.empty()) return loadedText_;
  int index = GetItemIndex();
  return index >= 0 ? items_->Get(index) : String();
}

void TCustomComboBox::SetText(const String& text) {
  if (!IsListStyle()) {
    if (GetTextBuf() != text) SetEditText(text);
    return;
  }
  // A drop-down list read from a form file gets its items after its text.
  if (IsLoading()) {
    loadedText_ = text;
    return;
  }
  SetItemIndex(text.empty() ? -1 : items_->IndexOf(text));
}

// Setting the text by code is not the user's change: no OnChange.
void TCustomComboBox::SetEditText(const String& text) {
  settingText_ = true;
  TScopeExit notSettingText([&] { settingText_ = false; });
  SetTextBuf(text);
}

bool TCustomComboBox::GetDroppedDown() const { return handle_ && SendMessageA(handle_, CB_GETDROPPEDSTATE, 0, 0) != 0; }

void TCustomComboBox::SetDroppedDown(bool v) {
  if (WindowReady()) SendMessageA(handle_, CB_SHOWDROPDOWN, v, 0);
}

bool TCustomComboBox::Focused() const {
  HWND focus = GetFocus();
  return focus && (focus == handle_ || focus == editHandle_ || focus == listHandle_);
}

int TCustomComboBox::GetSelStart() const {
  DWORD start = 0, end = 0;
  if (handle_) SendMessageA(handle_, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

int TCustomComboBox::GetSelLength() const {
  DWORD start = 0, end = 0;
  if (handle_) SendMessageA(handle_, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomComboBox::SetSelStart(int start) {
  if (handle_) SendMessageA(handle_, CB_SETEDITSEL, 0, MAKELPARAM(start, start));
}

void TCustomComboBox::SetSelLength(int length) {
  int start = GetSelStart();
  if (handle_) SendMessageA(handle_, CB_SETEDITSEL, 0, MAKELPARAM(start, start + length));
}

String TCustomComboBox::GetSelText() const {
  String text = GetTextBuf();
  size_t start = static_cast<size_t>(GetSelStart());
  return start < text.size() ? text.substr(start, static_cast<size_t>(GetSelLength())) : String();
}

void TCustomComboBox::SelectAll() {
  if (handle_) SendMessageA(handle_, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

// ---------------------------------------------------------------------------
// Properties that shape the window

int TCustomComboBox::GetItemHeight() const {
  if (style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable || !handle_) return itemHeight_;
  return static_cast<int>(SendMessageA(handle_, CB_GETITEMHEIGHT, 0, 0));
}

void TCustomComboBox::SetItemHeight(int v) {
  if (v <= 0 || v == itemHeight_) return;
  itemHeight_ = v;
  RecreateWnd();
}

void TCustomComboBox::SetMaxLength(int v) {
  if (v < 0) v = 0;
  if (v == maxLength_) return;
  maxLength_ = v;
  if (handle_) SendMessageA(handle_, CB_LIMITTEXT, static_cast<WPARAM>(v), 0);
}

void TCustomComboBox::SetSorted(bool v) {
  if (v == sorted_) return;
  sorted_ = v;
  if (handle_) RecreateWnd();
  else if (v) items_->SortKeptItems();
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
  if (v == style_) return;
  style_ = v;
  if (v == csSimple) controlStyle_.Exclude(csFixedHeight);
  else controlStyle_.Include(csFixedHeight);
  RecreateWnd();
}

void TCustomComboBox::AdjustDropDown() {
  int count = items_->GetCount();
  if (count > dropDownCount_) count = dropDownCount_;
  if (count < 1) count = 1;
  // The system keeps the control's own height and gives the rest to the dropped-down list.
  SetWindowPos(handle_, nullptr, 0, 0, GetWidth(), GetItemHeight() * count + GetHeight() + 2,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

// ---------------------------------------------------------------------------
// Notifications and owner drawing

void TCustomComboBox::Change() { onChange_(this); }

void TCustomComboBox::Select() {
  if (onSelect_) onSelect_(this);
  else Change();
}

void TCustomComboBox::DropDown() { onDropDown_(this); }

void TCustomComboBox::CNCommand(TMessage& m) {
  switch (HIWORD(m.WParam)) {
    case CBN_DBLCLK:
      DblClick();
      break;
    case CBN_EDITCHANGE:
      if (!settingText_) Change();
      break;
    case CBN_DROPDOWN:
      DropDown();
      AdjustDropDown();
      break;
    case CBN_SELCHANGE: {
      // The edit shows the picked item only after this notification; the text is the item's now.
      int index = GetItemIndex();
      if (!IsListStyle() && index >= 0) SetEditText(items_->Get(index));
      Click();
      Select();
      break;
    }
    default:
      break;
  }
}

void TCustomComboBox::CMWantSpecialKey(TMessage& m) {
  // Enter and Escape close a dropped-down list instead of going to the form.
  if ((m.WParam == VK_RETURN || m.WParam == VK_ESCAPE) && GetDroppedDown()) m.Result = 1;
}

void TCustomComboBox::DrawItem(int index, TRect rect, TOwnerDrawState state) {
  if (onDrawItem_) {
    onDrawItem_(this, index, rect, state);
    return;
  }
  canvas_->FillRect(rect);
  if (index >= 0 && index < items_->GetCount()) canvas_->TextOut(rect.left + 2, rect.top, items_->Get(index));
}

void TCustomComboBox::MeasureItem(int index, int& height) { onMeasureItem_(this, index, height); }

void TCustomComboBox::CNDrawItem(TMessage& m) {
  PaintOwnerDrawItem(canvas_, this, *reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam),
                     [this](int index, TRect rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
  m.Result = TRUE;
}

void TCustomComboBox::CNMeasureItem(TMessage& m) {
  auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
  int height = itemHeight_;
  if (style_ == csOwnerDrawVariable) MeasureItem(static_cast<int>(item->itemID), height);
  item->itemHeight = static_cast<UINT>(height > 0 ? height : 1);
  m.Result = TRUE;
}

}  // namespace Tovix
