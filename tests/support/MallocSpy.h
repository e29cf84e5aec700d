// Counting the blocks of the system's task allocator, which is also the shell's (SHGetMalloc):
// for as long as the object lives, every allocation and free made through it (CoTaskMemAlloc,
// IMalloc, the shell's item identifier lists) is counted. A test compares Outstanding() before
// and after the code under test to see that everything it was handed was freed.
#pragma once

#include "framework/WinApi.h"

namespace Tovix::Testing {

class MallocSpy {
 public:
  // Registers the spy (CoRegisterMallocSpy); raises Exception when the system refuses.
  MallocSpy();
  ~MallocSpy();
  MallocSpy(const MallocSpy&) = delete;
  MallocSpy& operator=(const MallocSpy&) = delete;

  // Blocks allocated and not yet freed since the spy was registered.
  long Outstanding() const;
  long Allocations() const;

 private:
  class Spy;
  Spy* spy_;
};

}  // namespace Tovix::Testing
