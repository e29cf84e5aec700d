// Shared by the com tests: where the test servers are, and reading what the registry holds.
#pragma once

#include "framework/SysUtils.h"
#include "framework/WinApi.h"

namespace Tovix::Testing {

// The full path of a file built beside the test program (the test servers).
String BesideTestProgram(const String& fileName);
// The text value of an existing key of HKEY_CLASSES_ROOT; "<no key>" or "<no value>" when absent.
String ClassesValue(const String& key, const String& valueName = String());
bool ClassesKeyExists(const String& key);
void WriteClassesValue(const String& key, const String& valueName, const String& value);

}  // namespace Tovix::Testing
