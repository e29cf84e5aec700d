#include "framework/comobj/ComServer.h"

#include <olectl.h>

namespace Tovix {

HRESULT ComServerUpdateRegistry(bool doRegister) {
  try {
    for (TComObjectFactory* factory : ComFactories()) factory->UpdateRegistry(doRegister);
  } catch (...) {
    // No exception may cross the COM boundary.
    return SELFREG_E_CLASS;
  }
  return S_OK;
}

}  // namespace Tovix

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  Tovix::TComObjectFactory* factory = Tovix::FindComFactory(classId);
  if (!factory) return CLASS_E_CLASSNOTAVAILABLE;
  return factory->QueryInterface(iid, object);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return Tovix::TComObject::ObjectCount() == 0 && Tovix::TComObjectFactory::LockCount() == 0 ? S_OK : S_FALSE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() { return Tovix::ComServerUpdateRegistry(true); }

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer() { return Tovix::ComServerUpdateRegistry(false); }
