#include "framework/classes/Filer.h"

#include <memory>

#include <algorithm>

#include "framework/classes/Collection.h"
#include "framework/system/ScopeExit.h"
#include "framework/system/WinApi.h"

namespace Tovix {

namespace {

// Nested objects deeper than this are surely a cycle, not a form.
const int kMaxNesting = 16;
// Components nested deeper than this are an attack or a broken file, not a form; the limit keeps
// the reader's recursion far from the end of the stack.
const int kMaxObjectNesting = 100;

// The class a file names for a component, or the component's own class when none has that name.
const TClassInfo& FindClassOf(const String& className, TComponent* component) {
  for (const TClassInfo* c = &component->ClassInfo(); c; c = c->Parent())
    if (SameText(c->Name(), className)) return *c;
  const TClassInfo* registered = GetClass(className);
  return registered ? *registered : component->ClassInfo();
}

// Splits "Font.Style" into the nested object that holds the last property and that property's
// name. Raises EReadError when a step is not a nested object.
TObject* ResolveOwnerOfLast(TObject* instance, const String& path, String& last) {
  // Nearly every path is a plain name; looked at here without the C runtime's memchr.
  if (std::none_of(path.begin(), path.end(), [](char c) { return c == '.'; })) {
    last = path;
    return instance;
  }
  TObject* target = instance;
  size_t start = 0;
  for (size_t dot = path.find('.'); dot != String::npos; dot = path.find('.', start)) {
    String step = path.substr(start, dot - start);
    const TPropInfo* prop = target->ClassInfo().FindProperty(step);
    if (!prop || prop->Kind() != tkClass)
      throw EReadError(Format("Property %s does not exist in %s", step, target->ClassName()));
    target = prop->GetObject(target);
    if (!target) throw EReadError(Format("Property %s is empty", step));
    start = dot + 1;
  }
  last = path.substr(start);
  return target;
}

const TPropInfo& FindPropertyOf(TObject* instance, const String& name) {
  const TPropInfo* prop = instance->ClassInfo().FindProperty(name);
  if (!prop) throw EReadError(Format("Property %s does not exist in %s", name, instance->ClassName()));
  return *prop;
}

// Clears a component's reading or writing flag on every path out of a scope.
class StateScope {
 public:
  StateScope(TComponent* c, void (TComponent::*set)(bool)) : c_(c), set_(set) { (c_->*set_)(true); }
  ~StateScope() { (c_->*set_)(false); }
  StateScope(const StateScope&) = delete;
  StateScope& operator=(const StateScope&) = delete;

 private:
  TComponent* c_;
  void (TComponent::*set_)(bool);
};

// Resolves references at once, in the owner of the component being set.
class ImmediateContext : public TPropertyContext {
 public:
  explicit ImmediateContext(TComponent* root) : root_(root) {}
  TComponent* Root() const override { return root_; }
  void AddFixup(TObject* instance, const TPropInfo& prop, const String& name) override {
    TComponent* target = nullptr;
    if (root_) target = SameText(root_->GetName(), name) ? root_ : root_->FindComponent(name);
    if (!target) throw EReadError(Format("Component %s not found", name));
    prop.SetObject(instance, target);
  }

 private:
  TComponent* root_;
};

TComponent* ContextRootOf(TObject* instance) {
  auto* component = dynamic_cast<TComponent*>(instance);
  if (!component) return nullptr;
  return component->GetOwner() ? component->GetOwner() : component;
}

}  // namespace

// ---------------------------------------------------------------------------
// TFiler

void TFiler::DefineBinaryProperty(const String& name, std::function<void(const TBytes&)> read,
                                  std::function<TBytes()> write, bool hasData) {
  DefineProperty(
      name,
      [read](const TFormValue& value) {
        if (value.type != TFormValue::vaBinary) throw EReadError("Binary data expected");
        read(value.bytes);
      },
      [write] { return TFormValue::Binary(write()); }, hasData);
}

// ---------------------------------------------------------------------------
// TWriter

namespace {

// The form file of a class, or false when its module has none.
bool FindFormResource(const TClassInfo& info, String& text) {
  auto module = static_cast<HMODULE>(info.Module());
  HRSRC resource = FindResourceA(module, info.Name().c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (!data) return false;
  text.assign(data, SizeofResource(module, resource));
  return true;
}

// A fresh instance of a class, as its constructor makes it (reading its form files), or null
// when it cannot be made. Without one there is nothing to compare with, and its instances are
// written whole, as before ancestors were compared: every value is kept, and reading such a file
// over the ancestor's fails on the first duplicate name rather than losing anything silently.
std::unique_ptr<TComponent> CreateFresh(const TClassInfo& info) {
  if (!info.CanCreate()) return nullptr;
  try {
    return std::unique_ptr<TComponent>(info.Create(nullptr));
  } catch (const std::exception&) {
    return nullptr;
  }
}

// A fresh instance of the nearest class root's class derives from that has a form file, or null.
std::unique_ptr<TComponent> CreateFormAncestor(const TClassInfo& rootClass) {
  String text;
  for (const TClassInfo* c = rootClass.Parent(); c; c = c->Parent())
    if (FindFormResource(*c, text)) return CreateFresh(*c);
  return nullptr;
}

String HeaderOf(const TComponent* component) {
  return component->GetName().empty() ? component->ClassName() : component->GetName() + ": " + component->ClassName();
}

// A reference as it reads back: the form (or frame) being written itself, a component it owns,
// the form and its components seen from a frame, or a component another one owns.
String ReferenceKey(const TObject* target, const TComponent* scope, const TComponent* form) {
  auto* component = dynamic_cast<const TComponent*>(target);
  if (!component) return "nil";
  if (component == scope) return ".";
  if (component->GetOwner() == scope) return component->GetName();
  if (form && component == form) return "^";
  if (form && component->GetOwner() == form) return "^." + component->GetName();
  return (component->GetOwner() ? component->GetOwner()->GetName() : String()) + "." + component->GetName();
}

}  // namespace

String TWriter::WriteRootComponent(TComponent* root) {
  root_ = root;
  out_.clear();
  std::unique_ptr<TComponent> fresh;
  TComponent* ancestor = ancestor_;
  if (!ancestor) {
    fresh = CreateFormAncestor(root->ClassInfo());
    ancestor = fresh.get();
  }
  rootAncestor_ = ancestor;
  TAncestry ancestry = MakeAncestry(root, ancestor, nullptr);
  WriteBlock(ancestor ? "inherited" : "object", root, TBaseline{ancestor, ancestor, root, false}, ancestry, 0);
  CheckNoneLeftOut(ancestry);
  return out_;
}

void TWriter::WriteLine(int indent, const String& text) {
  out_.append(static_cast<size_t>(indent), ' ');
  out_ += text;
  out_ += "\r\n";
}

void TWriter::WriteComponent(TComponent* component, TComponent* enclosing, const TAncestry& ancestry, int indent) {
  const TAncestry* owning = nullptr;
  TComponent* original = FindOriginal(component, ancestry, owning);
  if (!original) {
    if (component->GetComponentState().Contains(csInline)) WriteInline(component, ancestry, indent);
    else WriteBlock("object", component, TBaseline{}, ancestry, indent);
    return;
  }
  // A component the ancestor makes holds only its changes, and may be left out without any.
  size_t start = out_.size();
  TBaseline baseline{original, owning->ancestor, owning->lookup, false};
  bool changed = false;
  if (component->GetComponentState().Contains(csInline)) {
    // A frame the ancestor embeds: its own components are compared with those of the ancestor's frame.
    TAncestry inner = MakeAncestry(component, original, &ancestry);
    changed = WriteBlock("inherited", component, baseline, inner, indent);
    CheckNoneLeftOut(inner);
  } else {
    changed = WriteBlock("inherited", component, baseline, ancestry, indent);
  }
  if (!changed && InItsAncestorsPlace(component, original, enclosing, *owning)) out_.resize(start);
}

// The ancestor's component of the same name, looked up in the ancestor of the form or frame that
// owns component (owning tells which); null for a component the ancestor does not make.
TComponent* TWriter::FindOriginal(TComponent* component, const TAncestry& ancestry, const TAncestry*& owning) const {
  if (component->GetName().empty()) return nullptr;
  for (const TAncestry* a = &ancestry; a; a = a->outer) {
    if (component->GetOwner() != a->lookup) continue;
    owning = a;
    return a->ancestor ? a->ancestor->FindComponent(component->GetName()) : nullptr;
  }
  return nullptr;
}

// An inline frame's own components come from the frame's form file; what the form changed in
// them is written as "inherited" blocks holding the values that differ from a fresh frame's.
void TWriter::WriteInline(TComponent* frame, const TAncestry& outer, int indent) {
  std::unique_ptr<TComponent> fresh = CreateFresh(frame->ClassInfo());
  TAncestry ancestry = MakeAncestry(frame, fresh.get(), &outer);
  // The frame's own values are written where they differ from their defaults too, as for any
  // component the form made.
  WriteBlock("inline", frame, TBaseline{fresh.get(), fresh.get(), root_, true}, ancestry, indent);
  CheckNoneLeftOut(ancestry);
}

bool TWriter::WriteBlock(const char* kind, TComponent* component, const TBaseline& baseline, const TAncestry& ancestry,
                         int indent) {
  StateScope writing(component, &TComponent::SetWritingState);
  WriteLine(indent, String(kind) + " " + HeaderOf(component));
  size_t bodyStart = out_.size();
  WriteProperties(component, baseline, String(), 0, [&](const String& name, const TFormValue& value) {
    WriteLine(indent + 2, name + " = " + value.ToText(indent + 2));
  });
  WriteChildren(component, ancestry, indent + 2);
  bool wroteInside = out_.size() != bodyStart;
  WriteLine(indent, "end");
  return wroteInside;
}

void TWriter::WriteChildren(TComponent* component, const TAncestry& ancestry, int indent) {
  auto write = [&](TComponent* child) { WriteComponent(child, component, ancestry, indent); };
  // A frame's own components (the frame is the lookup) are written only as changes to a fresh
  // frame's; the components the form put inside it are the form's.
  if (ancestry.lookup == root_ || ancestry.ancestor) component->GetChildren(write, ancestry.lookup);
  if (ancestry.lookup != root_) component->GetChildren(write, root_);
}

TWriter::TAncestry TWriter::MakeAncestry(TComponent* lookup, TComponent* ancestor, const TAncestry* outer) {
  TAncestry ancestry;
  ancestry.lookup = lookup;
  ancestry.ancestor = ancestor;
  ancestry.outer = outer;
  if (!ancestor) return ancestry;
  std::function<void(TComponent*)> visit = [&](TComponent* parent) {
    parent->GetChildren(
        [&](TComponent* child) {
          if (!ancestry.places.emplace(child, parent).second) return;
          visit(child);
        },
        ancestor);
  };
  visit(ancestor);
  return ancestry;
}

// Whether an ancestor's component is written inside the component its ancestor writes it in:
// reading an "inherited" block moves the component into the block around it.
bool TWriter::InItsAncestorsPlace(TComponent* component, const TComponent* original, const TComponent* enclosing,
                                  const TAncestry& ancestry) const {
  if (!component->HasParent()) return true;
  auto place = ancestry.places.find(original);
  if (place == ancestry.places.end()) return false;
  if (place->second == ancestry.ancestor) return enclosing == ancestry.lookup;
  return enclosing != ancestry.lookup && !enclosing->GetName().empty() &&
         SameText(enclosing->GetName(), place->second->GetName());
}

// A file can only add to what the ancestor's form file makes: a component deleted from a derived
// form would come back when the file is read.
void TWriter::CheckNoneLeftOut(const TAncestry& ancestry) const {
  if (!ancestry.ancestor || ancestry.ancestor == ancestry.lookup) return;
  for (int i = 0; i < ancestry.ancestor->GetComponentCount(); ++i) {
    const String& name = ancestry.ancestor->GetComponents(i)->GetName();
    if (!name.empty() && !ancestry.lookup->FindComponent(name))
      throw EWriteError(Format("%s has no %s, which its ancestor %s makes: an inherited component cannot be deleted",
                               HeaderOf(ancestry.lookup), name, ancestry.ancestor->ClassName()));
  }
}

void TWriter::WriteProperties(TObject* instance, const TBaseline& baseline, const String& prefix, int depth,
                              const TEmit& emit) {
  if (depth > kMaxNesting) throw EWriteError(Format("Properties of %s nest too deeply", prefix));
  for (const TPropInfo* prop : instance->ClassInfo().Properties()) {
    // The base is compared where its class has the same property (a derived class may publish more).
    TObject* base = baseline.base && baseline.base->ClassInfo().FindProperty(prop->Name()) == prop ? baseline.base : nullptr;
    if (prop->Kind() == tkClass) {
      WriteNested(instance, base, *prop, baseline, prefix, depth, emit);
    } else if (!base) {
      if (prop->ShouldWrite(instance, root_)) emit(prefix + prop->Name(), prop->Get(instance, root_));
    } else if (prop->IsStored(instance)) {
      if (auto value = ChangedValue(instance, *prop, baseline)) emit(prefix + prop->Name(), *value);
    }
  }
  if (auto* persistent = dynamic_cast<TPersistent*>(instance)) WriteDefinedValues(persistent, baseline, prefix, emit);
}

// A nested object is compared value by value, a collection as a whole: reading one replaces every item.
void TWriter::WriteNested(TObject* instance, TObject* base, const TPropInfo& prop, const TBaseline& baseline,
                          const String& prefix, int depth, const TEmit& emit) {
  if (!prop.ShouldWrite(instance, root_)) return;
  TObject* nested = prop.GetObject(instance);
  TObject* baseNested = base ? prop.GetObject(base) : nullptr;
  if (auto* collection = dynamic_cast<TCollection*>(nested)) {
    TFormValue value = CollectionValue(collection, depth + 1);
    auto* baseCollection = dynamic_cast<TCollection*>(baseNested);
    if (!baseCollection || baseline.keepDefaults || !(value == CollectionValue(baseCollection, depth + 1)))
      emit(prefix + prop.Name(), value);
    return;
  }
  TBaseline inner = baseline;
  inner.base = baseNested;
  WriteProperties(nested, inner, prefix + prop.Name() + ".", depth + 1, emit);
}

// The value of a property to write when the ancestor's object holds another (or keepDefaults
// asks for it); nothing when they agree, or when the difference cannot be spelt in a form file
// (an event bound to a method of another object, a reference to an unnamed component).
std::optional<TFormValue> TWriter::ChangedValue(TObject* instance, const TPropInfo& prop, const TBaseline& baseline) const {
  bool ours = prop.ShouldWrite(instance, root_);
  bool same = false;
  bool empty = false;
  if (prop.Kind() == tkComponent) {
    empty = !prop.GetObject(instance);
    same = ReferenceKey(prop.GetObject(instance), baseline.lookup, root_) ==
           ReferenceKey(prop.GetObject(baseline.base), baseline.baseRoot, rootAncestor_);
  } else if (prop.Kind() == tkMethod) {
    // A frame's events stay bound to the frame's methods; the form binds to its own.
    bool bound = ours || prop.ShouldWrite(instance, baseline.lookup);
    empty = !bound;
    String mine = bound ? prop.Get(instance, root_).text : String("nil");
    bool boundBefore = prop.ShouldWrite(baseline.base, baseline.baseRoot) ||
                       (rootAncestor_ && prop.ShouldWrite(baseline.base, rootAncestor_));
    String theirs = boundBefore ? prop.Get(baseline.base, baseline.baseRoot).text : String("nil");
    same = SameText(mine, theirs);
  } else {
    TFormValue value = prop.Get(instance, root_);
    if (value == prop.Get(baseline.base, baseline.baseRoot) && !(baseline.keepDefaults && ours)) return std::nullopt;
    return value;
  }
  if (same && !(baseline.keepDefaults && ours)) return std::nullopt;
  if (ours) return prop.Get(instance, root_);
  if (empty) return TFormValue::Ident("nil");
  return std::nullopt;
}

// Values the objects define themselves (lists of strings, binary data, designer positions). One
// the ancestor has and this object has not is written empty, so that reading clears it.
void TWriter::WriteDefinedValues(TPersistent* instance, const TBaseline& baseline, const String& prefix, const TEmit& emit) {
  std::vector<TDefinedValue> theirs;
  if (auto* base = dynamic_cast<TPersistent*>(baseline.base)) theirs = DefinedValues(base);
  for (const TDefinedValue& mine : DefinedValues(instance)) {
    if (!mine.write) continue;
    if (!baseline.base) {
      if (mine.hasData) emit(prefix + mine.name, mine.write());
      continue;
    }
    auto before = std::find_if(theirs.begin(), theirs.end(), [&](const TDefinedValue& d) { return SameText(d.name, mine.name); });
    std::optional<TFormValue> now, then;
    if (mine.hasData) now = mine.write();
    if (before != theirs.end() && before->hasData && before->write) then = before->write();
    if (now == then && !(baseline.keepDefaults && now)) continue;
    emit(prefix + mine.name, now ? *now : mine.write());
  }
}

std::vector<TWriter::TDefinedValue> TWriter::DefinedValues(TPersistent* instance) {
  std::vector<TDefinedValue> values;
  std::vector<TDefinedValue>* outer = defined_;
  defined_ = &values;
  TScopeExit restore([&] { defined_ = outer; });
  instance->DefineProperties(*this);
  return values;
}

// Every item of a collection with the properties it would write as a component; an empty
// collection is written too ("<>"), so that reading it back clears the items.
TFormValue TWriter::CollectionValue(TCollection* collection, int depth) {
  std::vector<TFormValue> items;
  for (int i = 0; i < collection->GetCount(); ++i) {
    TFormValue item = TFormValue::Item();
    WriteProperties(collection->GetItem(i), TBaseline{}, String(), depth,
                    [&item](const String& name, const TFormValue& value) { item.Add(name, value); });
    items.push_back(std::move(item));
  }
  return TFormValue::Collection(std::move(items));
}

void TWriter::DefineProperty(const String& name, TValueReader, TValueWriter write, bool hasData) {
  if (defined_) defined_->push_back(TDefinedValue{name, std::move(write), hasData});
}

// ---------------------------------------------------------------------------
// TReader

TReader::TReader(const String& text) : text_(text) {}

bool TReader::AtComponentHeader() const {
  return parser_->IsSymbol("object") || parser_->IsSymbol("inherited") || parser_->IsSymbol("inline");
}

// "object Name: TClass", "inherited Name: TClass" or "inline Name: TClass"; the name may be left out.
TReader::Header TReader::ReadHeader(int depth) {
  Header header{hkObject, String(), String(), Parser().SourceLine()};
  line_ = header.line;
  if (depth > kMaxObjectNesting) Parser().Error("Objects nested too deeply");
  if (Parser().IsSymbol("inherited")) header.kind = hkInherited;
  else if (Parser().IsSymbol("inline")) header.kind = hkInline;
  else if (!Parser().IsSymbol("object")) Parser().Error("object expected");
  Parser().NextToken();
  header.className = Parser().ReadSymbol();
  if (Parser().IsChar(':')) {
    Parser().NextToken();
    header.name = header.className;
    header.className = Parser().ReadSymbol();
  }
  return header;
}

String TReader::PeekRootClassName() {
  parser_.emplace(text_);
  return ReadHeader(0).className;
}

void TReader::ReadRootComponent(TComponent* root) {
  root_ = root;
  lookup_ = root;
  try {
    parser_.emplace(text_);
    ReadComponent(root, nullptr, 0);
    if (Parser().Token() != TParser::toEOF) Parser().Error("Text after the final end");
    ResolveFixups();
  } catch (const Exception& e) {
    Cleanup();
    // Every message names the line; errors raised below the reader (a rejected name) get it here.
    String message = e.Message();
    if (message.rfind("Line ", 0) != 0) message = Format("Line %d: %s", line_, message);
    throw EReadError(message);
  } catch (...) {
    Cleanup();
    throw;
  }
  for (TComponent* c : loaded_) c->Loaded();
}

void TReader::Cleanup() {
  fixups_.clear();
  for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
    loaded_.erase(std::remove(loaded_.begin(), loaded_.end(), *it), loaded_.end());
    delete *it;
  }
  created_.clear();
  for (TComponent* c : loaded_) {
    c->SetReadingState(false);
    c->SetLoadingState(false);
  }
  loaded_.clear();
  root_->SetReadingState(false);
  root_->SetLoadingState(false);
}

bool TReader::ErrorHandled(const String& message) {
  bool handled = false;
  onError_(this, message, handled);
  return handled;
}

void TReader::Fail(const String& message) {
  if (!ErrorHandled(message)) throw EReadError(message);
}

void TReader::ReadComponent(TComponent* existing, TComponent* enclosing, int depth) {
  Header header = ReadHeader(depth);
  TComponent* component = nullptr;
  if (existing) component = PrepareRoot(existing, header);
  else if (header.kind == hkInherited) component = FindInherited(header, enclosing);
  else component = CreateChild(header, enclosing);
  if (!component) {
    SkipBody(depth);
    return;
  }
  // Components inside an inline frame (embedded here, or by the ancestor's form file) that the
  // file names as inherited are the frame's own.
  TComponent* outerLookup = lookup_;
  if (header.kind == hkInline) component->SetInlineState(true);
  if (component != root_ && component->GetComponentState().Contains(csInline)) lookup_ = component;
  ReadBody(component, depth);
  lookup_ = outerLookup;
}

TComponent* TReader::PrepareRoot(TComponent* root, const Header& header) {
  const TClassInfo* c = &root->ClassInfo();
  while (c && !SameText(c->Name(), header.className)) c = c->Parent();
  if (!c) throw EReadError(Format("Line %d: the form file describes a %s, not a %s", header.line, header.className, root->ClassName()));
  loaded_.push_back(root);
  root->SetLoadingState(true);
  root->SetReadingState(true);
  String name = header.name;
  // A second form of the same class beside the first gets a name of its own ("Form1_1").
  if (!name.empty() && root->GetOwner()) {
    TComponent* owner = root->GetOwner();
    String unique = name;
    for (int n = 1; owner->FindComponent(unique) && owner->FindComponent(unique) != root; ++n)
      unique = Format("%s_%d", name, n);
    name = unique;
  }
  if (!name.empty()) root->SetName(name);
  return root;
}

// An inherited block reads over a component an ancestor's form file (or the frame) already made,
// and moves it into the component whose block holds it: a derived form may give an inherited
// control another parent.
TComponent* TReader::FindInherited(const Header& header, TComponent* enclosing) {
  TComponent* component = nullptr;
  // Inside a frame the frame's own components come first, then those the form put there.
  for (TComponent* scope : {lookup_, root_})
    if (!component && !header.name.empty()) component = scope->FindComponent(header.name);
  String problem;
  if (!component) problem = Format("Inherited component %s not found", header.name);
  else if (!component->ClassInfo().InheritsFrom(FindClassOf(header.className, component)))
    problem = Format("Inherited component %s is a %s, not a %s", header.name, component->ClassName(), header.className);
  else if (component->HasParent() && component->GetParentComponent() != enclosing && !IsChildOf(component, enclosing)) {
    try {
      component->SetParentComponent(enclosing);
    } catch (const Exception& e) {
      problem = e.Message();
    }
    if (problem.empty() && !IsChildOf(component, enclosing))
      problem = Format("A %s cannot be placed in %s", header.className,
                       enclosing->GetName().empty() ? enclosing->ClassName() : enclosing->GetName());
  }
  if (!problem.empty()) {
    Fail(Format("Line %d: %s", header.line, problem));
    return nullptr;
  }
  loaded_.push_back(component);
  component->SetLoadingState(true);
  component->SetReadingState(true);
  return component;
}

// Whether component is written inside enclosing (a control in its parent, a menu item in its menu).
bool TReader::IsChildOf(TComponent* component, TComponent* enclosing) {
  bool found = false;
  enclosing->GetChildren([&](TComponent* child) { found = found || child == component; }, component->GetOwner());
  return found;
}

TComponent* TReader::CreateChild(const Header& header, TComponent* enclosing) {
  const TClassInfo* info = GetClass(header.className);
  onFindComponentClass_(this, header.className, info);
  if (!info || !info->CanCreate()) {
    Fail(Format(info ? "Line %d: Class %s cannot be created" : "Line %d: Class %s not found", header.line, header.className));
    return nullptr;
  }
  std::unique_ptr<TComponent> component(info->Create(root_));
  if (!component) {
    Fail(Format("Line %d: Class %s cannot be created", header.line, header.className));
    return nullptr;
  }
  component->SetLoadingState(true);
  component->SetReadingState(true);
  String problem;
  try {
    if (!header.name.empty()) component->SetName(header.name);
    component->SetParentComponent(enclosing);
    // A control needs a parent that took it, a menu item a menu; a component without a parent
    // sits directly in the form (or frame) that owns it. Anything else would vanish on writing.
    bool placed = component->HasParent() ? component->GetParentComponent() != nullptr : enclosing == lookup_;
    if (!placed)
      problem = Format("A %s cannot be placed in %s", header.className,
                       enclosing->GetName().empty() ? enclosing->ClassName() : enclosing->GetName());
  } catch (const Exception& e) {
    problem = e.Message();
  }
  if (!problem.empty()) {
    component.reset();
    Fail(Format("Line %d: %s", header.line, problem));
    return nullptr;
  }
  created_.push_back(component.get());
  loaded_.push_back(component.get());
  return component.release();
}

void TReader::ReadBody(TComponent* component, int depth) {
  while (Parser().Token() == TParser::toSymbol && !AtComponentHeader() && !Parser().IsSymbol("end"))
    ReadProperty(component);
  while (AtComponentHeader()) ReadComponent(nullptr, component, depth + 1);
  line_ = Parser().SourceLine();
  Parser().CheckSymbol("end");
  component->SetReadingState(false);
}

// Passes over a component that is not read: its properties, and the components inside it.
void TReader::SkipBody(int depth) {
  while (Parser().Token() == TParser::toSymbol && !Parser().IsSymbol("end")) {
    if (AtComponentHeader()) {
      ReadHeader(depth + 1);
      SkipBody(depth + 1);
      continue;
    }
    line_ = Parser().SourceLine();
    Parser().NextToken();
    Parser().CheckChar('=');
    Parser().ReadValue();
  }
  line_ = Parser().SourceLine();
  Parser().CheckSymbol("end");
}

void TReader::ReadProperty(TComponent* component) {
  line_ = Parser().SourceLine();
  int line = line_;
  String path = Parser().ReadSymbol();
  Parser().CheckChar('=');
  TFormValue value = Parser().ReadValue();
  try {
    ApplyProperty(component, path, value);
  } catch (const EParserError&) {
    throw;
  } catch (const Exception& e) {
    // Errors of collection items come named already.
    if (e.Message().rfind("Line ", 0) == 0) throw;
    String who = component->GetName().empty() ? component->ClassName() : component->GetName();
    Fail(Format("Line %d: Error reading %s.%s: %s", line, who, path, e.Message()));
  }
}

void TReader::ApplyProperty(TObject* instance, const String& path, const TFormValue& value) {
  String last;
  TObject* target = ResolveOwnerOfLast(instance, path, last);
  if (const TPropInfo* prop = target->ClassInfo().FindProperty(last)) {
    auto* collection = prop->Kind() == tkClass ? dynamic_cast<TCollection*>(prop->GetObject(target)) : nullptr;
    if (collection && value.type == TFormValue::vaCollection) ReadCollection(collection, value, path);
    else prop->Set(target, value, *this);
    return;
  }
  // Not published: perhaps a value the object defines itself (a list of strings, binary data).
  found_ = false;
  if (auto* persistent = dynamic_cast<TPersistent*>(target)) {
    lookingFor_ = last;
    lookingValue_ = &value;
    persistent->DefineProperties(*this);
    lookingFor_.clear();
    lookingValue_ = nullptr;
  }
  if (!found_) throw EReadError(Format("Property %s does not exist in %s", last, target->ClassName()));
}

// The file's items replace the collection's, told to its owner as one change. An item property
// that OnError handles is skipped alone.
void TReader::ReadCollection(TCollection* collection, const TFormValue& value, const String& path) {
  collection->BeginUpdate();
  TScopeExit endUpdate([collection] { collection->EndUpdate(); });
  collection->Clear();
  for (size_t n = 0; n < value.items.size(); ++n) {
    const TFormValue& itemValue = value.items[n];
    TCollectionItem* item = collection->Add();
    for (size_t i = 0; i < itemValue.items.size(); ++i) {
      try {
        ApplyProperty(item, itemValue.members[i], itemValue.items[i]);
      } catch (const Exception& e) {
        if (e.Message().rfind("Line ", 0) == 0) throw;
        int line = itemValue.items[i].line ? itemValue.items[i].line : line_;
        Fail(Format("Line %d: Error reading %s[%d].%s: %s", line, path, static_cast<int>(n), itemValue.members[i], e.Message()));
      }
    }
  }
}

void TReader::DefineProperty(const String& name, TValueReader read, TValueWriter, bool) {
  if (found_ || !lookingValue_ || !SameText(name, lookingFor_) || !read) return;
  found_ = true;
  read(*lookingValue_);
}

void TReader::AddFixup(TObject* instance, const TPropInfo& prop, const String& componentName) {
  fixups_.push_back(Fixup{instance, &prop, componentName, lookup_, line_});
}

bool TReader::IgnoreMissingMethod(const String& methodName) {
  bool error = true;
  onFindMethod_(this, methodName, error);
  return !error;
}

// A name as the writer spells references: "Button1" in the form (or the frame being read), or
// "Frame1.Button1" for a component another component owns.
TComponent* TReader::FindReference(const String& name, TComponent* lookup) const {
  for (TComponent* scope : {lookup, root_}) {
    if (SameText(scope->GetName(), name)) return scope;
    if (TComponent* found = scope->FindComponent(name)) return found;
  }
  size_t dot = name.find('.');
  if (dot == String::npos) return nullptr;
  TComponent* owner = root_->FindComponent(name.substr(0, dot));
  return owner ? owner->FindComponent(name.substr(dot + 1)) : nullptr;
}

void TReader::ResolveFixups() {
  for (const Fixup& f : fixups_) {
    line_ = f.line;
    TComponent* target = FindReference(f.name, f.lookup);
    if (!target) {
      Fail(Format("Line %d: Unresolved component reference %s", f.line, f.name));
      continue;
    }
    f.prop->SetObject(f.instance, target);
  }
  fixups_.clear();
}

// ---------------------------------------------------------------------------
// Convenience

String WriteComponentToText(TComponent* root) { return TWriter().WriteRootComponent(root); }

void ReadComponentFromText(const String& text, TComponent* root) { TReader(text).ReadRootComponent(root); }

void ReadComponentFromText(const String& text, TComponent* root, const TReaderErrorEvent& onError) {
  TReader reader(text);
  reader.SetOnError(onError);
  reader.ReadRootComponent(root);
}

String FormResourceText(const TComponent* root) {
  String text;
  if (!FindFormResource(root->ClassInfo(), text)) throw EResNotFound(Format("Resource %s not found", root->ClassName()));
  return text;
}

const TClassInfo* ReadFormResources(TComponent* root, const TClassInfo* lastRead) {
  std::vector<std::pair<const TClassInfo*, String>> files;
  for (const TClassInfo* c = &root->ClassInfo(); c && c != lastRead; c = c->Parent()) {
    String text;
    if (FindFormResource(*c, text)) files.emplace_back(c, std::move(text));
  }
  if (files.empty() && !lastRead) throw EResNotFound(Format("Resource %s not found", root->ClassName()));
  for (auto it = files.rbegin(); it != files.rend(); ++it) {
    ReadComponentFromText(it->second, root);
    lastRead = it->first;
  }
  return lastRead;
}

TComponent* CreateComponentFromText(const String& text, TComponent* owner) {
  TReader reader(text);
  String className;
  try {
    className = reader.PeekRootClassName();
  } catch (const EParserError& e) {
    throw EReadError(e.Message());
  }
  const TClassInfo* info = GetClass(className);
  if (!info) throw EReadError(Format("Line 1: Class %s not found", className));
  std::unique_ptr<TComponent> component(info->Create(owner));
  if (!component) throw EReadError(Format("Line 1: Class %s cannot be created", className));
  reader.ReadRootComponent(component.get());
  return component.release();
}

String GetPropText(TObject* instance, const String& path) {
  String last;
  TObject* target = ResolveOwnerOfLast(instance, path, last);
  return FindPropertyOf(target, last).Get(target, ContextRootOf(instance)).ToText();
}

void SetPropText(TObject* instance, const String& path, const String& valueText) {
  String last;
  TObject* target = ResolveOwnerOfLast(instance, path, last);
  const TPropInfo& prop = FindPropertyOf(target, last);
  ImmediateContext context(ContextRootOf(instance));
  prop.Set(target, TFormValue::Parse(valueText), context);
}

}  // namespace Tovix
