// TOrvDelphiVer: reading a version's keys, the stored path form of each version, the library
// search path and the known packages, all against fake installations in the registry sandbox.
#include "tests/install/FakeDelphi.h"
#include "tests/support/ImportPatch.h"
#include "utils/Orvutils.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

using DelphiVersion = FakeDelphi;

}  // namespace

TEST_F(DelphiVersion, Version4ExpandsTheMacroAndSingleBackslashesInEveryStoredPath) {
  String root = folder_.Path() + "\\D4";
  ForceDirectories(root + "\\Bin");
  folder_.WriteFile("D4\\Bin\\delphi32.exe", "MZ");
  // The root is stored with doubled backslashes and two trailing ones.
  MachineKey("4.0", StrReplaceAll(root, "\\", "\\\\") + "\\\\\\\\", "Delphi 4", "  $(delphi)\\\\Bin\\\\delphi32.exe ");
  UserValue("4.0", "ActiveX Controls", "UnitDirName", "$(DELPHI)\\\\Imports");
  UserValue("4.0", "Library", "Search Path", "$(DELPHI)\\Lib;$(DELPHI)\\Bin");
  UserValue("4.0", "Library", "SearchPath", "older value, not read from version 4 on");

  TOrvDelphiVer version("Borland", "4.0");
  EXPECT_EQ("\\Software\\Borland\\Delphi\\4.0", version.RegKey());
  EXPECT_FLOAT_EQ(4.0f, version.GetVersion());
  EXPECT_EQ(4, version.GetVersionInt());
  EXPECT_EQ("Delphi V4.0", version.GetDesc());
  EXPECT_EQ(root, version.RootDir);
  EXPECT_EQ(root + "\\Bin\\delphi32.exe", version.ExePath);
  EXPECT_EQ(root + "\\Bin", version.BinDir);
  EXPECT_EQ(root + "\\Imports", version.ActiveXUnitDir);
  EXPECT_EQ(root + "\\Lib;" + root + "\\Bin", version.SearchPath);
  EXPECT_FALSE(version.Selected);
  EXPECT_EQ(0, version.Errors->GetCount());
  EXPECT_TRUE(version.IsValid());
}

TEST_F(DelphiVersion, OlderVersionsConvertLessOfTheStoredForm) {
  MachineKey("3.0", "C:\\\\D3", "Delphi 3", "$(DELPHI)\\\\Bin\\\\delphi32.exe");
  UserValue("3.0", "Library", "SearchPath", "$(DELPHI)\\\\Lib");
  UserValue("3.0", "Library", "Search Path", "not read below version 4");
  TOrvDelphiVer three("Borland", "3.0");
  EXPECT_EQ("C:\\D3", three.RootDir);
  EXPECT_EQ("$(DELPHI)\\Bin\\delphi32.exe", three.ExePath) << "the macro stays as written";
  EXPECT_EQ("$(DELPHI)\\Lib", three.SearchPath);

  MachineKey("2.0", " C:\\\\D2\\\\ ", "Delphi 2", " $(DELPHI)\\\\Bin\\\\delphi32.exe\t");
  TOrvDelphiVer two("Borland", "2.0");
  EXPECT_EQ("C:\\\\D2", two.RootDir) << "trimmed; trailing backslashes go";
  EXPECT_EQ("$(DELPHI)\\\\Bin\\\\delphi32.exe", two.ExePath) << "taken as stored, only trimmed";
  EXPECT_EQ("C:\\\\D2\\\\Lib", two.ExportMacroDir(" C:\\\\D2\\\\Lib ")) << "nothing but trimming below 4";
  EXPECT_EQ("a\\b", two.ExportDir(" a\\b "));
}

TEST_F(DelphiVersion, MissingKeysAndValuesBecomeErrorLinesNotExceptions) {
  TOrvDelphiVer absent("Borland", "5.0");
  EXPECT_EQ((std::vector<String>{"Unable to open key HKEY_LOCAL_MACHINE\\Software\\Borland\\Delphi\\5.0",
                                 "Unable to open key HKEY_CURRENT_USER\\Software\\Borland\\Delphi\\5.0\\ActiveX Controls",
                                 "Unable to open key HKEY_CURRENT_USER\\Software\\Borland\\Delphi\\5.0\\Library"}),
            Lines(*absent.Errors));
  EXPECT_EQ("", absent.RootDir);
  EXPECT_EQ("", absent.ExePath);

  MachineKey("4.0", "", "", "");
  UserValue("4.0", "ActiveX Controls", "", "");
  UserValue("4.0", "Library", "", "");
  TOrvDelphiVer empty("Borland", "4.0");
  EXPECT_EQ((std::vector<String>{"Value non-existent:  HKEY_LOCAL_MACHINE\\Software\\Borland\\Delphi\\4.0\\RootDir",
                                 "Value non-existent:  HKEY_LOCAL_MACHINE\\Software\\Borland\\Delphi\\4.0\\Delphi 4"}),
            Lines(*empty.Errors));
  EXPECT_EQ("", empty.ActiveXUnitDir);
  EXPECT_EQ("", empty.SearchPath);

  EXPECT_FALSE(empty.IsValid());
  EXPECT_FALSE(empty.IsValid());
  EXPECT_EQ("Delphi V4.0 bad executable ''", empty.Errors->Get(2));
  EXPECT_EQ(4, empty.Errors->GetCount()) << "every call reports the executable again";
}

TEST_F(DelphiVersion, AValueOfTheWrongTypeRaisesForTheRecordButTheScanKeepsTheOtherVersions) {
  String root = Install("5.0", 5);
  MachineKey("4.0", "", "", "");
  {
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.OpenKey("\\Software\\Borland\\Delphi\\4.0", false));
    registry.WriteInteger("RootDir", 4);
  }
  EXPECT_THROW(TOrvDelphiVer("Borland", "4.0"), ERegistryException);
  TOrvDelphiVersions versions;
  ASSERT_EQ(1, versions.GetCount());
  EXPECT_EQ(root, versions.GetVersionByIndex(0)->RootDir);
  EXPECT_EQ(std::vector<String>{"Invalid data type for 'RootDir' in \\Software\\Borland\\Delphi\\4.0"},
            Lines(*versions.Errors));
}

TEST_F(DelphiVersion, AVersionKeyThatIsNotAPositiveNumberIsVersionZero) {
  for (const char* key : {"abc", "-4.0", "4,0", "", "1e99"}) {
    TOrvDelphiVer version("Borland", key);
    EXPECT_EQ(0.0f, version.GetVersion()) << key;
    int lines = version.Errors->GetCount();
    EXPECT_FALSE(version.IsValid());
    EXPECT_EQ(lines, version.Errors->GetCount()) << "no executable line for version 0: " << key;
  }
  MachineKey("4.5", "E:\\D45", "", "");
  TOrvDelphiVer point("Borland", "4.5");
  EXPECT_EQ(4, point.GetVersionInt());
  EXPECT_EQ("Delphi V4.5", point.GetDesc());
  EXPECT_EQ("Value non-existent:  HKEY_LOCAL_MACHINE\\Software\\Borland\\Delphi\\4.5\\Delphi 4", point.Errors->Get(0));
}

TEST_F(DelphiVersion, TheLibraryDirectoryFallsBackToThePackageOutputFromVersion4On) {
  String root = Install("4.0", 4);
  UserValue("4.0", "Library", "Package DCP Output", "$(DELPHI)\\\\Projects\\\\Bpl\\\\");
  TOrvDelphiVer version("Borland", "4.0");
  EXPECT_EQ(root + "\\Projects\\Bpl", version.GetLibDir()) << "RootDir\\Lib does not exist";
  ForceDirectories(root + "\\Lib");
  EXPECT_EQ(root + "\\Lib", version.GetLibDir());

  MachineKey("5.0", "X:\\Nowhere", "Delphi 5", "X:\\Nowhere\\Bin\\delphi32.exe");
  TOrvDelphiVer noLibrary("Borland", "5.0");
  int lines = noLibrary.Errors->GetCount();
  EXPECT_EQ("X:\\Nowhere\\Lib", noLibrary.GetLibDir());
  ASSERT_EQ(lines + 1, noLibrary.Errors->GetCount());
  EXPECT_EQ("HKEY_CURRENT_USER\\\\Software\\Borland\\Delphi\\5.0\\Library lacks 'Package DCP Output' value",
            noLibrary.Errors->Get(lines));
  MachineKey("3.0", "X:\\Nowhere", "Delphi 3", "X:\\Nowhere\\Bin\\delphi32.exe");
  EXPECT_EQ("X:\\Nowhere\\Lib", TOrvDelphiVer("Borland", "3.0").GetLibDir()) << "no fallback below 4";
}

TEST_F(DelphiVersion, ExportingContractsTheRootAndDoublesBackslashes) {
  MachineKey("4.0", "E:\\D4", "Delphi 4", "E:\\D4\\Bin\\delphi32.exe");
  TOrvDelphiVer version("Borland", "4.0");
  EXPECT_EQ("$(DELPHI)\\\\Source\\\\x", version.ExportMacroDir(" e:\\d4\\Source\\x "));
  EXPECT_EQ("C:\\\\Other", version.ExportMacroDir("C:\\Other"));
  EXPECT_EQ("E:\\\\D4", version.ExportDir(" E:\\D4 "));
  EXPECT_EQ("E:\\D4\\Source\\x", version.ImportMacroDir(version.ExportMacroDir("E:\\D4\\Source\\x")));
}

TEST_F(DelphiVersion, TheSearchPathMatchesWholeEntriesIgnoringCase) {
  MachineKey("4.0", "E:\\D4", "Delphi 4", "E:\\D4\\Bin\\delphi32.exe");
  UserValue("4.0", "Library", "Search Path", "$(DELPHI)\\Lib;;$(DELPHI)\\Bin");
  TOrvDelphiVer version("Borland", "4.0");
  EXPECT_TRUE(version.InLibSearchPath("e:\\d4\\lib"));
  EXPECT_TRUE(version.InLibSearchPath("  E:\\D4\\Bin  "));
  EXPECT_FALSE(version.InLibSearchPath("E:\\D4\\Lib\\")) << "a trailing backslash makes another directory";
  EXPECT_FALSE(version.InLibSearchPath("   ")) << "the empty entry between ;; does not match blanks";
  EXPECT_FALSE(version.InLibSearchPath("E:\\D4"));
}

TEST_F(DelphiVersion, AddingToTheSearchPathWritesItWithTheRootContracted) {
  MachineKey("4.0", "E:\\D4", "Delphi 4", "E:\\D4\\Bin\\delphi32.exe");
  UserValue("4.0", "Library", "Search Path", "");
  TOrvDelphiVer version("Borland", "4.0");
  version.AddLibSearchPath("X:\\Comp");
  EXPECT_EQ(";X:\\Comp", version.SearchPath) << "a first entry follows a separator";
  version.SearchPath = " A;B; ";
  version.AddLibSearchPath("E:\\D4\\Source");
  EXPECT_EQ("A;B;E:\\D4\\Source", version.SearchPath);
  EXPECT_EQ("A;B;$(DELPHI)\\Source", ReadUser("4.0", "Library", "Search Path")) << "backslashes stay single";
  version.AddLibSearchPath("e:\\d4\\source");
  EXPECT_EQ("A;B;E:\\D4\\Source", version.SearchPath) << "already there";

  MachineKey("3.0", "E:\\D3", "Delphi 3", "E:\\D3\\Bin\\delphi32.exe");
  UserValue("3.0", "Library", "SearchPath", "E:\\D3\\Lib");
  TOrvDelphiVer three("Borland", "3.0");
  three.AddLibSearchPath("E:\\D3\\Source");
  EXPECT_EQ("E:\\D3\\Lib;E:\\D3\\Source", ReadUser("3.0", "Library", "SearchPath"))
      << "below version 4 nothing expands the macro, so directories are written as they are";
  EXPECT_EQ("<missing>", ReadUser("3.0", "Library", "Search Path"));
  TOrvDelphiVer reread("Borland", "3.0");
  EXPECT_TRUE(reread.InLibSearchPath("E:\\D3\\Lib"));
  EXPECT_TRUE(reread.InLibSearchPath("E:\\D3\\Source"));
}

TEST_F(DelphiVersion, NetworkPathsKeepTheirTwoLeadingBackslashes) {
  MachineKey("4.0", "E:\\D4", "Delphi 4", "E:\\D4\\Bin\\delphi32.exe");
  // One network entry stored plain, one stored doubled, and a doubled local one between.
  UserValue("4.0", "Library", "Search Path", "\\\\server\\share\\lib;$(DELPHI)\\\\Lib; \\\\\\\\nas\\\\bpl");
  TOrvDelphiVer version("Borland", "4.0");
  EXPECT_EQ("\\\\server\\share\\lib;E:\\D4\\Lib; \\\\nas\\bpl", version.SearchPath);
  EXPECT_TRUE(version.InLibSearchPath("\\\\SERVER\\share\\lib")) << "read again when compared, still whole";
  EXPECT_TRUE(version.InLibSearchPath("\\\\nas\\bpl"));
  version.AddLibSearchPath("X:\\Comp");
  EXPECT_EQ("\\\\server\\share\\lib;$(DELPHI)\\Lib; \\\\nas\\bpl;X:\\Comp", ReadUser("4.0", "Library", "Search Path"));
  EXPECT_EQ("\\\\a\\b", version.ImportMacroDir("\\\\\\a\\\\b")) << "three or more leading backslashes keep two";
  EXPECT_EQ("x\\y", version.ImportMacroDir("x\\\\y"));

  MachineKey("5.0", "\\\\\\\\srv\\\\D5\\\\", "Delphi 5", "$(DELPHI)\\\\Bin\\\\delphi32.exe");
  TOrvDelphiVer five("Borland", "5.0");
  EXPECT_EQ("\\\\srv\\D5", five.RootDir);
  EXPECT_EQ("\\\\srv\\D5\\Bin\\delphi32.exe", five.ExePath) << "the second pass only expands the macro";
}

TEST_F(DelphiVersion, WithoutItsLibraryKeyTheSearchPathChangesOnlyInMemory) {
  MachineKey("4.0", "E:\\D4", "Delphi 4", "E:\\D4\\Bin\\delphi32.exe");
  TOrvDelphiVer version("Borland", "4.0");
  version.AddLibSearchPath("X:\\Comp");
  EXPECT_EQ(";X:\\Comp", version.SearchPath);
  EXPECT_FALSE(UserKeyExists("4.0", "Library")) << "the key is not created";
}

TEST_F(DelphiVersion, PackagesAreFoundAddedAndRemovedByFileName) {
  MachineKey("4.0", "E:\\D4", "Delphi 4", "E:\\D4\\Bin\\delphi32.exe");
  TOrvDelphiVer version("Borland", "4.0");
  EXPECT_FALSE(version.IsPkgInstalled("foo.bpl")) << "no Known Packages key";
  version.RemovePkg("foo.bpl");
  EXPECT_FALSE(UserKeyExists("4.0", "Known Packages"));

  UserValue("4.0", "Known Packages", "$(DELPHI)\\Bin\\Other.bpl", "Other");
  UserValue("4.0", "Known Packages", "$(DELPHI)\\Bin\\Foo.bpl", "Foo components");
  UserValue("4.0", "Known Packages", "C:\\Elsewhere\\FOO.BPL", "Foo again");
  UserValue("4.0", "Disabled Packages", "D:\\Old\\foo.bpl", "Disabled foo");
  UserValue("4.0", "Disabled Packages", "D:\\Old\\bar.bpl", "Bar");
  EXPECT_TRUE(version.IsPkgInstalled("X:\\Anywhere\\foo.bpl"));
  String found = version.FindPkg("foo.bpl");
  EXPECT_TRUE(found == "E:\\D4\\Bin\\Foo.bpl" || found == "C:\\Elsewhere\\FOO.BPL") << found;
  EXPECT_FALSE(version.IsPkgInstalled("bar.bpl")) << "disabled packages are not searched";

  version.AddPkg("E:\\Lib\\foo.bpl", "New foo");
  EXPECT_EQ((std::vector<String>{"$(DELPHI)\\Bin\\Other.bpl", "E:\\Lib\\foo.bpl"}), UserValueNames("4.0", "Known Packages"));
  EXPECT_EQ("New foo", ReadUser("4.0", "Known Packages", "E:\\Lib\\foo.bpl"));
  EXPECT_EQ((std::vector<String>{"D:\\Old\\bar.bpl"}), UserValueNames("4.0", "Disabled Packages"));
  EXPECT_EQ("E:\\Lib\\foo.bpl", version.FindPkg("FOO.BPL"));

  version.RemovePkg("foo.bpl");
  EXPECT_FALSE(version.IsPkgInstalled("foo.bpl"));
  EXPECT_EQ((std::vector<String>{"$(DELPHI)\\Bin\\Other.bpl"}), UserValueNames("4.0", "Known Packages"));
}

namespace {

// The registry calls of the manager, watched at the import table (see ImportPatch.h): under the
// sandbox both registry views reach the same key, so the view shows only in the access asked for.
std::vector<REGSAM> accessAsked;
ImportPatch* openPatch = nullptr;
ImportPatch* createPatch = nullptr;
bool refuseWritableLibrary = false;

LONG WINAPI WatchOpen(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) {
  accessAsked.push_back(access);
  if (refuseWritableLibrary && subKey && (access & KEY_SET_VALUE) && String(subKey).ends_with("\\Library"))
    return ERROR_ACCESS_DENIED;
  return reinterpret_cast<decltype(&RegOpenKeyExA)>(openPatch->Original())(key, subKey, options, access, result);
}

LONG WINAPI WatchCreate(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR cls, DWORD options, REGSAM access,
                        LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition) {
  accessAsked.push_back(access);
  return reinterpret_cast<decltype(&RegCreateKeyExA)>(createPatch->Original())(key, subKey, reserved, cls, options,
                                                                               access, security, result, disposition);
}

LONG WINAPI RefuseSet(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD) { return ERROR_ACCESS_DENIED; }

}  // namespace

TEST_F(DelphiVersion, TheIdesKeysAreOpenedInThe32BitViewOn64BitBuilds) {
  String root = Install("4.0", 4);
  ImportPatch open("advapi32.dll", "RegOpenKeyExA", reinterpret_cast<void*>(&WatchOpen));
  ImportPatch create("advapi32.dll", "RegCreateKeyExA", reinterpret_cast<void*>(&WatchCreate));
  openPatch = &open;
  createPatch = &create;
  accessAsked.clear();
  {
    TOrvDelphiVersions versions;
    ASSERT_EQ(1, versions.GetCount());
    TOrvDelphiVer* four = versions.GetVersionByIndex(0);
    four->AddPkg(root + "\\Bin\\foo.bpl", "Foo");
    four->AddLibSearchPath("X:\\Comp");
    four->GetLibDir();
    four->IsHelpIndex("x.hlp");
  }
  ASSERT_GE(accessAsked.size(), 8u);
  REGSAM expected = sizeof(void*) == 8 ? KEY_WOW64_32KEY : 0;
  for (REGSAM access : accessAsked) EXPECT_EQ(expected, access & (KEY_WOW64_32KEY | KEY_WOW64_64KEY));
}

TEST_F(DelphiVersion, ARefusedSearchPathWriteRaisesAndKeepsTheOldPath) {
  Install("4.0", 4);
  TOrvDelphiVer version("Borland", "4.0");
  const String before = version.SearchPath;
  const String stored = ReadUser("4.0", "Library", "Search Path");
  auto expectRefused = [&](const char* why) {
    try {
      version.AddLibSearchPath("X:\\Comp");
      ADD_FAILURE() << why << ": no exception";
    } catch (const ERegistryException& e) {
      EXPECT_EQ("Failed to set data for 'Search Path'", e.Message()) << why;
    }
    EXPECT_EQ(before, version.SearchPath) << why;
    EXPECT_EQ(stored, ReadUser("4.0", "Library", "Search Path")) << why;
  };
  {
    ImportPatch refuse("advapi32.dll", "RegSetValueExA", reinterpret_cast<void*>(&RefuseSet));
    expectRefused("write refused");
  }
  {
    ImportPatch open("advapi32.dll", "RegOpenKeyExA", reinterpret_cast<void*>(&WatchOpen));
    openPatch = &open;
    refuseWritableLibrary = true;
    expectRefused("key not writable");
    refuseWritableLibrary = false;
  }
  version.AddLibSearchPath("X:\\Comp");
  EXPECT_EQ(before + ";X:\\Comp", version.SearchPath) << "once the registry takes it";
}
