// Describing a class's published properties and methods, once, in its source file:
//
//   TOVIX_IMPLEMENT_CLASS(TMyControl, TComponent) {
//     c.Property("Caption", &TMyControl::GetCaption, &TMyControl::SetCaption);
//     c.Property("Count", &TMyControl::GetCount, &TMyControl::SetCount).Default(5);
//     c.Property("Font", &TMyControl::GetFont, &TMyControl::SetFont).Stored(&TMyControl::IsFontStored);
//     c.Property("OnClick", &TMyControl::GetOnClick, &TMyControl::SetOnClick);
//     c.Method("Button1Click", &TMyForm::Button1Click);   // forms: handlers form files bind to
//   }
//
// The property kind follows from the C++ type: bool, integers, enumerations with TEnumTraits,
// integers or enumerations with TIdentTraits (colours), TSet<E>, floating point, String, pointers to
// persistent objects (nested, as "Font.Color"), pointers to components (references resolved by
// name) and TEvent<...> (bound to published methods of the form by name).
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <type_traits>

#include "framework/classes/Component.h"
#include "framework/system/Events.h"
#include "framework/system/WinApi.h"

// The base of the module a piece of code is linked into (the linker provides it).
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace Tovix {

namespace PropDetail {

template <typename V> struct IsEvent : std::false_type {};
template <typename... A> struct IsEvent<TEvent<A...>> : std::true_type {};

template <typename V> struct IsSet : std::false_type {};
template <typename E> struct IsSet<TSet<E>> : std::true_type { using Enum = E; };

template <typename V, typename = void> struct HasIdentTraits : std::false_type {};
template <typename V>
struct HasIdentTraits<V, std::void_t<decltype(TIdentTraits<V>::ToIdent(0, std::declval<String&>()))>> : std::true_type {};

template <typename V, typename = void> struct HasEnumTraits : std::false_type {};
template <typename V>
struct HasEnumTraits<V, std::void_t<decltype(TEnumTraits<V>::Info())>> : std::true_type {};

template <typename V>
constexpr bool IsNestedObject = std::is_pointer_v<V> && std::is_base_of_v<TPersistent, std::remove_pointer_t<V>> &&
                                !std::is_base_of_v<TComponent, std::remove_pointer_t<V>>;
template <typename V>
constexpr bool IsComponentRef = std::is_pointer_v<V> && std::is_base_of_v<TComponent, std::remove_pointer_t<V>>;

[[noreturn]] void InvalidValue(const TPropInfo& prop, const TFormValue& value);

template <typename V>
constexpr TTypeKind KindOf() {
  if constexpr (std::is_same_v<V, bool>) return tkBool;
  else if constexpr (HasIdentTraits<V>::value) return tkInteger;
  else if constexpr (std::is_enum_v<V>) return tkEnumeration;
  else if constexpr (IsSet<V>::value) return tkSet;
  else if constexpr (std::is_integral_v<V>) return tkInteger;
  else if constexpr (std::is_floating_point_v<V>) return tkFloat;
  else if constexpr (std::is_same_v<V, String>) return tkString;
  else return tkUnknown;
}

// Converts a plain value to and from its form-file spelling.
template <typename V>
TFormValue Encode(const V& v) {
  if constexpr (std::is_same_v<V, bool>) {
    return TFormValue::Ident(v ? "True" : "False");
  } else if constexpr (HasIdentTraits<V>::value) {
    String ident;
    if (TIdentTraits<V>::ToIdent(static_cast<int>(v), ident)) return TFormValue::Ident(ident);
    return TFormValue::Integer(static_cast<int64_t>(v));
  } else if constexpr (std::is_enum_v<V>) {
    return TFormValue::Ident(TEnumTraits<V>::Info().NameOf(static_cast<int>(v)));
  } else if constexpr (IsSet<V>::value) {
    const TEnumInfo& info = TEnumTraits<typename IsSet<V>::Enum>::Info();
    std::vector<String> members;
    for (size_t i = 0; i < info.names.size() && i < 64; ++i)
      if (v.Bits() & (uint64_t{1} << i)) members.push_back(info.names[i]);
    return TFormValue::Set(std::move(members));
  } else if constexpr (std::is_integral_v<V>) {
    return TFormValue::Integer(static_cast<int64_t>(v));
  } else if constexpr (std::is_floating_point_v<V>) {
    return TFormValue::Float(static_cast<double>(v));
  } else {
    static_assert(std::is_same_v<V, String>, "unsupported published property type");
    return TFormValue::Str(v);
  }
}

template <typename V>
V Decode(const TFormValue& f, const TPropInfo& prop) {
  if constexpr (std::is_same_v<V, bool>) {
    if (f.IsIdent("True")) return true;
    if (f.IsIdent("False")) return false;
  } else if constexpr (HasIdentTraits<V>::value) {
    int value = 0;
    if (f.type == TFormValue::vaIdent && TIdentTraits<V>::FromIdent(f.text, value)) return static_cast<V>(value);
    if (f.type == TFormValue::vaInteger && f.integer >= INT32_MIN && f.integer <= UINT32_MAX)
      return static_cast<V>(static_cast<int>(f.integer));
  } else if constexpr (std::is_enum_v<V>) {
    if (f.type == TFormValue::vaIdent) {
      int value = TEnumTraits<V>::Info().ValueOf(f.text);
      if (value >= 0) return static_cast<V>(value);
    }
  } else if constexpr (IsSet<V>::value) {
    if (f.type == TFormValue::vaSet) {
      const TEnumInfo& info = TEnumTraits<typename IsSet<V>::Enum>::Info();
      uint64_t bits = 0;
      for (const String& member : f.members) {
        int value = info.ValueOf(member);
        if (value < 0 || value >= 64) InvalidValue(prop, f);
        bits |= uint64_t{1} << value;
      }
      return V::FromBits(bits);
    }
  } else if constexpr (std::is_integral_v<V>) {
    if (f.type == TFormValue::vaInteger) {
      using L = std::numeric_limits<V>;
      bool fits = std::is_signed_v<V> ? (f.integer >= static_cast<int64_t>(L::min()) && f.integer <= static_cast<int64_t>(L::max()))
                                      : (f.integer >= 0 && static_cast<uint64_t>(f.integer) <= static_cast<uint64_t>(L::max()));
      if (fits) return static_cast<V>(f.integer);
    }
  } else if constexpr (std::is_floating_point_v<V>) {
    if (f.type == TFormValue::vaFloat) return static_cast<V>(f.number);
    if (f.type == TFormValue::vaInteger) return static_cast<V>(f.integer);
  } else {
    if (f.type == TFormValue::vaString) return f.text;
  }
  InvalidValue(prop, f);
}

// The stored rule shared by every kind of property: always, never, or a member function.
template <typename T>
class TStoredRule {
 public:
  void Set(bool stored) {
    always_ = stored;
    method_ = nullptr;
  }
  template <typename C>
  void Set(bool (C::*method)() const) {
    static_assert(std::is_base_of_v<C, T>);
    method_ = [method](const T* obj) { return (obj->*method)(); };
  }
  bool Allows(const T* obj) const { return method_ ? method_(obj) : always_; }

 private:
  bool always_ = true;
  std::function<bool(const T*)> method_;
};

// A property of a plain value kind (bool, number, enumeration, set, string).
template <typename T, typename V>
class TValueProp : public TPropInfo {
 public:
  TValueProp(const String& name, std::function<V(const T*)> get, std::function<void(T*, const V&)> set)
      : TPropInfo(name, KindOf<V>()), get_(std::move(get)), set_(std::move(set)) {}

  bool ShouldWrite(TObject* instance, TComponent*) const override {
    const T* obj = static_cast<const T*>(instance);
    if (!set_ || !stored_.Allows(obj)) return false;
    V value = get_(obj);
    if (default_) return !(value == *default_);
    // Without a declared default, empty strings and zero floats are left out; ordinals are always written.
    if constexpr (std::is_same_v<V, String>) return !value.empty();
    else if constexpr (std::is_floating_point_v<V>) return value != 0;
    else return true;
  }
  bool IsStored(TObject* instance) const override { return set_ && stored_.Allows(static_cast<const T*>(instance)); }
  TFormValue Get(TObject* instance, TComponent*) const override { return Encode(get_(static_cast<const T*>(instance))); }
  void Set(TObject* instance, const TFormValue& value, TPropertyContext&) const override {
    if (!set_) throw EReadError(Format("Property %s is read-only", Name()));
    set_(static_cast<T*>(instance), Decode<V>(value, *this));
  }
  const TEnumInfo* EnumNames() const override {
    if constexpr (HasEnumTraits<V>::value) {
      return &TEnumTraits<V>::Info();
    } else if constexpr (IsSet<V>::value) {
      if constexpr (HasEnumTraits<typename IsSet<V>::Enum>::value) return &TEnumTraits<typename IsSet<V>::Enum>::Info();
    }
    return nullptr;
  }

  std::optional<V> default_;
  TStoredRule<T> stored_;

 private:
  std::function<V(const T*)> get_;
  std::function<void(T*, const V&)> set_;
};

// A nested persistent object ("Font"): written and read through its own properties.
template <typename T, typename P>
class TObjectProp : public TPropInfo {
 public:
  TObjectProp(const String& name, std::function<P*(const T*)> get) : TPropInfo(name, tkClass), get_(std::move(get)) {}

  bool ShouldWrite(TObject* instance, TComponent*) const override {
    return stored_.Allows(static_cast<const T*>(instance)) && get_(static_cast<const T*>(instance)) != nullptr;
  }
  bool IsStored(TObject* instance) const override { return stored_.Allows(static_cast<const T*>(instance)); }
  TFormValue Get(TObject* instance, TComponent*) const override {
    P* object = get_(static_cast<const T*>(instance));
    return TFormValue::Ident(object ? object->ClassName() : String("nil"));
  }
  void Set(TObject*, const TFormValue&, TPropertyContext&) const override {
    throw EReadError(Format("Property %s holds an object: set its properties instead", Name()));
  }
  TObject* GetObject(TObject* instance) const override { return get_(static_cast<const T*>(instance)); }

  TStoredRule<T> stored_;

 private:
  std::function<P*(const T*)> get_;
};

// A reference to another component, written by name and resolved after the whole form is read.
template <typename T, typename C>
class TComponentProp : public TPropInfo {
 public:
  TComponentProp(const String& name, std::function<C*(const T*)> get, std::function<void(T*, C*)> set)
      : TPropInfo(name, tkComponent), get_(std::move(get)), set_(std::move(set)) {}

  bool ShouldWrite(TObject* instance, TComponent* root) const override {
    C* target = get_(static_cast<const T*>(instance));
    return set_ && stored_.Allows(static_cast<const T*>(instance)) && target && !ReferenceName(target, root).empty();
  }
  bool IsStored(TObject* instance) const override { return set_ && stored_.Allows(static_cast<const T*>(instance)); }
  TFormValue Get(TObject* instance, TComponent* root) const override {
    C* target = get_(static_cast<const T*>(instance));
    return TFormValue::Ident(target ? ReferenceName(target, root) : String("nil"));
  }
  void Set(TObject* instance, const TFormValue& value, TPropertyContext& context) const override {
    if (value.type != TFormValue::vaIdent) InvalidValue(*this, value);
    if (value.IsIdent("nil")) set_(static_cast<T*>(instance), nullptr);
    else context.AddFixup(instance, *this, value.text);
  }
  TObject* GetObject(TObject* instance) const override { return get_(static_cast<const T*>(instance)); }
  void SetObject(TObject* instance, TObject* value) const override {
    C* target = dynamic_cast<C*>(value);
    if (value && !target)
      throw EReadError(Format("%s cannot refer to a %s", Name(), value->ClassName()));
    set_(static_cast<T*>(instance), target);
  }

  TStoredRule<T> stored_;

 private:
  // The root itself and its own components go by their names; others by "Owner.Name".
  static String ReferenceName(TComponent* target, TComponent* root) {
    if (target == root || target->GetOwner() == root || !target->GetOwner()) return target->GetName();
    if (target->GetOwner()->GetName().empty() || target->GetName().empty()) return String();
    return target->GetOwner()->GetName() + "." + target->GetName();
  }

  std::function<C*(const T*)> get_;
  std::function<void(T*, C*)> set_;
};

// An event, bound by name to a published method of the form being read.
template <typename T, typename E>
class TEventProp : public TPropInfo {
 public:
  TEventProp(const String& name, std::function<E(const T*)> get, std::function<void(T*, const E&)> set)
      : TPropInfo(name, tkMethod), get_(std::move(get)), set_(std::move(set)) {}

  bool ShouldWrite(TObject* instance, TComponent* root) const override {
    E event = get_(static_cast<const T*>(instance));
    return stored_.Allows(static_cast<const T*>(instance)) && !event.GetMethodName().empty() && event.GetData() == root;
  }
  bool IsStored(TObject* instance) const override { return set_ && stored_.Allows(static_cast<const T*>(instance)); }
  TFormValue Get(TObject* instance, TComponent*) const override {
    E event = get_(static_cast<const T*>(instance));
    return TFormValue::Ident(event.GetMethodName().empty() ? String("nil") : event.GetMethodName());
  }
  void Set(TObject* instance, const TFormValue& value, TPropertyContext& context) const override {
    if (value.type != TFormValue::vaIdent) InvalidValue(*this, value);
    if (value.IsIdent("nil")) {
      set_(static_cast<T*>(instance), E());
      return;
    }
    TComponent* root = context.Root();
    const TMethodEntry* method = root ? root->ClassInfo().FindMethod(value.text) : nullptr;
    if (!method && context.IgnoreMissingMethod(value.text)) return;
    if (!method)
      throw EReadError(Format("Method %s not found in %s", value.text, root ? root->ClassName() : String("nil")));
    if (*method->eventType != typeid(E))
      throw EReadError(Format("Method %s does not match the parameters of %s", value.text, Name()));
    E event;
    if (!method->bind(root, &event)) throw EReadError(Format("Method %s cannot be bound", value.text));
    set_(static_cast<T*>(instance), event);
  }

  TStoredRule<T> stored_;

 private:
  std::function<E(const T*)> get_;
  std::function<void(T*, const E&)> set_;
};

}  // namespace PropDetail

// Returned by TClassBuilder::Property to add the default and stored rule.
template <typename T, typename Prop>
class TPropertyHandle {
 public:
  explicit TPropertyHandle(Prop* prop) : prop_(prop) {}
  template <typename D>
  TPropertyHandle& Default(const D& value) {
    prop_->default_ = value;
    return *this;
  }
  TPropertyHandle& Stored(bool stored) {
    prop_->stored_.Set(stored);
    return *this;
  }
  template <typename C>
  TPropertyHandle& Stored(bool (C::*method)() const) {
    prop_->stored_.Set(method);
    return *this;
  }

 private:
  Prop* prop_;
};

template <typename T>
class TClassBuilder {
 public:
  explicit TClassBuilder(TClassInfo& info) : info_(info) {}

  // Makes the class information once: the description runs, then the class is registered
  // when it can be created by name.
  static const TClassInfo& Build(const char* name, const TClassInfo* parent, void (*describe)(TClassBuilder&),
                                 void* module) {
    auto* info = new TClassInfo(name, parent);  // lives as long as the program
    info->SetModule(module);
    if constexpr (std::is_base_of_v<TComponent, T> && !std::is_abstract_v<T> &&
                  std::is_constructible_v<T, TComponent*>) {
      info->SetFactory([](TComponent* owner) -> TComponent* { return new T(owner); });
    }
    TClassBuilder builder(*info);
    describe(builder);
    info->Seal();
    return *info;
  }

  template <typename C, typename R, typename C2, typename A>
  auto Property(const char* name, R (C::*get)() const, void (C2::*set)(A)) {
    static_assert(std::is_base_of_v<C, T> && std::is_base_of_v<C2, T>, "accessors of another class");
    using V = std::remove_cv_t<std::remove_reference_t<R>>;
    auto getter = [get](const T* obj) -> V { return (obj->*get)(); };
    if constexpr (PropDetail::IsEvent<V>::value) {
      auto setter = [set](T* obj, const V& v) { (obj->*set)(v); };
      return Add(new PropDetail::TEventProp<T, V>(name, getter, setter));
    } else if constexpr (PropDetail::IsComponentRef<V>) {
      auto setter = [set](T* obj, V v) { (obj->*set)(v); };
      return Add(new PropDetail::TComponentProp<T, std::remove_pointer_t<V>>(name, getter, setter));
    } else if constexpr (PropDetail::IsNestedObject<V>) {
      return Add(new PropDetail::TObjectProp<T, std::remove_pointer_t<V>>(name, getter));
    } else {
      static_assert(PropDetail::KindOf<V>() != tkUnknown, "unsupported published property type");
      auto setter = [set](T* obj, const V& v) { (obj->*set)(v); };
      return Add(new PropDetail::TValueProp<T, V>(name, getter, setter));
    }
  }

  // A nested object without a setter ("Items"): only its own properties are read and written.
  template <typename C, typename R>
  auto Property(const char* name, R (C::*get)() const) {
    static_assert(std::is_base_of_v<C, T>, "accessor of another class");
    using V = std::remove_cv_t<std::remove_reference_t<R>>;
    static_assert(PropDetail::IsNestedObject<V>, "only nested objects may be published without a setter");
    auto getter = [get](const T* obj) -> V { return (obj->*get)(); };
    return Add(new PropDetail::TObjectProp<T, std::remove_pointer_t<V>>(name, getter));
  }

  // A method that form files can bind events to by name.
  template <typename C, typename... A>
  void Method(const char* name, void (C::*method)(A...)) {
    static_assert(std::is_base_of_v<C, T>, "method of another class");
    String methodName = name;
    info_.AddMethod(TMethodEntry{methodName, &typeid(TEvent<A...>), [method, methodName](TObject* instance, void* out) {
                                   T* obj = dynamic_cast<T*>(instance);
                                   if (!obj) return false;
                                   *static_cast<TEvent<A...>*>(out) = TEvent<A...>(obj, method, methodName);
                                   return true;
                                 }});
  }

  // A published field that always points at the owned component of the same name.
  template <typename C, typename F>
  void Field(const char* name, F* C::*field) {
    static_assert(std::is_base_of_v<C, T> && std::is_base_of_v<TComponent, F>, "fields hold components");
    String fieldName = name;
    info_.AddField(TFieldEntry{fieldName, [field, fieldName](TObject* owner, TComponent* value) {
                                 F* typed = dynamic_cast<F*>(value);
                                 if (value && !typed)
                                   throw EComponentError(Format("Field %s cannot hold a %s", fieldName, value->ClassName()));
                                 static_cast<T*>(owner)->*field = typed;
                               }});
  }

  // A message handler: messages of that number reaching Dispatch call it.
  template <typename C>
  void Message(unsigned message, void (C::*handler)(TMessage&)) {
    static_assert(std::is_base_of_v<C, T>, "handler of another class");
    info_.AddMessageHandler(message, [handler](TObject* instance, TMessage& m) { (static_cast<T*>(instance)->*handler)(m); });
  }

 private:
  template <typename Prop>
  TPropertyHandle<T, Prop> Add(Prop* prop) {
    info_.AddProperty(std::unique_ptr<TPropInfo>(prop));
    return TPropertyHandle<T, Prop>(prop);
  }

  TClassInfo& info_;
};

// The module (HINSTANCE) that this code is linked into: the executable, or a DLL such as a package.
inline void* TovixThisModule() { return &__ImageBase; }

// Registers a class with the class registry when its object file is linked in, and removes it
// when the module goes away: a DLL unloaded while the program runs must leave no class behind
// whose code is gone (and loading it again must not find its names taken).
class TClassRegistrar {
 public:
  explicit TClassRegistrar(const TClassInfo& (*info)()) : info_(&info()) { RegisterClass(*info_); }
  ~TClassRegistrar() { UnregisterClass(*info_); }
  TClassRegistrar(const TClassRegistrar&) = delete;
  TClassRegistrar& operator=(const TClassRegistrar&) = delete;

 private:
  const TClassInfo* info_;
};

// Defines Class::StaticClassInfo and registers the class; the braces that follow describe it
// through the builder "c".
#define TOVIX_IMPLEMENT_CLASS(Class, Parent)                                                                  \
  const ::Tovix::TClassInfo& Class::StaticClassInfo() {                                                        \
    static const ::Tovix::TClassInfo& info = ::Tovix::TClassBuilder<Class>::Build(                             \
        #Class, &Parent::StaticClassInfo(), &Class::DescribeClass, ::Tovix::TovixThisModule());                \
    return info;                                                                                               \
  }                                                                                                            \
  static const ::Tovix::TClassRegistrar tovixRegistrar##Class(&Class::StaticClassInfo);                        \
  void Class::DescribeClass([[maybe_unused]] ::Tovix::TClassBuilder<Class>& c)

}  // namespace Tovix
