// TStrings, the abstract list of strings with attached objects, and TStringList, its
// stand-alone implementation with optional sorting and duplicate control.
#pragma once

#include <vector>

#include "framework/classes/Persistent.h"
#include "framework/system/Events.h"

namespace Tovix {

class TStream;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
  TOVIX_DECLARE_CLASS(TStrings)

 public:
  // The storage a descendant provides.
  virtual int GetCount() const = 0;
  virtual String Get(int index) const = 0;
  virtual void Insert(int index, const String& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  // Replacing keeps the attached object; descendants without objects return null.
  virtual void Put(int index, const String& s);
  virtual TObject* GetObject(int index) const;
  virtual void PutObject(int index, TObject* object);

  // Appends s (a sorted list inserts it in order) and returns its index.
  virtual int Add(const String& s);
  int AddObject(const String& s, TObject* object);
  void InsertObject(int index, const String& s, TObject* object);
  void AddStrings(const TStrings& strings);
  virtual void Assign(const TStrings& source);
  // Copies the lines and objects of another string list; other sources raise the assign error.
  void Assign(TPersistent* source) override;
  // Form files keep the lines as "Strings = ('one' 'two')".
  void DefineProperties(TFiler& filer) override;
  virtual void Exchange(int index1, int index2);
  void Move(int curIndex, int newIndex);

  // Searches compare as the list does: ignoring ASCII case unless the list says otherwise.
  virtual int IndexOf(const String& s) const;
  int IndexOfObject(const TObject* object) const;
  // Index of the first "name=value" line with that name, or -1.
  int IndexOfName(const String& name) const;

  String GetStrings(int index) const { return Get(index); }
  void SetStrings(int index, const String& s) { Put(index, s); }
  String operator[](int index) const { return Get(index); }
  TObject* GetObjects(int index) const { return GetObject(index); }
  void SetObjects(int index, TObject* object) { PutObject(index, object); }
  // The part before "=" of line index (the whole line when it has no "=").
  String GetNames(int index) const;
  // The part after "=" of the line named name; empty when there is none.
  String GetValues(const String& name) const;
  // Sets the line named name to name=value, adds it when absent, deletes it for an empty value.
  void SetValues(const String& name, const String& value);

  // Every line followed by CR LF.
  virtual String GetText() const;
  // Replaces the lines; CR LF, LF and CR each end a line, and a last line without an end counts.
  virtual void SetText(const String& text);
  // Lines separated by commas, quoted when they hold blanks, commas or quotes.
  String GetCommaText() const;
  void SetCommaText(const String& text);

  // The text (as GetText and SetText see it) from a stream's position to its end, or to a stream
  // at its position.
  virtual void LoadFromStream(TStream& stream);
  virtual void SaveToStream(TStream& stream) const;
  void LoadFromFile(const String& fileName);
  // Writes a new file and then replaces fileName with it, so a failure leaves the old file intact.
  void SaveToFile(const String& fileName) const;

  bool Equals(const TStrings& other) const;

  // Calls nest; descendants can hold redraws or change notices until the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return updateCount_ > 0; }

 protected:
  virtual void SetUpdateState(bool /*updating*/) {}
  virtual int CompareStrings(const String& a, const String& b) const;
  [[noreturn]] void IndexError(int index) const;

 private:
  int updateCount_ = 0;
};

class TStringList : public TStrings {
  TOVIX_DECLARE_CLASS(TStringList)

 public:
  using TStrings::Assign;

  int GetCount() const override { return static_cast<int>(items_.size()); }
  String Get(int index) const override;
  void Insert(int index, const String& s) override;
  void Delete(int index) override;
  void Clear() override;
  void Put(int index, const String& s) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  int Add(const String& s) override;
  void Exchange(int index1, int index2) override;
  int IndexOf(const String& s) const override;

  // Binary search of a sorted list: true when found; index is the match or the insert position.
  bool Find(const String& s, int& index) const;
  void Sort();
  // Sorts stably by a comparison of two items given by index.
  using TStringListSortCompare = int (*)(TStringList& list, int index1, int index2);
  void CustomSort(TStringListSortCompare compare);

  bool GetSorted() const { return sorted_; }
  void SetSorted(bool sorted);
  TDuplicates GetDuplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
  bool GetCaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool caseSensitive);

  // OnChanging runs before and OnChange after every change, except inside BeginUpdate/EndUpdate,
  // where they run once, around the whole update.
  const TNotifyEvent& GetOnChange() const { return onChange_; }
  void SetOnChange(const TNotifyEvent& event) { onChange_ = event; }
  const TNotifyEvent& GetOnChanging() const { return onChanging_; }
  void SetOnChanging(const TNotifyEvent& event) { onChanging_ = event; }

 protected:
  int CompareStrings(const String& a, const String& b) const override;
  void SetUpdateState(bool updating) override;
  virtual void Changing();
  virtual void Changed();

 private:
  struct Item {
    String text;
    TObject* object = nullptr;
  };
  void CheckIndex(int index) const;
  void CheckUnsorted() const;
  void InsertItem(int index, const String& s, TObject* object);

  std::vector<Item> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  TDuplicates duplicates_ = dupIgnore;
  TNotifyEvent onChange_;
  TNotifyEvent onChanging_;
};

}  // namespace Tovix
