#include "host/DesignPackage.h"

#include <windows.h>

#include <algorithm>

#include "framework/system/ScopeExit.h"

namespace Tovix {

namespace {

using TProcedure = void (*)();

TProcedure FindProcedure(void* module, const String& name) {
  return reinterpret_cast<TProcedure>(reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name.c_str())));
}

String ReadDescription(void* module) {
  auto instance = static_cast<HMODULE>(module);
  HRSRC found = FindResourceA(instance, "DESCRIPTION", MAKEINTRESOURCEA(10));
  if (!found) return String();
  auto text = static_cast<const wchar_t*>(LockResource(LoadResource(instance, found)));
  size_t length = SizeofResource(instance, found) / sizeof(wchar_t);
  while (length > 0 && text[length - 1] == L'\0') --length;
  int size = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  String result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), result.data(), size, nullptr, nullptr);
  return result;
}

String ReadFileVersion(void* module) {
  auto instance = static_cast<HMODULE>(module);
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));  // RT_VERSION
  if (!found) return String();
  // VerQueryValue wants a copy it may write to, not the mapped resource.
  auto data = static_cast<const char*>(LockResource(LoadResource(instance, found)));
  std::vector<char> block(data, data + SizeofResource(instance, found));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed) return String();
  return Format("%d.%d.%d.%d", static_cast<int>(HIWORD(fixed->dwFileVersionMS)), static_cast<int>(LOWORD(fixed->dwFileVersionMS)),
                static_cast<int>(HIWORD(fixed->dwFileVersionLS)), static_cast<int>(LOWORD(fixed->dwFileVersionLS)));
}

}  // namespace

bool TDesignPackage::IsOfferedRuntime(const String& packageName) {
  // The framework DLL this host runs on (TovixFramework.dll) holds what those packages held: the
  // base runtime and the extra controls.
  return SameText(packageName, "vcl40") || SameText(packageName, "VCLX40");
}

TDesignPackage::TDesignPackage(const String& path) {
  module_ = LoadLibraryA(path.c_str());
  if (!module_)
    throw EPackageError(Format("Cannot load package %s: %s", path, SysErrorMessage(GetLastError())));
  // Until the package is fully loaded, leaving unloads it.
  bool loaded = false;
  TScopeExit unloadOnFailure([&] {
    if (!loaded) Unload();
  });
  info_ = ReadPackageInfo(module_);
  CheckRequires();
  description_ = ReadDescription(module_);
  version_ = ReadFileVersion(module_);
  RunRegistration();
  loaded = true;
}

TDesignPackage::~TDesignPackage() { Unload(); }

void TDesignPackage::CheckRequires() const {
  for (const String& required : info_.requiredPackages)
    if (!IsOfferedRuntime(required))
      throw EPackageError(Format("The package requires %s, which this designer does not offer", required));
  for (const char* entry : {"Initialize", "Finalize", "GetPackageInfoTable"})
    if (!FindProcedure(module_, entry)) throw EPackageError(Format("The package does not export %s", entry));
}

void TDesignPackage::RunRegistration() {
  FindProcedure(module_, "Initialize")();
  initialized_ = true;
  TRegistrationHook* previous = SetRegistrationHook(this);
  TScopeExit restore([&] { SetRegistrationHook(previous); });
  for (const TPackageUnitInfo& unit : info_.units)
    if (TProcedure registerUnit = FindProcedure(module_, unit.name + "_Register")) registerUnit();
}

void TDesignPackage::Unload() {
  if (!module_) return;
  pages_.clear();
  editors_.clear();
  if (initialized_) FindProcedure(module_, "Finalize")();
  initialized_ = false;
  FreeLibrary(static_cast<HMODULE>(module_));
  module_ = nullptr;
}

void TDesignPackage::RegisterComponents(const String& page, const std::vector<const TClassInfo*>& classes) {
  auto found = std::find_if(pages_.begin(), pages_.end(), [&](const TPalettePage& p) { return SameText(p.name, page); });
  if (found == pages_.end()) found = pages_.insert(pages_.end(), TPalettePage{page, {}});
  for (const TClassInfo* info : classes)
    if (std::find(found->classes.begin(), found->classes.end(), info) == found->classes.end()) found->classes.push_back(info);
}

void TDesignPackage::RegisterComponentEditor(const TClassInfo& componentClass, const TComponentEditorClass& editorClass) {
  editors_.emplace_back(&componentClass, editorClass);
}

const TComponentEditorClass* TDesignPackage::EditorFor(const TClassInfo& componentClass) const {
  // The nearest ancestor wins; among editors for the same class, the last registered.
  for (const TClassInfo* c = &componentClass; c; c = c->Parent())
    for (auto it = editors_.rbegin(); it != editors_.rend(); ++it)
      if (it->first == c) return &it->second;
  return nullptr;
}

void* TDesignPackage::LoadPaletteBitmap(const TClassInfo& componentClass) const {
  return LoadImageA(static_cast<HMODULE>(module_), UpperCase(componentClass.Name()).c_str(), IMAGE_BITMAP, 0, 0, 0);
}

}  // namespace Tovix
