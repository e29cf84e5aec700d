// Watching a system call where the platform gives nothing to observe: for as long as the object
// lives, the slot that this program's import table holds for one imported function points at a
// replacement instead. Every call that the program's own code (the framework and the library are
// linked in) makes to that function goes to the replacement, which records it and passes it on
// to Original(), so the real system still answers.
#pragma once

#include "framework/SysUtils.h"

namespace Tovix::Testing {

class ImportPatch {
 public:
  // Raises Exception when the program does not import function from dll.
  ImportPatch(const char* dll, const char* function, void* replacement);
  ~ImportPatch();
  ImportPatch(const ImportPatch&) = delete;
  ImportPatch& operator=(const ImportPatch&) = delete;

  // The system's function, for the replacement to pass the call on to.
  void* Original() const { return original_; }

 private:
  void** slot_ = nullptr;
  void* original_ = nullptr;
};

}  // namespace Tovix::Testing
