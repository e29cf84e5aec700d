#include <gtest/gtest.h>

#include "framework/Classes.h"

using namespace Tovix;

namespace {

String Joined(const TStrings& list) {
  String s;
  for (int i = 0; i < list.GetCount(); ++i) {
    if (i) s += '|';
    s += list[i];
  }
  return s;
}

class Tagged : public TObject {};

}  // namespace

TEST(StringList, KeepsOrderAndObjectsThroughEdits) {
  TStringList list;
  Tagged a, b;
  EXPECT_EQ(0, list.AddObject("one", &a));
  EXPECT_EQ(1, list.Add("two"));
  list.InsertObject(0, "zero", &b);
  EXPECT_EQ("zero|one|two", Joined(list));
  EXPECT_EQ(&b, list.GetObjects(0));
  EXPECT_EQ(&a, list.GetObjects(1));
  list.SetStrings(1, "ONE");
  EXPECT_EQ(&a, list.GetObjects(1)) << "replacing the text keeps the object";
  list.Exchange(0, 2);
  EXPECT_EQ("two|ONE|zero", Joined(list));
  EXPECT_EQ(&b, list.GetObjects(2));
  list.Move(2, 0);
  EXPECT_EQ("zero|two|ONE", Joined(list));
  list.Delete(1);
  EXPECT_EQ("zero|ONE", Joined(list));
  EXPECT_EQ(1, list.IndexOf("one")) << "searches ignore ASCII case";
  EXPECT_EQ(-1, list.IndexOf("two"));
  EXPECT_EQ(1, list.IndexOfObject(&a));
  list.Clear();
  EXPECT_EQ(0, list.GetCount());
}

TEST(StringList, BadIndexesRaiseWithTheIndex) {
  TStringList list;
  list.Add("x");
  try {
    list.Get(1);
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ("List index out of bounds (1)", e.Message());
  }
  EXPECT_THROW(list.Get(-1), EStringListError);
  EXPECT_THROW(list.Delete(1), EStringListError);
  EXPECT_THROW(list.Insert(2, "y"), EStringListError);
  EXPECT_THROW(list.GetObjects(5), EStringListError);
  EXPECT_NO_THROW(list.Insert(1, "y"));  // inserting at the end is allowed
}

TEST(StringList, SortedListsOrderAndHonourDuplicates) {
  TStringList list;
  list.Add("pear");
  list.Add("Apple");
  list.Add("fig");
  list.SetSorted(true);
  EXPECT_EQ("Apple|fig|pear", Joined(list));
  EXPECT_EQ(1, list.Add("banana"));
  EXPECT_EQ(0, list.Add("APPLE")) << "dupIgnore returns the existing entry";
  EXPECT_EQ(4, list.GetCount());
  int index = -1;
  EXPECT_TRUE(list.Find("PEAR", index));
  EXPECT_EQ(3, index);
  EXPECT_FALSE(list.Find("cherry", index));
  EXPECT_EQ(2, index) << "insert position";

  list.SetDuplicates(dupError);
  try {
    list.Add("fig");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ("String list does not allow duplicates", e.Message());
  }
  list.SetDuplicates(dupAccept);
  list.Add("FIG");
  EXPECT_EQ(5, list.GetCount());

  try {
    list.Insert(0, "x");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ("Operation not allowed on sorted string list", e.Message());
  }
  EXPECT_THROW(list.SetStrings(0, "x"), EStringListError);
}

TEST(StringList, CaseSensitiveListsCompareBytes) {
  TStringList list;
  list.SetCaseSensitive(true);
  list.Add("abc");
  EXPECT_EQ(-1, list.IndexOf("ABC"));
  list.SetSorted(true);
  list.Add("ABC");
  EXPECT_EQ("ABC|abc", Joined(list));
}

TEST(StringList, TextSplitsOnEveryLineEndAndJoinsWithCrLf) {
  TStringList list;
  list.SetText("a\r\nb\nc\rd");
  EXPECT_EQ("a|b|c|d", Joined(list));
  EXPECT_EQ("a\r\nb\r\nc\r\nd\r\n", list.GetText());
  list.SetText("one\r\n\r\ntwo\r\n");
  EXPECT_EQ(3, list.GetCount()) << "an empty line stays, a final line end adds none";
  EXPECT_EQ("", list[1]);
  list.SetText("");
  EXPECT_EQ(0, list.GetCount());
  list.SetText("\r\r\n");
  EXPECT_EQ(2, list.GetCount());
}

TEST(StringList, NamesValuesAndCommaText) {
  TStringList list;
  list.SetValues("Path", "C:\\x");
  list.SetValues("Name", "Tovix");
  EXPECT_EQ("C:\\x", list.GetValues("PATH"));
  EXPECT_EQ("Name", list.GetNames(1));
  list.SetValues("Path", "");
  EXPECT_EQ(1, list.GetCount());
  list.SetCommaText("a, \"b c\",\"say \"\"hi\"\"\",,d");
  EXPECT_EQ("a|b c|say \"hi\"||d", Joined(list));
  EXPECT_EQ("a,\"b c\",\"say \"\"hi\"\"\",\"\",d", list.GetCommaText());
}

TEST(StringList, AssignCopiesLinesAndObjects) {
  TStringList source, target;
  Tagged t;
  source.AddObject("x", &t);
  source.Add("y");
  target.Add("old");
  target.Assign(source);
  EXPECT_TRUE(target.Equals(source));
  EXPECT_EQ(&t, target.GetObjects(0));
  target.Assign(target);
  EXPECT_EQ(2, target.GetCount());
}

TEST(StringList, CustomSortIsStable) {
  TStringList list;
  for (const char* s : {"b2", "a1", "b1", "a2"}) list.Add(s);
  list.CustomSort([](TStringList& l, int i, int j) { return static_cast<int>(l[i][0]) - static_cast<int>(l[j][0]); });
  EXPECT_EQ("a1|a2|b2|b1", Joined(list));
}
