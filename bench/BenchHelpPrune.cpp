// Pruning the dead index entries of a 200,000-line help contents file, against a plain copy of the
// same file (64 KiB blocks read and written with the system calls) in the same run, alternating,
// and the growth from 100,000 to 200,000 lines. The IDE's registry keys live in a private registry sandbox.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/BenchTimer.h"
#include "framework/Registry.h"
#include "framework/SystemTextFile.h"
#include "install/Orvdelphiversions.h"
#include "tests/support/RegistrySandbox.h"
#include "tests/support/ScratchFolder.h"

using namespace Tovix;
using Tovix::Bench::Compare;
using Tovix::Bench::Comparison;
using Tovix::Bench::Report;
using Tovix::Testing::RegistrySandbox;
using Tovix::Testing::ScratchFolder;

namespace {

constexpr int kRuns = 5;

// A contents file as help authors write them: headings and topics, with an index line every
// twentieth line naming a bare file, an existing file or a missing one in turn.
String ContentsFile(int lines, const String& liveFile, const String& deadFile) {
  String text;
  text.reserve(static_cast<size_t>(lines) * 40);
  for (int i = 0; i < lines; ++i) {
    if (i % 20 == 0) {
      const String& named = (i / 20) % 3 == 0 ? liveFile : (i / 20) % 3 == 1 ? deadFile : String("bare.hlp");
      text += ":Index Part " + IntToStr(i) + "=" + named + "\r\n";
    } else if (i % 10 == 5) {
      text += "1 Heading " + IntToStr(i) + "\r\n";
    } else {
      text += "2 Topic number " + IntToStr(i) + "=IDH_TOPIC_" + IntToStr(i) + "\r\n";
    }
  }
  return text;
}

void PlainCopy(const String& from, const String& to) {
  HANDLE in = CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE out = CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  std::vector<char> block(64 * 1024);
  DWORD got = 0, written = 0;
  while (ReadFile(in, block.data(), static_cast<DWORD>(block.size()), &got, nullptr) && got > 0)
    WriteFile(out, block.data(), got, &written, nullptr);
  CloseHandle(in);
  CloseHandle(out);
}

// The same copy line by line through the text file the prune reads and writes with.
void LineCopy(const String& from, const String& to) {
  TTextFile in, out;
  in.Reset(from);
  out.Rewrite(to);
  String line;
  while (in.ReadLn(line)) out.WriteLn(line);
  in.Close();
  out.Close();
}

struct Timings {
  Comparison prune;  // against the plain copy
  Comparison lines;  // line-by-line copy against the plain copy
};

// The contents file is written afresh (untimed) before every run, so that every prune has work.
Timings Measure(const ScratchFolder& folder, const String& root, int lines) {
  String contents = ContentsFile(lines, root + "\\Help\\live.hlp", root + "\\Help\\dead.hlp");
  String cnt = root + "\\Help\\Delphi4.cnt";
  TOrvDelphiVer version("Borland", "4.0");
  auto writeContents = [&] { folder.WriteFile("D4\\Help\\Delphi4.cnt", contents); };
  auto plainCopy = [&] { PlainCopy(cnt, folder.File("copy.cnt")); };
  Timings timings;
  timings.prune = Compare(kRuns, [&] { version.RemoveDeadHelpIndexes(); }, plainCopy, writeContents);
  // A third of the index lines named the dead file.
  String pruned = ScratchFolder::ReadFile(cnt);
  if (pruned.size() >= contents.size()) std::printf("pruning removed nothing: the benchmark is broken\n");
  timings.lines = Compare(kRuns, [&] { LineCopy(cnt, folder.File("lines.cnt")); }, plainCopy, writeContents);
  return timings;
}

}  // namespace

int main() {
  RegistrySandbox sandbox;
  ScratchFolder folder;
  String root = folder.File("D4");
  ForceDirectories(root + "\\Help");
  folder.WriteFile("D4\\Help\\live.hlp", "");
  {
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    registry.OpenKey("\\Software\\Borland\\Delphi\\4.0", true);
    registry.WriteString("RootDir", root);
  }
  Timings half = Measure(folder, root, 100000);
  Timings full = Measure(folder, root, 200000);
  Report("prune dead index lines, 200,000 lines", full.prune);
  Report("line-by-line copy, 200,000 lines", full.lines);
  std::printf("growth 100,000 -> 200,000 lines, medians: prune %.2f, copy %.2f\n",
              full.prune.routine.Median() / half.prune.routine.Median(),
              full.prune.baseline.Median() / half.prune.baseline.Median());
  return 0;
}
