// TPageControl and TTabSheet: a set of pages on the common controls' tab control
// (SysTabControl32). Each TTabSheet is a page: a windowed control that fills the tab control's
// display area and holds the page's controls. Only the active page is visible; a tab per page, in
// page order, carries the page's caption. A click on a tab asks OnChanging, switches the page and
// raises OnChange; setting ActivePage or TabIndex from code raises neither.
//
// In a form file the pages are written inside their page control; reading one there makes it a
// page of that control (its PageControl follows from its parent).
#pragma once

#include <vector>

#include "framework/controls/Controls.h"
#include "framework/stdctrls/StdTypes.h"

namespace Tovix {

class TTabSheet;

using TTabChangingEvent = TEvent<TObject* /*Sender*/, bool& /*AllowChange*/>;

class TPageControl : public TWinControl {
  TOVIX_DECLARE_CLASS(TPageControl)

 public:
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;

  int GetPageCount() const { return static_cast<int>(pages_.size()); }
  // Raises EListError for an index out of range.
  TTabSheet* GetPages(int index) const;
  // The visible page; null only without pages. Setting a page of another control does nothing.
  TTabSheet* GetActivePage() const { return activePage_; }
  void SetActivePage(TTabSheet* page);
  // The active page's index, -1 without pages. Setting an index out of range does nothing.
  int GetActivePageIndex() const;
  void SetActivePageIndex(int index);
  // The selected tab (the active page's index), or -1.
  int GetTabIndex() const;
  void SetTabIndex(int index);
  // Tabs light up under the mouse.
  bool GetHotTrack() const { return hotTrack_; }
  void SetHotTrack(bool value);

  // Makes the next (or previous) page active, wrapping around at the ends, as a click on its tab
  // would: OnChanging may refuse, OnChange follows.
  void SelectNextPage(bool goForward);
  // The page after (or before) current, wrapping around; null without pages.
  TTabSheet* FindNextPage(TTabSheet* current, bool goForward) const;
  // Where the pages lie: the client area less the tabs.
  TRect GetDisplayRect();

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

  const TNotifyEvent& GetOnChange() const { return onChange_; }
  void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }
  const TTabChangingEvent& GetOnChanging() const { return onChanging_; }
  void SetOnChanging(const TTabChangingEvent& e) { onChanging_ = e; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void AlignControls(TControl* control, TRect& rect) override;
  // Asks OnChanging whether the page may change.
  virtual bool CanChange();
  // The selected tab changed: its page becomes active, then OnChange.
  virtual void Change();

  void CNNotify(TMessage& m);
  void CMDialogKey(TMessage& m);

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void MovePage(TTabSheet* page, int index);
  void UpdateTab(TTabSheet* page);
  void InsertTab(int index);
  void ChangeActivePage(TTabSheet* page);
  int IndexOfPage(const TTabSheet* page) const;
  bool IsFontStored() const { return !GetParentFont(); }
  bool IsShowHintStored() const { return !GetParentShowHint(); }

  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;
  int tabIndex_ = -1;  // the selection while there is no window
  bool hotTrack_ = false;
  TNotifyEvent onChange_;
  TTabChangingEvent onChanging_;
};

class TTabSheet : public TWinControl {
  TOVIX_DECLARE_CLASS(TTabSheet)

 public:
  // A hidden page filling its page control's display area.
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;

  TPageControl* GetPageControl() const { return pageControl_; }
  // Makes this a page of pageControl (its parent), the last one; null takes it out.
  void SetPageControl(TPageControl* pageControl);
  // A page control as parent makes this one of its pages.
  void SetParent(TWinControl* parent) override;
  // The position among the pages, -1 outside a page control.
  int GetPageIndex() const;
  void SetPageIndex(int index);
  // The index of the page's tab (every page has one).
  int GetTabIndex() const { return GetPageIndex(); }

  // Raised when the page becomes visible (active) and when it is hidden.
  const TNotifyEvent& GetOnShow() const { return onShow_; }
  void SetOnShow(const TNotifyEvent& e) { onShow_ = e; }
  const TNotifyEvent& GetOnHide() const { return onHide_; }
  void SetOnHide(const TNotifyEvent& e) { onHide_ = e; }

 protected:
  void CMTextChanged(TMessage& m);
  void CMVisibleChanged(TMessage& m);

 private:
  friend class TPageControl;
  bool IsFontStored() const { return !GetParentFont(); }
  bool IsShowHintStored() const { return !GetParentShowHint(); }

  TPageControl* pageControl_ = nullptr;
  TNotifyEvent onShow_;
  TNotifyEvent onHide_;
};

TOVIX_LINK_CLASS(TPageControl)
TOVIX_LINK_CLASS(TTabSheet)

}  // namespace Tovix
