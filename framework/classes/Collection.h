// TCollection: an owned, ordered list of items of one class whose published properties form
// files read and write as "Panels = < item ... end >".
//
//   class TPanelItem : public TCollectionItem { TOVIX_DECLARE_CLASS(TPanelItem) ... };
//   TCollection panels(this, TCollection::Maker<TPanelItem>());
//   auto* first = static_cast<TPanelItem*>(panels.Add());
#pragma once

#include <functional>
#include <vector>

#include "framework/classes/Persistent.h"
#include "framework/system/Events.h"

namespace Tovix {

class TCollection;

class TCollectionItem : public TPersistent {
  TOVIX_DECLARE_CLASS(TCollectionItem)

 public:
  // Joins collection (when given) at its end.
  explicit TCollectionItem(TCollection* collection);
  // Leaves its collection.
  ~TCollectionItem() override;

  TCollection* GetCollection() const { return collection_; }
  // Moves the item from its collection to another one (or to none).
  void SetCollection(TCollection* collection);
  int GetIndex() const;
  void SetIndex(int index);
  int GetID() const { return id_; }
  virtual String GetDisplayName() const { return ClassName(); }
  TPersistent* GetOwner() const override;
  String GetNamePath() const override;
  // Copies the published properties of an item of the same class; other sources raise.
  void Assign(TPersistent* source) override;

 protected:
  // Tells the collection that this item changed (or, with allItems, that all of them did).
  void Changed(bool allItems);

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = 0;
};

using TCollectionItemMaker = std::function<TCollectionItem*(TCollection*)>;
// Sender is the collection; Item the one item that changed, or null when all may have.
using TCollectionChangeEvent = TEvent<TCollection* /*Sender*/, TCollectionItem* /*Item*/>;

class TCollection : public TPersistent {
  TOVIX_DECLARE_CLASS(TCollection)

 public:
  // owner is the object the collection belongs to (for name paths); makeItem creates one item
  // joined to the collection it is given.
  TCollection(TPersistent* owner, TCollectionItemMaker makeItem);
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  template <typename T>
  static TCollectionItemMaker Maker() {
    return [](TCollection* c) -> TCollectionItem* { return new T(c); };
  }

  int GetCount() const { return static_cast<int>(items_.size()); }
  int Count() const { return GetCount(); }
  // Raises EListError "List index out of bounds (%d)" for an index outside the list.
  TCollectionItem* GetItem(int index) const;
  TCollectionItem* Items(int index) const { return GetItem(index); }
  TCollectionItem* Add();
  TCollectionItem* Insert(int index);
  void Delete(int index);
  void Clear();
  // The item with that ID, or null.
  TCollectionItem* FindItemID(int id) const;
  // Copies a collection's items (count and published properties); other sources raise.
  void Assign(TPersistent* source) override;

  // Changes between BeginUpdate and the matching EndUpdate are told once, at the end.
  void BeginUpdate();
  void EndUpdate();
  int GetUpdateCount() const { return updateCount_; }

  TPersistent* GetOwner() const override { return owner_; }
  String GetNamePath() const override;
  const TCollectionChangeEvent& GetOnChange() const { return onChange_; }
  void SetOnChange(const TCollectionChangeEvent& e) { onChange_ = e; }

 protected:
  // Runs after a change outside BeginUpdate/EndUpdate: item is the changed one, or null when
  // items were added, removed, moved or many changed. The default raises OnChange.
  virtual void Update(TCollectionItem* item);
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);
  void ItemChanged(TCollectionItem* item);
  void MoveItem(TCollectionItem* item, int index);

  TPersistent* owner_;
  TCollectionItemMaker makeItem_;
  std::vector<TCollectionItem*> items_;
  int nextId_ = 0;
  int updateCount_ = 0;
  bool changedWhileUpdating_ = false;
  TCollectionChangeEvent onChange_;
};

}  // namespace Tovix
