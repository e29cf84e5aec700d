// TOrvDelphiVer's help operations: recognising link and index lines, adding and removing them,
// pruning dead ones, deleting the cache file, and a rewrite that never loses the original file.
#include <algorithm>
#include <memory>

#include "framework/system/ScopeExit.h"
#include "tests/install/FakeDelphi.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

class DelphiHelp : public FakeDelphi {
 protected:
  void SetUp() override {
    root3 = Install("3.0", 3);
    root4 = Install("4.0", 4);
    three = std::make_unique<TOrvDelphiVer>("Borland", "3.0");
    four = std::make_unique<TOrvDelphiVer>("Borland", "4.0");
  }
  // Writes a file of the help folder of a version root and returns its path.
  String HelpFile(const String& root, const String& name, const String& bytes) {
    return folder_.WriteFile(ExtractFileName(root) + "\\Help\\" + name, bytes);
  }
  String root3, root4;
  std::unique_ptr<TOrvDelphiVer> three, four;
};

}  // namespace

TEST_F(DelphiHelp, LinkAndIndexLinesAreRecognisedByTheirKeyword) {
  EXPECT_TRUE(three->IsHelpLinkStr("   :LINK  D:\\A\\mylib.hlp "));
  EXPECT_EQ("D:\\A\\mylib.hlp", three->GetHelpLinkFile("   :LINK  D:\\A\\mylib.hlp "));
  EXPECT_TRUE(three->IsHelpLinkStr(":Link")) << "the bare keyword";
  EXPECT_EQ("", three->GetHelpLinkFile(":Link"));
  EXPECT_TRUE(three->IsHelpLinkLive(":Link")) << "naming no file, always live";
  EXPECT_FALSE(three->IsHelpLinkStr(":Linked x.hlp")) << "a longer line needs the blank";
  EXPECT_FALSE(three->IsHelpLinkStr(":Lin"));
  EXPECT_FALSE(three->IsHelpLinkStr(":Index x.hlp"));

  EXPECT_TRUE(three->IsHelpIndexStr(" :index Title=D:\\A\\mylib.hlp"));
  EXPECT_TRUE(three->IsHelpIndexStr(":INDEX"));
  EXPECT_FALSE(three->IsHelpIndexStr(":Indexes"));
  EXPECT_EQ("D:\\A\\mylib.hlp", three->GetHelpIndexFile(":Index My Library= D:\\A\\mylib.hlp "));
  EXPECT_EQ("D:\\A\\mylib.hlp", three->GetHelpIndexFile(":Index D:\\A\\mylib.hlp"));
  EXPECT_EQ("b=c", three->GetHelpIndexFile(":Index a=b=c")) << "cut at the first =";
  EXPECT_EQ(":Index =D:\\A\\mylib.hlp", three->MakeHelpIndexStr("D:\\A\\mylib.hlp"));
  EXPECT_EQ("D:\\A\\mylib.hlp", three->GetHelpIndexFile(three->MakeHelpIndexStr("D:\\A\\mylib.hlp")));
  EXPECT_EQ(":Link D:\\A\\mylib.hlp", three->MakeHelpLinkStr("D:\\A\\mylib.hlp"));

  EXPECT_EQ(root4 + "\\A\\x.hlp", four->GetHelpLinkFile(":Link $(DELPHI)\\\\A\\\\x.hlp")) << "stored form converted";
  EXPECT_EQ(root3 + "\\Help\\Delphi3.cfg", three->GetHelpCfgFilePath());
  EXPECT_EQ(root4 + "\\Help\\Delphi4.cnt", four->GetHelpCntFilePath());
}

TEST_F(DelphiHelp, LivenessNeedsTheFileOnlyForAFullPath) {
  String existing = HelpFile(root3, "real.hlp", "");
  EXPECT_TRUE(three->IsHelpLinkLive(":Link " + existing));
  EXPECT_FALSE(three->IsHelpLinkLive(":Link " + root3 + "\\Help\\gone.hlp"));
  EXPECT_TRUE(three->IsHelpLinkLive(":Link gone.hlp")) << "a bare name is always live";
  EXPECT_TRUE(three->IsHelpIndexLive(":Index Title=gone.hlp"));
  EXPECT_FALSE(three->IsHelpIndexLive(":Index Title=" + root3 + "\\gone.hlp"));
  EXPECT_TRUE(three->IsHelpIndexLive("1 Topic=gone@" + root3 + "\\gone.hlp")) << "not an index line";
}

TEST_F(DelphiHelp, VersionsFrom4OnFindTheHelpFolderThroughOpenHelp) {
  RemoveDirectoryA((root4 + "\\Help").c_str());
  UserValue("4.0", "OpenHelp", "ProjectFile", "$(DELPHI)\\\\OpenHelp\\\\delphi4.ohp");
  EXPECT_EQ(root4 + "\\OpenHelp\\Delphi4.cfg", four->GetHelpCfgFilePath());
  RemoveDirectoryA((root3 + "\\Help").c_str());
  UserValue("3.0", "OpenHelp", "ProjectFile", "C:\\Elsewhere\\delphi3.ohp");
  EXPECT_EQ(root3 + "\\Help\\Delphi3.cfg", three->GetHelpCfgFilePath()) << "not below version 4";
}

TEST_F(DelphiHelp, AddingALinkAppendsOneLineAndDeletesTheCache) {
  String cfg = HelpFile(root3, "Delphi3.cfg", ":Link other.hlp\r\n");
  String gid = HelpFile(root3, "Delphi3.gid", "cache");
  EXPECT_TRUE(three->AddHelpLink("D:\\A\\mylib.hlp"));
  EXPECT_EQ(":Link other.hlp\r\n:Link D:\\A\\mylib.hlp\r\n", ScratchFolder::ReadFile(cfg));
  EXPECT_FALSE(FileExists(gid));
  EXPECT_TRUE(three->IsHelpLinked(" d:\\a\\MYLIB.hlp "));
  EXPECT_FALSE(three->AddHelpLink("d:\\a\\mylib.hlp")) << "already linked";
  EXPECT_FALSE(three->AddHelpLink("  ")) << "no file";
  EXPECT_EQ(":Link other.hlp\r\n:Link D:\\A\\mylib.hlp\r\n", ScratchFolder::ReadFile(cfg));
  EXPECT_FALSE(three->DeleteHelpGidFile()) << "nothing left to delete";

  DeleteFile(cfg);
  EXPECT_FALSE(three->AddHelpLink("D:\\A\\mylib.hlp"));
  EXPECT_FALSE(FileExists(cfg)) << "a missing file is never created";
  EXPECT_FALSE(three->IsHelpLinked("D:\\A\\mylib.hlp"));
}

TEST_F(DelphiHelp, AppendingKeepsALastLineThatHasNoLineEndWhole) {
  String cfg = HelpFile(root3, "Delphi3.cfg", ":Link other.hlp");
  EXPECT_TRUE(three->AddHelpLink("mine.hlp"));
  EXPECT_EQ(":Link other.hlp\r\n:Link mine.hlp\r\n", ScratchFolder::ReadFile(cfg));
  EXPECT_TRUE(three->IsHelpLinked("other.hlp"));
}

TEST_F(DelphiHelp, From4OnALinkBecomesAnIndexLineOfTheContentsFile) {
  String cfg = HelpFile(root4, "Delphi4.cfg", ":Link other.hlp\r\n");
  String cnt = HelpFile(root4, "Delphi4.cnt", ":Base delphi4.hlp\r\n:Index Delphi=delphi4.hlp\r\n");
  String gid = HelpFile(root4, "Delphi4.gid", "cache");
  EXPECT_TRUE(four->AddHelpLink("D:\\A\\mylib.hlp"));
  EXPECT_EQ(":Base delphi4.hlp\r\n:Index Delphi=delphi4.hlp\r\n:Index =D:\\A\\mylib.hlp\r\n", ScratchFolder::ReadFile(cnt));
  EXPECT_EQ(":Link other.hlp\r\n", ScratchFolder::ReadFile(cfg)) << "the configuration file is not touched";
  EXPECT_FALSE(FileExists(gid));
  EXPECT_TRUE(four->IsHelpIndex("D:\\A\\mylib.hlp"));
  EXPECT_FALSE(four->AddHelpLink("D:\\A\\mylib.hlp"));
  EXPECT_FALSE(four->AddHelpIndex("D:\\A\\mylib.hlp"));
  EXPECT_EQ(3, [&] {
    String text = ScratchFolder::ReadFile(cnt);
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  }());
}

TEST_F(DelphiHelp, RemovingByBareNameTakesEveryDirectoryAndByPathOnlyThatOne) {
  String cfg = HelpFile(root3, "Delphi3.cfg",
                        ":Link D:\\A\\mylib.hlp\n"
                        "; a comment\r"
                        ":Link E:\\B\\MYLIB.HLP\r\n"
                        ":Link\r\n"
                        ":Link other.hlp");
  String gid = HelpFile(root3, "Delphi3.gid", "cache");
  EXPECT_TRUE(three->RemoveHelpLink("D:\\A\\mylib.hlp"));
  EXPECT_EQ("; a comment\r\n:Link E:\\B\\MYLIB.HLP\r\n:Link\r\n:Link other.hlp\r\n", ScratchFolder::ReadFile(cfg))
      << "kept lines stay as they were, each ended by CR LF, the last one included";
  EXPECT_FALSE(FileExists(gid));
  EXPECT_FALSE(FileExists(cfg + "2"));

  HelpFile(root3, "Delphi3.cfg", ":Link D:\\A\\mylib.hlp\r\n:Link E:\\B\\MYLIB.HLP\r\n:Link\r\n");
  EXPECT_TRUE(three->RemoveHelpLink("mylib.hlp"));
  EXPECT_EQ(":Link\r\n", ScratchFolder::ReadFile(cfg)) << "the bare keyword is never matched";
}

TEST_F(DelphiHelp, WhenNothingMatchesTheFileIsLeftUntouched) {
  String bytes = ":Link a.hlp\n:Link b.hlp";  // LF line ends, no last line end
  String cfg = HelpFile(root3, "Delphi3.cfg", bytes);
  String gid = HelpFile(root3, "Delphi3.gid", "cache");
  EXPECT_FALSE(three->RemoveHelpLink("c.hlp"));
  EXPECT_FALSE(three->RemoveHelpLink(" "));
  EXPECT_EQ(bytes, ScratchFolder::ReadFile(cfg));
  EXPECT_FALSE(FileExists(cfg + "2"));
  EXPECT_TRUE(FileExists(gid)) << "no change, so the cache stays";
  three->RemoveDeadHelpLinks();
  EXPECT_EQ(bytes, ScratchFolder::ReadFile(cfg));
  EXPECT_FALSE(three->RemoveHelpIndex("a.hlp")) << "no contents file";
}

TEST_F(DelphiHelp, PruningDropsOnlyEntriesNamingMissingFullPaths) {
  String live = HelpFile(root4, "live.hlp", "");
  String dead = root4 + "\\Help\\dead.hlp";
  String cnt = HelpFile(root4, "Delphi4.cnt",
                        ":Base delphi4.hlp\r\n"
                        ":Index Live=" + live + "\r\n"
                        ":Index Dead=" + dead + "\r\n"
                        ":Index Bare=missing.hlp\r\n"
                        "1 Topic=x@" + dead + "\r\n"
                        ":Index =" + dead + "\r\n");
  four->RemoveDeadHelpIndexes();
  EXPECT_EQ(":Base delphi4.hlp\r\n:Index Live=" + live + "\r\n:Index Bare=missing.hlp\r\n1 Topic=x@" + dead + "\r\n",
            ScratchFolder::ReadFile(cnt));

  String cfg = HelpFile(root3, "Delphi3.cfg", ":Link " + dead + "\r\n:Link missing.hlp\r\n:Index =" + dead + "\r\n");
  three->RemoveDeadHelpLinks();
  EXPECT_EQ(":Link missing.hlp\r\n:Index =" + dead + "\r\n", ScratchFolder::ReadFile(cfg));
}

TEST_F(DelphiHelp, AFailedReplaceRaisesAndLeavesTheOriginalWhole) {
  String bytes = ":Link D:\\A\\mylib.hlp\r\n:Link other.hlp\r\n";
  String cfg = HelpFile(root3, "Delphi3.cfg", bytes);

  SetFileAttributesA(cfg.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_THROW(three->RemoveHelpLink("mylib.hlp"), EInOutError) << "a read-only file cannot be replaced";
  SetFileAttributesA(cfg.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(bytes, ScratchFolder::ReadFile(cfg));
  EXPECT_FALSE(FileExists(cfg + "2"));
  HelpFile(root3, "Delphi3.cfg", bytes);

  // Held open for reading by another program that lets others only read: readable, not replaceable.
  HANDLE reader = CreateFileA(cfg.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, reader);
  EXPECT_THROW(three->RemoveHelpLink("mylib.hlp"), EInOutError);
  CloseHandle(reader);
  EXPECT_EQ(bytes, ScratchFolder::ReadFile(cfg));
  EXPECT_FALSE(FileExists(cfg + "2"));
  HelpFile(root3, "Delphi3.cfg", bytes);

  // Held open without any sharing: not even readable.
  HANDLE locker = CreateFileA(cfg.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, locker);
  EXPECT_THROW(three->RemoveDeadHelpLinks(), EInOutError);
  EXPECT_THROW(three->RemoveHelpLink("mylib.hlp"), EInOutError);
  EXPECT_THROW(three->IsHelpLinked("x.hlp"), EInOutError);
  EXPECT_THROW(three->AddHelpLink("x.hlp"), EInOutError);
  CloseHandle(locker);
  EXPECT_EQ(bytes, ScratchFolder::ReadFile(cfg));
  EXPECT_FALSE(FileExists(cfg + "2"));

  // And every file was closed on the way out: the rewrite works now.
  EXPECT_TRUE(three->RemoveHelpLink("mylib.hlp"));
  EXPECT_EQ(":Link other.hlp\r\n", ScratchFolder::ReadFile(cfg));
}

TEST_F(DelphiHelp, WithoutAHelpDirectoryNothingAtTheDrivesRootIsTouched) {
  // Files where "\Help" and "\DelphiN.cfg" would put them without a RootDir: the current drive's root.
  const String rootCfg = "\\Delphi3.cfg", rootCnt = "\\Delphi4.cnt", rootGid = "\\Delphi4.gid";
  const String dead = ":Link C:\\gone\\x.hlp\r\n:Index =C:\\gone\\y.hlp\r\n";
  for (const String& name : {rootCfg, rootCnt, rootGid}) {
    TFileStream(name, fmCreate).WriteBuffer(dead.data(), static_cast<int>(dead.size()));
    ASSERT_TRUE(FileExists(name)) << "the test needs a writable drive root";
  }
  TScopeExit cleanUp([&] {
    for (const String& name : {rootCfg, rootCnt, rootGid}) DeleteFileA(name.c_str());
  });

  MachineKey("3.5", "", "Delphi 3", "");
  TOrvDelphiVer noRoot("Borland", "3.5");
  UserValue("4.5", "OpenHelp", "", "");  // the key, without its "ProjectFile"
  TOrvDelphiVer noProject("Borland", "4.5");
  for (TOrvDelphiVer* version : {&noRoot, &noProject}) {
    SCOPED_TRACE(version->GetDesc());
    int lines = version->Errors->GetCount();
    EXPECT_FALSE(version->AddHelpLink("D:\\A\\mylib.hlp"));
    EXPECT_FALSE(version->IsHelpLinked("C:\\gone\\x.hlp"));
    EXPECT_FALSE(version->RemoveHelpLink("x.hlp"));
    EXPECT_FALSE(version->RemoveHelpIndex("y.hlp"));
    version->RemoveDeadHelpLinks();
    version->RemoveDeadHelpIndexes();
    EXPECT_FALSE(version->DeleteHelpGidFile());
    ASSERT_EQ(lines + 7, version->Errors->GetCount());
    EXPECT_EQ("No help directory for " + version->GetDesc(), (*version->Errors)[lines]);
  }
  for (const String& name : {rootCfg, rootCnt, rootGid}) EXPECT_EQ(dead, ScratchFolder::ReadFile(name)) << name;
}
