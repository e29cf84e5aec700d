// The items of a list box or combo box: a TStrings kept in the control's window.
//
// The window is made when the items are first used and the control can have one (it sits on a
// form, or under a window of its own); until then, and while the window is being re-created,
// the items live in a list of the strings object, which the next window takes over. A control
// that can have no window (no parent yet) keeps its items that way too, so nothing is lost.
// Each item carries one pointer-sized value (the window's item data), which Objects shows.
#pragma once

#include <vector>

#include "framework/stdctrls/StdTypes.h"

namespace Tovix {

// The messages of the two kinds of windows for the same operations.
struct TItemMessages {
  UINT getCount, getText, getTextLen, addString, insertString, deleteString, resetContent, getItemData,
      setItemData;
};
extern const TItemMessages kListBoxItemMessages;
extern const TItemMessages kComboBoxItemMessages;

// Whether a control's window exists or could be made now: its topmost parent is a form or has
// a window (or a parent window); not while it or a parent is being destroyed.
bool CanMakeWindow(const TWinControl* control);

class TCustomItemStrings : public TStrings {
  TOVIX_DECLARE_CLASS(TCustomItemStrings)

 public:
  // sorted tells whether the control keeps its items sorted (then Add inserts in order).
  TCustomItemStrings(TWinControl* control, const TItemMessages& messages, std::function<bool()> sorted);

  int GetCount() const override;
  String Get(int index) const override;
  // Keeps the item's data (and so whatever the control keeps with the item).
  void Put(int index, const String& s) override;
  void Insert(int index, const String& s) override;
  int Add(const String& s) override;
  void Delete(int index) override { DeleteItem(index); }
  void Clear() override { ClearItems(); }
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  void Exchange(int index1, int index2) override;

  // The item data behind Objects, as the window keeps it.
  intptr_t GetData(int index) const;
  void SetData(int index, intptr_t data);
  // Removing items without anything the control keeps per item being let go of.
  void DeleteItem(int index);
  void ClearItems();

  // Sorts items kept without a window (a window sorts its own when its style says so).
  void SortKeptItems();

  // The control's window is about to be destroyed: its items move here.
  void SaveItems();
  // The control's new window exists: the kept items move into it.
  void RestoreItems();

 protected:
  // Redraws are held while updating.
  void SetUpdateState(bool updating) override;

 private:
  struct TItem {
    String text;
    intptr_t data = 0;
  };
  // Whether the items are in the window; makes it when it can be made.
  bool InWindow() const;
  LRESULT Send(UINT msg, WPARAM wParam, LPARAM lParam) const;
  void CheckIndex(int index) const;
  // Where a sorted list without a window puts s: after the items that sort before or equal to it.
  int SortedPosition(const String& s) const;
  static bool SortsBefore(const String& a, const String& b);
  [[noreturn]] void InsertError(const String& s) const;

  TWinControl* control_;
  const TItemMessages& msg_;
  std::function<bool()> sorted_;
  std::vector<TItem> kept_;
};

}  // namespace Tovix
