// Times the replacing and splitting routines on multi-megabyte text against plain std::string
// code doing the same work, shows that doubling the input about doubles the time, and times the
// worst case of a first-byte search (long near-misses) against a plain copy of the text.
#include <cstdio>
#include <vector>

#include "bench/BenchTimer.h"
#include "utils/Orvutils.h"

using namespace Tovix;
using Tovix::Bench::Compare;
using Tovix::Bench::Comparison;
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
constexpr int kRuns = 15;

struct Growth {
  double replace = 0, noCase = 0, parse = 0;  // median seconds of each routine
};

Growth RunAt(size_t bytes) {
  const String text = MakeText(bytes);
  char label[96];
  Growth medians;

  Comparison c = Compare(kRuns, [&] { sink = StrReplaceAll(text, "Program Files", "PF").size(); },
                         [&] { sink = BaselineReplace(text, "Program Files", "PF").size(); });
  std::snprintf(label, sizeof label, "StrReplaceAll %zu MB", bytes >> 20);
  Report(label, c);
  medians.replace = c.routine.Median();

  // The baseline for the case-blind scan folds the text first, then searches like the plain one.
  c = Compare(kRuns, [&] { sink = StrReplaceAllNoCase(text, "PROGRAM files", "PF").size(); },
              [&] { sink = BaselineReplace(LowerCase(text), "program files", "PF").size(); });
  std::snprintf(label, sizeof label, "StrReplaceAllNoCase %zu MB", bytes >> 20);
  Report(label, c);
  medians.noCase = c.routine.Median();

  TStringList list;
  c = Compare(kRuns, [&] { sink = static_cast<size_t>(StrParse(text, ";", &list)); },
              [&] { sink = BaselineSplit(text, ";").size(); });
  std::snprintf(label, sizeof label, "StrParse %zu MB", bytes >> 20);
  Report(label, c);
  medians.parse = c.routine.Median();
  return medians;
}

}  // namespace

int main() {
  std::printf("String routines against plain std::string code (ratio = routine / baseline)\n");
  Growth four = RunAt(4u << 20);
  Growth eight = RunAt(8u << 20);

  // Worst cases for a search that jumps to one byte of the pattern and compares there: every
  // place a candidate that fails only late. A run of 'a' against 'a'...'a' 'b' (the classic), and
  // a run of 'b' against 'b'...'b' 'a' 'b'...'b', which fails in the middle. Against a plain copy
  // of the text: linear work is a small multiple of it, and doubling the text doubles the time.
  struct NearMiss {
    const char* name;
    char fill;
    String pattern;
  };
  const NearMiss cases[] = {{"StrReplaceAll %zu MB, 1001-byte near-miss at the end", 'a', String(1000, 'a') + "b"},
                            {"StrReplaceAll %zu MB, 1001-byte near-miss in the middle", 'b',
                             String(500, 'b') + "a" + String(500, 'b')}};
  double nearMissMedians[2][2];
  for (int i = 0; i < 2; ++i) {
    for (int doubled = 0; doubled < 2; ++doubled) {
      const String run(doubled ? 8u << 20 : 4u << 20, cases[i].fill);
      Comparison c = Compare(5, [&] { sink = StrReplaceAll(run, cases[i].pattern, "x").size(); },
                             [&] { sink = String(run).size(); });
      char label[96];
      std::snprintf(label, sizeof label, cases[i].name, run.size() >> 20);
      Report(label, c);
      nearMissMedians[i][doubled] = c.routine.Median();
    }
  }

  std::printf("\nGrowth from 4 MB to 8 MB, medians (linear is about 2.0)\n");
  std::printf("StrReplaceAll %.2f  StrReplaceAllNoCase %.2f  StrParse %.2f  near-misses %.2f %.2f\n",
              eight.replace / four.replace, eight.noCase / four.noCase, eight.parse / four.parse,
              nearMissMedians[0][1] / nearMissMedians[0][0], nearMissMedians[1][1] / nearMissMedians[1][0]);
  return 0;
}
