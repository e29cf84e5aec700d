#include "tests/support/MallocSpy.h"

#include <objidl.h>

#include "framework/SysUtils.h"

namespace Tovix::Testing {

// Counts in the spy's pre- and post-calls; it changes no request and no result.
class MallocSpy::Spy final : public IMallocSpy {
 public:
  long allocations = 0;
  long frees = 0;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IMallocSpy) {
      *object = static_cast<IMallocSpy*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }

  SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T size) override { return size; }
  void* STDMETHODCALLTYPE PostAlloc(void* actual) override {
    if (actual) ++allocations;
    return actual;
  }
  void* STDMETHODCALLTYPE PreFree(void* request, BOOL spied) override {
    if (request && spied) ++frees;  // only blocks allocated while the spy was there
    return request;
  }
  void STDMETHODCALLTYPE PostFree(BOOL) override {}
  SIZE_T STDMETHODCALLTYPE PreRealloc(void* request, SIZE_T size, void** newRequest, BOOL) override {
    *newRequest = request;
    return size;
  }
  void* STDMETHODCALLTYPE PostRealloc(void* actual, BOOL) override { return actual; }
  void* STDMETHODCALLTYPE PreGetSize(void* request, BOOL) override { return request; }
  SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T actual, BOOL) override { return actual; }
  void* STDMETHODCALLTYPE PreDidAlloc(void* request, BOOL) override { return request; }
  int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int actual) override { return actual; }
  void STDMETHODCALLTYPE PreHeapMinimize() override {}
  void STDMETHODCALLTYPE PostHeapMinimize() override {}

 private:
  ULONG references_ = 0;
};

MallocSpy::MallocSpy() : spy_(new Spy) {
  if (FAILED(CoRegisterMallocSpy(spy_))) {
    delete spy_;
    throw Exception("The task allocator refuses a spy");
  }
}

MallocSpy::~MallocSpy() {
  // The system keeps the spy while blocks it saw are still allocated; it then lets it go itself
  // when the last of them is freed, so the object is left to it.
  if (SUCCEEDED(CoRevokeMallocSpy())) delete spy_;
}

long MallocSpy::Outstanding() const { return spy_->allocations - spy_->frees; }
long MallocSpy::Allocations() const { return spy_->allocations; }

}  // namespace Tovix::Testing
