// Run-time type information: class information with a class registry, and the ordered table of
// published properties and published methods that form files are written from and read into.
//
// A class takes part by declaring TOVIX_DECLARE_CLASS in its body and describing itself once in
// its source file with TOVIX_IMPLEMENT_CLASS (see TypInfoBuilder.h).
#pragma once

#include <functional>
#include <memory>
#include <typeinfo>
#include <utility>
#include <unordered_map>
#include <vector>

#include "framework/classes/Exceptions.h"
#include "framework/classes/FormValue.h"

namespace Tovix {

class TComponent;
class TPersistent;
class TClassInfo;
struct TEnumInfo;
template <typename T>
class TClassBuilder;

// Declares the class-information members; place it first in the class body.
#define TOVIX_DECLARE_CLASS(Class)                                                    \
 public:                                                                              \
  static const ::Tovix::TClassInfo& StaticClassInfo();                                \
  const ::Tovix::TClassInfo& ClassInfo() const override { return StaticClassInfo(); } \
                                                                                      \
 private:                                                                             \
  /* A member, so that the description can name protected handlers and fields. */     \
  static void DescribeClass(::Tovix::TClassBuilder<Class>& c);                        \
                                                                                      \
 private:

enum TTypeKind { tkUnknown, tkBool, tkInteger, tkEnumeration, tkSet, tkFloat, tkString, tkClass, tkComponent, tkMethod };

// What setting a property from a form file needs to know beyond the value itself.
class TPropertyContext {
 public:
  virtual ~TPropertyContext() = default;
  // The component whose form file is read: it owns referenced components and published methods.
  virtual TComponent* Root() const = 0;
  // Records a component reference to be resolved when the whole form has been read.
  virtual void AddFixup(TObject* instance, const class TPropInfo& prop, const String& componentName) = 0;
  // Whether an event naming a method the root does not publish may stay unassigned instead of
  // failing the read.
  virtual bool IgnoreMissingMethod(const String& /*methodName*/) { return false; }
};

// One published property: its name, kind, accessors, default and stored rule.
class TPropInfo {
 public:
  TPropInfo(String name, TTypeKind kind) : name_(std::move(name)), kind_(kind) {}
  virtual ~TPropInfo() = default;

  const String& Name() const { return name_; }
  TTypeKind Kind() const { return kind_; }

  // Whether the value belongs in a form file: its stored rule allows it and it differs from its default.
  virtual bool ShouldWrite(TObject* instance, TComponent* root) const = 0;
  // Whether the value may be written at all (it can be set and its stored rule allows it),
  // whatever its default: a derived form compares it with its ancestor's value instead.
  virtual bool IsStored(TObject* /*instance*/) const { return true; }
  virtual TFormValue Get(TObject* instance, TComponent* root) const = 0;
  // Raises EReadError with a message naming the problem when the value does not fit the property.
  virtual void Set(TObject* instance, const TFormValue& value, TPropertyContext& context) const = 0;
  // For tkClass: the nested object. For tkComponent: the referenced component. Null otherwise.
  // The names of an enumeration's values, or of a set's elements (for editors); null otherwise.
  virtual const TEnumInfo* EnumNames() const { return nullptr; }
  virtual TObject* GetObject(TObject* /*instance*/) const { return nullptr; }
  // For tkComponent: sets the reference (a fixup being resolved).
  virtual void SetObject(TObject* /*instance*/, TObject* /*value*/) const {}

 private:
  String name_;
  TTypeKind kind_;
};

// A published method that form files can bind events to by name.
struct TMethodEntry {
  String name;
  const std::type_info* eventType;
  // Stores into *event (an object of eventType) a handler calling this method of instance.
  std::function<bool(TObject* instance, void* event)> bind;
};

// A published field of a form ("Button1"): it is kept pointing at the owned component of that
// name. Set raises EComponentError when the component's class does not fit the field.
struct TFieldEntry {
  String name;
  std::function<void(TObject* owner, TComponent* value)> set;
};

// The window-message record handed to message handlers.
struct TMessage {
  unsigned Msg;
  uintptr_t WParam;
  intptr_t LParam;
  intptr_t Result;
};

using TMessageHandler = std::function<void(TObject* instance, TMessage& message)>;

using TComponentFactory = TComponent* (*)(TComponent* owner);

class TClassInfo {
 public:
  TClassInfo(String name, const TClassInfo* parent) : name_(std::move(name)), parent_(parent) {}

  const String& Name() const { return name_; }
  const TClassInfo* Parent() const { return parent_; }
  bool InheritsFrom(const TClassInfo& ancestor) const;
  // Creates an instance, or null when the class is not a creatable component.
  TComponent* Create(TComponent* owner) const { return factory_ ? factory_(owner) : nullptr; }
  bool CanCreate() const { return factory_ != nullptr; }

  // Published properties, ancestors' first; a class may republish an inherited name, which then
  // keeps its ancestor's place.
  std::vector<const TPropInfo*> Properties() const;
  const TPropInfo* FindProperty(const String& name) const;
  const TMethodEntry* FindMethod(const String& name) const;
  const TFieldEntry* FindField(const String& name) const;
  // The handler for a message in this class or the nearest ancestor that has one, or null.
  const TMessageHandler* FindMessageHandler(unsigned message) const;
  // The module (HINSTANCE) whose code describes the class: where its resources live.
  void* Module() const { return module_; }
  const std::vector<std::unique_ptr<TPropInfo>>& OwnProperties() const { return properties_; }

  // Used while describing the class.
  void AddProperty(std::unique_ptr<TPropInfo> prop) { properties_.push_back(std::move(prop)); }
  void AddMethod(TMethodEntry method) { methods_.push_back(std::move(method)); }
  void SetFactory(TComponentFactory factory) { factory_ = factory; }
  void AddField(TFieldEntry field) { fields_.push_back(std::move(field)); }
  void AddMessageHandler(unsigned message, TMessageHandler handler);
  void SetModule(void* module) { module_ = module; }
  // Called once the class is described: from then on FindProperty and FindMessageHandler look up
  // indexes of the class's and its ancestors' properties and handlers instead of searching them.
  void Seal();

 private:
  String name_;
  const TClassInfo* parent_;
  std::unordered_map<String, const TPropInfo*, TTextHash, TTextEqual> propertyIndex_;
  // Every message this class or an ancestor handles, sorted by number, with the handler to call.
  std::vector<std::pair<unsigned, const TMessageHandler*>> messageIndex_;
  bool sealed_ = false;
  TComponentFactory factory_ = nullptr;
  std::vector<std::unique_ptr<TPropInfo>> properties_;
  std::vector<TMethodEntry> methods_;
  std::vector<TFieldEntry> fields_;
  std::vector<std::pair<unsigned, TMessageHandler>> messageHandlers_;
  void* module_ = nullptr;
};

// The class registry: form files create components by class name through it.
void RegisterClass(const TClassInfo& info);
void UnregisterClass(const TClassInfo& info);
// Removes every registered class whose code lives in module (an HINSTANCE): a DLL that is being
// unloaded, so that loading it again registers its classes anew. Returns how many were removed.
int UnregisterModuleClasses(void* module);
// The registered class of that name (ignoring case), or null.
const TClassInfo* GetClass(const String& name);
// The same, raising EClassNotFound "Class %s not found".
const TClassInfo& FindClass(const String& name);

// Names of an enumeration whose values run from 0, for enum and set properties.
struct TEnumInfo {
  std::vector<String> names;
  // The ordinal of a name (ignoring case), or -1.
  int ValueOf(const String& name) const;
  String NameOf(int value) const;
};

// Specialise for each enumeration that published properties use: static const TEnumInfo& Info().
template <typename E>
struct TEnumTraits;

// Specialise for integer types with symbolic names (colours, cursors):
// static bool ToIdent(int value, String& ident); static bool FromIdent(const String& ident, int& value).
template <typename T>
struct TIdentTraits;

// Form files make controls by class name, so a program must link every class a form file may
// name even when its code calls none of the class's functions. A header that ends with
// TOVIX_LINK_CLASS(TMyControl) links the class in wherever it is included.
#define TOVIX_LINK_CLASS(Class)                                                                     \
  namespace {                                                                                       \
  [[gnu::used]] const ::Tovix::TClassInfo& (*const tovixLink##Class)() = &Class::StaticClassInfo; \
  }

}  // namespace Tovix
