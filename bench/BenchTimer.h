// Timing for benchmarks on a noisy machine: a routine and its baseline are run in turn, several
// times each, and the minimum and the median of each are reported with their ratios. Alternating
// spreads any slow spell of the machine over both sides instead of one.
//
//   auto timing = Tovix::Bench::Compare(7, [&] { RoutineUnderTest(); }, [&] { Baseline(); });
//   Tovix::Bench::Report("StrReplaceAll 4 MB", timing);
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace Tovix::Bench {

// The runs of one side, in seconds.
struct Samples {
  std::vector<double> seconds;

  double Min() const { return seconds.empty() ? 0 : *std::min_element(seconds.begin(), seconds.end()); }
  double Median() const {
    if (seconds.empty()) return 0;
    std::vector<double> sorted = seconds;
    std::sort(sorted.begin(), sorted.end());
    size_t mid = sorted.size() / 2;
    return sorted.size() % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
  }
};

struct Comparison {
  Samples routine;
  Samples baseline;
};

template <typename F>
double SecondsOf(F&& work) {
  auto start = std::chrono::steady_clock::now();
  work();
  std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  return took.count();
}

// Runs baseline and routine in turn, runs times each (at least 5); prepare runs untimed before
// every run of either side (to restore a file that the routine changes, for instance).
template <typename R, typename B, typename P>
Comparison Compare(int runs, R&& routine, B&& baseline, P&& prepare) {
  Comparison result;
  runs = std::max(runs, 5);
  for (int i = 0; i < runs; ++i) {
    prepare();
    result.baseline.seconds.push_back(SecondsOf(baseline));
    prepare();
    result.routine.seconds.push_back(SecondsOf(routine));
  }
  return result;
}

template <typename R, typename B>
Comparison Compare(int runs, R&& routine, B&& baseline) {
  return Compare(runs, routine, baseline, [] {});
}

inline void Report(const char* name, const Comparison& c) {
  double minRatio = c.routine.Min() / c.baseline.Min();
  double medianRatio = c.routine.Median() / c.baseline.Median();
  std::printf("%-44s min %9.2f ms / %9.2f ms = %5.2f   median %9.2f ms / %9.2f ms = %5.2f   (%zu runs)\n", name,
              c.routine.Min() * 1e3, c.baseline.Min() * 1e3, minRatio, c.routine.Median() * 1e3,
              c.baseline.Median() * 1e3, medianRatio, c.routine.seconds.size());
}

}  // namespace Tovix::Bench
