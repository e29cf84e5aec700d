#include "framework/stdctrls/Items.h"

#include <algorithm>

#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

const TItemMessages kListBoxItemMessages{LB_GETCOUNT,    LB_GETTEXT,      LB_GETTEXTLEN,
                                         LB_ADDSTRING,   LB_INSERTSTRING, LB_DELETESTRING,
                                         LB_RESETCONTENT, LB_GETITEMDATA, LB_SETITEMDATA};
const TItemMessages kComboBoxItemMessages{CB_GETCOUNT,    CB_GETLBTEXT,    CB_GETLBTEXTLEN,
                                          CB_ADDSTRING,   CB_INSERTSTRING, CB_DELETESTRING,
                                          CB_RESETCONTENT, CB_GETITEMDATA, CB_SETITEMDATA};

bool CanMakeWindow(const TWinControl* control) {
  if (control->HandleAllocated()) return true;
  const TWinControl* top = control;
  for (;;) {
    if (top->IsDestroying() || top->GetControlState().Contains(csDestroyingHandle)) return false;
    if (!top->GetParent()) break;
    top = top->GetParent();
  }
  return top->HandleAllocated() || top->GetParentWindow() || dynamic_cast<const TCustomForm*>(top);
}

TOVIX_IMPLEMENT_CLASS(TCustomItemStrings, TStrings) {}

TCustomItemStrings::TCustomItemStrings(TWinControl* control, const TItemMessages& messages, std::function<bool()> sorted)
    : control_(control), msg_(messages), sorted_(std::move(sorted)) {}

bool TCustomItemStrings::InWindow() const {
  if (!control_->HandleAllocated() && CanMakeWindow(control_)) control_->HandleNeeded();
  return control_->HandleAllocated();
}

LRESULT TCustomItemStrings::Send(UINT msg, WPARAM wParam, LPARAM lParam) const {
  return SendMessageA(control_->GetHandle(), msg, wParam, lParam);
}

void TCustomItemStrings::CheckIndex(int index) const {
  if (index < 0 || index >= GetCount()) IndexError(index);
}

void TCustomItemStrings::InsertError(const String& s) const {
  throw EStringListError(Format("Cannot insert '%s' into the items of %s", s, control_->GetName()));
}

int TCustomItemStrings::GetCount() const {
  if (InWindow()) return static_cast<int>(Send(msg_.getCount, 0, 0));
  return static_cast<int>(kept_.size());
}

String TCustomItemStrings::Get(int index) const {
  CheckIndex(index);
  if (!InWindow()) return kept_[static_cast<size_t>(index)].text;
  LRESULT length = Send(msg_.getTextLen, static_cast<WPARAM>(index), 0);
  if (length < 0) IndexError(index);
  String text(static_cast<size_t>(length) + 1, '\0');
  LRESULT got = Send(msg_.getText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got < 0 ? 0 : static_cast<size_t>(got));
  return text;
}

intptr_t TCustomItemStrings::GetData(int index) const {
  CheckIndex(index);
  if (!InWindow()) return kept_[static_cast<size_t>(index)].data;
  return static_cast<intptr_t>(Send(msg_.getItemData, static_cast<WPARAM>(index), 0));
}

void TCustomItemStrings::SetData(int index, intptr_t data) {
  CheckIndex(index);
  if (InWindow()) Send(msg_.setItemData, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
  else kept_[static_cast<size_t>(index)].data = data;
}

TObject* TCustomItemStrings::GetObject(int index) const { return reinterpret_cast<TObject*>(GetData(index)); }

void TCustomItemStrings::PutObject(int index, TObject* object) { SetData(index, reinterpret_cast<intptr_t>(object)); }

// The order of the system's sorted lists: by the user's locale, ignoring case.
bool TCustomItemStrings::SortsBefore(const String& a, const String& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
}

int TCustomItemStrings::SortedPosition(const String& s) const {
  auto after = std::upper_bound(kept_.begin(), kept_.end(), s,
                                [](const String& value, const TItem& item) { return SortsBefore(value, item.text); });
  return static_cast<int>(after - kept_.begin());
}

void TCustomItemStrings::SortKeptItems() {
  std::stable_sort(kept_.begin(), kept_.end(), [](const TItem& a, const TItem& b) { return SortsBefore(a.text, b.text); });
}

int TCustomItemStrings::Add(const String& s) {
  if (InWindow()) {
    // The window sorts by itself when its style says so, and appends otherwise.
    LRESULT index = Send(msg_.addString, 0, reinterpret_cast<LPARAM>(s.c_str()));
    if (index < 0) InsertError(s);
    return static_cast<int>(index);
  }
  bool sorted = sorted_ && sorted_();
  int index = sorted ? SortedPosition(s) : static_cast<int>(kept_.size());
  kept_.insert(kept_.begin() + index, TItem{s, 0});
  return index;
}

void TCustomItemStrings::Insert(int index, const String& s) {
  if (index < 0 || index > GetCount()) IndexError(index);
  if (InWindow()) {
    if (Send(msg_.insertString, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str())) < 0) InsertError(s);
    return;
  }
  kept_.insert(kept_.begin() + index, TItem{s, 0});
}

void TCustomItemStrings::Put(int index, const String& s) {
  intptr_t data = GetData(index);
  DeleteItem(index);
  Insert(index, s);
  SetData(index, data);
}

void TCustomItemStrings::Exchange(int index1, int index2) {
  if (index1 == index2) {
    CheckIndex(index1);
    return;
  }
  String text1 = Get(index1);
  intptr_t data1 = GetData(index1);
  String text2 = Get(index2);
  intptr_t data2 = GetData(index2);
  Put(index1, text2);
  SetData(index1, data2);
  Put(index2, text1);
  SetData(index2, data1);
}

void TCustomItemStrings::DeleteItem(int index) {
  CheckIndex(index);
  if (InWindow()) Send(msg_.deleteString, static_cast<WPARAM>(index), 0);
  else kept_.erase(kept_.begin() + index);
}

void TCustomItemStrings::ClearItems() {
  if (InWindow()) Send(msg_.resetContent, 0, 0);
  kept_.clear();
}

void TCustomItemStrings::SaveItems() {
  if (!control_->HandleAllocated()) return;
  HWND window = control_->GetHandle();
  std::vector<TItem> items;
  int count = static_cast<int>(SendMessageA(window, msg_.getCount, 0, 0));
  for (int i = 0; i < count; ++i) {
    TItem item;
    item.text = Get(i);
    item.data = static_cast<intptr_t>(SendMessageA(window, msg_.getItemData, static_cast<WPARAM>(i), 0));
    items.push_back(std::move(item));
  }
  kept_ = std::move(items);
}

void TCustomItemStrings::RestoreItems() {
  if (!control_->HandleAllocated() || kept_.empty()) return;
  std::vector<TItem> items;
  items.swap(kept_);
  HWND window = control_->GetHandle();
  for (const TItem& item : items) {
    LRESULT index = SendMessageA(window, msg_.addString, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
    if (index < 0) InsertError(item.text);
    SendMessageA(window, msg_.setItemData, static_cast<WPARAM>(index), static_cast<LPARAM>(item.data));
  }
}

void TCustomItemStrings::SetUpdateState(bool updating) {
  if (!control_->HandleAllocated()) return;
  HWND window = control_->GetHandle();
  SendMessageA(window, WM_SETREDRAW, !updating, 0);
  if (!updating) InvalidateRect(window, nullptr, TRUE);
}

}  // namespace Tovix
