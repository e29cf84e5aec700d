// Class identifiers and names of the COM servers the com tests build and register.
#pragma once

#include "framework/ComObj.h"

namespace Tovix::Testing {

// tovix_test_server.dll: registers and unregisters itself through the framework's factory.
inline constexpr TGUID TestServerClassId = {0x6A1C0D10, 0x47B2, 0x4E51, {0x9D, 0x10, 0x2B, 0x7E, 0x01, 0xC4, 0x3F, 0x10}};
inline constexpr char TestServerDescription[] = "Tovix test server";
// tovix_failing_server.dll: its factory writes its class key, then fails.
inline constexpr TGUID FailingServerClassId = {0x6A1C0D10, 0x47B2, 0x4E51, {0x9D, 0x10, 0x2B, 0x7E, 0x01, 0xC4, 0x3F, 0x11}};
// tovix_pnh_server.dll: a namespace handler factory.
inline constexpr TGUID PnhServerClassId = {0x6A1C0D10, 0x47B2, 0x4E51, {0x9D, 0x10, 0x2B, 0x7E, 0x01, 0xC4, 0x3F, 0x12}};
inline constexpr char PnhServerClassName[] = "TovixTestHandler";

}  // namespace Tovix::Testing
