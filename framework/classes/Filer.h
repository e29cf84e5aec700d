// Form files: TWriter writes a component, its published properties and the components inside it
// as text; TReader reads such text back into components.
//
//   object Form1: TForm1
//     Caption = 'Settings'
//     Font.Color = clBlue
//     OnCreate = FormCreate
//     object PopupLeft: TPopupMenu
//     end
//   end
#pragma once

#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "framework/classes/Component.h"
#include "framework/classes/Parser.h"
#include "framework/system/Events.h"

namespace Tovix {

class TFiler {
 public:
  using TValueReader = std::function<void(const TFormValue&)>;
  using TValueWriter = std::function<TFormValue()>;

  virtual ~TFiler() = default;
  // Declares a value that is not a published property (a list of strings, binary data). The
  // writer calls write when hasData is true; the reader calls read when the file holds the name.
  virtual void DefineProperty(const String& name, TValueReader read, TValueWriter write, bool hasData) = 0;
  void DefineBinaryProperty(const String& name, std::function<void(const TBytes&)> read,
                            std::function<TBytes()> write, bool hasData);
  TComponent* Root() const { return root_; }

 protected:
  TComponent* root_ = nullptr;
};

class TWriter : public TFiler {
 public:
  // The form file of root and everything written inside it. When root's class derives from a
  // class with a form file of its own, root is written "inherited" with only what differs from a
  // fresh instance of that class: the values it changed, its changes to the components that
  // class's form file makes ("inherited" blocks), and the components it added ("object" blocks).
  String WriteRootComponent(TComponent* root);
  // What root is compared with instead: an instance of root's class or of a class it derives
  // from, as that class's form files made it; it stays the caller's. Null (the default) makes a
  // fresh instance of root's nearest ancestor class with a form file, if there is one.
  void SetAncestor(TComponent* ancestor) { ancestor_ = ancestor; }
  TComponent* GetAncestor() const { return ancestor_; }
  void DefineProperty(const String& name, TValueReader read, TValueWriter write, bool hasData) override;

 private:
  using TEmit = std::function<void(const String& name, const TFormValue& value)>;
  // The components being written and their counterparts: components owned by lookup (the root,
  // or an inline frame) whose names ancestor (a fresh instance of what lookup derives from, or
  // null) also has are written as "inherited" blocks. places tells, for each component of the
  // ancestor, the component it is written inside there. Inside a frame, outer is the form's.
  struct TAncestry {
    TComponent* lookup = nullptr;
    TComponent* ancestor = nullptr;
    std::unordered_map<const TComponent*, const TComponent*> places;
    const TAncestry* outer = nullptr;
  };
  // What the values of one object are compared with: base, the same object in the ancestor (whose
  // references and events belong to baseRoot), or, without a base, each value's default.
  // keepDefaults also writes what differs from the default (an inline frame's own values).
  struct TBaseline {
    TObject* base = nullptr;
    TComponent* baseRoot = nullptr;
    TComponent* lookup = nullptr;
    bool keepDefaults = false;
  };
  struct TDefinedValue {
    String name;
    TValueWriter write;
    bool hasData;
  };

  void WriteComponent(TComponent* component, TComponent* enclosing, const TAncestry& ancestry, int indent);
  TComponent* FindOriginal(TComponent* component, const TAncestry& ancestry, const TAncestry*& owning) const;
  void WriteInline(TComponent* frame, const TAncestry& outer, int indent);
  // Writes one block; false when nothing was written inside it.
  bool WriteBlock(const char* kind, TComponent* component, const TBaseline& baseline, const TAncestry& ancestry, int indent);
  void WriteChildren(TComponent* component, const TAncestry& ancestry, int indent);
  TAncestry MakeAncestry(TComponent* lookup, TComponent* ancestor, const TAncestry* outer);
  bool InItsAncestorsPlace(TComponent* component, const TComponent* original, const TComponent* enclosing,
                           const TAncestry& ancestry) const;
  void CheckNoneLeftOut(const TAncestry& ancestry) const;
  // Hands each property that belongs in the file, with its value, to emit.
  void WriteProperties(TObject* instance, const TBaseline& baseline, const String& prefix, int depth, const TEmit& emit);
  void WriteNested(TObject* instance, TObject* base, const TPropInfo& prop, const TBaseline& baseline,
                   const String& prefix, int depth, const TEmit& emit);
  std::optional<TFormValue> ChangedValue(TObject* instance, const TPropInfo& prop, const TBaseline& baseline) const;
  void WriteDefinedValues(TPersistent* instance, const TBaseline& baseline, const String& prefix, const TEmit& emit);
  std::vector<TDefinedValue> DefinedValues(TPersistent* instance);
  TFormValue CollectionValue(class TCollection* collection, int depth);
  void WriteLine(int indent, const String& text);

  String out_;
  TComponent* ancestor_ = nullptr;
  // What the root is compared with during one WriteRootComponent, or null.
  TComponent* rootAncestor_ = nullptr;
  std::vector<TDefinedValue>* defined_ = nullptr;
};

class TReader;

// Told of each error while reading; setting Handled skips the offending property value or the
// whole offending component (with everything inside it) and reading goes on. Message names the line.
using TReaderErrorEvent = TEvent<TReader* /*Reader*/, const String& /*Message*/, bool& /*Handled*/>;
// Asked for the class of each component the file creates; ClassInfo holds the registered class of
// that name (or null) and may be replaced.
using TFindComponentClassEvent = TEvent<TReader* /*Reader*/, const String& /*ClassName*/, const TClassInfo*& /*ClassInfo*/>;
// Told when an event names a method the root does not publish. Error comes set; clearing it
// leaves the event unassigned and reading goes on.
using TFindMethodEvent = TEvent<TReader* /*Reader*/, const String& /*MethodName*/, bool& /*Error*/>;

class TReader : public TFiler, public TPropertyContext {
 public:
  explicit TReader(const String& text);

  // Reads the file's top object into root (whose class must be the one the file names, or
  // derive from it), creating the components inside it, owned by root. References are resolved
  // and Loaded runs on every component once all is read. On an error that no OnError handler
  // handles, the components created so far are freed and EReadError names the line.
  void ReadRootComponent(TComponent* root);
  // The class named by the file's top object.
  String PeekRootClassName();

  const TReaderErrorEvent& GetOnError() const { return onError_; }
  void SetOnError(const TReaderErrorEvent& e) { onError_ = e; }
  const TFindComponentClassEvent& GetOnFindComponentClass() const { return onFindComponentClass_; }
  void SetOnFindComponentClass(const TFindComponentClassEvent& e) { onFindComponentClass_ = e; }
  const TFindMethodEvent& GetOnFindMethod() const { return onFindMethod_; }
  void SetOnFindMethod(const TFindMethodEvent& e) { onFindMethod_ = e; }

  TComponent* Root() const override { return root_; }
  void AddFixup(TObject* instance, const TPropInfo& prop, const String& componentName) override;
  bool IgnoreMissingMethod(const String& methodName) override;
  void DefineProperty(const String& name, TValueReader read, TValueWriter write, bool hasData) override;

 private:
  enum THeaderKind { hkObject, hkInherited, hkInline };
  struct Header {
    THeaderKind kind;
    String name;
    String className;
    int line;
  };
  struct Fixup {
    TObject* instance;
    const TPropInfo* prop;
    String name;
    TComponent* lookup;
    int line;
  };

  TParser& Parser() { return *parser_; }
  bool AtComponentHeader() const;
  Header ReadHeader(int depth);
  void ReadComponent(TComponent* existing, TComponent* enclosing, int depth);
  TComponent* PrepareRoot(TComponent* root, const Header& header);
  TComponent* FindInherited(const Header& header, TComponent* enclosing);
  static bool IsChildOf(TComponent* component, TComponent* enclosing);
  TComponent* CreateChild(const Header& header, TComponent* enclosing);
  void ReadBody(TComponent* component, int depth);
  void SkipBody(int depth);
  void ReadProperty(TComponent* component);
  void ApplyProperty(TObject* instance, const String& path, const TFormValue& value);
  void ReadCollection(class TCollection* collection, const TFormValue& value, const String& path);
  void ResolveFixups();
  TComponent* FindReference(const String& name, TComponent* lookup) const;
  // Asks OnError; true when the handler handled the error.
  bool ErrorHandled(const String& message);
  // Raises EReadError with message unless OnError handles it.
  void Fail(const String& message);
  void Cleanup();

  String text_;
  std::optional<TParser> parser_;
  int line_ = 0;
  // Where components named by "inherited" blocks are looked up: the root, or an inline frame.
  TComponent* lookup_ = nullptr;
  std::vector<TComponent*> created_;
  std::vector<TComponent*> loaded_;
  std::vector<Fixup> fixups_;
  String lookingFor_;
  const TFormValue* lookingValue_ = nullptr;
  bool found_ = false;
  TReaderErrorEvent onError_;
  TFindComponentClassEvent onFindComponentClass_;
  TFindMethodEvent onFindMethod_;
};

// The form file of root as text.
String WriteComponentToText(TComponent* root);
// Reads a form file into an existing root component (see TReader::ReadRootComponent).
void ReadComponentFromText(const String& text, TComponent* root);
// The same, leniently: errors onError handles are skipped (see TReader::SetOnError).
void ReadComponentFromText(const String& text, TComponent* root, const TReaderErrorEvent& onError);
// Creates the file's top object by its class name, owned by owner, and reads it.
TComponent* CreateComponentFromText(const String& text, TComponent* owner);
// The form file of root's class, kept as an RCDATA resource named after the class in the module
// the class was compiled into. Raises EResNotFound "Resource %s not found" when there is none.
String FormResourceText(const TComponent* root);
// Reads into root the form files of its class and of its ancestors, oldest first: a derived
// form's file ("inherited Form2: TForm2") reads over its ancestor's. Classes up to and including
// lastRead (read already, by an ancestor's constructor) are passed over. Returns the class whose
// file was read last. Raises EResNotFound when no class in the chain has a form file.
const TClassInfo* ReadFormResources(TComponent* root, const TClassInfo* lastRead);

// Reads or writes one property by its path ("Font.Color") in form-file syntax. References are
// looked up, and events bound, in the owner of instance (or in instance itself without an owner).
String GetPropText(TObject* instance, const String& path);
void SetPropText(TObject* instance, const String& path, const String& valueText);

}  // namespace Tovix
