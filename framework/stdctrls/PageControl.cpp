#include "framework/stdctrls/PageControl.h"

#include <algorithm>
#include <commctrl.h>

#include "framework/forms/Forms.h"
#include "framework/controls/Menus.h"
#include "framework/classes/TypInfoBuilder.h"
#include "framework/stdctrls/Publish.h"

namespace Tovix {

namespace P = StdCtrlsPublish;

TOVIX_IMPLEMENT_CLASS(TPageControl, TWinControl) {
  StdCtrlsPublish::Placement(c);
  c.Property("ActivePage", &TPageControl::GetActivePage, &TPageControl::SetActivePage);
  c.Property("Align", &TPageControl::GetAlign, &TPageControl::SetAlign).Default(alNone);
  c.Property("Enabled", &TPageControl::GetEnabled, &TPageControl::SetEnabled).Default(true);
  c.Property("Font", &TPageControl::GetFont, &TPageControl::SetFont).Stored(&TPageControl::IsFontStored);
  c.Property("HotTrack", &TPageControl::GetHotTrack, &TPageControl::SetHotTrack).Default(false);
  c.Property("ParentFont", &TPageControl::GetParentFont, &TPageControl::SetParentFont).Default(true);
  c.Property("ParentShowHint", &TPageControl::GetParentShowHint, &TPageControl::SetParentShowHint).Default(true);
  c.Property("PopupMenu", &TPageControl::GetPopupMenu, &TPageControl::SetPopupMenu);
  c.Property("ShowHint", &TPageControl::GetShowHint, &TPageControl::SetShowHint).Stored(&TPageControl::IsShowHintStored);
  P::TabOrder(c, true);
  c.Property("Visible", &TPageControl::GetVisible, &TPageControl::SetVisible).Default(true);
  c.Property("OnChange", &TPageControl::GetOnChange, &TPageControl::SetOnChange);
  c.Property("OnChanging", &TPageControl::GetOnChanging, &TPageControl::SetOnChanging);
  c.Property("OnEnter", &TPageControl::GetOnEnter, &TPageControl::SetOnEnter);
  c.Property("OnExit", &TPageControl::GetOnExit, &TPageControl::SetOnExit);
  P::MouseEvents(c);
  c.Message(CN_NOTIFY, &TPageControl::CNNotify);
  c.Message(CM_DIALOGKEY, &TPageControl::CMDialogKey);
}

// The page's bounds follow from the page control, so they are not written.
TOVIX_IMPLEMENT_CLASS(TTabSheet, TWinControl) {
  c.Property("Left", &TTabSheet::GetLeft, &TTabSheet::SetLeft).Stored(false);
  c.Property("Top", &TTabSheet::GetTop, &TTabSheet::SetTop).Stored(false);
  c.Property("Width", &TTabSheet::GetWidth, &TTabSheet::SetWidth).Stored(false);
  c.Property("Height", &TTabSheet::GetHeight, &TTabSheet::SetHeight).Stored(false);
  c.Property("Caption", &TTabSheet::GetCaption, &TTabSheet::SetCaption);
  c.Property("Enabled", &TTabSheet::GetEnabled, &TTabSheet::SetEnabled).Default(true);
  c.Property("Font", &TTabSheet::GetFont, &TTabSheet::SetFont).Stored(&TTabSheet::IsFontStored);
  c.Property("ParentFont", &TTabSheet::GetParentFont, &TTabSheet::SetParentFont).Default(true);
  c.Property("ParentShowHint", &TTabSheet::GetParentShowHint, &TTabSheet::SetParentShowHint).Default(true);
  c.Property("PopupMenu", &TTabSheet::GetPopupMenu, &TTabSheet::SetPopupMenu);
  c.Property("ShowHint", &TTabSheet::GetShowHint, &TTabSheet::SetShowHint).Stored(&TTabSheet::IsShowHintStored);
  c.Property("OnEnter", &TTabSheet::GetOnEnter, &TTabSheet::SetOnEnter);
  c.Property("OnExit", &TTabSheet::GetOnExit, &TTabSheet::SetOnExit);
  c.Property("OnHide", &TTabSheet::GetOnHide, &TTabSheet::SetOnHide);
  P::MouseEvents(c);
  c.Property("OnShow", &TTabSheet::GetOnShow, &TTabSheet::SetOnShow);
  c.Message(CM_TEXTCHANGED, &TTabSheet::CMTextChanged);
  c.Message(CM_VISIBLECHANGED, &TTabSheet::CMVisibleChanged);
}

// ---------------------------------------------------------------------------
// TPageControl

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  controlStyle_ = TControlStyle{csDoubleClicks, csOpaque};
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

TPageControl::~TPageControl() {
  Destroying();
  // The pages outlive this part of the object: they must not call back while it is destroyed.
  for (TTabSheet* page : pages_) page->pageControl_ = nullptr;
  pages_.clear();
  activePage_ = nullptr;
}

void TPageControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, WC_TABCONTROLA);
  params.Style |= WS_CLIPCHILDREN;
  if (hotTrack_) params.Style |= TCS_HOTTRACK;
}

void TPageControl::CreateWnd() {
  TWinControl::CreateWnd();
  for (int i = 0; i < GetPageCount(); ++i) InsertTab(i);
  SendMessageA(handle_, TCM_SETCURSEL, static_cast<WPARAM>(IndexOfPage(activePage_)), 0);
}

void TPageControl::InsertTab(int index) {
  String caption = pages_[static_cast<size_t>(index)]->GetCaption();
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = caption.data();
  SendMessageA(handle_, TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TPageControl::UpdateTab(TTabSheet* page) {
  int index = IndexOfPage(page);
  if (!HandleAllocated() || index < 0) return;
  String caption = page->GetCaption();
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = caption.data();
  SendMessageA(handle_, TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  Realign();  // a caption of another length may change the rows of tabs
}

TRect TPageControl::GetDisplayRect() {
  TRect rect = GetClientRect();
  if (HandleAllocated()) SendMessageA(handle_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
  return rect;
}

void TPageControl::AlignControls(TControl* control, TRect& rect) {
  rect = GetDisplayRect();
  TWinControl::AlignControls(control, rect);
}

void TPageControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (TTabSheet* page : pages_)
    if (page->GetOwner() == root) proc(page);
  for (int i = 0; i < GetControlCount(); ++i) {
    TControl* c = GetControls(i);
    if (c->GetOwner() == root && !dynamic_cast<TTabSheet*>(c)) proc(c);
  }
  TComponent::GetChildren(proc, root);
}

void TPageControl::SetHotTrack(bool value) {
  if (value == hotTrack_) return;
  hotTrack_ = value;
  RecreateWnd();
}

// ---------------------------------------------------------------------------
// Pages

int TPageControl::IndexOfPage(const TTabSheet* page) const {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

TTabSheet* TPageControl::GetPages(int index) const {
  if (index < 0 || index >= GetPageCount()) throw EListError(Format("List index out of bounds (%d)", index));
  return pages_[static_cast<size_t>(index)];
}

void TPageControl::InsertPage(TTabSheet* page) {
  pages_.push_back(page);
  page->pageControl_ = this;
  if (HandleAllocated()) InsertTab(GetPageCount() - 1);
  // A page control with pages always shows one.
  if (!activePage_) SetActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* page) {
  int index = IndexOfPage(page);
  if (index < 0) return;
  TTabSheet* next = activePage_ == page ? FindNextPage(page, true) : activePage_;
  if (next == page) next = nullptr;
  pages_.erase(pages_.begin() + index);
  page->pageControl_ = nullptr;
  if (HandleAllocated()) SendMessageA(handle_, TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
  if (activePage_ == page) {
    activePage_ = nullptr;
    if (!IsDestroying()) SetActivePage(next);
  } else {
    SetTabIndex(IndexOfPage(activePage_));
  }
}

void TPageControl::MovePage(TTabSheet* page, int index) {
  int old = IndexOfPage(page);
  if (old < 0) return;
  index = std::clamp(index, 0, GetPageCount() - 1);
  if (index == old) return;
  pages_.erase(pages_.begin() + old);
  pages_.insert(pages_.begin() + index, page);
  if (HandleAllocated()) {
    SendMessageA(handle_, TCM_DELETEITEM, static_cast<WPARAM>(old), 0);
    InsertTab(index);
  }
  SetTabIndex(IndexOfPage(activePage_));
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->pageControl_ != this) return;
  ChangeActivePage(page);
  SetTabIndex(IndexOfPage(activePage_));
}

// Shows the new page and hides the old one. When the focus was on the old page, the page
// control takes it, so that it does not stay on a hidden control.
void TPageControl::ChangeActivePage(TTabSheet* page) {
  if (page == activePage_) return;
  TCustomForm* form = GetParentForm(this);
  bool focusWasOnPage = form && activePage_ && form->GetActiveControl() &&
                        activePage_->ContainsControl(form->GetActiveControl());
  TTabSheet* old = activePage_;
  activePage_ = page;
  if (page) page->SetVisible(true);
  if (old) old->SetVisible(false);
  if (focusWasOnPage && CanFocus() && form->GetVisible()) SetFocus();
}

int TPageControl::GetActivePageIndex() const { return IndexOfPage(activePage_); }

void TPageControl::SetActivePageIndex(int index) {
  if (index >= 0 && index < GetPageCount()) SetActivePage(pages_[static_cast<size_t>(index)]);
}

int TPageControl::GetTabIndex() const {
  if (handle_) return static_cast<int>(SendMessageA(handle_, TCM_GETCURSEL, 0, 0));
  return tabIndex_;
}

void TPageControl::SetTabIndex(int index) {
  tabIndex_ = index;
  if (HandleAllocated()) SendMessageA(handle_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward) const {
  if (pages_.empty()) return nullptr;
  int count = GetPageCount();
  int start = IndexOfPage(current);
  if (start < 0) start = goForward ? count - 1 : 0;
  int next = goForward ? (start + 1) % count : (start + count - 1) % count;
  return pages_[static_cast<size_t>(next)];
}

void TPageControl::SelectNextPage(bool goForward) {
  TTabSheet* page = FindNextPage(activePage_, goForward);
  if (!page || page == activePage_ || !CanChange()) return;
  SetTabIndex(IndexOfPage(page));
  Change();
}

bool TPageControl::CanChange() {
  bool allow = true;
  onChanging_(this, allow);
  return allow;
}

void TPageControl::Change() {
  int index = GetTabIndex();
  if (index >= 0 && index < GetPageCount()) ChangeActivePage(pages_[static_cast<size_t>(index)]);
  tabIndex_ = index;
  onChange_(this);
}

void TPageControl::CNNotify(TMessage& m) {
  auto* header = reinterpret_cast<NMHDR*>(m.LParam);
  switch (header->code) {
    case TCN_SELCHANGING:
      m.Result = CanChange() ? FALSE : TRUE;  // TRUE keeps the current tab
      break;
    case TCN_SELCHANGE:
      Change();
      break;
    default:
      break;
  }
}

// Ctrl+Tab and Ctrl+Shift+Tab turn the pages while the focus is on or inside the control.
void TPageControl::CMDialogKey(TMessage& m) {
  HWND focus = GetFocus();
  bool focusInside = HandleAllocated() && (focus == handle_ || IsChild(handle_, focus));
  if (focusInside && m.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
    SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
    m.Result = 1;
    return;
  }
  TWinControl::CMDialogKey(m);
}

// ---------------------------------------------------------------------------
// TTabSheet

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  controlStyle_.Include(csAcceptsControls).Include(csNoDesignVisible);
  SetVisibleState(false);
  SetAlign(alClient);
}

TTabSheet::~TTabSheet() {
  Destroying();
  if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* pageControl) { SetParent(pageControl); }

void TTabSheet::SetParent(TWinControl* parent) {
  auto* pageControl = dynamic_cast<TPageControl*>(parent);
  if (parent == parent_ && pageControl == pageControl_) return;
  if (pageControl_) pageControl_->RemovePage(this);
  TWinControl::SetParent(parent);
  if (pageControl) pageControl->InsertPage(this);
}

int TTabSheet::GetPageIndex() const { return pageControl_ ? pageControl_->IndexOfPage(this) : -1; }

void TTabSheet::SetPageIndex(int index) {
  if (pageControl_) pageControl_->MovePage(this, index);
}

void TTabSheet::CMTextChanged(TMessage&) {
  if (pageControl_) pageControl_->UpdateTab(this);
}

void TTabSheet::CMVisibleChanged(TMessage& m) {
  TWinControl::CMVisibleChanged(m);
  if (GetVisible()) onShow_(this);
  else onHide_(this);
}

}  // namespace Tovix
