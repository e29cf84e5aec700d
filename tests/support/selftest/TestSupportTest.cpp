// The isolation fixtures other tests rely on: if these leak, every registry test is suspect.
#include <gtest/gtest.h>

#include "framework/SysUtils.h"
#include "framework/WinApi.h"
#include "tests/support/RegistrySandbox.h"
#include "tests/support/ScratchFolder.h"

using namespace Tovix;
using Tovix::Testing::RegistrySandbox;
using Tovix::Testing::ScratchFolder;

namespace {

const char kProbeKey[] = "Software\\Tovix Sandbox Probe";

void WriteProbe(HKEY root, const char* text) {
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, kProbeKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Who", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                          static_cast<DWORD>(strlen(text) + 1)));
  RegCloseKey(key);
}

// The probe value below root, or "" when the key or value is missing.
String ReadProbe(HKEY root) {
  HKEY key;
  if (RegOpenKeyExA(root, kProbeKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "";
  char buffer[64] = {};
  DWORD size = sizeof buffer - 1;
  LONG r = RegQueryValueExA(key, "Who", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  return r == ERROR_SUCCESS ? String(buffer) : "";
}

bool RealUserKeyExists(const String& path) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

}  // namespace

TEST(RegistrySandbox, WritesThroughEachRootLandInItsOwnScratchKeyOnly) {
  String scratchPath;
  {
    RegistrySandbox sandbox;
    scratchPath = sandbox.ScratchPath();
    WriteProbe(HKEY_CURRENT_USER, "user");
    WriteProbe(HKEY_LOCAL_MACHINE, "machine");
    WriteProbe(HKEY_CLASSES_ROOT, "classes");

    EXPECT_EQ("user", ReadProbe(sandbox.ScratchKey(HKEY_CURRENT_USER)));
    EXPECT_EQ("machine", ReadProbe(sandbox.ScratchKey(HKEY_LOCAL_MACHINE)));
    EXPECT_EQ("classes", ReadProbe(sandbox.ScratchKey(HKEY_CLASSES_ROOT)));
    // Reading back through the predefined keys sees the sandbox too.
    EXPECT_EQ("user", ReadProbe(HKEY_CURRENT_USER));
    EXPECT_EQ("machine", ReadProbe(HKEY_LOCAL_MACHINE));
  }
  // Afterwards the real registry holds neither the probes nor the scratch area.
  EXPECT_EQ("", ReadProbe(HKEY_CURRENT_USER));
  EXPECT_EQ("", ReadProbe(HKEY_LOCAL_MACHINE));
  EXPECT_EQ("", ReadProbe(HKEY_CLASSES_ROOT));
  EXPECT_FALSE(RealUserKeyExists(scratchPath));
  EXPECT_FALSE(RealUserKeyExists("Software\\Tovix Test Sandbox"));
}

TEST(RegistrySandbox, RealContentIsHiddenWhileActive) {
  // The machine's own HKLM\Software exists in every Wine prefix; inside the sandbox it must not.
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft", 0, KEY_READ, &key));
  RegCloseKey(key);
  RegistrySandbox sandbox;
  EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft", 0, KEY_READ, &key));
}

TEST(ScratchFolder, IsEmptyAndRemovedWithItsContents) {
  String path;
  String previous = GetCurrentDir();
  {
    ScratchFolder folder;
    path = folder.Path();
    EXPECT_TRUE(DirectoryExists(path));
    folder.WriteFile("a.txt", "abc\r\n");
    EXPECT_EQ("abc\r\n", ScratchFolder::ReadFile(folder.File("a.txt")));
    ASSERT_TRUE(ForceDirectories(folder.File("sub\\deeper")));
    folder.WriteFile("sub\\deeper\\b.bin", String("\0\1", 2));
    SetFileAttributesA(folder.File("a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    folder.MakeCurrent();
    EXPECT_TRUE(SameText(ExcludeTrailingBackslash(GetCurrentDir()), path));
  }
  EXPECT_FALSE(DirectoryExists(path));
  EXPECT_EQ(previous, GetCurrentDir());
}
