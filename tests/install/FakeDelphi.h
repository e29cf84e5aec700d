// Fake Delphi installations for the installer tests: registry keys in the sandbox and folders,
// executables and help files in a scratch folder.
#pragma once

#include <gtest/gtest.h>

#include "framework/Registry.h"
#include "install/Orvdelphiversions.h"
#include "tests/support/RegistrySandbox.h"
#include "tests/support/ScratchFolder.h"

namespace Tovix::Testing {

class FakeDelphi : public ::testing::Test {
 protected:
  // The version's machine key with the values given (an empty text writes no value), under
  // HKEY_LOCAL_MACHINE\Software\Borland\Delphi\<versionKey>.
  void MachineKey(const String& versionKey, const String& rootDir, const String& exeName, const String& exePath);
  // A value under HKEY_CURRENT_USER\Software\Borland\Delphi\<versionKey>\<subKey>; an empty name
  // only makes the key.
  void UserValue(const String& versionKey, const String& subKey, const String& name, const String& data);
  // A string value read back, or "<missing>".
  String ReadUser(const String& versionKey, const String& subKey, const String& name);
  bool UserKeyExists(const String& versionKey, const String& subKey);
  // The value names of a user key, sorted without case.
  std::vector<String> UserValueNames(const String& versionKey, const String& subKey);

  // The lines of a string list, to compare at once.
  static std::vector<String> Lines(const TStrings& list);

  // A complete, valid installation below the scratch folder: root <folder>\D<major>, its Bin
  // folder with the executable, the user keys and an empty Help folder. Returns the root.
  String Install(const String& versionKey, int major);

  RegistrySandbox sandbox_;
  ScratchFolder folder_;
};

}  // namespace Tovix::Testing
