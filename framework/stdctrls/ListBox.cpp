#include "framework/stdctrls/ListBox.h"

#include "framework/stdctrls/Publish.h"

namespace Tovix {

// ---------------------------------------------------------------------------
// TListBoxStrings

TOVIX_IMPLEMENT_CLASS(TListBoxStrings, TCustomItemStrings) {}

TListBoxStrings::TListBoxStrings(TCustomListBox* listBox)
    : TCustomItemStrings(listBox, kListBoxItemMessages, [listBox] { return listBox->GetSorted(); }), listBox_(listBox) {}

void TListBoxStrings::Delete(int index) { listBox_->DeleteString(index); }
void TListBoxStrings::Clear() { listBox_->ResetContent(); }
TObject* TListBoxStrings::GetObject(int index) const { return listBox_->GetItemObject(index); }
void TListBoxStrings::PutObject(int index, TObject* object) { listBox_->SetItemObject(index, object); }

// ---------------------------------------------------------------------------
// TCustomListBox

TOVIX_IMPLEMENT_CLASS(TCustomListBox, TWinControl) {
  c.Message(CN_COMMAND, &TCustomListBox::CNCommand);
  c.Message(CN_DRAWITEM, &TCustomListBox::CNDrawItem);
  c.Message(CN_MEASUREITEM, &TCustomListBox::CNMeasureItem);
  c.Message(WM_SIZE, &TCustomListBox::WMSize);
}

TOVIX_IMPLEMENT_CLASS(TListBox, TCustomListBox) {
  namespace P = StdCtrlsPublish;
  StdCtrlsPublish::Placement(c);
  c.Property("Align", &TListBox::GetAlign, &TListBox::SetAlign).Default(alNone);
  c.Property("BorderStyle", &TListBox::GetBorderStyle, &TListBox::SetBorderStyle).Default(bsSingle);
  P::Appearance(c, clWindow, false);
  c.Property("Columns", &TListBox::GetColumns, &TListBox::SetColumns).Default(0);
  P::Dragging(c);
  c.Property("ExtendedSelect", &TListBox::GetExtendedSelect, &TListBox::SetExtendedSelect).Default(true);
  c.Property("IntegralHeight", &TListBox::GetIntegralHeight, &TListBox::SetIntegralHeight).Default(false);
  c.Property("ItemHeight", &TListBox::GetItemHeight, &TListBox::SetItemHeight);
  c.Property("Items", &TListBox::GetItems, &TListBox::SetItems);
  c.Property("MultiSelect", &TListBox::GetMultiSelect, &TListBox::SetMultiSelect).Default(false);
  c.Property("Sorted", &TListBox::GetSorted, &TListBox::SetSorted).Default(false);
  c.Property("Style", &TListBox::GetStyle, &TListBox::SetStyle).Default(lbStandard);
  P::State(c);
  P::TabOrder(c, true);
  c.Property("TabWidth", &TListBox::GetTabWidth, &TListBox::SetTabWidth).Default(0);
  c.Property("OnClick", &TListBox::GetOnClick, &TListBox::SetOnClick);
  c.Property("OnDblClick", &TListBox::GetOnDblClick, &TListBox::SetOnDblClick);
  c.Property("OnDrawItem", &TListBox::GetOnDrawItem, &TListBox::SetOnDrawItem);
  c.Property("OnMeasureItem", &TListBox::GetOnMeasureItem, &TListBox::SetOnMeasureItem);
  P::FocusAndKeyEvents(c);
  P::MouseEvents(c);
}

// Clicks and double clicks come from the list's notifications (LBN_SELCHANGE, LBN_DBLCLK),
// not from the mouse messages, so that the keyboard selects as the mouse does.
TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), items_(new TListBoxStrings(this)), canvas_(new TControlCanvas()) {
  controlStyle_ = TControlStyle{csSetCaption};
  canvas_->SetControl(this);
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetParentColor(false);
}

TCustomListBox::~TCustomListBox() {
  Destroying();
  delete canvas_;
  canvas_ = nullptr;
  delete items_;
  items_ = nullptr;
}

bool TCustomListBox::WindowReady() const {
  if (!handle_ && CanMakeWindow(this)) const_cast<TCustomListBox*>(this)->HandleNeeded();
  return handle_ != nullptr;
}

void TCustomListBox::SetItems(TStrings* items) {
  if (items) items_->Assign(*items);
}

// ---------------------------------------------------------------------------
// The window

void TCustomListBox::CreateParams(TCreateParams& params) {
  static const DWORD kStyles[] = {0, LBS_OWNERDRAWFIXED, LBS_OWNERDRAWVARIABLE};
  TWinControl::CreateParams(params);
  CreateSubClass(params, "LISTBOX");
  params.Style |= WS_VSCROLL | LBS_HASSTRINGS | LBS_NOTIFY | kStyles[style_];
  if (sorted_) params.Style |= LBS_SORT;
  if (multiSelect_) params.Style |= extendedSelect_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (!integralHeight_) params.Style |= LBS_NOINTEGRALHEIGHT;
  if (columns_ > 0) params.Style |= LBS_MULTICOLUMN | WS_HSCROLL;
  if (tabWidth_ != 0) params.Style |= LBS_USETABSTOPS;
  if (borderStyle_ == bsSingle) {
    if (NewStyleControls && GetCtl3D()) params.ExStyle |= WS_EX_CLIENTEDGE;
    else params.Style |= WS_BORDER;
  }
  params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  // The parent finds the list by this identifier when it asks for an item's height.
  SetWindowLongPtrA(handle_, GWLP_ID, reinterpret_cast<LONG_PTR>(handle_));
  if (style_ != lbStandard) SendMessageA(handle_, LB_SETITEMHEIGHT, 0, itemHeight_);
  if (tabWidth_ != 0) SendMessageA(handle_, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabWidth_));
  SetColumnWidth();
  items_->RestoreItems();
  int count = static_cast<int>(SendMessageA(handle_, LB_GETCOUNT, 0, 0));
  if (multiSelect_)
    for (int i = 0; i < count && i < static_cast<int>(keptSelected_.size()); ++i)
      if (keptSelected_[static_cast<size_t>(i)]) SendMessageA(handle_, LB_SETSEL, TRUE, i);
  SendMessageA(handle_, LB_SETTOPINDEX, static_cast<WPARAM>(keptTopIndex_), 0);
  if (keptItemIndex_ >= 0 && keptItemIndex_ < count)
    SendMessageA(handle_, multiSelect_ ? LB_SETCARETINDEX : LB_SETCURSEL, static_cast<WPARAM>(keptItemIndex_), 0);
  keptSelected_.clear();
  keptItemIndex_ = -1;
  keptTopIndex_ = 0;
}

void TCustomListBox::DestroyWnd() {
  int count = static_cast<int>(SendMessageA(handle_, LB_GETCOUNT, 0, 0));
  keptItemIndex_ = static_cast<int>(SendMessageA(handle_, multiSelect_ ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
  keptTopIndex_ = static_cast<int>(SendMessageA(handle_, LB_GETTOPINDEX, 0, 0));
  keptSelected_.assign(static_cast<size_t>(count), false);
  if (multiSelect_)
    for (int i = 0; i < count; ++i) keptSelected_[static_cast<size_t>(i)] = SendMessageA(handle_, LB_GETSEL, i, 0) > 0;
  items_->SaveItems();
  TWinControl::DestroyWnd();
}

void TCustomListBox::SetColumnWidth() {
  if (handle_ && columns_ > 0)
    SendMessageA(handle_, LB_SETCOLUMNWIDTH, static_cast<WPARAM>((GetWidth() + columns_ - 3) / columns_), 0);
}

void TCustomListBox::WMSize(TMessage& m) {
  TWinControl::WMSize(m);
  SetColumnWidth();
}

// ---------------------------------------------------------------------------
// Selection

int TCustomListBox::GetItemIndex() const {
  if (!WindowReady()) return keptItemIndex_;
  return static_cast<int>(SendMessageA(handle_, multiSelect_ ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int index) {
  if (!WindowReady()) {
    keptItemIndex_ = index >= 0 && index < items_->GetCount() ? index : -1;
    return;
  }
  if (GetItemIndex() == index) return;
  SendMessageA(handle_, multiSelect_ ? LB_SETCARETINDEX : LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool TCustomListBox::GetSelected(int index) const {
  if (index < 0 || index >= items_->GetCount()) throw EListError(Format("List index out of bounds (%d)", index));
  if (!WindowReady()) {
    if (!multiSelect_) return index == keptItemIndex_;
    return static_cast<size_t>(index) < keptSelected_.size() && keptSelected_[static_cast<size_t>(index)];
  }
  return SendMessageA(handle_, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void TCustomListBox::SetSelected(int index, bool selected) {
  if (index < 0 || index >= items_->GetCount()) throw EListError(Format("List index out of bounds (%d)", index));
  if (!multiSelect_) {
    if (selected) SetItemIndex(index);
    else if (GetItemIndex() == index) SetItemIndex(-1);
    return;
  }
  if (!WindowReady()) {
    if (keptSelected_.size() <= static_cast<size_t>(index)) keptSelected_.resize(static_cast<size_t>(index) + 1, false);
    keptSelected_[static_cast<size_t>(index)] = selected;
    return;
  }
  SendMessageA(handle_, LB_SETSEL, selected, index);
}

int TCustomListBox::GetSelCount() const {
  if (!multiSelect_) return GetItemIndex() >= 0 ? 1 : 0;
  if (!WindowReady()) {
    int count = 0;
    for (bool selected : keptSelected_) count += selected ? 1 : 0;
    return count;
  }
  return static_cast<int>(SendMessageA(handle_, LB_GETSELCOUNT, 0, 0));
}

int TCustomListBox::GetTopIndex() const {
  return WindowReady() ? static_cast<int>(SendMessageA(handle_, LB_GETTOPINDEX, 0, 0)) : keptTopIndex_;
}

void TCustomListBox::SetTopIndex(int index) {
  if (WindowReady()) SendMessageA(handle_, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
  else keptTopIndex_ = index;
}

int TCustomListBox::ItemAtPos(TPoint pos, bool existing) const {
  RECT client = GetClientRect();
  if (!PtInRect(&client, pos)) return -1;
  int count = items_->GetCount();
  for (int i = GetTopIndex(); i < count; ++i)
    if (RECT r = ItemRect(i); PtInRect(&r, pos)) return i;
  return existing ? -1 : count;
}

TRect TCustomListBox::ItemRect(int index) const {
  RECT r{0, 0, 0, 0};
  if (WindowReady()) SendMessageA(handle_, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  return r;
}

// ---------------------------------------------------------------------------
// Properties that shape the window

void TCustomListBox::SetBorderStyle(TBorderStyle v) {
  if (v != bsNone && v != bsSingle) throw EInvalidOperation("The border style of a control must be bsNone or bsSingle");
  if (v == borderStyle_) return;
  borderStyle_ = v;
  RecreateWnd();
}

void TCustomListBox::SetColumns(int v) {
  if (v < 0) v = 0;
  if (v == columns_) return;
  bool styleChanges = (columns_ == 0) != (v == 0);
  columns_ = v;
  if (styleChanges) RecreateWnd();
  else SetColumnWidth();
}

void TCustomListBox::SetExtendedSelect(bool v) {
  if (v == extendedSelect_) return;
  extendedSelect_ = v;
  RecreateWnd();
}

void TCustomListBox::SetIntegralHeight(bool v) {
  if (v == integralHeight_) return;
  integralHeight_ = v;
  RecreateWnd();
}

int TCustomListBox::GetItemHeight() const {
  if (handle_ && style_ == lbStandard) return static_cast<int>(SendMessageA(handle_, LB_GETITEMHEIGHT, 0, 0));
  return itemHeight_;
}

void TCustomListBox::SetItemHeight(int v) {
  if (v <= 0 || v == itemHeight_) return;
  itemHeight_ = v;
  RecreateWnd();
}

void TCustomListBox::SetMultiSelect(bool v) {
  if (v == multiSelect_) return;
  // The selection is carried over as far as the new mode can show it.
  multiSelect_ = v;
  RecreateWnd();
}

void TCustomListBox::SetSorted(bool v) {
  if (v == sorted_) return;
  sorted_ = v;
  if (handle_) RecreateWnd();
  else if (v) items_->SortKeptItems();
}

void TCustomListBox::SetStyle(TListBoxStyle v) {
  if (v == style_) return;
  style_ = v;
  RecreateWnd();
}

void TCustomListBox::SetTabWidth(int v) {
  if (v < 0) v = 0;
  if (v == tabWidth_) return;
  tabWidth_ = v;
  RecreateWnd();
}

// ---------------------------------------------------------------------------
// Items

TObject* TCustomListBox::GetItemObject(int index) const { return reinterpret_cast<TObject*>(items_->GetData(index)); }
void TCustomListBox::SetItemObject(int index, TObject* object) { items_->SetData(index, reinterpret_cast<intptr_t>(object)); }
void TCustomListBox::DeleteString(int index) { items_->DeleteItem(index); }
void TCustomListBox::ResetContent() { items_->ClearItems(); }

// ---------------------------------------------------------------------------
// Notifications and owner drawing

void TCustomListBox::CNCommand(TMessage& m) {
  switch (HIWORD(m.WParam)) {
    case LBN_SELCHANGE: Click(); break;
    case LBN_DBLCLK: DblClick(); break;
    default: break;
  }
}

void TCustomListBox::DrawItem(int index, TRect rect, TOwnerDrawState state) {
  if (onDrawItem_) {
    onDrawItem_(this, index, rect, state);
    return;
  }
  canvas_->FillRect(rect);
  if (index < items_->GetCount()) canvas_->TextOut(rect.left + 2, rect.top, items_->Get(index));
}

void TCustomListBox::MeasureItem(int index, int& height) { onMeasureItem_(this, index, height); }

void TCustomListBox::CNDrawItem(TMessage& m) {
  PaintOwnerDrawItem(canvas_, this, *reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam),
                     [this](int index, TRect rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
  m.Result = TRUE;
}

void TCustomListBox::CNMeasureItem(TMessage& m) {
  auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
  int height = itemHeight_;
  if (style_ == lbOwnerDrawVariable) MeasureItem(static_cast<int>(item->itemID), height);
  item->itemHeight = static_cast<UINT>(height > 0 ? height : 1);
  m.Result = TRUE;
}

}  // namespace Tovix
