#include "framework/classes/List.h"

#include <algorithm>

namespace Tovix {

void TList::CheckIndex(int index, int upper) const {
  if (index < 0 || index > upper) throw EListError(Format("List index out of bounds (%d)", index));
}

int TList::Add(void* item) {
  items_.push_back(item);
  return GetCount() - 1;
}

void TList::Insert(int index, void* item) {
  CheckIndex(index, GetCount());
  items_.insert(items_.begin() + index, item);
}

void TList::Delete(int index) {
  CheckIndex(index, GetCount() - 1);
  items_.erase(items_.begin() + index);
}

int TList::Remove(void* item) {
  int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* item) {
  return Remove(item) >= 0 ? item : nullptr;
}

void TList::Clear() {
  items_.clear();
  items_.shrink_to_fit();
}

void TList::Exchange(int index1, int index2) {
  CheckIndex(index1, GetCount() - 1);
  CheckIndex(index2, GetCount() - 1);
  std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
}

void TList::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  CheckIndex(curIndex, GetCount() - 1);
  CheckIndex(newIndex, GetCount() - 1);
  void* item = items_[static_cast<size_t>(curIndex)];
  items_.erase(items_.begin() + curIndex);
  items_.insert(items_.begin() + newIndex, item);
}

void TList::Pack() { items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end()); }

void TList::Sort(TListSortCompare compare) {
  if (!compare) throw EListError("List sort needs a comparison function");
  std::stable_sort(items_.begin(), items_.end(), [compare](void* a, void* b) { return compare(a, b) < 0; });
}

int TList::IndexOf(const void* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void* TList::GetItems(int index) const {
  CheckIndex(index, GetCount() - 1);
  return items_[static_cast<size_t>(index)];
}

void TList::SetItems(int index, void* item) {
  CheckIndex(index, GetCount() - 1);
  items_[static_cast<size_t>(index)] = item;
}

void TList::SetCapacity(int capacity) {
  if (capacity < GetCount()) throw EListError(Format("List capacity out of bounds (%d)", capacity));
  items_.reserve(static_cast<size_t>(capacity));
}

}  // namespace Tovix
