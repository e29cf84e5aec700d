#include "tests/support/RegistryFixture.h"

#include <algorithm>

namespace Tovix::Testing {

void RegistryFixture::StoreRaw(const String& path, const char* name, DWORD type, const void* data, DWORD size,
                               HKEY root) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(sandbox_.ScratchKey(root), path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                           nullptr, &key, nullptr));
  LONG result = name ? RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) : ERROR_SUCCESS;
  RegCloseKey(key);
  ASSERT_EQ(ERROR_SUCCESS, result);
}

RegistryFixture::StoredValue RegistryFixture::LoadRaw(const String& path, const String& name, HKEY root) const {
  StoredValue value;
  HKEY key = nullptr;
  if (RegOpenKeyExA(sandbox_.ScratchKey(root), path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return value;
  value.data.resize(4096);
  DWORD size = static_cast<DWORD>(value.data.size());
  value.exists = RegQueryValueExA(key, name.c_str(), nullptr, &value.type, value.data.data(), &size) == ERROR_SUCCESS;
  value.data.resize(value.exists ? size : 0);
  RegCloseKey(key);
  return value;
}

bool RegistryFixture::RawKeyExists(const String& path) const {
  HKEY key = nullptr;
  if (RegOpenKeyExA(sandbox_.ScratchKey(HKEY_CURRENT_USER), path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

std::vector<String> RegistryFixture::SortedNames(const TStrings& list) {
  std::vector<String> names;
  for (int i = 0; i < list.GetCount(); ++i) names.push_back(list[i]);
  std::sort(names.begin(), names.end(), [](const String& a, const String& b) { return CompareText(a, b) < 0; });
  return names;
}

DWORD RegistryFixture::HandleCount() {
  // Wine reports no count through GetProcessHandleCount, so probe the handle values a small
  // process uses: GetHandleInformation succeeds exactly for the open ones.
  DWORD count = 0;
  for (uintptr_t value = 4; value < 0x4000; value += 4) {
    DWORD flags = 0;
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
  }
  return count;
}

}  // namespace Tovix::Testing
