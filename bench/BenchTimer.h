// Timing for benchmarks: the best of several runs, so that a noisy machine inflates nothing.
#pragma once

#include <chrono>
#include <cstdio>

namespace Tovix::Bench {

template <typename F>
double BestSeconds(int runs, F&& work) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    auto start = std::chrono::steady_clock::now();
    work();
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (took.count() < best) best = took.count();
  }
  return best;
}

inline void Report(const char* name, double seconds, double baselineSeconds) {
  std::printf("%-44s %9.2f ms  baseline %9.2f ms  ratio %5.2f\n", name, seconds * 1e3, baselineSeconds * 1e3,
              seconds / baselineSeconds);
}

}  // namespace Tovix::Bench
