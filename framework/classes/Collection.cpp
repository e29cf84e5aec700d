#include "framework/classes/Collection.h"

#include <algorithm>

#include "framework/classes/TypInfoBuilder.h"
#include "framework/system/ScopeExit.h"

namespace Tovix {

namespace {

// Copying values between objects of one class never meets a reference by name.
class CopyContext : public TPropertyContext {
 public:
  TComponent* Root() const override { return nullptr; }
  void AddFixup(TObject*, const TPropInfo&, const String&) override {}
};

// Copies every published value of source into dest (objects of the same class): plain values,
// component references, nested objects property by property and nested collections item by item.
// Events are not copied: a handler belongs to the object it was bound for.
void CopyPublished(TObject* dest, TObject* source) {
  CopyContext context;
  for (const TPropInfo* prop : dest->ClassInfo().Properties()) {
    switch (prop->Kind()) {
      case tkMethod:
        break;
      case tkComponent:
        prop->SetObject(dest, prop->GetObject(source));
        break;
      case tkClass: {
        TObject* to = prop->GetObject(dest);
        TObject* from = prop->GetObject(source);
        if (!to || !from) break;
        auto* collection = dynamic_cast<TCollection*>(to);
        if (collection) collection->Assign(dynamic_cast<TCollection*>(from));
        else if (&to->ClassInfo() == &from->ClassInfo()) CopyPublished(to, from);
        break;
      }
      default:
        prop->Set(dest, prop->Get(source, nullptr), context);
        break;
    }
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// TCollectionItem

TOVIX_IMPLEMENT_CLASS(TCollectionItem, TPersistent) {}

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection == collection_) return;
  if (collection_) collection_->RemoveItem(this);
  if (collection) collection->InsertItem(this);
}

int TCollectionItem::GetIndex() const {
  if (!collection_) return -1;
  const auto& items = collection_->items_;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
  if (collection_) collection_->MoveItem(this, index);
}

TPersistent* TCollectionItem::GetOwner() const { return collection_; }

String TCollectionItem::GetNamePath() const {
  if (!collection_) return ClassName();
  return Format("%s[%d]", collection_->GetNamePath(), GetIndex());
}

void TCollectionItem::Assign(TPersistent* source) {
  if (!source || &source->ClassInfo() != &ClassInfo()) {
    TPersistent::Assign(source);
    return;
  }
  CopyPublished(this, source);
  Changed(false);
}

void TCollectionItem::Changed(bool allItems) {
  if (collection_) collection_->ItemChanged(allItems ? nullptr : this);
}

// ---------------------------------------------------------------------------
// TCollection

TOVIX_IMPLEMENT_CLASS(TCollection, TPersistent) {}

TCollection::TCollection(TPersistent* owner, TCollectionItemMaker makeItem)
    : owner_(owner), makeItem_(std::move(makeItem)) {}

TCollection::~TCollection() {
  ++updateCount_;  // nobody listens to a collection being destroyed
  while (!items_.empty()) delete items_.back();
}

TCollectionItem* TCollection::GetItem(int index) const {
  if (index < 0 || index >= GetCount()) throw EListError(Format("List index out of bounds (%d)", index));
  return items_[static_cast<size_t>(index)];
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = makeItem_(this);
  if (item->collection_ != this) item->SetCollection(this);
  return item;
}

TCollectionItem* TCollection::Insert(int index) {
  if (index < 0 || index > GetCount()) throw EListError(Format("List index out of bounds (%d)", index));
  BeginUpdate();
  TScopeExit endUpdate([this] { EndUpdate(); });
  TCollectionItem* item = Add();
  MoveItem(item, index);
  return item;
}

void TCollection::Delete(int index) { delete GetItem(index); }

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) delete items_.back();
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const {
  for (TCollectionItem* item : items_)
    if (item->id_ == id) return item;
  return nullptr;
}

void TCollection::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TCollection*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  BeginUpdate();
  TScopeExit endUpdate([this] { EndUpdate(); });
  Clear();
  for (TCollectionItem* item : other->items_) Add()->Assign(item);
}

void TCollection::BeginUpdate() { ++updateCount_; }

void TCollection::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0 && changedWhileUpdating_) {
    changedWhileUpdating_ = false;
    Update(nullptr);
  }
}

// "Form1.StatusBar1.Panels": the owner's path and the name of the property that publishes it.
String TCollection::GetNamePath() const {
  if (!owner_) return ClassName();
  String name = ClassName();
  for (const TPropInfo* prop : owner_->ClassInfo().Properties())
    if (prop->Kind() == tkClass && prop->GetObject(owner_) == this) name = prop->Name();
  String ownerPath = owner_->GetNamePath();
  return ownerPath.empty() ? name : ownerPath + "." + name;
}

void TCollection::Update(TCollectionItem* item) { onChange_(this, item); }

void TCollection::Changed() { ItemChanged(nullptr); }

void TCollection::ItemChanged(TCollectionItem* item) {
  if (updateCount_ > 0) {
    changedWhileUpdating_ = true;
    return;
  }
  Update(item);
}

void TCollection::InsertItem(TCollectionItem* item) {
  items_.push_back(item);
  item->collection_ = this;
  item->id_ = nextId_++;
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  item->collection_ = nullptr;
  Changed();
}

void TCollection::MoveItem(TCollectionItem* item, int index) {
  int current = item->GetIndex();
  index = std::clamp(index, 0, GetCount() - 1);
  if (current == index) return;
  items_.erase(items_.begin() + current);
  items_.insert(items_.begin() + index, item);
  Changed();
}

}  // namespace Tovix
