// Times the replacing and splitting routines on multi-megabyte text against plain std::string
// code doing the same work, and checks that doubling the input about doubles the time.
#include <cstdio>
#include <vector>

#include "bench/BenchTimer.h"
#include "utils/Orvutils.h"

using namespace Tovix;
using Tovix::Bench::BestSeconds;
using Tovix::Bench::Report;

namespace {

// Library-path-like text: many short entries separated by ";", in mixed case.
String MakeText(size_t bytes) {
  String text;
  text.reserve(bytes + 64);
  for (int i = 0; text.size() < bytes; ++i) text += (i % 3 == 0) ? "$(DELPHI)\\Lib;" : "c:\\Program Files\\Tovix\\lib;";
  return text;
}

String BaselineReplace(const String& text, const String& find, const String& replacement) {
  String out;
  out.reserve(text.size());
  size_t from = 0;
  for (size_t at = text.find(find); at != String::npos; at = text.find(find, from)) {
    out.append(text, from, at - from);
    out += replacement;
    from = at + find.size();
  }
  out.append(text, from, String::npos);
  return out;
}

std::vector<String> BaselineSplit(const String& text, const String& delimiter) {
  std::vector<String> pieces;
  size_t from = 0;
  for (size_t at = text.find(delimiter); at != String::npos; at = text.find(delimiter, from)) {
    pieces.push_back(text.substr(from, at - from));
    from = at + delimiter.size();
  }
  if (from < text.size()) pieces.push_back(text.substr(from));
  return pieces;
}

volatile size_t sink;

void RunAt(size_t bytes, double& replaceTime, double& noCaseTime, double& parseTime) {
  const String text = MakeText(bytes);
  const int runs = 5;
  char label[96];

  double base = BestSeconds(runs, [&] { sink = BaselineReplace(text, "Program Files", "PF").size(); });
  replaceTime = BestSeconds(runs, [&] { sink = StrReplaceAll(text, "Program Files", "PF").size(); });
  std::snprintf(label, sizeof label, "StrReplaceAll %zu MB", bytes >> 20);
  Report(label, replaceTime, base);

  // The baseline for the case-blind scan folds the text first, then searches like the plain one.
  base = BestSeconds(runs, [&] { sink = BaselineReplace(LowerCase(text), "program files", "PF").size(); });
  noCaseTime = BestSeconds(runs, [&] { sink = StrReplaceAllNoCase(text, "PROGRAM files", "PF").size(); });
  std::snprintf(label, sizeof label, "StrReplaceAllNoCase %zu MB", bytes >> 20);
  Report(label, noCaseTime, base);

  TStringList list;
  base = BestSeconds(runs, [&] { sink = BaselineSplit(text, ";").size(); });
  parseTime = BestSeconds(runs, [&] { sink = static_cast<size_t>(StrParse(text, ";", &list)); });
  std::snprintf(label, sizeof label, "StrParse %zu MB", bytes >> 20);
  Report(label, parseTime, base);
}

}  // namespace

int main() {
  std::printf("String routines against plain std::string code (ratio = routine / baseline)\n");
  double r1, n1, p1, r2, n2, p2;
  RunAt(4u << 20, r1, n1, p1);
  RunAt(8u << 20, r2, n2, p2);

  // Worst case for a naive matcher: a long run of 'a' with a pattern that fails at its last byte.
  const String runOfA(4u << 20, 'a');
  const String pattern = String(1000, 'a') + "b";
  double pathological = BestSeconds(3, [&] { sink = StrReplaceAll(runOfA, pattern, "x").size(); });
  double plainCopy = BestSeconds(3, [&] { sink = String(runOfA).size(); });
  Report("StrReplaceAll 4 MB, 1001-byte near-miss", pathological, plainCopy);

  std::printf("\nGrowth from 4 MB to 8 MB (linear is about 2.0)\n");
  std::printf("StrReplaceAll %.2f  StrReplaceAllNoCase %.2f  StrParse %.2f\n", r2 / r1, n2 / n1, p2 / p1);
  return 0;
}
