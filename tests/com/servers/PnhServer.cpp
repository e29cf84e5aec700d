// A COM server whose class registers itself as the namespace handler of "ftp" and "http".
#include "com/Orvpnh.h"
#include "framework/ComServ.h"
#include "tests/com/TestServerIds.h"

namespace {

Tovix::TComObject* NewHandlerObject() { return new Tovix::TComObject(); }

Tovix::TOrvPnhFactory factory(&NewHandlerObject, Tovix::Testing::PnhServerClassId, Tovix::Testing::PnhServerClassName,
                              "Tovix test namespace handler");

}  // namespace
