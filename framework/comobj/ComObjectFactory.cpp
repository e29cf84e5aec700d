#include "framework/comobj/ComObjectFactory.h"

#include <algorithm>
#include <memory>

#include "framework/comobj/RegKey.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace Tovix {

namespace {

volatile LONG serverLocks = 0;

std::vector<TComObjectFactory*>& FactoryList() {
  static std::vector<TComObjectFactory*> factories;
  return factories;
}

const char* ThreadingModelName(TThreadingModel model) {
  switch (model) {
    case tmApartment: return "Apartment";
    case tmFree: return "Free";
    case tmBoth: return "Both";
    case tmSingle: break;
  }
  return "";
}

// The module whose code is at address; this module when the address is not in one.
HMODULE ModuleOf(const void* address) {
  HMODULE module = nullptr;
  if (address && GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                    static_cast<LPCSTR>(address), &module))
    return module;
  return reinterpret_cast<HMODULE>(&__ImageBase);
}

}  // namespace

TComObjectFactory::TComObjectFactory(TComClass comClass, const TGUID& classId, const String& className,
                                     const String& description, TThreadingModel threadingModel)
    : comClass_(comClass), classId_(classId), className_(className), description_(description), threadingModel_(threadingModel) {
  FactoryList().push_back(this);
}

TComObjectFactory::~TComObjectFactory() {
  auto& factories = FactoryList();
  factories.erase(std::remove(factories.begin(), factories.end(), this), factories.end());
}

String TComObjectFactory::ServerFileName() const {
  char path[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameA(ModuleOf(reinterpret_cast<const void*>(comClass_)), path, sizeof(path));
  if (length == 0 || length >= sizeof(path)) RaiseLastWin32Error();
  return String(path, length);
}

void TComObjectFactory::UpdateRegistry(bool doRegister) {
  const String classKey = "CLSID\\" + GUIDToString(classId_);
  const String serverKey = classKey + "\\InprocServer32";
  if (doRegister) {
    CreateRegKey(classKey, "", description_);
    CreateRegKey(serverKey, "", ServerFileName());
    if (threadingModel_ != tmSingle) CreateRegKey(serverKey, "ThreadingModel", ThreadingModelName(threadingModel_));
  } else {
    DeleteRegKey(serverKey);
    DeleteRegKey(classKey);
  }
}

HRESULT STDMETHODCALLTYPE TComObjectFactory::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
    *object = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE TComObjectFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  if (!comClass_) return E_UNEXPECTED;
  TComObject* instance = nullptr;
  try {
    instance = comClass_();
  } catch (...) {
    // No exception may cross the COM boundary.
    return E_FAIL;
  }
  if (!instance) return E_OUTOFMEMORY;
  // The temporary reference frees the object when it does not have the interface asked for.
  instance->AddRef();
  HRESULT result = instance->QueryInterface(iid, object);
  instance->Release();
  return result;
}

HRESULT STDMETHODCALLTYPE TComObjectFactory::LockServer(BOOL lock) {
  if (lock) InterlockedIncrement(&serverLocks);
  else if (InterlockedDecrement(&serverLocks) < 0) InterlockedIncrement(&serverLocks);
  return S_OK;
}

long TComObjectFactory::LockCount() { return InterlockedCompareExchange(&serverLocks, 0, 0); }

const std::vector<TComObjectFactory*>& ComFactories() { return FactoryList(); }

TComObjectFactory* FindComFactory(const TGUID& classId) {
  for (TComObjectFactory* factory : FactoryList())
    if (IsEqualGUID(factory->ClassID(), classId)) return factory;
  return nullptr;
}

}  // namespace Tovix
