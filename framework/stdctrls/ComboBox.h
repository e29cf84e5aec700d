// TCustomComboBox: the system's COMBOBOX control, superclassed, with its items as a TStrings kept
// across window re-creation; the edit inside an editable combo box is subclassed so that its keys
// and focus reach the control's events. TComboBox publishes it.
#pragma once

#include "framework/stdctrls/Items.h"

namespace Tovix {

class TCustomComboBox;

// The items of a combo box. Clearing them keeps the text of the edit (the system would empty it).
class TComboBoxStrings : public TCustomItemStrings {
  TOVIX_DECLARE_CLASS(TComboBoxStrings)

 public:
  explicit TComboBoxStrings(TCustomComboBox* comboBox);
  void Clear() override;

 private:
  TCustomComboBox* comboBox_;
};

class TCustomComboBox : public TWinControl {
  TOVIX_DECLARE_CLASS(TCustomComboBox)

 public:
  explicit TCustomComboBox(TComponent* owner);
  ~TCustomComboBox() override;

  TStrings* GetItems() const { return items_; }
  void SetItems(TStrings* items);
  // Empties the items and the text.
  void Clear();
  // The selected item, or -1. Setting it raises no event.
  int GetItemIndex() const;
  void SetItemIndex(int index);
  // The edit's text, or for a drop-down list the selected item's. Setting the text of a
  // drop-down list selects the item of that text (none when there is no such item).
  String GetText() const;
  void SetText(const String& text);
  bool GetDroppedDown() const;
  void SetDroppedDown(bool v);
  // Items the dropped-down list shows without scrolling; 8 by default.
  int GetDropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int v) { dropDownCount_ = v > 0 ? v : 1; }
  // The system's item height, or for owner-drawn styles the one set here.
  int GetItemHeight() const;
  void SetItemHeight(int v);
  int GetMaxLength() const { return maxLength_; }
  void SetMaxLength(int v);
  bool GetSorted() const { return sorted_; }
  void SetSorted(bool v);
  TComboBoxStyle GetStyle() const { return style_; }
  void SetStyle(TComboBoxStyle v);
  // The selection in the edit (editable styles only).
  int GetSelStart() const;
  void SetSelStart(int start);
  int GetSelLength() const;
  void SetSelLength(int length);
  String GetSelText() const;
  void SelectAll();
  // Whether the control or its edit has the focus.
  bool Focused() const;
  TCanvas* GetCanvas() const { return canvas_; }
  // The edit and the list inside the combo box (null without a window, or without an edit).
  HWND GetEditHandle() const { return editHandle_; }
  HWND GetListHandle() const { return listHandle_; }

  // The text was changed by the user (typing) or by picking an item (when OnSelect is not set).
  const TNotifyEvent& GetOnChange() const { return onChange_; }
  void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }
  // The user picked an item.
  const TNotifyEvent& GetOnSelect() const { return onSelect_; }
  void SetOnSelect(const TNotifyEvent& e) { onSelect_ = e; }
  // The list is about to drop down (the items can still be filled in).
  const TNotifyEvent& GetOnDropDown() const { return onDropDown_; }
  void SetOnDropDown(const TNotifyEvent& e) { onDropDown_ = e; }
  const TDrawItemEvent& GetOnDrawItem() const { return onDrawItem_; }
  void SetOnDrawItem(const TDrawItemEvent& e) { onDrawItem_ = e; }
  const TMeasureItemEvent& GetOnMeasureItem() const { return onMeasureItem_; }
  void SetOnMeasureItem(const TMeasureItemEvent& e) { onMeasureItem_ = e; }

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Loaded() override;
  virtual void Change();
  // OnSelect, or OnChange when OnSelect is not set.
  virtual void Select();
  virtual void DropDown();
  virtual void DrawItem(int index, TRect rect, TOwnerDrawState state);
  virtual void MeasureItem(int index, int& height);
  // Sizes the dropped-down list to show DropDownCount items.
  void AdjustDropDown();
  // Styles without an edit: the user can only pick an item.
  bool IsListStyle() const { return style_ == csDropDownList || style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable; }
  bool WindowReady() const;

  void CNCommand(TMessage& m);
  void CNDrawItem(TMessage& m);
  void CNMeasureItem(TMessage& m);
  void CMWantSpecialKey(TMessage& m);

 private:
  static LRESULT CALLBACK EditWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  // A message for the edit inside: focus and keys become the combo box's own.
  void EditMessage(TMessage& m);
  void SubclassEdit(HWND edit);
  void SetEditText(const String& text);

  friend class TComboBoxStrings;

  TComboBoxStrings* items_;
  TControlCanvas* canvas_;
  int dropDownCount_ = 8;
  int itemHeight_ = 16;
  int maxLength_ = 0;
  bool sorted_ = false;
  TComboBoxStyle style_ = csDropDown;
  HWND editHandle_ = nullptr;
  HWND listHandle_ = nullptr;
  WNDPROC editProc_ = nullptr;
  // The selection while there is no window.
  int keptItemIndex_ = -1;
  // The text of a drop-down list read from a form file before its items: applied in Loaded.
  String loadedText_;
  bool settingText_ = false;
  TNotifyEvent onChange_;
  TNotifyEvent onSelect_;
  TNotifyEvent onDropDown_;
  TDrawItemEvent onDrawItem_;
  TMeasureItemEvent onMeasureItem_;
};

class TComboBox : public TCustomComboBox {
  TOVIX_DECLARE_CLASS(TComboBox)

 public:
  using TCustomComboBox::TCustomComboBox;
};

TOVIX_LINK_CLASS(TComboBox)

}  // namespace Tovix
