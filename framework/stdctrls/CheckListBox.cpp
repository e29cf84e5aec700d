#include "framework/stdctrls/CheckListBox.h"

#include "framework/stdctrls/Publish.h"

namespace Tovix {

namespace {

// The system's check box glyph is 13 pixels square; a pixel of room on each side.
const int kCheckSize = 13;

}  // namespace

TOVIX_IMPLEMENT_CLASS(TCheckListBox, TCustomListBox) {
  namespace P = StdCtrlsPublish;
  StdCtrlsPublish::Placement(c);
  c.Property("Align", &TCheckListBox::GetAlign, &TCheckListBox::SetAlign).Default(alNone);
  c.Property("AllowGrayed", &TCheckListBox::GetAllowGrayed, &TCheckListBox::SetAllowGrayed).Default(false);
  c.Property("BorderStyle", &TCheckListBox::GetBorderStyle, &TCheckListBox::SetBorderStyle).Default(bsSingle);
  P::Appearance(c, clWindow, false);
  c.Property("Columns", &TCheckListBox::GetColumns, &TCheckListBox::SetColumns).Default(0);
  P::Dragging(c);
  c.Property("IntegralHeight", &TCheckListBox::GetIntegralHeight, &TCheckListBox::SetIntegralHeight).Default(false);
  c.Property("ItemHeight", &TCheckListBox::GetItemHeight, &TCheckListBox::SetItemHeight);
  c.Property("Items", &TCheckListBox::GetItems, &TCheckListBox::SetItems);
  c.Property("Sorted", &TCheckListBox::GetSorted, &TCheckListBox::SetSorted).Default(false);
  c.Property("Style", &TCheckListBox::GetStyle, &TCheckListBox::SetStyle).Default(lbStandard);
  P::State(c);
  P::TabOrder(c, true);
  c.Property("TabWidth", &TCheckListBox::GetTabWidth, &TCheckListBox::SetTabWidth).Default(0);
  c.Property("OnClick", &TCheckListBox::GetOnClick, &TCheckListBox::SetOnClick);
  c.Property("OnClickCheck", &TCheckListBox::GetOnClickCheck, &TCheckListBox::SetOnClickCheck);
  c.Property("OnDblClick", &TCheckListBox::GetOnDblClick, &TCheckListBox::SetOnDblClick);
  c.Property("OnDrawItem", &TCheckListBox::GetOnDrawItem, &TCheckListBox::SetOnDrawItem);
  c.Property("OnMeasureItem", &TCheckListBox::GetOnMeasureItem, &TCheckListBox::SetOnMeasureItem);
  P::FocusAndKeyEvents(c);
  P::MouseEvents(c);
  c.Message(CN_DRAWITEM, &TCheckListBox::CNDrawItem);
  c.Message(CM_FONTCHANGED, &TCheckListBox::CMFontChanged);
}

TCheckListBox::TCheckListBox(TComponent* owner) : TCustomListBox(owner) {}

TCheckListBox::~TCheckListBox() {
  Destroying();
  // The states live with the items, in the window or kept for the next one.
  TCustomItemStrings* items = ItemStrings();
  for (int i = 0; i < items->GetCount(); ++i) delete FindItemState(i);
}

int TCheckListBox::CheckWidth() { return kCheckSize + 2; }

void TCheckListBox::CreateParams(TCreateParams& params) {
  TCustomListBox::CreateParams(params);
  if (!(params.Style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE))) params.Style |= LBS_OWNERDRAWFIXED;
}

void TCheckListBox::CreateWnd() {
  TCustomListBox::CreateWnd();
  ResetItemHeight();
}

void TCheckListBox::ResetItemHeight() {
  if (!HandleAllocated() || GetStyle() != lbStandard) return;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetFont()->GetHandle());
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, "Wg", 2, &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  int height = size.cy > kCheckSize ? size.cy : kCheckSize;
  SendMessageA(GetHandle(), LB_SETITEMHEIGHT, 0, height);
}

void TCheckListBox::CMFontChanged(TMessage& m) {
  TCustomListBox::CMFontChanged(m);
  ResetItemHeight();
}

// ---------------------------------------------------------------------------
// Item states

TCheckListBox::TItemState* TCheckListBox::FindItemState(int index) const {
  return reinterpret_cast<TItemState*>(ItemStrings()->GetData(index));
}

TCheckListBox::TItemState& TCheckListBox::ItemState(int index) {
  if (TItemState* found = FindItemState(index)) return *found;
  auto* made = new TItemState();
  ItemStrings()->SetData(index, reinterpret_cast<intptr_t>(made));
  return *made;
}

void TCheckListBox::CheckIndex(int index) const {
  if (index < 0 || index >= ItemStrings()->GetCount()) throw EListError(Format("List index out of bounds (%d)", index));
}

TCheckBoxState TCheckListBox::GetState(int index) const {
  CheckIndex(index);
  TItemState* found = FindItemState(index);
  return found ? found->state : cbUnchecked;
}

void TCheckListBox::SetState(int index, TCheckBoxState state) {
  CheckIndex(index);
  TItemState& item = ItemState(index);
  if (item.state == state) return;
  item.state = state;
  InvalidateItem(index);
}

void TCheckListBox::SetChecked(int index, bool checked) {
  if (GetChecked(index) != checked) SetState(index, checked ? cbChecked : cbUnchecked);
}

bool TCheckListBox::GetItemEnabled(int index) const {
  CheckIndex(index);
  TItemState* found = FindItemState(index);
  return !found || found->enabled;
}

void TCheckListBox::SetItemEnabled(int index, bool enabled) {
  CheckIndex(index);
  TItemState& item = ItemState(index);
  if (item.enabled == enabled) return;
  item.enabled = enabled;
  InvalidateItem(index);
}

TObject* TCheckListBox::GetItemObject(int index) const {
  TItemState* found = FindItemState(index);
  return found ? found->object : nullptr;
}

void TCheckListBox::SetItemObject(int index, TObject* object) { ItemState(index).object = object; }

void TCheckListBox::DeleteString(int index) {
  TItemState* found = FindItemState(index);
  TCustomListBox::DeleteString(index);
  delete found;
}

void TCheckListBox::ResetContent() {
  TCustomItemStrings* items = ItemStrings();
  for (int i = 0; i < items->GetCount(); ++i) delete FindItemState(i);
  TCustomListBox::ResetContent();
}

void TCheckListBox::InvalidateItem(int index) {
  if (!HandleAllocated()) return;
  RECT r = ItemRect(index);
  InvalidateRect(GetHandle(), &r, FALSE);
}

// ---------------------------------------------------------------------------
// The user's clicks

void TCheckListBox::ToggleClickCheck(int index) {
  if (index < 0 || index >= ItemStrings()->GetCount() || !GetItemEnabled(index)) return;
  switch (GetState(index)) {
    case cbUnchecked: SetState(index, allowGrayed_ ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(index, cbUnchecked); break;
    case cbGrayed: SetState(index, cbChecked); break;
  }
  ClickCheck();
}

void TCheckListBox::ClickCheck() { onClickCheck_(this); }

void TCheckListBox::KeyPress(char& key) {
  if (key == ' ') ToggleClickCheck(GetItemIndex());
  TCustomListBox::KeyPress(key);
}

void TCheckListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomListBox::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  int index = ItemAtPos(Point(x, y), true);
  if (index >= 0 && x - ItemRect(index).left < CheckWidth()) ToggleClickCheck(index);
}

// ---------------------------------------------------------------------------
// Drawing

// The item's text and focus rectangle go right of the box column.
void TCheckListBox::CNDrawItem(TMessage& m) {
  auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
  item->rcItem.left += CheckWidth();
  TCustomListBox::CNDrawItem(m);
}

void TCheckListBox::DrawItem(int index, TRect rect, TOwnerDrawState state) {
  TCanvas* canvas = GetCanvas();
  if (index < ItemStrings()->GetCount()) {
    TRect box = Rect(rect.left - CheckWidth(), rect.top, rect.left, rect.bottom);
    bool enabled = GetEnabled() && GetItemEnabled(index);
    // The box column keeps the list's colour, also under a selected item.
    TColor selectedColor = canvas->GetBrush()->GetColor();
    canvas->GetBrush()->SetColor(GetColor());
    canvas->FillRect(box);
    canvas->GetBrush()->SetColor(selectedColor);
    TRect check = Rect(box.left + (box.right - box.left - kCheckSize) / 2, box.top + (box.bottom - box.top - kCheckSize) / 2, 0, 0);
    check.right = check.left + kCheckSize;
    check.bottom = check.top + kCheckSize;
    UINT flags = DFCS_BUTTONCHECK;
    switch (GetState(index)) {
      case cbChecked: flags |= DFCS_CHECKED; break;
      case cbGrayed: flags = DFCS_BUTTON3STATE | DFCS_CHECKED; break;
      default: break;
    }
    if (!enabled) {
      flags |= DFCS_INACTIVE;
      canvas->GetFont()->SetColor(clGrayText);
    }
    DrawFrameControl(canvas->GetHandle(), &check, DFC_BUTTON, flags);
  }
  TCustomListBox::DrawItem(index, rect, state);
}

}  // namespace Tovix
