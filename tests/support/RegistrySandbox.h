// Redirects HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT of this process to
// private scratch keys for the object's lifetime, so tests can write the registry freely.
// The scratch keys and everything written into them are deleted afterwards.
#pragma once

#include "framework/SysUtils.h"
#include "framework/WinApi.h"

namespace Tovix::Testing {

class RegistrySandbox {
 public:
  RegistrySandbox();
  ~RegistrySandbox();
  RegistrySandbox(const RegistrySandbox&) = delete;
  RegistrySandbox& operator=(const RegistrySandbox&) = delete;

  // The scratch key that stands in for a predefined key (HKEY_CURRENT_USER, ...).
  HKEY ScratchKey(HKEY predefined) const;
  // Path of the scratch area below the real HKEY_CURRENT_USER.
  const String& ScratchPath() const { return path_; }

 private:
  struct Redirect {
    HKEY predefined;
    const char* name;
    HKEY scratch = nullptr;
  };
  Redirect redirects_[3] = {{HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
                            {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
                            {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"}};
  String path_;
  HKEY realUser_ = nullptr;
};

}  // namespace Tovix::Testing
