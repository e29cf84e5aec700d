// TList: an ordered list of untyped pointers.
#pragma once

#include <vector>

#include "framework/classes/Exceptions.h"

namespace Tovix {

// Returns < 0, 0 or > 0 as item1 sorts before, equal to or after item2.
using TListSortCompare = int (*)(void* item1, void* item2);

class TList : public TObject {
 public:
  int Add(void* item);
  void Insert(int index, void* item);
  void Delete(int index);
  // Removes the first occurrence of item and returns its former index, or -1.
  int Remove(void* item);
  // Removes the first occurrence of item and returns it, or null when absent.
  void* Extract(void* item);
  void Clear();
  void Exchange(int index1, int index2);
  void Move(int curIndex, int newIndex);
  // Removes every null entry.
  void Pack();
  // Sorts stably: items that compare equal keep their order.
  void Sort(TListSortCompare compare);

  int IndexOf(const void* item) const;
  int GetCount() const { return static_cast<int>(items_.size()); }
  void* GetItems(int index) const;
  void SetItems(int index, void* item);
  void* operator[](int index) const { return GetItems(index); }
  void* First() const { return GetItems(0); }
  void* Last() const { return GetItems(GetCount() - 1); }
  int GetCapacity() const { return static_cast<int>(items_.capacity()); }
  void SetCapacity(int capacity);

 private:
  void CheckIndex(int index, int upper) const;

  std::vector<void*> items_;
};

}  // namespace Tovix
