#include "framework/comobj/ComObject.h"

namespace Tovix {

namespace {

volatile LONG liveObjects = 0;

}  // namespace

TComObject::TComObject() { InterlockedIncrement(&liveObjects); }

TComObject::~TComObject() { InterlockedDecrement(&liveObjects); }

long TComObject::ObjectCount() { return InterlockedCompareExchange(&liveObjects, 0, 0); }

HRESULT STDMETHODCALLTYPE TComObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = IsEqualIID(iid, IID_IUnknown) ? static_cast<IUnknown*>(this) : GetInterface(iid);
  if (!*object) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE TComObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refCount_)); }

ULONG STDMETHODCALLTYPE TComObject::Release() {
  LONG count = InterlockedDecrement(&refCount_);
  if (count == 0) delete this;
  return static_cast<ULONG>(count);
}

void* TComObject::GetInterface(REFIID) { return nullptr; }

}  // namespace Tovix
