// A small seeded mutator for the fuzz tests: the same seed gives the same inputs on every run and
// every machine, so a failing input can be made again from its seed and round.
#pragma once

#include <cstdint>
#include <random>

#include "framework/SysUtils.h"

namespace Tovix::Testing {

class Mutator {
 public:
  explicit Mutator(uint32_t seed) : random_(seed) {}

  // A number from 0 to n - 1 (0 when n is 0).
  uint32_t Below(uint32_t n);
  // Bytes of any value, zero bytes and line ends included.
  String RandomBytes(size_t count);
  // The sample with a few random changes of the kinds below, one to maxChanges of them.
  String Mutate(const String& sample, int maxChanges = 4);

  // The single changes, for callers that want one kind.
  String Cut(const String& text);            // a random piece removed
  String Duplicate(const String& text);      // a random piece copied to a random place
  String FlipBytes(const String& text);      // a few bytes changed to random values
  String HugeNumber(const String& text);     // a number no field can hold, put after a '=' or anywhere
  String Punctuation(const String& text);    // a quote, bracket, brace, zero byte or line end put in
  String Truncate(const String& text);       // everything after a random place removed
  String RepeatLine(const String& text);     // one line repeated many times in a row

 private:
  size_t Place(const String& text) { return Below(static_cast<uint32_t>(text.size()) + 1); }

  std::mt19937 random_;
};

}  // namespace Tovix::Testing
