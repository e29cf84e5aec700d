// The ComObj unit: GUIDs in their registry text form, and the exception for failures that the
// OLE library reports.
#pragma once

#include "framework/system/SysUtils.h"
#include "framework/system/WinApi.h"

namespace Tovix {

// The platform's 16-byte GUID record: a 32-bit, two 16-bit fields and eight bytes.
using TGUID = GUID;

// An OLE call failed; ErrorCode is its HRESULT. An empty message is replaced by the system's
// text for the code, or "OLE error XXXXXXXX" when the system has none.
class EOleSysError : public Exception {
 public:
  EOleSysError(const String& message, HRESULT errorCode);
  HRESULT ErrorCode() const noexcept { return errorCode_; }

 private:
  HRESULT errorCode_;
};

// Returns a successful result unchanged and raises EOleSysError for a failed one.
HRESULT OleCheck(HRESULT result);

// The 38-character text "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with upper-case digits.
String GUIDToString(const TGUID& guid);
// Accepts exactly that braced form, with digits in either case; anything else (a ProgID, text
// without braces, extra characters) raises EOleSysError with the code CO_E_CLASSSTRING.
TGUID StringToGUID(const String& text);

}  // namespace Tovix
