#include "framework/classes/Component.h"

#include <algorithm>

#include "framework/classes/Filer.h"
#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TComponent, TPersistent) {
  c.Property("Name", &TComponent::GetName, &TComponent::SetName).Stored(false);
  c.Property("Tag", &TComponent::GetTag, &TComponent::SetTag).Default(0);
}

namespace {

bool IsIdentStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }

// Owners with more components than this find them by name through an index.
const size_t kIndexNamesFrom = 32;

void Erase(std::vector<TComponent*>& list, TComponent* item) {
  // Components leave last first when their owner is freed: look from the back.
  auto found = std::find(list.rbegin(), list.rend(), item);
  if (found != list.rend()) list.erase(std::next(found).base());
}

// The signed 16-bit half of a design position; shift 0 is Left, 16 is Top.
int DesignHalf(int32_t info, int shift) {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(info) >> shift));
}

int32_t WithDesignHalf(int32_t info, int shift, int value) {
  uint32_t mask = uint32_t{0xFFFF} << shift;
  uint32_t half = (static_cast<uint32_t>(value) & 0xFFFF) << shift;
  return static_cast<int32_t>((static_cast<uint32_t>(info) & ~mask) | half);
}

// Older writers stored the halves unsigned, so 0..65535 is accepted as well as negative values.
int ReadDesignHalf(const TFormValue& value, const char* name) {
  if (value.type != TFormValue::vaInteger || value.integer < INT16_MIN || value.integer > UINT16_MAX)
    throw EReadError(Format("%s must be an integer from %d to %d", String(name), INT16_MIN, UINT16_MAX));
  return static_cast<int>(value.integer);
}

}  // namespace

bool IsValidIdent(const String& name) {
  if (name.empty() || !IsIdentStart(name[0])) return false;
  return std::all_of(name.begin(), name.end(), IsIdentChar);
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Tell everyone who asked, while this component is still in their lists.
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    Erase(other->freeNotifies_, this);
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::Destroying() { state_.Include(csDestroying); }

TComponent* TComponent::GetComponents(int index) const {
  if (index < 0 || index >= GetComponentCount()) throw EListError(Format("List index out of bounds (%d)", index));
  return components_[static_cast<size_t>(index)];
}

int TComponent::GetComponentIndex() const {
  if (!owner_) return -1;
  auto it = std::find(owner_->components_.begin(), owner_->components_.end(), this);
  return it == owner_->components_.end() ? -1 : static_cast<int>(it - owner_->components_.begin());
}

TComponent* TComponent::FindComponent(const String& name) const {
  if (name.empty()) return nullptr;
  if (!nameIndex_ && components_.size() >= kIndexNamesFrom) {
    auto* self = const_cast<TComponent*>(this);
    self->nameIndex_ = std::make_unique<std::unordered_map<String, TComponent*>>();
    for (TComponent* c : components_) self->IndexName(c);
  }
  if (nameIndex_) {
    auto found = nameIndex_->find(UpperCase(name));
    return found == nameIndex_->end() ? nullptr : found->second;
  }
  for (TComponent* c : components_)
    if (SameText(c->name_, name)) return c;
  return nullptr;
}

void TComponent::IndexName(TComponent* component) {
  if (nameIndex_ && !component->name_.empty()) nameIndex_->emplace(UpperCase(component->name_), component);
}

void TComponent::UnindexName(TComponent* component) {
  if (!nameIndex_ || component->name_.empty()) return;
  auto found = nameIndex_->find(UpperCase(component->name_));
  if (found != nameIndex_->end() && found->second == component) nameIndex_->erase(found);
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component) return;
  if (component->owner_) component->owner_->RemoveComponent(component);
  ValidateRename(component, String(), component->name_);
  components_.push_back(component);
  component->owner_ = this;
  IndexName(component);
  try {
    component->SetReference(true);
  } catch (...) {
    Remove(component);
    throw;
  }
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (!component || component->owner_ != this) return;
  Notification(component, opRemove);
  component->SetReference(false);
  Remove(component);
}

void TComponent::Remove(TComponent* component) {
  UnindexName(component);
  Erase(components_, component);
  component->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  // Last first, so that components made later (which may refer to earlier ones) go first.
  while (!components_.empty()) {
    TComponent* component = components_.back();
    component->BeforeDestruction();
    // Everything owned goes: only a component someone asked about (FreeNotification) is told to
    // the others. Telling every sibling of every component would make freeing a form of n
    // components cost n squared.
    if (component->state_.Contains(csFreeNotification)) {
      RemoveComponent(component);
    } else {
      component->SetReference(false);
      Remove(component);
    }
    delete component;
  }
}

void TComponent::ValidateRename(TComponent* component, const String& oldName, const String& newName) const {
  if (newName.empty() || SameText(oldName, newName)) return;
  TComponent* existing = FindComponent(newName);
  if (existing && existing != component)
    throw EComponentError(Format("A component named %s already exists", newName));
}

void TComponent::SetName(const String& name) {
  if (name == name_) return;
  if (!name.empty() && !IsValidIdent(name)) throw EComponentError(Format("'%s' is not a valid component name", name));
  if (owner_) owner_->ValidateRename(this, name_, name);
  SetReference(false);
  String oldName = name_;
  if (owner_) owner_->UnindexName(this);
  name_ = name;
  try {
    SetReference(true);
  } catch (...) {
    name_ = oldName;
    SetReference(true);
    if (owner_) owner_->IndexName(this);
    throw;
  }
  if (owner_) owner_->IndexName(this);
}

void TComponent::SetReference(bool enable) {
  if (!owner_ || name_.empty()) return;
  if (const TFieldEntry* field = owner_->ClassInfo().FindField(name_)) field->set(owner_, enable ? this : nullptr);
}

String TComponent::GetNamePath() const { return name_; }

void TComponent::DefineProperties(TFiler& filer) {
  TPersistent::DefineProperties(filer);
  const std::pair<const char*, int> halves[] = {{"Left", 0}, {"Top", 16}};
  for (auto [name, shift] : halves) {
    filer.DefineProperty(
        name, [this, name, shift](const TFormValue& v) { designInfo_ = WithDesignHalf(designInfo_, shift, ReadDesignHalf(v, name)); },
        [this, shift] { return TFormValue::Integer(DesignHalf(designInfo_, shift)); },
        DesignHalf(designInfo_, shift) != 0);
  }
}

void TComponent::SetComponentStateFlag(TComponentStateItem item, bool on) {
  if (on) state_.Include(item);
  else state_.Exclude(item);
}

void TComponent::SetDesigning(bool designing, bool recurse) {
  SetComponentStateFlag(csDesigning, designing);
  if (recurse)
    for (TComponent* c : components_) c->SetDesigning(designing, true);
}

void TComponent::SetLoadingState(bool loading) { SetComponentStateFlag(csLoading, loading); }
void TComponent::SetReadingState(bool reading) { SetComponentStateFlag(csReading, reading); }
void TComponent::SetWritingState(bool writing) { SetComponentStateFlag(csWriting, writing); }

void TComponent::Loaded() { state_.Exclude(csLoading); }

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
    freeNotifies_.push_back(component);
  if (std::find(component->freeNotifies_.begin(), component->freeNotifies_.end(), this) ==
      component->freeNotifies_.end())
    component->freeNotifies_.push_back(this);
  state_.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  Erase(freeNotifies_, component);
  Erase(component->freeNotifies_, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation != opRemove) return;
  // The free-notification lists are mutual: with none of its own, this one is in nobody's.
  if (component && !freeNotifies_.empty()) RemoveFreeNotification(component);
  // Last to first by position, so that a handler may free or re-own components (the list then
  // shrinks under the loop) without a copy of the list or a search per component: every
  // removal tells all owned components, and a form may own thousands.
  for (size_t i = components_.size(); i-- > 0;) {
    if (i >= components_.size()) {
      if (components_.empty()) break;
      i = components_.size() - 1;
    }
    components_[i]->Notification(component, operation);
  }
}

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  if (root != this) return;
  for (TComponent* c : components_)
    if (!c->HasParent()) proc(c);
}

}  // namespace Tovix
