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

#include "framework/classes/Component.h"
#include "framework/classes/Parser.h"

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
  void WriteComponent(TComponent* component, int indent);
  void WriteProperties(TObject* instance, const String& prefix, int indent, int depth);
  void WriteLine(int indent, const String& text);

  String out_;
  String definePrefix_;
  int defineIndent_ = 0;
};

class TReader : public TFiler, public TPropertyContext {
 public:
  explicit TReader(const String& text);

  // Reads the file's top object into root (whose class must be the one the file names, or
  // derive from it), creating the components inside it, owned by root. References are resolved
  // and Loaded runs on every component once all is read. On any error the components created
  // so far are freed and EReadError names the line.
  void ReadRootComponent(TComponent* root);
  // The class named by the file's top object.
  String PeekRootClassName();

  TComponent* Root() const override { return root_; }
  void AddFixup(TObject* instance, const TPropInfo& prop, const String& componentName) override;
  void DefineProperty(const String& name, TValueReader read, TValueWriter write, bool hasData) override;

 private:
  struct Fixup {
    TObject* instance;
    const TPropInfo* prop;
    String name;
    int line;
  };

  void ReadComponent(TComponent* existing, TComponent* enclosing);
  void ReadProperty(TComponent* component);
  void ApplyProperty(TObject* instance, const String& path, const TFormValue& value);
  void ResolveFixups();
  void Cleanup();

  String text_;
  TParser parser_;
  int line_ = 0;
  std::vector<TComponent*> created_;
  std::vector<TComponent*> loaded_;
  std::vector<Fixup> fixups_;
  String lookingFor_;
  const TFormValue* lookingValue_ = nullptr;
  bool found_ = false;
};

// The form file of root as text.
String WriteComponentToText(TComponent* root);
// Reads a form file into an existing root component (see TReader::ReadRootComponent).
void ReadComponentFromText(const String& text, TComponent* root);
// Creates the file's top object by its class name, owned by owner, and reads it.
TComponent* CreateComponentFromText(const String& text, TComponent* owner);
// The form file of root's class, kept as an RCDATA resource named after the class in the module
// the class was compiled into. Raises EResNotFound "Resource %s not found" when there is none.
String FormResourceText(const TComponent* root);

// Reads or writes one property by its path ("Font.Color") in form-file syntax. References are
// looked up, and events bound, in the owner of instance (or in instance itself without an owner).
String GetPropText(TObject* instance, const String& path);
void SetPropText(TObject* instance, const String& path, const String& valueText);

}  // namespace Tovix
