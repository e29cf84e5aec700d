#include "framework/classes/Strings.h"

#include <algorithm>

#include "framework/classes/Filer.h"
#include "framework/system/ScopeExit.h"
#include "framework/classes/Streams.h"
#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TStrings, TPersistent) {}
TOVIX_IMPLEMENT_CLASS(TStringList, TStrings) {}

// ---------------------------------------------------------------------------
// TStrings

void TStrings::Assign(TPersistent* source) {
  if (auto* strings = dynamic_cast<TStrings*>(source)) Assign(*strings);
  else TPersistent::Assign(source);
}

void TStrings::DefineProperties(TFiler& filer) {
  filer.DefineProperty(
      "Strings",
      [this](const TFormValue& value) {
        if (value.type != TFormValue::vaList) throw EReadError("A list of strings expected");
        BeginUpdate();
        TScopeExit endUpdate([&] { EndUpdate(); });
        Clear();
        for (const TFormValue& item : value.items) {
          if (item.type != TFormValue::vaString) throw EReadError("A list of strings expected");
          Add(item.text);
        }
      },
      [this] {
        std::vector<TFormValue> items;
        for (int i = 0; i < GetCount(); ++i) items.push_back(TFormValue::Str(Get(i)));
        return TFormValue::List(std::move(items));
      },
      GetCount() > 0);
}

void TStrings::IndexError(int index) const { throw EStringListError(Format("List index out of bounds (%d)", index)); }

void TStrings::Put(int index, const String& s) {
  TObject* object = GetObject(index);
  Delete(index);
  InsertObject(index, s, object);
}

TObject* TStrings::GetObject(int index) const {
  if (index < 0 || index >= GetCount()) IndexError(index);
  return nullptr;
}

void TStrings::PutObject(int index, TObject*) {
  if (index < 0 || index >= GetCount()) IndexError(index);
}

int TStrings::Add(const String& s) {
  int index = GetCount();
  Insert(index, s);
  return index;
}

int TStrings::AddObject(const String& s, TObject* object) {
  int index = Add(s);
  PutObject(index, object);
  return index;
}

void TStrings::InsertObject(int index, const String& s, TObject* object) {
  Insert(index, s);
  PutObject(index, object);
}

void TStrings::AddStrings(const TStrings& strings) {
  BeginUpdate();
  TScopeExit endUpdate([&] { EndUpdate(); });
  for (int i = 0; i < strings.GetCount(); ++i) AddObject(strings.Get(i), strings.GetObject(i));
}

void TStrings::Assign(const TStrings& source) {
  if (&source == this) return;
  BeginUpdate();
  TScopeExit endUpdate([&] { EndUpdate(); });
  Clear();
  AddStrings(source);
}

void TStrings::Exchange(int index1, int index2) {
  String s1 = Get(index1);
  TObject* o1 = GetObject(index1);
  Put(index1, Get(index2));
  PutObject(index1, GetObject(index2));
  Put(index2, s1);
  PutObject(index2, o1);
}

void TStrings::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  String s = Get(curIndex);
  TObject* object = GetObject(curIndex);
  Delete(curIndex);
  InsertObject(newIndex, s, object);
}

int TStrings::CompareStrings(const String& a, const String& b) const { return CompareText(a, b); }

int TStrings::IndexOf(const String& s) const {
  for (int i = 0; i < GetCount(); ++i)
    if (CompareStrings(Get(i), s) == 0) return i;
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  for (int i = 0; i < GetCount(); ++i)
    if (GetObject(i) == object) return i;
  return -1;
}

int TStrings::IndexOfName(const String& name) const {
  for (int i = 0; i < GetCount(); ++i) {
    String line = Get(i);
    size_t eq = line.find('=');
    if (eq != String::npos && CompareStrings(line.substr(0, eq), name) == 0) return i;
  }
  return -1;
}

String TStrings::GetNames(int index) const {
  String line = Get(index);
  return line.substr(0, line.find('='));
}

String TStrings::GetValues(const String& name) const {
  int i = IndexOfName(name);
  if (i < 0) return String();
  String line = Get(i);
  return line.substr(line.find('=') + 1);
}

void TStrings::SetValues(const String& name, const String& value) {
  int i = IndexOfName(name);
  if (value.empty()) {
    if (i >= 0) Delete(i);
  } else if (i < 0) {
    Add(name + "=" + value);
  } else {
    Put(i, name + "=" + value);
  }
}

String TStrings::GetText() const {
  String text;
  for (int i = 0; i < GetCount(); ++i) {
    text += Get(i);
    text += "\r\n";
  }
  return text;
}

void TStrings::SetText(const String& text) {
  BeginUpdate();
  TScopeExit endUpdate([&] { EndUpdate(); });
  Clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == String::npos) {
      Add(text.substr(start));
      break;
    }
    Add(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
}

void TStrings::LoadFromStream(TStream& stream) {
  // Read to the end rather than trusting the size, so that any stream works.
  String text;
  char block[16384];
  for (int got; (got = stream.Read(block, sizeof block)) > 0;) text.append(block, static_cast<size_t>(got));
  SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const {
  String text = GetText();
  for (size_t done = 0; done < text.size();) {
    int n = static_cast<int>(std::min<size_t>(text.size() - done, 1u << 30));
    stream.WriteBuffer(text.data() + done, n);
    done += static_cast<size_t>(n);
  }
}

void TStrings::LoadFromFile(const String& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TStrings::SaveToFile(const String& fileName) const {
  TMemoryStream memory;
  SaveToStream(memory);
  memory.SaveToFile(fileName);
}

String TStrings::GetCommaText() const {
  String text;
  for (int i = 0; i < GetCount(); ++i) {
    String s = Get(i);
    bool quote = s.empty() || s.find_first_of(",\"") != String::npos ||
                 std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
    if (i > 0) text += ',';
    if (!quote) {
      text += s;
      continue;
    }
    text += '"';
    for (char c : s) {
      if (c == '"') text += '"';
      text += c;
    }
    text += '"';
  }
  return text;
}

void TStrings::SetCommaText(const String& text) {
  BeginUpdate();
  TScopeExit endUpdate([&] { EndUpdate(); });
  Clear();
  size_t i = 0;
  auto skipBlanks = [&] { while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i; };
  skipBlanks();
  while (i < text.size()) {
    String item;
    if (text[i] == '"') {
      ++i;
      while (i < text.size()) {
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            item += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item += text[i++];
      }
    } else {
      while (i < text.size() && text[i] != ',' && static_cast<unsigned char>(text[i]) > ' ') item += text[i++];
    }
    Add(item);
    skipBlanks();
    if (i < text.size() && text[i] == ',') {
      ++i;
      skipBlanks();
    }
  }
}

bool TStrings::Equals(const TStrings& other) const {
  if (GetCount() != other.GetCount()) return false;
  for (int i = 0; i < GetCount(); ++i)
    if (Get(i) != other.Get(i)) return false;
  return true;
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

// ---------------------------------------------------------------------------
// TStringList

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= GetCount()) IndexError(index);
}

void TStringList::CheckUnsorted() const {
  if (sorted_) throw EStringListError("Operation not allowed on sorted string list");
}

String TStringList::Get(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].text;
}

void TStringList::InsertItem(int index, const String& s, TObject* object) {
  Changing();
  items_.insert(items_.begin() + index, Item{s, object});
  Changed();
}

void TStringList::Insert(int index, const String& s) {
  CheckUnsorted();
  if (index < 0 || index > GetCount()) IndexError(index);
  InsertItem(index, s, nullptr);
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  items_.clear();
  Changed();
}

void TStringList::Put(int index, const String& s) {
  CheckUnsorted();
  CheckIndex(index);
  Changing();
  items_[static_cast<size_t>(index)].text = s;
  Changed();
}

TObject* TStringList::GetObject(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].object;
}

void TStringList::PutObject(int index, TObject* object) {
  CheckIndex(index);
  Changing();
  items_[static_cast<size_t>(index)].object = object;
  Changed();
}

int TStringList::Add(const String& s) {
  if (!sorted_) {
    InsertItem(GetCount(), s, nullptr);
    return GetCount() - 1;
  }
  int index;
  if (Find(s, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) throw EStringListError("String list does not allow duplicates");
  }
  InsertItem(index, s, nullptr);
  return index;
}

void TStringList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
  Changed();
}

int TStringList::IndexOf(const String& s) const {
  if (!sorted_) return TStrings::IndexOf(s);
  int index;
  return Find(s, index) ? index : -1;
}

bool TStringList::Find(const String& s, int& index) const {
  // Lower bound, so that among equal strings the first one is found.
  int low = 0;
  int high = GetCount();
  while (low < high) {
    int mid = low + (high - low) / 2;
    if (CompareStrings(items_[static_cast<size_t>(mid)].text, s) < 0) low = mid + 1;
    else high = mid;
  }
  index = low;
  return low < GetCount() && CompareStrings(items_[static_cast<size_t>(low)].text, s) == 0;
}

void TStringList::Sort() {
  Changing();
  std::stable_sort(items_.begin(), items_.end(),
                   [this](const Item& a, const Item& b) { return CompareStrings(a.text, b.text) < 0; });
  Changed();
}

void TStringList::CustomSort(TStringListSortCompare compare) {
  if (!compare) throw EStringListError("String list sort needs a comparison function");
  // Sort a permutation, so the comparison sees the items at their original indexes.
  std::vector<int> order(items_.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
  std::vector<Item> sorted;
  sorted.reserve(items_.size());
  for (int i : order) sorted.push_back(items_[static_cast<size_t>(i)]);
  Changing();
  items_.swap(sorted);
  Changed();
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  if (sorted) Sort();
  sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
  if (caseSensitive == caseSensitive_) return;
  caseSensitive_ = caseSensitive;
  if (sorted_) Sort();
}

int TStringList::CompareStrings(const String& a, const String& b) const {
  return caseSensitive_ ? CompareStr(a, b) : CompareText(a, b);
}

void TStringList::Changing() {
  if (!Updating()) onChanging_(this);
}

void TStringList::Changed() {
  if (!Updating()) onChange_(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) onChanging_(this);
  else onChange_(this);
}

}  // namespace Tovix
