#include "framework/classes/Filer.h"

#include <memory>

#include <algorithm>

#include "framework/system/WinApi.h"

namespace Tovix {

namespace {

// Nested objects deeper than this are surely a cycle, not a form.
const int kMaxNesting = 16;

// Splits "Font.Style" into the nested object that holds the last property and that property's
// name. Raises EReadError when a step is not a nested object.
TObject* ResolveOwnerOfLast(TObject* instance, const String& path, String& last) {
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

String TWriter::WriteRootComponent(TComponent* root) {
  root_ = root;
  out_.clear();
  WriteComponent(root, 0);
  return out_;
}

void TWriter::WriteLine(int indent, const String& text) {
  out_.append(static_cast<size_t>(indent), ' ');
  out_ += text;
  out_ += "\r\n";
}

void TWriter::WriteComponent(TComponent* component, int indent) {
  StateScope writing(component, &TComponent::SetWritingState);
  String header = component->GetName().empty() ? component->ClassName()
                                               : component->GetName() + ": " + component->ClassName();
  WriteLine(indent, "object " + header);
  WriteProperties(component, String(), indent + 2, 0);
  component->GetChildren([&](TComponent* child) { WriteComponent(child, indent + 2); }, root_);
  WriteLine(indent, "end");
}

void TWriter::WriteProperties(TObject* instance, const String& prefix, int indent, int depth) {
  if (depth > kMaxNesting) throw EWriteError(Format("Properties of %s nest too deeply", prefix));
  for (const TPropInfo* prop : instance->ClassInfo().Properties()) {
    if (!prop->ShouldWrite(instance, root_)) continue;
    if (prop->Kind() == tkClass) {
      WriteProperties(prop->GetObject(instance), prefix + prop->Name() + ".", indent, depth + 1);
      continue;
    }
    WriteLine(indent, prefix + prop->Name() + " = " + prop->Get(instance, root_).ToText(indent));
  }
  if (auto* persistent = dynamic_cast<TPersistent*>(instance)) {
    definePrefix_ = prefix;
    defineIndent_ = indent;
    persistent->DefineProperties(*this);
  }
}

void TWriter::DefineProperty(const String& name, TValueReader, TValueWriter write, bool hasData) {
  if (!hasData || !write) return;
  WriteLine(defineIndent_, definePrefix_ + name + " = " + write().ToText(defineIndent_));
}

// ---------------------------------------------------------------------------
// TReader

TReader::TReader(const String& text) : text_(text), parser_(text_) {}

String TReader::PeekRootClassName() {
  TParser peek(text_);
  peek.CheckSymbol("object");
  String first = peek.ReadSymbol();
  if (!peek.IsChar(':')) return first;
  peek.NextToken();
  return peek.ReadSymbol();
}

void TReader::ReadRootComponent(TComponent* root) {
  root_ = root;
  try {
    ReadComponent(root, nullptr);
    if (parser_.Token() != TParser::toEOF) parser_.Error("Text after the final end");
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
  for (auto it = created_.rbegin(); it != created_.rend(); ++it) delete *it;
  created_.clear();
  loaded_.clear();
  root_->SetReadingState(false);
  root_->SetLoadingState(false);
}

void TReader::ReadComponent(TComponent* existing, TComponent* enclosing) {
  line_ = parser_.SourceLine();
  if (parser_.IsSymbol("inherited") || parser_.IsSymbol("inline"))
    parser_.Error("Inherited and inline forms are not supported");
  parser_.CheckSymbol("object");
  String name = parser_.ReadSymbol();
  String className = name;
  if (parser_.IsChar(':')) {
    parser_.NextToken();
    className = parser_.ReadSymbol();
  } else {
    name.clear();
  }

  TComponent* component = existing;
  if (component) {
    const TClassInfo* c = &component->ClassInfo();
    while (c && !SameText(c->Name(), className)) c = c->Parent();
    if (!c) throw EReadError(Format("Line %d: the form file describes a %s, not a %s", line_, className, component->ClassName()));
  } else {
    const TClassInfo* info = GetClass(className);
    if (!info) throw EReadError(Format("Line %d: Class %s not found", line_, className));
    if (!info->CanCreate()) throw EReadError(Format("Line %d: Class %s cannot be created", line_, className));
    component = info->Create(root_);
    created_.push_back(component);
  }
  loaded_.push_back(component);
  component->SetLoadingState(true);
  component->SetReadingState(true);
  // A second form of the same class beside the first gets a name of its own ("Form1_1").
  if (existing && !name.empty() && existing->GetOwner()) {
    TComponent* owner = existing->GetOwner();
    String unique = name;
    for (int n = 1; owner->FindComponent(unique) && owner->FindComponent(unique) != existing; ++n)
      unique = Format("%s_%d", name, n);
    name = unique;
  }
  if (!name.empty()) component->SetName(name);
  if (!existing) component->SetParentComponent(enclosing);

  while (parser_.Token() == TParser::toSymbol && !parser_.IsSymbol("object") && !parser_.IsSymbol("end"))
    ReadProperty(component);
  while (parser_.IsSymbol("object")) ReadComponent(nullptr, component);
  line_ = parser_.SourceLine();
  parser_.CheckSymbol("end");
  component->SetReadingState(false);
}

void TReader::ReadProperty(TComponent* component) {
  line_ = parser_.SourceLine();
  String path = parser_.ReadSymbol();
  parser_.CheckChar('=');
  TFormValue value = parser_.ReadValue();
  try {
    ApplyProperty(component, path, value);
  } catch (const EParserError&) {
    throw;
  } catch (const Exception& e) {
    String who = component->GetName().empty() ? component->ClassName() : component->GetName();
    throw EReadError(Format("Line %d: Error reading %s.%s: %s", line_, who, path, e.Message()));
  }
}

void TReader::ApplyProperty(TObject* instance, const String& path, const TFormValue& value) {
  String last;
  TObject* target = ResolveOwnerOfLast(instance, path, last);
  if (const TPropInfo* prop = target->ClassInfo().FindProperty(last)) {
    prop->Set(target, value, *this);
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

void TReader::DefineProperty(const String& name, TValueReader read, TValueWriter, bool) {
  if (found_ || !lookingValue_ || !SameText(name, lookingFor_) || !read) return;
  found_ = true;
  read(*lookingValue_);
}

void TReader::AddFixup(TObject* instance, const TPropInfo& prop, const String& componentName) {
  fixups_.push_back(Fixup{instance, &prop, componentName, line_});
}

void TReader::ResolveFixups() {
  for (const Fixup& f : fixups_) {
    line_ = f.line;
    TComponent* target = SameText(root_->GetName(), f.name) ? root_ : root_->FindComponent(f.name);
    if (!target) throw EReadError(Format("Line %d: Unresolved component reference %s", f.line, f.name));
    f.prop->SetObject(f.instance, target);
  }
  fixups_.clear();
}

// ---------------------------------------------------------------------------
// Convenience

String WriteComponentToText(TComponent* root) { return TWriter().WriteRootComponent(root); }

void ReadComponentFromText(const String& text, TComponent* root) { TReader(text).ReadRootComponent(root); }

String FormResourceText(const TComponent* root) {
  auto module = static_cast<HMODULE>(root->ClassInfo().Module());
  String name = root->ClassName();
  HRSRC resource = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (!data) throw EResNotFound(Format("Resource %s not found", name));
  return String(data, SizeofResource(module, resource));
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
