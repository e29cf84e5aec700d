// Every registry test runs inside a sandbox: the predefined roots point at scratch keys, and the
// helpers here look at those keys through the plain Win32 calls, independently of TRegistry.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "framework/Classes.h"
#include "framework/WinApi.h"
#include "tests/support/RegistrySandbox.h"

namespace Tovix::Testing {

class RegistryFixture : public ::testing::Test {
 protected:
  struct StoredValue {
    bool exists = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
  };

  // Creates the key path below the sandboxed root and, with a name, writes a value into it.
  void StoreRaw(const String& path, const char* name = nullptr, DWORD type = REG_NONE, const void* data = nullptr,
                DWORD size = 0, HKEY root = HKEY_CURRENT_USER);
  StoredValue LoadRaw(const String& path, const String& name, HKEY root = HKEY_CURRENT_USER) const;
  bool RawKeyExists(const String& path) const;
  // The list's contents sorted without regard to case: the registry enumerates in its own order.
  static std::vector<String> SortedNames(const TStrings& list);
  // The handles the process holds now (up to 4,096 of them); registry keys are counted among them.
  static DWORD HandleCount();

  RegistrySandbox sandbox_;
};

}  // namespace Tovix::Testing
