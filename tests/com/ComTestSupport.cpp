#include "tests/com/ComTestSupport.h"

#include "framework/Registry.h"

namespace Tovix::Testing {

String BesideTestProgram(const String& fileName) {
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  return ExtractFilePath(program) + fileName;
}

String ClassesValue(const String& key, const String& valueName) {
  TRegistry registry;
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  if (!registry.OpenKeyReadOnly(key)) return "<no key>";
  if (!registry.ValueExists(valueName)) return "<no value>";
  return registry.ReadString(valueName);
}

bool ClassesKeyExists(const String& key) {
  TRegistry registry;
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  return registry.KeyExists(key);
}

void WriteClassesValue(const String& key, const String& valueName, const String& value) {
  TRegistry registry;
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  if (!registry.OpenKey(key, true)) throw Exception("cannot make " + key);
  registry.WriteString(valueName, value);
}

}  // namespace Tovix::Testing
