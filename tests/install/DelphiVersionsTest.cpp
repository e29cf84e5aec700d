// TOrvDelphiVersions: scanning fake installations, the order and selection of versions, the list
// boxes, and bulk operations that reach exactly the selected versions.
#include "framework/CheckLst.h"
#include "framework/Forms.h"
#include "tests/install/FakeDelphi.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

using DelphiVersions = FakeDelphi;

std::vector<String> Keys(const TOrvDelphiVersions& versions) {
  std::vector<String> keys;
  for (int i = 0; i < versions.GetCount(); ++i) keys.push_back(versions[i]->VersionKey);
  return keys;
}

String MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "<none>";
}

}  // namespace

TEST_F(DelphiVersions, WithoutDelphiTheCollectionIsEmptyAndSaysWhy) {
  TOrvDelphiVersions versions;
  EXPECT_EQ(0, versions.GetCount());
  EXPECT_EQ((std::vector<String>{"Unable to open key HKEY_LOCAL_MACHINE\\Software\\Borland\\Delphi"}), Lines(*versions.Errors));
  EXPECT_EQ(nullptr, versions.GetHighestVersion());
  versions.SelectHighest();
  versions.DeselectHighest();
  EXPECT_EQ(0, versions.GetSelected());
  EXPECT_EQ("Delphi Version[0] requested though no versions available.", MessageOf([&] { versions.GetVersionByIndex(0); }));

  versions.ScanManufacturer("Inprise");
  EXPECT_EQ(1, versions.Errors->GetCount()) << "other vendors report nothing";

  MachineKey("", "", "", "");  // the Delphi key itself, with no versions below it
  versions.Scan();
  EXPECT_EQ("Registry has no subkeys under HKEY_LOCAL_MACHINE\\Software\\Borland\\Delphi", versions.Errors->Get(1))
      << "each scan adds its lines; none are cleared";
  EXPECT_EQ(2, versions.Errors->GetCount());
}

TEST_F(DelphiVersions, OnlyUsableVersionsAreKeptInAscendingOrder) {
  Install("5.0", 5);
  String root4 = Install("4.0", 4);
  Install("3.0", 3);
  DeleteFile(root4 + "\\Bin\\delphi32.exe");
  UserValue("3.0", "ActiveX Controls", "", "");  // an accepted version keeps its own lines

  TOrvDelphiVersions versions;
  EXPECT_EQ((std::vector<String>{"3.0", "5.0"}), Keys(versions));
  EXPECT_EQ((std::vector<String>{"Delphi V4.0 bad executable '" + root4 + "\\Bin\\delphi32.exe'"}), Lines(*versions.Errors));
  EXPECT_EQ(5, versions.GetHighestVersion()->GetVersionInt());
  EXPECT_EQ("Delphi Version[2] out of bounds.  Must be between 0 and 1.", MessageOf([&] { versions.GetVersionByIndex(2); }));
  EXPECT_EQ("Delphi Version[-1] out of bounds.  Must be between 0 and 1.", MessageOf([&] { versions.GetVersionByIndex(-1); }));
  EXPECT_EQ("Borland", versions[0]->Manufacturer);
}

TEST_F(DelphiVersions, TheHighestNumberOfAMajorVersionIsFoundAndSelected) {
  for (const char* key : {"4", "5.0", "4.5", "4.0", "3.0"}) Install(key, key[0] - '0');
  MachineKey("abc", "X:\\", "Delphi 0", "X:\\delphi32.exe");
  TOrvDelphiVersions versions;
  ASSERT_EQ(5, versions.GetCount()) << "duplicates stay; the non-numeric key is not usable";
  EXPECT_EQ("3.0", versions[0]->VersionKey);
  EXPECT_EQ(4.0f, versions[1]->GetVersion());
  EXPECT_EQ(4.0f, versions[2]->GetVersion());
  EXPECT_EQ("4.5", versions[3]->VersionKey);
  EXPECT_EQ("5.0", versions[4]->VersionKey);
  EXPECT_EQ("4.5", versions.GetVersion(4)->VersionKey);
  EXPECT_EQ(nullptr, versions.GetVersion(6));

  EXPECT_FALSE(versions.Select(6));
  EXPECT_EQ(0, versions.GetSelected());
  EXPECT_TRUE(versions.Select(4));
  EXPECT_TRUE(versions[3]->Selected) << "only the one record";
  EXPECT_EQ(1, versions.GetSelected());
  versions.SelectHighest();
  EXPECT_EQ(2, versions.GetSelected());
  versions.DeselectHighest();
  EXPECT_FALSE(versions[4]->Selected);
  versions.SelectAll();
  EXPECT_EQ(5, versions.GetSelected());
  versions.DeselectAll();
  EXPECT_EQ(0, versions.GetSelected());

  versions.SelectAll();
  versions.Scan();
  EXPECT_EQ(0, versions.GetSelected()) << "a scan makes new records";
}

TEST_F(DelphiVersions, ListBoxesShowTheVersionsAfterWhatTheyHold) {
  Install("3.0", 3);
  Install("5.0", 5);
  TOrvDelphiVersions versions;
  versions.Select(5);
  TForm form(nullptr);
  auto* list = new TListBox(&form);
  list->SetParent(&form);
  list->GetItems()->Add("kept");
  versions.FillListBox(list, "Delphi ");
  EXPECT_EQ((std::vector<String>{"kept", "Delphi 3.0", "Delphi 5.0"}), Lines(*list->GetItems()));

  auto* checks = new TCheckListBox(&form);
  checks->SetParent(&form);
  versions.FillCheckListBox(checks, "");
  EXPECT_EQ((std::vector<String>{"3.0", "5.0"}), Lines(*checks->GetItems()));
  EXPECT_FALSE(checks->GetChecked(0));
  EXPECT_TRUE(checks->GetChecked(1));
}

TEST_F(DelphiVersions, BulkOperationsReachOnlyTheSelectedVersions) {
  String root3 = Install("3.0", 3);
  String root4 = Install("4.0", 4);
  String root5 = Install("5.0", 5);
  folder_.WriteFile(ExtractFileName(root4) + "\\Help\\Delphi4.cnt", ":Base x.hlp\r\n");
  folder_.WriteFile(ExtractFileName(root5) + "\\Help\\Delphi5.cnt", ":Base x.hlp\r\n");
  folder_.WriteFile(ExtractFileName(root3) + "\\Help\\Delphi3.cfg", "");
  TOrvDelphiVersions versions;
  ASSERT_EQ(3, versions.GetCount());

  versions.AddPkg("C:\\Comp\\comp.bpl", "Components");
  EXPECT_FALSE(UserKeyExists("3.0", "Known Packages")) << "nothing selected, nothing changed";
  EXPECT_FALSE(UserKeyExists("5.0", "Known Packages"));

  versions.Select(3);
  versions.Select(5);
  versions.AddPkg("C:\\Comp\\comp.bpl", "Components");
  versions.AddLibSearchPath("C:\\Comp");
  versions.AddHelpLink("C:\\Comp\\comp.hlp");
  EXPECT_EQ("Components", ReadUser("3.0", "Known Packages", "C:\\Comp\\comp.bpl"));
  EXPECT_EQ("Components", ReadUser("5.0", "Known Packages", "C:\\Comp\\comp.bpl"));
  EXPECT_FALSE(UserKeyExists("4.0", "Known Packages"));
  EXPECT_EQ("$(DELPHI)\\Lib;C:\\Comp", ReadUser("5.0", "Library", "Search Path"));
  EXPECT_EQ(root4 + "\\Lib", ReadUser("4.0", "Library", "Search Path"));
  EXPECT_TRUE(versions.GetVersion(3)->IsHelpLinked("C:\\Comp\\comp.hlp"));
  EXPECT_TRUE(versions.GetVersion(5)->IsHelpIndex("C:\\Comp\\comp.hlp"));
  EXPECT_FALSE(versions.GetVersion(4)->IsHelpIndex("C:\\Comp\\comp.hlp"));

  versions.RemoveDeadHelpLinks();
  versions.RemoveDeadHelpIndexes();
  EXPECT_FALSE(versions.GetVersion(3)->IsHelpLinked("C:\\Comp\\comp.hlp")) << "the help file does not exist";
  EXPECT_FALSE(versions.GetVersion(5)->IsHelpIndex("C:\\Comp\\comp.hlp"));

  versions.AddHelpIndex("comp.hlp");
  EXPECT_TRUE(versions.GetVersion(5)->IsHelpIndex("comp.hlp"));
  versions.RemoveHelpIndex("comp.hlp");
  EXPECT_FALSE(versions.GetVersion(5)->IsHelpIndex("comp.hlp"));
  versions.AddHelpLink("comp.hlp");
  versions.RemoveHelpLink("comp.hlp");
  EXPECT_FALSE(versions.GetVersion(3)->IsHelpLinked("comp.hlp"));
  EXPECT_TRUE(versions.GetVersion(5)->IsHelpIndex("comp.hlp")) << "from version 4 on a link is added as an index "
                                                                   "line, which RemoveHelpLink leaves alone";
}

TEST_F(DelphiVersions, AFailingVersionStopsTheBulkOperationWithItsException) {
  String root3 = Install("3.0", 3);
  String root5 = Install("5.0", 5);
  String cfg = folder_.WriteFile(ExtractFileName(root3) + "\\Help\\Delphi3.cfg", ":Link a.hlp\r\n");
  String cnt = folder_.WriteFile(ExtractFileName(root5) + "\\Help\\Delphi5.cnt", ":Index =a.hlp\r\n");
  TOrvDelphiVersions versions;
  versions.SelectAll();
  HANDLE locker = CreateFileA(cfg.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, locker);
  EXPECT_THROW(versions.RemoveHelpLink("a.hlp"), EInOutError);
  CloseHandle(locker);
  EXPECT_EQ(":Index =a.hlp\r\n", ScratchFolder::ReadFile(cnt)) << "the later version was not reached";
}
