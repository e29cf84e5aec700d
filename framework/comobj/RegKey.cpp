#include "framework/comobj/RegKey.h"

#include <memory>
#include <type_traits>

#include "framework/system/WinApi.h"

namespace Tovix {

namespace {

struct KeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using KeyHandle = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

[[noreturn]] void RaiseRegistrationError(const String& key) {
  throw EOleRegistrationError(Format("Error creating system registry entry %s", key));
}

}  // namespace

void CreateRegKey(const String& key, const String& valueName, const String& value) {
  HKEY raw = nullptr;
  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &raw,
                      nullptr) != ERROR_SUCCESS)
    RaiseRegistrationError(key);
  KeyHandle handle(raw);
  const char* name = valueName.empty() ? nullptr : valueName.c_str();
  if (RegSetValueExA(raw, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
    RaiseRegistrationError(key);
}

void DeleteRegKey(const String& key) {
  if (key.empty() || key.find_first_not_of('\\') == String::npos) return;
  RegDeleteTreeA(HKEY_CLASSES_ROOT, key.c_str());
}

}  // namespace Tovix
