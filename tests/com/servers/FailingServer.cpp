// A COM server built with the framework whose registration fails halfway: its factory writes its
// class key and then raises, so DllRegisterServer and DllUnregisterServer answer a failure.
#include "framework/ComServ.h"
#include "tests/com/TestServerIds.h"

namespace {

Tovix::TComObject* NewTestObject() { return new Tovix::TComObject(); }

class TFailingFactory : public Tovix::TComObjectFactory {
 public:
  using TComObjectFactory::TComObjectFactory;
  void UpdateRegistry(bool doRegister) override {
    TComObjectFactory::UpdateRegistry(doRegister);
    throw Tovix::EOleRegistrationError("the test server refuses");
  }
};

TFailingFactory factory(&NewTestObject, Tovix::Testing::FailingServerClassId, "TovixFailingObject", "Tovix failing server");

}  // namespace
