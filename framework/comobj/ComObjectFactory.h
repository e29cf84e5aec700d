// TComObjectFactory: the class factory of one COM class of a server built with the framework. It
// makes the class's objects for COM (IClassFactory), and writes and removes the class's registry
// keys when the server registers or unregisters itself. Every factory joins the module's factory
// list when it is made and leaves it when it is destroyed; factories normally live as long as the
// module (static objects of the server).
#pragma once

#include <vector>

#include "framework/comobj/ComObj.h"
#include "framework/comobj/ComObject.h"

namespace Tovix {

// The apartments a class's objects can live in, as written to "ThreadingModel".
enum TThreadingModel { tmSingle, tmApartment, tmFree, tmBoth };

class TComObjectFactory : public IClassFactory {
 public:
  // comClass makes the objects; the module that holds it is the server the class is registered
  // for. className names the class (for example as a handler name); description is written as
  // the name of the class in the registry.
  TComObjectFactory(TComClass comClass, const TGUID& classId, const String& className, const String& description,
                    TThreadingModel threadingModel = tmSingle);
  TComObjectFactory(const TComObjectFactory&) = delete;
  TComObjectFactory& operator=(const TComObjectFactory&) = delete;
  virtual ~TComObjectFactory();

  const TGUID& ClassID() const { return classId_; }
  const String& ClassName() const { return className_; }
  const String& Description() const { return description_; }
  TThreadingModel ThreadingModel() const { return threadingModel_; }
  // The full path of the server module that holds the class.
  String ServerFileName() const;

  // Writes (doRegister) or removes the keys "CLSID\{id}" (default value: the description) and
  // "CLSID\{id}\InprocServer32" (default value: the server file; "ThreadingModel" unless
  // tmSingle). Registry failures raise EOleRegistrationError.
  virtual void UpdateRegistry(bool doRegister);

  // IClassFactory. The factory's lifetime is its owner's, so references do not delete it.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

  // How many LockServer(TRUE) calls of this module's factories are not yet undone.
  static long LockCount();

 private:
  TComClass comClass_;
  TGUID classId_;
  String className_;
  String description_;
  TThreadingModel threadingModel_;
};

// The factories of this module, in the order they were made.
const std::vector<TComObjectFactory*>& ComFactories();
// The factory of the class, or null.
TComObjectFactory* FindComFactory(const TGUID& classId);

}  // namespace Tovix
