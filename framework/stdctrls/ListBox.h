// TCustomListBox: the system's LISTBOX control, superclassed, with its items as a TStrings kept
// across window re-creation, single or multiple selection and owner drawing; TListBox publishes it.
#pragma once

#include "framework/stdctrls/Items.h"

namespace Tovix {

class TCustomListBox;

// The items of a list box; per-item removal and the objects go through the list box, so that
// a descendant can keep data of its own with each item.
class TListBoxStrings : public TCustomItemStrings {
  TOVIX_DECLARE_CLASS(TListBoxStrings)

 public:
  explicit TListBoxStrings(TCustomListBox* listBox);
  void Delete(int index) override;
  void Clear() override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;

 private:
  TCustomListBox* listBox_;
};

class TCustomListBox : public TWinControl {
  TOVIX_DECLARE_CLASS(TCustomListBox)

 public:
  explicit TCustomListBox(TComponent* owner);
  ~TCustomListBox() override;

  TStrings* GetItems() const { return items_; }
  void SetItems(TStrings* items);
  void Clear() { items_->Clear(); }

  // The selected item (with MultiSelect, the one with the focus rectangle), or -1.
  int GetItemIndex() const;
  void SetItemIndex(int index);
  // Raises EListError for an index outside the items.
  bool GetSelected(int index) const;
  void SetSelected(int index, bool selected);
  int GetSelCount() const;
  int GetTopIndex() const;
  void SetTopIndex(int index);
  // The item under a client point; -1 when there is none, or with existing false the index
  // after the last item when the point is below the items.
  int ItemAtPos(TPoint pos, bool existing) const;
  TRect ItemRect(int index) const;
  TCanvas* GetCanvas() const { return canvas_; }

  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);
  // Items shown side by side in that many columns; 0 for one column that scrolls vertically.
  int GetColumns() const { return columns_; }
  void SetColumns(int v);
  bool GetExtendedSelect() const { return extendedSelect_; }
  void SetExtendedSelect(bool v);
  bool GetIntegralHeight() const { return integralHeight_; }
  void SetIntegralHeight(bool v);
  // Standard lists report the system's item height; owner-drawn ones use this value.
  int GetItemHeight() const;
  void SetItemHeight(int v);
  bool GetMultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool v);
  bool GetSorted() const { return sorted_; }
  void SetSorted(bool v);
  TListBoxStyle GetStyle() const { return style_; }
  void SetStyle(TListBoxStyle v);
  // Tab stops every TabWidth dialog units in the items' text; 0 for none.
  int GetTabWidth() const { return tabWidth_; }
  void SetTabWidth(int v);

  const TDrawItemEvent& GetOnDrawItem() const { return onDrawItem_; }
  void SetOnDrawItem(const TDrawItemEvent& e) { onDrawItem_ = e; }
  const TMeasureItemEvent& GetOnMeasureItem() const { return onMeasureItem_; }
  void SetOnMeasureItem(const TMeasureItemEvent& e) { onMeasureItem_ = e; }

 protected:
  friend class TListBoxStrings;

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // Draws one owner-drawn item: OnDrawItem, or the item's text on the canvas.
  virtual void DrawItem(int index, TRect rect, TOwnerDrawState state);
  virtual void MeasureItem(int index, int& height);
  // What Items.Objects shows, and removing items; descendants that keep data of their own with
  // each item (in the item data) override them.
  virtual TObject* GetItemObject(int index) const;
  virtual void SetItemObject(int index, TObject* object);
  virtual void DeleteString(int index);
  virtual void ResetContent();
  TListBoxStrings* ItemStrings() const { return items_; }
  // Makes the window if it can be made (see CanMakeWindow); whether it exists.
  bool WindowReady() const;

  void CNCommand(TMessage& m);
  void CNDrawItem(TMessage& m);
  void CNMeasureItem(TMessage& m);
  void WMSize(TMessage& m);

 private:
  void SetColumnWidth();

  TListBoxStrings* items_;
  TControlCanvas* canvas_;
  TBorderStyle borderStyle_ = bsSingle;
  int columns_ = 0;
  bool extendedSelect_ = true;
  bool integralHeight_ = false;
  int itemHeight_ = 16;
  bool multiSelect_ = false;
  bool sorted_ = false;
  TListBoxStyle style_ = lbStandard;
  int tabWidth_ = 0;
  // The selection while there is no window.
  int keptItemIndex_ = -1;
  int keptTopIndex_ = 0;
  std::vector<bool> keptSelected_;
  TDrawItemEvent onDrawItem_;
  TMeasureItemEvent onMeasureItem_;
};

class TListBox : public TCustomListBox {
  TOVIX_DECLARE_CLASS(TListBox)

 public:
  using TCustomListBox::TCustomListBox;
};

TOVIX_LINK_CLASS(TListBox)

}  // namespace Tovix
