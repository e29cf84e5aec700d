// Help configuration and contents files of binary garbage, mutated samples, a 10 MB line, no line
// ends and mixed line ends, worked on by the IDE manager's help operations: no failure but the
// framework's own, a file is changed only when an operation says so, and what was added is found
// and what was removed is gone.
#include "framework/Registry.h"
#include "install/Orvdelphiversions.h"
#include "tests/fuzz/Fuzz.h"
#include "tests/support/RegistrySandbox.h"
#include "tests/support/ScratchFolder.h"
#include "utils/Orvutils.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

const char* const kSampleCfg =
    ":Base delphi3.hlp>Main\r\n:Link vcl3.hlp\r\n:Link  C:\\Gone\\old.hlp\r\n;comment\r\n:LINK\r\n:Link $(DELPHI)\\Help\\x.hlp\r\n";
const char* const kSampleCnt =
    ":Base delphi4.hlp\r\n:Title Delphi\r\n:Index Library=vcl4.hlp\r\n:Index =C:\\Gone\\y.hlp\r\n1 Heading\r\n"
    "2 Topic=IDH_TOPIC\r\n:index\r\n:Include more.cnt\r\n";

class HelpFiles {
 public:
  HelpFiles() {
    for (int major : {3, 4}) {
      String root = folder_.File("D" + IntToStr(major));
      ForceDirectories(root + "\\Help");
      TRegistry registry;
      registry.SetRootKey(HKEY_LOCAL_MACHINE);
      UseIdeRegistryView(registry);
      registry.OpenKey(Format("\\Software\\Borland\\Delphi\\%d.0", major), true);
      registry.WriteString("RootDir", root);
    }
    three = std::make_unique<TOrvDelphiVer>("Borland", "3.0");
    four = std::make_unique<TOrvDelphiVer>("Borland", "4.0");
  }

  RegistrySandbox sandbox_;
  ScratchFolder folder_;
  std::unique_ptr<TOrvDelphiVer> three, four;
};

// A file as help authors (and damaged disks) leave them.
String HelpText(Mutator& mutator, const String& sample, int round) {
  switch (round % 6) {
    case 0: return mutator.RandomBytes(mutator.Below(300));
    case 1: return StrReplaceAll(sample, "\r\n", mutator.Below(2) ? "\n" : "\r");  // mixed below
    case 2: return StrReplaceAll(sample, "\r\n", " ");                            // no line ends
    default: return mutator.Mutate(sample, 3);
  }
}

}  // namespace

TEST(HelpFilesFuzz, HelpOperationsChangeOnlyWhatTheySay) {
  HelpFiles help;
  FuzzCount count("help configuration and contents files");
  Mutator mutator(4711);
  const String names[] = {"vcl3.hlp", "C:\\Gone\\old.hlp", "y.hlp", "D:\\A\\mylib.hlp", ":Link", "=", " "};
  for (int round = 0; round < 60 * FuzzScale(); ++round) {
    bool linkFile = round % 2 == 0;
    TOrvDelphiVer& version = linkFile ? *help.three : *help.four;
    String path = linkFile ? version.GetHelpCfgFilePath() : version.GetHelpCntFilePath();
    String text = HelpText(mutator, linkFile ? kSampleCfg : kSampleCnt, round);
    if (round % 6 == 1) text.insert(mutator.Below(static_cast<uint32_t>(text.size())), "\r\n");
    // A line of 10 MB, once a run (in the configuration file).
    if (round == 10) text = String(10u << 20, 'x') + "\r\n" + text + String(1u << 20, ':');
    help.folder_.WriteFile(ExtractFileName(ExtractFileDir(ExtractFileDir(path))) + "\\Help\\" + ExtractFileName(path), text);
    const String file = names[mutator.Below(7)];
    count.Run(Format("round %d", round), [&] {
      auto has = [&] { return linkFile ? version.IsHelpLinked(file) : version.IsHelpIndex(file); };
      String before = ScratchFolder::ReadFile(path);
      bool removed = linkFile ? version.RemoveHelpLink(file) : version.RemoveHelpIndex(file);
      if (!removed) {
        EXPECT_EQ(before, ScratchFolder::ReadFile(path)) << "nothing removed, yet the file changed";
      } else if (file.find('\\') != String::npos) {
        EXPECT_FALSE(has());
      }
      before = ScratchFolder::ReadFile(path);
      bool added = linkFile ? version.AddHelpLink(file) : version.AddHelpIndex(file);
      if (added) {
        EXPECT_TRUE(has()) << "added but not found";
      } else {
        EXPECT_EQ(before, ScratchFolder::ReadFile(path));
      }
      if (linkFile) version.RemoveDeadHelpLinks();
      else version.RemoveDeadHelpIndexes();
      EXPECT_FALSE(FileExists(path + "2")) << "a temporary file was left behind";
    });
  }
}
