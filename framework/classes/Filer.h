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
  // The form file of root and everything written inside it.
  String WriteRootComponent(TComponent* root);
  void DefineProperty(const String& name, TValueReader read, TValueWriter write, bool hasData) override;

 private:
  using TEmit = std::function<void(const String& name, const TFormValue& value)>;

  void WriteComponent(TComponent* component, int indent);
  void WriteInlineChanges(TComponent* frame, int indent);
  // Hands each property that belongs in the file, with its value, to emit.
  void WriteProperties(TObject* instance, const String& prefix, int depth, const TEmit& emit);
  TFormValue CollectionValue(class TCollection* collection, int depth);
  void WriteLine(int indent, const String& text);

  String out_;
  String definePrefix_;
  const TEmit* defineEmit_ = nullptr;
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
  TComponent* FindInherited(const Header& header);
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
