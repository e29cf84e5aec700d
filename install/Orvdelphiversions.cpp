// TOrvDelphiVer: reading a version's registry keys, its stored path form, the library search
// path and the known packages. The help operations are in OrvdelphiversionsHelp.cpp.
#include "install/Orvdelphiversions.h"

#include "utils/Orvregistry.h"
#include "utils/Orvutils.h"

namespace Tovix {

namespace {

const char* const kMacro = "$(DELPHI)";

String ValueNonExistent(const String& key, const String& value) {
  return Format("Value non-existent:  HKEY_LOCAL_MACHINE%s\\%s", key, value);
}

// "\\" becomes "\", except that an entry (the text, or a piece after ';') starting with two or
// more backslashes keeps two: it names a network path (\\server\share), which must survive being
// read again, as every search path entry is when it is compared.
String SingleBackslashes(const String& path) {
  String result;
  result.reserve(path.size());
  size_t from = 0;
  while (from <= path.size()) {
    size_t end = path.find(';', from);
    if (end == String::npos) end = path.size();
    size_t start = from;
    while (start < end && static_cast<unsigned char>(path[start]) <= ' ') ++start;
    size_t run = start;
    while (run < end && path[run] == '\\') ++run;
    if (run - start >= 2) {
      result.append(path, from, start - from);
      result += "\\\\";
      start = run;
    } else {
      start = from;
    }
    result += StrReplaceAll(path.substr(start, end - start), "\\\\", "\\");
    if (end < path.size()) result += ';';
    from = end + 1;
  }
  return result;
}

}  // namespace

void UseIdeRegistryView(TRegistry& registry) {
  // The IDE is a 32-bit program: its machine-wide keys lie in the 32-bit view, which a 64-bit
  // build must ask for. A 32-bit build sees that view anyway.
  if constexpr (sizeof(void*) == 8) registry.SetView(rv32);
}

namespace {

}  // namespace

TOrvDelphiVer::TOrvDelphiVer(const String& manufacturer, const String& versionKey)
    : Manufacturer(manufacturer), VersionKey(versionKey), Errors(new TStringList()) {
  try {
    ReadRegistry();
  } catch (...) {
    // A value of the wrong type raises from the registry; the destructor will not run.
    delete Errors;
    throw;
  }
  // Now that RootDir is known, "$(DELPHI)" in the other fields expands to it. The first three
  // were imported when read: converting their backslashes again would damage network paths.
  for (String* field : {&RootDir, &ExePath, &BinDir}) *field = ExpandMacro(*field);
  for (String* field : {&ActiveXUnitDir, &SearchPath}) *field = ImportMacroDir(*field);
  storedSearchPath_ = SearchPath;
}

void TOrvDelphiVer::ReadRegistry() {
  TOrvRegistry registry(HKEY_LOCAL_MACHINE);
  UseIdeRegistryView(registry);
  if (registry.OpenKeyReadOnly(RegKey())) {
    // RootDir is still empty here, so a "$(DELPHI)" inside the root value expands to nothing.
    if (registry.ValueExists("RootDir"))
      RootDir = RemoveTrailingBackslash(ImportMacroDir(registry.ReadString("RootDir")));
    else
      Errors->Add(ValueNonExistent(RegKey(), "RootDir"));
    String exeName = Format("Delphi %d", GetVersionInt());
    if (registry.ValueExists(exeName))
      ExePath = ImportMacroDir(registry.ReadString(exeName));
    else
      Errors->Add(ValueNonExistent(RegKey(), exeName));
    BinDir = ExtractFileDir(ExePath);
  } else {
    Errors->Add(Format("Unable to open key HKEY_LOCAL_MACHINE%s", RegKey()));
  }

  registry.SetRootKey(HKEY_CURRENT_USER);
  if (registry.OpenKeyReadOnly(RegKey() + "\\ActiveX Controls"))
    ActiveXUnitDir = registry.ReadString("UnitDirName", "");
  else
    Errors->Add(Format("Unable to open key HKEY_CURRENT_USER%s\\ActiveX Controls", RegKey()));
  if (registry.OpenKeyReadOnly(RegKey() + "\\Library"))
    SearchPath = registry.ReadString(GetVersionInt() >= 4 ? "Search Path" : "SearchPath", "");
  else
    Errors->Add(Format("Unable to open key HKEY_CURRENT_USER%s\\Library", RegKey()));
}

TOrvDelphiVer::~TOrvDelphiVer() { delete Errors; }

String TOrvDelphiVer::RegKey() const { return Format("\\Software\\%s\\Delphi\\%s", Manufacturer, VersionKey); }

bool TOrvDelphiVer::IsValid() {
  if (GetVersionInt() <= 0) return false;
  if (FileExists(ExePath)) return true;
  Errors->Add(Format("%s bad executable '%s'", GetDesc(), ExePath));
  return false;
}

float TOrvDelphiVer::GetVersion() const {
  if (versionKnown_ && versionKeyRead_ == VersionKey) return version_;
  double value = 0;
  // A number too large for a version would not survive the conversion to an integer: it counts
  // as no number, like text.
  if (!TextToFloat(VersionKey, value) || value < 0 || value >= 2147483520.0) value = 0;
  version_ = static_cast<float>(value);
  versionKeyRead_ = VersionKey;
  versionKnown_ = true;
  return version_;
}

int TOrvDelphiVer::GetVersionInt() const { return static_cast<int>(GetVersion()); }

String TOrvDelphiVer::GetDesc() const { return Format("Delphi V%1.1f", GetVersion()); }

String TOrvDelphiVer::GetLibDir() {
  String result = RootDir + "\\Lib";
  if (GetVersionInt() < 4 || DirectoryExists(result)) return result;
  TOrvRegistry registry(HKEY_CURRENT_USER);
  UseIdeRegistryView(registry);
  if (registry.OpenKeyReadOnly(RegKey() + "\\Library"))
    return ExtractFileDir(ImportMacroDir(registry.ReadString("Package DCP Output", "")));
  Errors->Add(Format("HKEY_CURRENT_USER\\%s\\Library lacks 'Package DCP Output' value", RegKey()));
  return result;
}

String TOrvDelphiVer::ImportMacroDir(const String& path) const {
  int version = GetVersionInt();
  // The searches first: most paths hold neither, and help files pass every entry through here.
  bool doubled = version >= 3 && path.find("\\\\") != String::npos;
  bool macro = version >= 4 && path.find('$') != String::npos;
  if (!doubled && !macro) return Trim(path);
  String result = doubled ? SingleBackslashes(path) : path;
  if (macro) result = StrReplaceAllNoCase(result, kMacro, RootDir);
  return Trim(result);
}

String TOrvDelphiVer::ExpandMacro(const String& path) const {
  if (GetVersionInt() < 4 || path.find('$') == String::npos) return Trim(path);
  return Trim(StrReplaceAllNoCase(path, kMacro, RootDir));
}

String TOrvDelphiVer::ExportMacroDir(const String& path) const {
  String result = path;
  if (GetVersionInt() >= 4) {
    if (!RootDir.empty()) result = StrReplaceAllNoCase(result, RootDir, kMacro);
    result = StrReplaceAll(result, "\\", "\\\\");
  }
  return Trim(result);
}

String TOrvDelphiVer::ExportDir(const String& path) const {
  return Trim(GetVersionInt() >= 4 ? StrReplaceAll(path, "\\", "\\\\") : path);
}

bool TOrvDelphiVer::InLibSearchPath(const String& directory) const {
  String wanted = Trim(directory);
  if (wanted.empty()) return false;
  TStringList pieces;
  StrParse(SearchPath, ";", &pieces);
  for (int i = 0; i < pieces.GetCount(); ++i)
    if (CompareText(wanted, ImportMacroDir(pieces[i])) == 0) return true;
  return false;
}

void TOrvDelphiVer::AddLibSearchPath(const String& directory) {
  if (InLibSearchPath(directory)) return;
  SearchPath = Trim(SearchPath);
  if (SearchPath.empty() || SearchPath.back() != ';') SearchPath += ';';
  SearchPath += directory;
  WriteLibSearchPath();
}

void TOrvDelphiVer::WriteLibSearchPath() {
  const char* valueName = GetVersionInt() >= 4 ? "Search Path" : "SearchPath";
  TOrvRegistry registry(HKEY_CURRENT_USER);
  UseIdeRegistryView(registry);
  String key = RegKey() + "\\Library";
  try {
    if (!registry.OpenKey(key, false)) {
      // A missing key is no installation to write to; one that exists but refuses us is a failure.
      if (!registry.KeyExists(key)) return;
      throw ERegistryException(Format("Failed to set data for '%s'", valueName));
    }
    // Only from version 4 on does the IDE (and this record) expand "$(DELPHI)": below it the
    // directories are written as they are.
    String stored = GetVersionInt() >= 4 ? StrReplaceAllNoCase(SearchPath, RootDir, kMacro) : SearchPath;
    registry.WriteString(valueName, stored);
  } catch (const ERegistryException&) {
    // The registry still holds the old path: so must the record.
    SearchPath = storedSearchPath_;
    throw;
  }
  registry.CloseKey();
  storedSearchPath_ = SearchPath;
}

String TOrvDelphiVer::FindPkg(const String& packageFile) const {
  String name = ExtractFileName(packageFile);
  TOrvRegistry registry(HKEY_CURRENT_USER);
  UseIdeRegistryView(registry);
  if (!registry.OpenKeyReadOnly(RegKey() + "\\Known Packages")) return String();
  TStringList packages;
  registry.GetValueNames(packages);
  for (int i = 0; i < packages.GetCount(); ++i) {
    String path = ImportMacroDir(packages[i]);
    if (CompareText(ExtractFileName(path), name) == 0) return path;
  }
  return String();
}

bool TOrvDelphiVer::IsPkgInstalled(const String& packageFile) const { return !FindPkg(packageFile).empty(); }

void TOrvDelphiVer::RemovePkg(const String& packageFile) {
  String name = ExtractFileName(packageFile);
  TOrvRegistry registry(HKEY_CURRENT_USER);
  UseIdeRegistryView(registry);
  for (const char* list : {"\\Known Packages", "\\Disabled Packages"}) {
    if (!registry.OpenKey(RegKey() + list, false)) continue;
    TStringList packages;
    registry.GetValueNames(packages);
    for (int i = 0; i < packages.GetCount(); ++i)
      if (CompareText(ExtractFileName(packages[i]), name) == 0) registry.DeleteValue(packages[i]);
    registry.CloseKey();
  }
}

void TOrvDelphiVer::AddPkg(const String& packageFile, const String& description) {
  RemovePkg(packageFile);
  TOrvRegistry registry(HKEY_CURRENT_USER);
  UseIdeRegistryView(registry);
  if (!registry.OpenKey(RegKey() + "\\Known Packages", true)) return;
  registry.WriteString(packageFile, description);
  registry.CloseKey();
}

}  // namespace Tovix
