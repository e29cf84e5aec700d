// TComponentEditor: what the form designer offers for one component: a short list of commands
// (verbs) shown on the component's context menu, and an action for a double click (Edit).
#pragma once

#include <memory>

#include "framework/classes/Component.h"

namespace Tovix {

// The designer of one form, as the editors of its components see it.
class IDesigner {
 public:
  virtual ~IDesigner() = default;
  // The component being designed (the form or data module) that owns the edited components.
  virtual TComponent* GetRoot() const = 0;
  // Tells the designer that an editor changed a component, so that the form is written again.
  virtual void Modified() = 0;
};

class TComponentEditor : public TObject {
 public:
  // The editor works on component for designer; it owns neither.
  TComponentEditor(TComponent* component, IDesigner* designer) : component_(component), designer_(designer) {}

  // Run on a double click in the designer: the first verb, when there is one.
  virtual void Edit();
  virtual void ExecuteVerb(int index);
  // The text of the context-menu item of a verb ("&" marks its accelerator).
  virtual String GetVerb(int index);
  virtual int GetVerbCount();

  TComponent* GetComponent() const { return component_; }
  IDesigner* GetDesigner() const { return designer_; }

 private:
  TComponent* component_;
  IDesigner* designer_;
};

// The class of an editor, as it is registered: its name and how to make one.
class TComponentEditorClass {
 public:
  using TFactory = std::unique_ptr<TComponentEditor> (*)(TComponent* component, IDesigner* designer);

  TComponentEditorClass(String name, TFactory factory) : name_(std::move(name)), factory_(factory) {}

  const String& Name() const { return name_; }
  std::unique_ptr<TComponentEditor> Create(TComponent* component, IDesigner* designer) const {
    return factory_(component, designer);
  }

  // The class of an editor type E that is built from (component, designer).
  template <typename E>
  static TComponentEditorClass Of(String name) {
    return TComponentEditorClass(std::move(name), [](TComponent* component, IDesigner* designer) {
      return std::unique_ptr<TComponentEditor>(std::make_unique<E>(component, designer));
    });
  }

 private:
  String name_;
  TFactory factory_;
};

}  // namespace Tovix
