#include "com/Orvcom.h"

#include <cstring>
#include <memory>
#include <type_traits>

#include "com/OrvcomRes.h"
#include "utils/Orvregistry.h"

namespace Tovix {

const TGUID OrvComZeroId = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

namespace {

struct LibraryFreer {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
// A loaded server, freed however the operation ends.
using LibraryHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryFreer>;

using SelfRegistration = HRESULT(STDAPICALLTYPE*)();

// The default value of an existing key of HKEY_CLASSES_ROOT, or empty text.
String ReadDefaultValue(const String& key) {
  TOrvRegistry registry(HKEY_CLASSES_ROOT);
  if (!registry.OpenKeyReadOnly(key)) return String();
  return registry.ReadString("", String());
}

// The file name made absolute against the current directory, so that the file checked is the
// file loaded (LoadLibrary would search other folders for a relative name).
String AbsolutePath(const String& fileName) {
  if (fileName.empty()) return fileName;
  char buffer[MAX_PATH * 4];
  DWORD length = GetFullPathNameA(fileName.c_str(), sizeof(buffer), buffer, nullptr);
  if (length == 0 || length >= sizeof(buffer)) return fileName;
  return String(buffer, length);
}

// A server path as registry values may hold it: environment variables expanded, surrounding
// blanks and quotes removed.
String ServerPathFromRegistry(const String& value) {
  String path = value;
  DWORD length = ExpandEnvironmentStringsA(value.c_str(), nullptr, 0);
  if (length > 0) {
    String expanded(length, '\0');
    if (ExpandEnvironmentStringsA(value.c_str(), expanded.data(), length) == length) {
      expanded.resize(length - 1);
      path = expanded;
    }
  }
  path = Trim(path);
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
  return path;
}

// Loads the server at an absolute path; its own dependencies are looked for beside it.
LibraryHandle LoadServer(const String& path) {
  return LibraryHandle(LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

SelfRegistration EntryPoint(HMODULE server, const char* name) {
  return reinterpret_cast<SelfRegistration>(reinterpret_cast<void*>(GetProcAddress(server, name)));
}

// Loads the server, calls its DllUnregisterServer and frees it again. E is the exception class the
// caller reports with; the two file messages name the file as shownName.
template <typename E>
void CallUnregisterServer(const String& fileName, const String& shownName, const char* missingFormat,
                          const char* loadFormat) {
  const String path = AbsolutePath(fileName);
  if (!FileExists(path)) throw E(Format(missingFormat, shownName));
  LibraryHandle server = LoadServer(path);
  if (!server) throw E(Format(loadFormat, shownName));
  SelfRegistration unregister = EntryPoint(server.get(), "DllUnregisterServer");
  if (!unregister || unregister() != S_OK) throw E("COM server unregistration error");
}

[[noreturn]] void RaiseRegError(unsigned id, const char* fallback, const String& fileName) {
  throw EOrvComError(Format(LoadStr(id, fallback), fileName));
}

}  // namespace

TGUID ComZeroId() { return OrvComZeroId; }

bool ComIsValidId(const TGUID& id) {
  try {
    GUIDToString(id);
    return true;
  } catch (const EOleSysError&) {
    return false;
  }
}

bool ComIsValidIdStr(const String& text) {
  try {
    StringToGUID(text);
    return true;
  } catch (const EOleSysError&) {
    return false;
  }
}

String ComIdToStr(const TGUID& id) {
  try {
    return GUIDToString(id);
  } catch (const EOleSysError&) {
    return String();
  }
}

TGUID ComStrToId(const String& text) {
  try {
    return StringToGUID(text);
  } catch (const EOleSysError&) {
    return OrvComZeroId;
  }
}

bool ComCompareId(const TGUID& id1, const TGUID& id2) { return std::memcmp(&id1, &id2, sizeof(TGUID)) == 0; }

bool ComIsClass(const TGUID& classId) {
  TOrvRegistry registry(HKEY_CLASSES_ROOT);
  return registry.KeyExists("CLSID\\" + GUIDToString(classId));
}

String ComClassName(const TGUID& classId) {
  try {
    return ReadDefaultValue("CLSID\\" + ComIdToStr(classId));
  } catch (...) {
    throw EOrvComError(Format("Unable to read name of class %s", ComIdToStr(classId)));
  }
}

String ComClassFile(const TGUID& classId) { return ReadDefaultValue("CLSID\\" + GUIDToString(classId) + "\\InprocServer32"); }

String ComGetIntfName(const TGUID& interfaceId) {
  if (!ComIsValidId(interfaceId)) return String();
  return ReadDefaultValue("Interface\\" + ComIdToStr(interfaceId));
}

void ComRegClass(const String& fileName) {
  static const char kOpenFailed[] = "Unable to open COM file '%s' for class registration.";
  const String path = AbsolutePath(fileName);
  if (!FileExists(path)) RaiseRegError(SOrvComRegOpenFailed, kOpenFailed, fileName);
  LibraryHandle server = LoadServer(path);
  if (!server) RaiseRegError(SOrvComRegOpenFailed, kOpenFailed, fileName);
  SelfRegistration doRegister = EntryPoint(server.get(), "DllRegisterServer");
  if (!doRegister) RaiseRegError(SOrvComRegNoEntryPoint, "COM file '%s' lacks the DllRegisterServer function", fileName);
  // Success codes other than S_OK (S_FALSE among them) count as failure too.
  if (doRegister() != S_OK)
    RaiseRegError(SOrvComRegFailed, "COM file '%s' DllRegisterServer function returned failure", fileName);
}

void ComUnregClass(const TGUID& classId) {
  const String registered = ComClassFile(classId);
  if (registered.empty()) throw EOrvComError("COM class has no associated COM file.");
  CallUnregisterServer<EOrvComError>(ServerPathFromRegistry(registered), registered, "Non-existent COM file \"%s\"",
                                     "Unable to load COM file \"%s\"");
}

void ComUnregClassByFile(const String& fileName) {
  CallUnregisterServer<Exception>(fileName, fileName, "Non-existent COM file '%s'", "Unable to load COM file '%s'");
}

}  // namespace Tovix
