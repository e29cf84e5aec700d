#include "tests/support/RegistrySandbox.h"

#include <stdexcept>

namespace Tovix::Testing {

namespace {

// Each sandbox gets its own area, so a leftover from a crashed run never leaks into the next.
String NewScratchPath() {
  static int counter = 0;
  return Format("Software\\Tovix Test Sandbox\\%u-%u-%d", static_cast<unsigned>(GetCurrentProcessId()),
                static_cast<unsigned>(GetTickCount()), ++counter);
}

void Check(LONG result, const char* what) {
  if (result != ERROR_SUCCESS) throw std::runtime_error(Format("registry sandbox: %s failed (%d)", what, static_cast<int>(result)));
}

}  // namespace

RegistrySandbox::RegistrySandbox() : path_(NewScratchPath()) {
  // Open the real HKEY_CURRENT_USER once, before it is redirected, to reach the scratch area later.
  Check(RegOpenKeyExA(HKEY_CURRENT_USER, nullptr, 0, KEY_ALL_ACCESS, &realUser_), "opening HKEY_CURRENT_USER");
  for (Redirect& r : redirects_) {
    String sub = path_ + "\\" + r.name;
    Check(RegCreateKeyExA(realUser_, sub.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &r.scratch, nullptr),
          "creating a scratch key");
  }
  for (Redirect& r : redirects_) Check(RegOverridePredefKey(r.predefined, r.scratch), "redirecting a root key");
}

RegistrySandbox::~RegistrySandbox() {
  for (Redirect& r : redirects_) {
    RegOverridePredefKey(r.predefined, nullptr);
    if (r.scratch) RegCloseKey(r.scratch);
  }
  if (realUser_) {
    RegDeleteTreeA(realUser_, path_.c_str());
    // Remove the common parent too once no other sandbox uses it.
    RegDeleteKeyA(realUser_, "Software\\Tovix Test Sandbox");
    RegCloseKey(realUser_);
  }
}

HKEY RegistrySandbox::ScratchKey(HKEY predefined) const {
  for (const Redirect& r : redirects_)
    if (r.predefined == predefined) return r.scratch;
  return nullptr;
}

}  // namespace Tovix::Testing
