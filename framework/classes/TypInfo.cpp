#include "framework/classes/TypInfo.h"

#include <algorithm>
#include <unordered_map>

#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

// ---------------------------------------------------------------------------
// TObject

const TClassInfo& TObject::StaticClassInfo() {
  static const TClassInfo info("TObject", nullptr);
  return info;
}

const TClassInfo& TObject::ClassInfo() const { return StaticClassInfo(); }

String TObject::ClassName() const { return ClassInfo().Name(); }

bool TObject::InheritsFrom(const TClassInfo& ancestor) const { return ClassInfo().InheritsFrom(ancestor); }

void TObject::Dispatch(TMessage& message) {
  if (const TMessageHandler* handler = ClassInfo().FindMessageHandler(message.Msg)) (*handler)(this, message);
  else DefaultHandler(message);
}

void TObject::DefaultHandler(TMessage&) {}

// ---------------------------------------------------------------------------
// TClassInfo

bool TClassInfo::InheritsFrom(const TClassInfo& ancestor) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    if (c == &ancestor) return true;
  return false;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
  std::vector<const TPropInfo*> list = parent_ ? parent_->Properties() : std::vector<const TPropInfo*>();
  for (const auto& prop : properties_) {
    auto same = std::find_if(list.begin(), list.end(), [&](const TPropInfo* p) { return SameText(p->Name(), prop->Name()); });
    if (same != list.end()) *same = prop.get();  // republished: keeps the ancestor's place
    else list.push_back(prop.get());
  }
  return list;
}

void TClassInfo::Seal() {
  // The nearest class's property or handler wins, as in the searches below.
  for (const TClassInfo* c = this; c; c = c->parent_) {
    for (const auto& prop : c->properties_) propertyIndex_.emplace(prop->Name(), prop.get());
    for (const auto& [number, handler] : c->messageHandlers_) messageIndex_.emplace_back(number, &handler);
  }
  // Sorted by message with the nearest class's first among equals (a stable sort keeps the order).
  std::stable_sort(messageIndex_.begin(), messageIndex_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  sealed_ = true;
}

const TPropInfo* TClassInfo::FindProperty(const String& name) const {
  if (sealed_) {
    auto found = propertyIndex_.find(name);
    return found == propertyIndex_.end() ? nullptr : found->second;
  }
  for (const TClassInfo* c = this; c; c = c->parent_)
    for (const auto& prop : c->properties_)
      if (SameText(prop->Name(), name)) return prop.get();
  return nullptr;
}

const TMethodEntry* TClassInfo::FindMethod(const String& name) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    for (const TMethodEntry& method : c->methods_)
      if (SameText(method.name, name)) return &method;
  return nullptr;
}

const TFieldEntry* TClassInfo::FindField(const String& name) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    for (const TFieldEntry& field : c->fields_)
      if (SameText(field.name, name)) return &field;
  return nullptr;
}

void TClassInfo::AddMessageHandler(unsigned message, TMessageHandler handler) {
  messageHandlers_.emplace_back(message, std::move(handler));
}

const TMessageHandler* TClassInfo::FindMessageHandler(unsigned message) const {
  if (sealed_) {
    auto found = std::lower_bound(messageIndex_.begin(), messageIndex_.end(), message,
                                  [](const auto& entry, unsigned m) { return entry.first < m; });
    return found != messageIndex_.end() && found->first == message ? found->second : nullptr;
  }
  for (const TClassInfo* c = this; c; c = c->parent_)
    for (const auto& [number, handler] : c->messageHandlers_)
      if (number == message) return &handler;
  return nullptr;
}

// ---------------------------------------------------------------------------
// Class registry

namespace {

std::unordered_map<String, const TClassInfo*, TTextHash, TTextEqual>& Registry() {
  static std::unordered_map<String, const TClassInfo*, TTextHash, TTextEqual> registry;
  return registry;
}

}  // namespace

void RegisterClass(const TClassInfo& info) {
  auto [it, inserted] = Registry().emplace(info.Name(), &info);
  if (!inserted && it->second != &info) throw EFilerError(Format("A class named %s already exists", info.Name()));
}

void UnregisterClass(const TClassInfo& info) {
  auto it = Registry().find(info.Name());
  if (it != Registry().end() && it->second == &info) Registry().erase(it);
}

int UnregisterModuleClasses(void* module) {
  int removed = 0;
  for (auto it = Registry().begin(); it != Registry().end();) {
    if (it->second->Module() == module) {
      it = Registry().erase(it);
      ++removed;
    } else {
      ++it;
    }
  }
  return removed;
}

const TClassInfo* GetClass(const String& name) {
  auto it = Registry().find(name);
  return it == Registry().end() ? nullptr : it->second;
}

const TClassInfo& FindClass(const String& name) {
  const TClassInfo* info = GetClass(name);
  if (!info) throw EClassNotFound(Format("Class %s not found", name));
  return *info;
}

// ---------------------------------------------------------------------------
// Enumerations

int TEnumInfo::ValueOf(const String& name) const {
  for (size_t i = 0; i < names.size(); ++i)
    if (SameText(names[i], name)) return static_cast<int>(i);
  return -1;
}

String TEnumInfo::NameOf(int value) const {
  if (value >= 0 && static_cast<size_t>(value) < names.size()) return names[static_cast<size_t>(value)];
  return IntToStr(value);
}

void PropDetail::InvalidValue(const TPropInfo& prop, const TFormValue& value) {
  throw EReadError(Format("Invalid value %s for property %s", value.ToText(), prop.Name()));
}

}  // namespace Tovix
