// TComObject: the base of COM objects that a server built with the framework hands out. It counts
// its references and deletes itself when the last one is released; the server counts live
// objects so that it can tell COM whether it may be unloaded.
#pragma once

#include "framework/system/WinApi.h"

#include <objbase.h>

namespace Tovix {

class TComObject : public IUnknown {
 public:
  TComObject();
  TComObject(const TComObject&) = delete;
  TComObject& operator=(const TComObject&) = delete;
  virtual ~TComObject();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // How many objects of this module are alive.
  static long ObjectCount();

 protected:
  // The object's interface pointer for iid beyond IUnknown, or null when it has none. Derived
  // classes return static_cast<IMyInterface*>(this) for the interfaces they implement.
  virtual void* GetInterface(REFIID iid);

 private:
  volatile LONG refCount_ = 0;
};

// Makes a new object of one COM class, with no references yet.
using TComClass = TComObject* (*)();

}  // namespace Tovix
