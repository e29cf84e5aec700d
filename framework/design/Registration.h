// Design-time registration: a package's Register routines put component classes on palette pages
// and attach editors to component classes. The calls reach whatever registration hook the host
// (the form designer) installed; with no hook installed they register nothing anywhere.
#pragma once

#include <vector>

#include "framework/design/ComponentEditor.h"

namespace Tovix {

class TRegistrationHook {
 public:
  virtual ~TRegistrationHook() = default;
  virtual void RegisterComponents(const String& page, const std::vector<const TClassInfo*>& classes) = 0;
  virtual void RegisterComponentEditor(const TClassInfo& componentClass, const TComponentEditorClass& editorClass) = 0;
};

// Installs the hook that receives registrations (null removes it) and returns the one it replaces.
// The hook stays the caller's; it must outlive its installation.
TRegistrationHook* SetRegistrationHook(TRegistrationHook* hook);
TRegistrationHook* GetRegistrationHook();

// Puts the classes on the named palette page.
void RegisterComponents(const String& page, const std::vector<const TClassInfo*>& classes);
// Makes the designer use editors of editorClass for componentClass and its descendants.
void RegisterComponentEditor(const TClassInfo& componentClass, const TComponentEditorClass& editorClass);

}  // namespace Tovix
