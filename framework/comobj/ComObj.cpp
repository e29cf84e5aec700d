#include "framework/comobj/ComObj.h"

#include <objbase.h>

#include <memory>
#include <string>

namespace Tovix {

namespace {

constexpr size_t kGuidTextLength = 38;

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// The braced text form and nothing else: braces at both ends, hyphens after 8, 4, 4 and 4 digits.
bool IsBracedGuidText(const String& text) {
  if (text.size() != kGuidTextLength || text.front() != '{' || text.back() != '}') return false;
  for (size_t i = 1; i + 1 < text.size(); ++i) {
    bool hyphen = i == 9 || i == 14 || i == 19 || i == 24;
    if (hyphen ? text[i] != '-' : !IsHexDigit(text[i])) return false;
  }
  return true;
}

String OleErrorText(HRESULT errorCode) {
  String text = SysErrorMessage(static_cast<uint32_t>(errorCode));
  return text.empty() ? Format("OLE error %.8x", errorCode) : text;
}

}  // namespace

EOleSysError::EOleSysError(const String& message, HRESULT errorCode)
    : Exception(message.empty() ? OleErrorText(errorCode) : message), errorCode_(errorCode) {}

HRESULT OleCheck(HRESULT result) {
  if (FAILED(result)) throw EOleSysError(String(), result);
  return result;
}

String GUIDToString(const TGUID& guid) {
  LPOLESTR wide = nullptr;
  OleCheck(StringFromCLSID(guid, &wide));
  std::unique_ptr<OLECHAR, decltype(&CoTaskMemFree)> owner(wide, &CoTaskMemFree);
  // The text is plain ASCII: braces, hyphens and hexadecimal digits.
  String text;
  for (LPOLESTR p = wide; *p; ++p) text += static_cast<char>(*p);
  return text;
}

TGUID StringToGUID(const String& text) {
  // The OLE parser is handed checked text only: CLSIDFromString would also look a ProgID up in
  // the registry, and parsers differ in what they accept around the braced form.
  if (!IsBracedGuidText(text))
    throw EOleSysError(Format("'%s' is not a valid GUID string", text), CO_E_CLASSSTRING);
  std::wstring wide(text.begin(), text.end());
  TGUID guid;
  OleCheck(IIDFromString(wide.c_str(), &guid));
  return guid;
}

}  // namespace Tovix
