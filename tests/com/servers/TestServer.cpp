// A COM server built with the framework: one class, apartment-threaded, whose objects offer only
// IUnknown.
#include "framework/ComServ.h"
#include "tests/com/TestServerIds.h"

namespace {

Tovix::TComObject* NewTestObject() { return new Tovix::TComObject(); }

Tovix::TComObjectFactory factory(&NewTestObject, Tovix::Testing::TestServerClassId, "TovixTestObject",
                                 Tovix::Testing::TestServerDescription, Tovix::tmApartment);

}  // namespace
