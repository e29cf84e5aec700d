// The in-process COM server of a DLL built with the framework. Including this header in one
// source file of the DLL makes the DLL export the four entry points COM and installers call:
//   DllGetClassObject    hands out the class factory of a class of the module's factory list;
//   DllCanUnloadNow      S_OK when no object is alive and no LockServer lock is held;
//   DllRegisterServer    runs UpdateRegistry(true) of every factory;
//   DllUnregisterServer  runs UpdateRegistry(false) of every factory.
// On 32-bit Windows the DLL must be linked with --kill-at so that the exports carry their plain
// names (tovix_add_com_server in cmake/ does that).
#pragma once

#include "framework/comobj/ComObjectFactory.h"

namespace Tovix {

// Updates the registry for every factory of the module. S_OK, or SELFREG_E_CLASS when a factory
// raised (the factories before it have done their part).
HRESULT ComServerUpdateRegistry(bool doRegister);

}  // namespace Tovix

namespace {
// Links the exports into the module that includes this header.
[[gnu::used]] HRESULT (*const tovixComServerLink)(bool) = &::Tovix::ComServerUpdateRegistry;
}  // namespace
