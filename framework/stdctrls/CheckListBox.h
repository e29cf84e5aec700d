// The CheckLst unit: TCheckListBox, a list box with a check box before every item.
//
// The list is owner-drawn; each item's state travels with the item (in its item data, with the
// item's object), so it follows the item when items are inserted, deleted or the window is made
// again. A click on an item's box, or Space on the selected item, steps its state and raises
// OnClickCheck.
#pragma once

#include "framework/stdctrls/ListBox.h"

namespace Tovix {

class TCheckListBox : public TCustomListBox {
  TOVIX_DECLARE_CLASS(TCheckListBox)

 public:
  explicit TCheckListBox(TComponent* owner);
  ~TCheckListBox() override;

  // Index outside the items raises EListError.
  bool GetChecked(int index) const { return GetState(index) == cbChecked; }
  void SetChecked(int index, bool checked);
  TCheckBoxState GetState(int index) const;
  void SetState(int index, TCheckBoxState state);
  // A disabled item is drawn gray and its box does not change by a click.
  bool GetItemEnabled(int index) const;
  void SetItemEnabled(int index, bool enabled);
  // Whether the user's click steps through the grayed state; false by default.
  bool GetAllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool v) { allowGrayed_ = v; }

  const TNotifyEvent& GetOnClickCheck() const { return onClickCheck_; }
  void SetOnClickCheck(const TNotifyEvent& e) { onClickCheck_ = e; }

  // The width of the box column at the left of every item.
  static int CheckWidth();

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DrawItem(int index, TRect rect, TOwnerDrawState state) override;
  TObject* GetItemObject(int index) const override;
  void SetItemObject(int index, TObject* object) override;
  void DeleteString(int index) override;
  void ResetContent() override;
  void KeyPress(char& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  // Steps the item's state as a click does, then raises OnClickCheck.
  void ToggleClickCheck(int index);
  virtual void ClickCheck();

  void CNDrawItem(TMessage& m);
  void CMFontChanged(TMessage& m);

 private:
  // What the list keeps with an item; made when the item first needs one.
  struct TItemState {
    TCheckBoxState state = cbUnchecked;
    bool enabled = true;
    TObject* object = nullptr;
  };
  TItemState* FindItemState(int index) const;
  TItemState& ItemState(int index);
  void CheckIndex(int index) const;
  void InvalidateItem(int index);
  // Standard lists: items as high as the font's line or the box, whichever is more.
  void ResetItemHeight();

  bool allowGrayed_ = false;
  TNotifyEvent onClickCheck_;
};

TOVIX_LINK_CLASS(TCheckListBox)

}  // namespace Tovix
