#include <gtest/gtest.h>

#include "framework/Classes.h"

using namespace Tovix;

namespace {

struct Entry {
  int key;
  char tag;
};

int ByKey(void* a, void* b) { return static_cast<Entry*>(a)->key - static_cast<Entry*>(b)->key; }

}  // namespace

TEST(List, SortsByComparisonKeepingEqualItemsInOrder) {
  Entry e[] = {{3, 'a'}, {1, 'b'}, {3, 'c'}, {2, 'd'}, {1, 'e'}};
  TList list;
  for (Entry& x : e) list.Add(&x);
  list.Sort(ByKey);
  String order;
  for (int i = 0; i < list.GetCount(); ++i) order += static_cast<Entry*>(list[i])->tag;
  EXPECT_EQ("bedac", order);
  EXPECT_THROW(list.Sort(nullptr), EListError);
}

TEST(List, EditsAndBoundsChecks) {
  int a = 0, b = 0, c = 0;
  TList list;
  list.Add(&a);
  list.Add(nullptr);
  list.Add(&b);
  list.Insert(0, &c);
  EXPECT_EQ(4, list.GetCount());
  EXPECT_EQ(&c, list.First());
  EXPECT_EQ(&b, list.Last());
  list.Pack();
  EXPECT_EQ(3, list.GetCount());
  EXPECT_EQ(1, list.Remove(&a));
  EXPECT_EQ(-1, list.Remove(&a));
  EXPECT_EQ(nullptr, list.Extract(&a));
  list.Move(0, 1);
  EXPECT_EQ(&b, list[0]);
  EXPECT_EQ(1, list.IndexOf(&c));
  try {
    list.GetItems(2);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ("List index out of bounds (2)", e.Message());
  }
  EXPECT_THROW(list.Insert(3, &a), EListError);
  EXPECT_THROW(list.Delete(-1), EListError);
  EXPECT_THROW(list.SetCapacity(1), EListError);
  list.Clear();
  EXPECT_EQ(0, list.GetCount());
  EXPECT_THROW(list.First(), EListError);
}
