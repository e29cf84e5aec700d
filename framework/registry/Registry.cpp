#include "framework/registry/Registry.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/classes/Strings.h"
#include "framework/system/ScopeExit.h"

namespace Tovix {

namespace {

// Longest name buffer tried while enumerating: value names may have 16,383 characters, and an
// ANSI code page can need two bytes for each.
constexpr size_t kMaxNameBuffer = 65536;
// How often a read is retried when the value grows between asking for its size and reading it.
constexpr int kReadAttempts = 8;

[[noreturn]] void RaiseGetError(const String& name) {
  throw ERegistryException(Format("Failed to get data for '%s'", name));
}

[[noreturn]] void RaiseSetError(const String& name) {
  throw ERegistryException(Format("Failed to set data for '%s'", name));
}

[[noreturn]] void RaiseTypeError(const String& name) {
  throw ERegistryException(Format("Invalid data type for '%s'", name));
}

TRegDataType RegDataFromType(DWORD type) {
  switch (type) {
    case REG_SZ: return rdString;
    case REG_EXPAND_SZ: return rdExpandString;
    case REG_DWORD: return rdInteger;
    case REG_BINARY: return rdBinary;
    default: return rdUnknown;
  }
}

// One value's registry type and data, read in one call so the two always belong together.
struct RawValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

// Reads a whole value; returns the registry's result code (ERROR_FILE_NOT_FOUND for a missing
// value, also when no key is open).
LONG ReadRawValue(HKEY key, const String& name, RawValue& value) {
  if (!key) return ERROR_FILE_NOT_FOUND;
  DWORD size = 0;
  LONG result = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, &size);
  if (result != ERROR_SUCCESS) return result;
  for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
    // Never pass a null buffer here: with one, the call would report sizes instead of reading.
    value.data.assign(std::max<DWORD>(size, 1), 0);
    DWORD got = static_cast<DWORD>(value.data.size());
    result = RegQueryValueExA(key, name.c_str(), nullptr, &value.type, value.data.data(), &got);
    if (result == ERROR_SUCCESS) {
      value.data.resize(std::min<size_t>(got, value.data.size()));
      return result;
    }
    if (result != ERROR_MORE_DATA) return result;
    size = std::max<DWORD>(got, size + 1);  // the value grew meanwhile
  }
  return ERROR_MORE_DATA;
}

void WriteRawValue(HKEY key, const String& name, DWORD type, const void* data, size_t size) {
  if (!key || size > MAXDWORD ||
      RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size)) !=
          ERROR_SUCCESS)
    RaiseSetError(name);
}

// Collects the names that enumerate(index, buffer, length) yields for index 0, 1, ... until the
// registry reports no more items; a buffer that is too small is doubled and the item retried.
template <typename Enumerate>
std::vector<String> EnumerateNames(Enumerate enumerate) {
  std::vector<String> names;
  std::vector<char> buffer(256);
  for (DWORD index = 0;;) {
    DWORD length = static_cast<DWORD>(buffer.size());
    LONG result = enumerate(index, buffer.data(), &length);
    if (result == ERROR_MORE_DATA && buffer.size() < kMaxNameBuffer) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (result != ERROR_SUCCESS) break;
    names.emplace_back(buffer.data(), std::min<size_t>(length, buffer.size()));
    ++index;
  }
  return names;
}

void ReplaceStrings(TStrings& strings, const std::vector<String>& names) {
  strings.BeginUpdate();
  TScopeExit endUpdate([&] { strings.EndUpdate(); });
  strings.Clear();
  for (const String& name : names) strings.Add(name);
}

// The text as the system's wide characters, converted as the "A" registry calls convert names.
std::wstring Widen(const String& text) {
  if (text.empty()) return std::wstring();
  int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

}  // namespace

// ---------------------------------------------------------------------------
// Keys

TRegistry::TRegistry() = default;

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY rootKey) {
  CloseKey();
  rootKey_ = rootKey;
}

void TRegistry::SetView(TRegistryView view) {
  CloseKey();
  view_ = view;
}

REGSAM TRegistry::ViewAccess() const {
  switch (view_) {
    case rv32: return KEY_WOW64_32KEY;
    case rv64: return KEY_WOW64_64KEY;
    default: return 0;
  }
}

// A leading backslash starts at the root; any other path continues from the open key, if any.
TRegistry::ResolvedPath TRegistry::Resolve(const String& key) const {
  if (!key.empty() && key[0] == '\\') return {rootKey_, key.substr(1), false};
  if (currentKey_) return {currentKey_, key, true};
  return {rootKey_, key, false};
}

String TRegistry::JoinedPath(const ResolvedPath& path) const {
  if (!path.fromCurrentKey) return path.subPath;
  if (path.subPath.empty()) return currentPath_;
  if (currentPath_.empty()) return path.subPath;
  String joined = currentPath_;
  joined += '\\';
  joined += path.subPath;
  return joined;
}

void TRegistry::ChangeKey(HKEY key, const String& path) {
  CloseKey();
  currentKey_ = key;
  currentPath_ = path;
}

bool TRegistry::OpenKey(const String& key, bool canCreate) {
  ResolvedPath path = Resolve(key);
  HKEY opened = nullptr;
  LONG result;
  if (canCreate && !path.subPath.empty())
    result = RegCreateKeyExA(path.base, path.subPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_ALL_ACCESS | ViewAccess(), nullptr, &opened, nullptr);
  else
    result = RegOpenKeyExA(path.base, path.subPath.c_str(), 0, KEY_ALL_ACCESS | ViewAccess(), &opened);
  if (result != ERROR_SUCCESS) return false;
  ChangeKey(opened, JoinedPath(path));
  return true;
}

bool TRegistry::OpenKeyReadOnly(const String& key) {
  ResolvedPath path = Resolve(key);
  HKEY opened = nullptr;
  if (RegOpenKeyExA(path.base, path.subPath.c_str(), 0, KEY_READ | ViewAccess(), &opened) != ERROR_SUCCESS)
    return false;
  ChangeKey(opened, JoinedPath(path));
  return true;
}

void TRegistry::CloseKey() {
  if (currentKey_) RegCloseKey(currentKey_);
  currentKey_ = nullptr;
  currentPath_.clear();
}

bool TRegistry::CreateKey(const String& key) {
  ResolvedPath path = Resolve(key);
  HKEY created = nullptr;
  // The handle is closed at once, so ask only for the least access that proves the key is there.
  if (RegCreateKeyExA(path.base, path.subPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_QUERY_VALUE | ViewAccess(), nullptr, &created, nullptr) != ERROR_SUCCESS)
    throw ERegistryException(Format("Failed to create key %s", key));
  RegCloseKey(created);
  return true;
}

bool TRegistry::DeleteKey(const String& key) {
  ResolvedPath path = Resolve(key);
  // An empty path names the base key itself: deleting it would empty the root or the current key.
  if (path.subPath.empty()) return false;
  return DeleteTree(path);
}

bool TRegistry::DeleteTree(const ResolvedPath& path) const {
  // RegDeleteKeyA refuses a key that still has subkeys; the tree call removes them first.
  if (ViewAccess() == 0) return RegDeleteTreeA(path.base, path.subPath.c_str()) == ERROR_SUCCESS;
  // The tree call takes no view: empty the key through a handle opened in the view, then remove
  // the empty key in that view.
  HKEY key = nullptr;
  if (RegOpenKeyExA(path.base, path.subPath.c_str(), 0, KEY_ALL_ACCESS | ViewAccess(), &key) != ERROR_SUCCESS)
    return false;
  LONG emptied = RegDeleteTreeA(key, nullptr);
  RegCloseKey(key);
  return emptied == ERROR_SUCCESS && RegDeleteKeyExA(path.base, path.subPath.c_str(), ViewAccess(), 0) == ERROR_SUCCESS;
}

bool TRegistry::KeyExists(const String& key) const {
  ResolvedPath path = Resolve(key);
  HKEY probe = nullptr;
  LONG result = RegOpenKeyExA(path.base, path.subPath.c_str(), 0, KEY_READ | ViewAccess(), &probe);
  if (result == ERROR_SUCCESS) RegCloseKey(probe);
  // A key we may not read still exists.
  return result == ERROR_SUCCESS || result == ERROR_ACCESS_DENIED;
}

bool TRegistry::HasSubKeys() const {
  DWORD subKeys = 0;
  return currentKey_ &&
         RegQueryInfoKeyA(currentKey_, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
         subKeys > 0;
}

void TRegistry::GetKeyNames(TStrings& strings) const {
  std::vector<String> names;
  if (currentKey_)
    names = EnumerateNames([this](DWORD index, char* buffer, DWORD* length) {
      return RegEnumKeyExA(currentKey_, index, buffer, length, nullptr, nullptr, nullptr, nullptr);
    });
  ReplaceStrings(strings, names);
}

void TRegistry::GetValueNames(TStrings& strings) const {
  std::vector<String> names;
  if (currentKey_)
    names = EnumerateNames([this](DWORD index, char* buffer, DWORD* length) {
      return RegEnumValueA(currentKey_, index, buffer, length, nullptr, nullptr, nullptr, nullptr);
    });
  ReplaceStrings(strings, names);
}

// ---------------------------------------------------------------------------
// Values

bool TRegistry::ValueExists(const String& name) const {
  TRegDataInfo info;
  return GetDataInfo(name, info);
}

bool TRegistry::GetDataInfo(const String& name, TRegDataInfo& info) const {
  info = TRegDataInfo();
  if (!currentKey_) return false;
  DWORD type = REG_NONE;
  DWORD size = 0;
  if (RegQueryValueExA(currentKey_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  info.RegData = RegDataFromType(type);
  info.DataSize = static_cast<int>(size);
  return true;
}

int TRegistry::GetDataSize(const String& name) const {
  TRegDataInfo info;
  return GetDataInfo(name, info) ? info.DataSize : -1;
}

TRegDataType TRegistry::GetDataType(const String& name) const {
  TRegDataInfo info;
  GetDataInfo(name, info);
  return info.RegData;
}

String TRegistry::ReadString(const String& name) const {
  RawValue value;
  LONG result = ReadRawValue(currentKey_, name, value);
  if (result == ERROR_FILE_NOT_FOUND) return String();
  if (result != ERROR_SUCCESS) RaiseGetError(name);
  if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) RaiseTypeError(name);
  // Stored strings need not end in a zero byte; stop at the first one or at the end of the data.
  auto end = std::find(value.data.begin(), value.data.end(), BYTE{0});
  return String(value.data.begin(), end);
}

int TRegistry::ReadInteger(const String& name) const {
  RawValue value;
  if (ReadRawValue(currentKey_, name, value) != ERROR_SUCCESS) RaiseGetError(name);
  if (value.type != REG_DWORD || value.data.size() != sizeof(uint32_t)) RaiseTypeError(name);
  uint32_t bits;
  std::memcpy(&bits, value.data.data(), sizeof bits);
  return static_cast<int>(bits);
}

bool TRegistry::ReadBool(const String& name) const { return ReadInteger(name) != 0; }

int TRegistry::ReadBinaryData(const String& name, void* buffer, int bufferSize) const {
  RawValue value;
  LONG result = ReadRawValue(currentKey_, name, value);
  if (result == ERROR_FILE_NOT_FOUND) return 0;
  if (result != ERROR_SUCCESS) RaiseGetError(name);
  TRegDataType type = RegDataFromType(value.type);
  if (type != rdBinary && type != rdUnknown) RaiseTypeError(name);
  size_t capacity = (buffer && bufferSize > 0) ? static_cast<size_t>(bufferSize) : 0;
  if (value.data.size() > capacity)
    throw ERegistryException(Format("Data of '%s' (%d bytes) does not fit in a buffer of %d bytes", name,
                                    static_cast<int>(value.data.size()), bufferSize));
  if (!value.data.empty()) std::memcpy(buffer, value.data.data(), value.data.size());
  return static_cast<int>(value.data.size());
}

void TRegistry::WriteString(const String& name, const String& value) {
  WriteRawValue(currentKey_, name, REG_SZ, value.c_str(), value.size() + 1);
}

void TRegistry::WriteExpandString(const String& name, const String& value) {
  WriteRawValue(currentKey_, name, REG_EXPAND_SZ, value.c_str(), value.size() + 1);
}

void TRegistry::WriteInteger(const String& name, int value) {
  uint32_t bits = static_cast<uint32_t>(value);
  WriteRawValue(currentKey_, name, REG_DWORD, &bits, sizeof bits);
}

void TRegistry::WriteBool(const String& name, bool value) { WriteInteger(name, value ? 1 : 0); }

void TRegistry::WriteBinaryData(const String& name, const void* buffer, int bufferSize) {
  if (bufferSize < 0 || (!buffer && bufferSize > 0)) RaiseSetError(name);
  WriteRawValue(currentKey_, name, REG_BINARY, buffer, static_cast<size_t>(bufferSize));
}

bool TRegistry::DeleteValue(const String& name) {
  return currentKey_ && RegDeleteValueA(currentKey_, name.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::RenameValue(const String& oldName, const String& newName) {
  if (!ValueExists(oldName) || ValueExists(newName)) return false;
  // The data is copied through the wide calls: the "A" calls would pass string data through the
  // ANSI code page and lose every character it cannot hold.
  std::wstring oldWide = Widen(oldName);
  std::wstring newWide = Widen(newName);
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
  LONG result = ERROR_MORE_DATA;
  DWORD size = 0;
  for (int attempt = 0; attempt < kReadAttempts && result == ERROR_MORE_DATA; ++attempt) {
    data.assign(std::max<DWORD>(size, 1), 0);
    size = static_cast<DWORD>(data.size());
    result = RegQueryValueExW(currentKey_, oldWide.c_str(), nullptr, &type, data.data(), &size);
  }
  if (result != ERROR_SUCCESS) RaiseGetError(oldName);
  data.resize(std::min<size_t>(size, data.size()));
  // Write the new value before removing the old one, so a refusal never loses the data.
  if (RegSetValueExW(currentKey_, newWide.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())) !=
      ERROR_SUCCESS)
    RaiseSetError(newName);
  if (RegDeleteValueW(currentKey_, oldWide.c_str()) != ERROR_SUCCESS) {
    RegDeleteValueW(currentKey_, newWide.c_str());
    RaiseSetError(oldName);
  }
  return true;
}

}  // namespace Tovix
