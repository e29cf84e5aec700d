#include "framework/design/Registration.h"

namespace Tovix {

namespace {

TRegistrationHook* installedHook = nullptr;

}  // namespace

TRegistrationHook* SetRegistrationHook(TRegistrationHook* hook) {
  TRegistrationHook* previous = installedHook;
  installedHook = hook;
  return previous;
}

TRegistrationHook* GetRegistrationHook() { return installedHook; }

void RegisterComponents(const String& page, const std::vector<const TClassInfo*>& classes) {
  if (installedHook) installedHook->RegisterComponents(page, classes);
}

void RegisterComponentEditor(const TClassInfo& componentClass, const TComponentEditorClass& editorClass) {
  if (installedHook) installedHook->RegisterComponentEditor(componentClass, editorClass);
}

}  // namespace Tovix
