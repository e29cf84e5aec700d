#include "tests/install/FakeDelphi.h"

#include <algorithm>

namespace Tovix::Testing {

namespace {

String VersionPath(const String& versionKey) { return "\\Software\\Borland\\Delphi\\" + versionKey; }

}  // namespace

void FakeDelphi::MachineKey(const String& versionKey, const String& rootDir, const String& exeName,
                            const String& exePath) {
  TRegistry registry;
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(registry.OpenKey(VersionPath(versionKey), true));
  if (!rootDir.empty()) registry.WriteString("RootDir", rootDir);
  if (!exePath.empty()) registry.WriteString(exeName, exePath);
}

void FakeDelphi::UserValue(const String& versionKey, const String& subKey, const String& name, const String& data) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(VersionPath(versionKey) + "\\" + subKey, true));
  if (!name.empty()) registry.WriteString(name, data);
}

String FakeDelphi::ReadUser(const String& versionKey, const String& subKey, const String& name) {
  TRegistry registry;
  if (!registry.OpenKeyReadOnly(VersionPath(versionKey) + "\\" + subKey) || !registry.ValueExists(name))
    return "<missing>";
  return registry.ReadString(name);
}

bool FakeDelphi::UserKeyExists(const String& versionKey, const String& subKey) {
  TRegistry registry;
  return registry.KeyExists(VersionPath(versionKey) + "\\" + subKey);
}

std::vector<String> FakeDelphi::UserValueNames(const String& versionKey, const String& subKey) {
  TRegistry registry;
  std::vector<String> names;
  if (!registry.OpenKeyReadOnly(VersionPath(versionKey) + "\\" + subKey)) return names;
  TStringList list;
  registry.GetValueNames(list);
  for (int i = 0; i < list.GetCount(); ++i) names.push_back(list[i]);
  std::sort(names.begin(), names.end(), [](const String& a, const String& b) { return CompareText(a, b) < 0; });
  return names;
}

std::vector<String> FakeDelphi::Lines(const TStrings& list) {
  std::vector<String> lines;
  for (int i = 0; i < list.GetCount(); ++i) lines.push_back(list[i]);
  return lines;
}

String FakeDelphi::Install(const String& versionKey, int major) {
  String root = folder_.File("D" + IntToStr(major) + "_" + versionKey);
  ForceDirectories(root + "\\Bin");
  ForceDirectories(root + "\\Help");
  folder_.WriteFile(ExtractFileName(root) + "\\Bin\\delphi32.exe", "MZ");
  MachineKey(versionKey, root, "Delphi " + IntToStr(major), root + "\\Bin\\delphi32.exe");
  UserValue(versionKey, "ActiveX Controls", "UnitDirName", root + "\\Imports");
  UserValue(versionKey, "Library", major >= 4 ? "Search Path" : "SearchPath", root + "\\Lib");
  return root;
}

}  // namespace Tovix::Testing
