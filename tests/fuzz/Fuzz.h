// What the fuzz suites share: how many inputs a run makes, and the rule every input is held to.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <exception>
#include <functional>

#include "framework/SysUtils.h"
#include "tests/support/Mutator.h"

namespace Tovix::Testing {

// How many times the quick run's inputs to make: 1 in `make test`; tools/run-fuzz.sh sets the
// environment variable TOVIX_FUZZ_SCALE for a longer run.
int FuzzScale();

// Counts the inputs of one suite and prints them when the suite ends.
class FuzzCount {
 public:
  explicit FuzzCount(const char* suite) : suite_(suite) {}
  ~FuzzCount() { std::printf("[fuzz] %s: %d inputs, %d refused with a framework exception\n", suite_, inputs_, refused_); }

  // Runs one input. It may succeed, or fail with the framework's own exception and a message; any
  // other exception is a fault, reported with the input's description.
  void Run(const String& description, const std::function<void()>& input);
  int Inputs() const { return inputs_; }

 private:
  const char* suite_;
  int inputs_ = 0;
  int refused_ = 0;
};

}  // namespace Tovix::Testing
