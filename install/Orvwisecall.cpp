#include "install/Orvwisecall.h"

#include <cstring>
#include <memory>

#include "framework/SystemTextFile.h"

namespace Tovix {

namespace {

// Bytes written after each table; a function that changes them wrote past its slots.
constexpr size_t kGuardSize = 16;
constexpr char kGuardByte = static_cast<char>(0xA5);
// The stand-in refuses tables larger than this rather than failing somewhere in the allocator.
constexpr uint64_t kMaxTableSize = 64u * 1024 * 1024;

using TWiseFunction = void(WINAPI*)(TOrvWiseParams*);

struct TFreeModule {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using TModuleHolder = std::unique_ptr<std::remove_pointer_t<HMODULE>, TFreeModule>;

// The installer's block and the memory it points to, owned here as the installer owns it.
struct TBlock {
  TOrvWiseParams params{};
  std::vector<char> names;
  std::vector<char> values;
  String paramString;
};

std::vector<char> MakeTable(uint32_t slots, uint32_t width) {
  uint64_t size = uint64_t{slots} * width;
  if (size > kMaxTableSize)
    throw Exception(Format("A table of %d slots of %d bytes is larger than the %d bytes allowed", slots, width, kMaxTableSize));
  std::vector<char> table(static_cast<size_t>(size) + kGuardSize, kGuardByte);
  std::memset(table.data(), 0, static_cast<size_t>(size));
  return table;
}

bool GuardIntact(const std::vector<char>& table) {
  for (size_t i = table.size() - kGuardSize; i < table.size(); ++i)
    if (table[i] != kGuardByte) return false;
  return true;
}

void BuildBlock(TBlock& block, const TOrvWiseCallSetup& setup) {
  block.names = MakeTable(setup.MaxVars, setup.VarNameWidth);
  block.values = MakeTable(setup.MaxVars, setup.VarValueWidth);
  block.paramString = setup.ParamString;
  TOrvWiseParams& p = block.params;
  p.Size = sizeof(TOrvWiseParams);
  p.WindowHandle = setup.WindowHandle;
  p.MaxVars = setup.MaxVars;
  p.VarNameWidth = setup.VarNameWidth;
  p.VarValueWidth = setup.VarValueWidth;
  p.VarCount = 0;
  p.VarNames = block.names.data();
  p.VarValues = block.values.data();
  p.ParamString = block.paramString.c_str();
  TOrvWise wise(&p);
  for (const TOrvWiseVariable& v : setup.Variables) wise.AddVar(v.Name, v.Value);
}

String StripPercents(const String& name) {
  if (name.size() >= 2 && name.front() == '%' && name.back() == '%') return name.substr(1, name.size() - 2);
  return name;
}

std::vector<TOrvWiseVariable> ReadVariables(TOrvWiseParams& params) {
  TOrvWise wise(&params);
  std::vector<TOrvWiseVariable> variables;
  for (uint32_t i = 0; i < wise.GetVarCount() && i < wise.GetMaxVars(); ++i)
    variables.push_back({StripPercents(wise.GetVarName(i)), wise.GetVarByIndex(i)});
  return variables;
}

FARPROC FindFunction(HMODULE module, const String& name) {
  FARPROC proc = GetProcAddress(module, name.c_str());
#if INTPTR_MAX == INT32_MAX
  // 32-bit __stdcall names may carry their argument size, with or without the underscore.
  if (!proc) proc = GetProcAddress(module, (name + "@4").c_str());
  if (!proc) proc = GetProcAddress(module, ("_" + name + "@4").c_str());
#endif
  return proc;
}

// Runs the function; what escapes it becomes a problem instead of ending the stand-in.
void CallFunction(TWiseFunction function, TOrvWiseParams* params, std::vector<String>& problems) {
  try {
    function(params);
  } catch (const std::exception& e) {
    problems.push_back(Format("The function raised an exception: %s", String(e.what())));
  } catch (...) {
    problems.push_back("The function raised an exception of an unknown type");
  }
}

// Checks the fixed fields and the guards after the call, and puts back what the function
// changed so that the variables can still be read.
void CheckBlock(TBlock& block, const TOrvWiseParams& original, std::vector<String>& problems) {
  TOrvWiseParams& p = block.params;
  bool fixedIntact = p.Size == original.Size && p.WindowHandle == original.WindowHandle &&
                     p.MaxVars == original.MaxVars && p.VarNameWidth == original.VarNameWidth &&
                     p.VarValueWidth == original.VarValueWidth && p.VarNames == original.VarNames &&
                     p.VarValues == original.VarValues && p.ParamString == original.ParamString;
  if (!fixedIntact) {
    problems.push_back("The function changed fields of the block other than VarCount; they were put back");
    uint32_t count = p.VarCount;
    p = original;
    p.VarCount = count;
  }
  if (p.VarCount > p.MaxVars)
    problems.push_back(Format("The function set VarCount to %d, more than the %d slots", p.VarCount, p.MaxVars));
  if (!GuardIntact(block.names)) problems.push_back("The function wrote past the end of the name table");
  if (!GuardIntact(block.values)) problems.push_back("The function wrote past the end of the value table");
}

const TOrvWiseVariable* FindVariable(const std::vector<TOrvWiseVariable>& list, const String& name) {
  for (const TOrvWiseVariable& v : list)
    if (UpperCase(v.Name) == UpperCase(name)) return &v;
  return nullptr;
}

}  // namespace

TOrvWiseCallResult OrvWiseCall(const TOrvWiseCallSetup& setup) {
  auto block = std::make_unique<TBlock>();
  BuildBlock(*block, setup);

  TModuleHolder module(LoadLibraryA(setup.DllPath.c_str()));
  if (!module) throw Exception(Format("Cannot load the setup DLL %s: %s", setup.DllPath, SysErrorMessage(GetLastError())));
  FARPROC proc = FindFunction(module.get(), setup.FunctionName);
  if (!proc) throw Exception(Format("The setup DLL %s has no function %s", setup.DllPath, setup.FunctionName));
  // Through the generic function pointer type: the installer's signature is a promise of the DLL.
  auto function = reinterpret_cast<TWiseFunction>(reinterpret_cast<void (*)()>(proc));

  TOrvWiseCallResult result;
  result.Before = ReadVariables(block->params);
  const TOrvWiseParams original = block->params;
  CallFunction(function, &block->params, result.Problems);
  CheckBlock(*block, original, result.Problems);
  result.VarCountAfter = block->params.VarCount;
  result.After = ReadVariables(block->params);
  return result;
}

TOrvWiseVariable OrvWiseParseVariable(const String& text) {
  size_t equals = text.find('=');
  if (equals == String::npos) throw Exception(Format("'%s' is not a variable: NAME=value expected", text));
  String name = StripPercents(Trim(text.substr(0, equals)));
  if (name.empty()) throw Exception(Format("'%s' has no variable name before '='", text));
  return {name, text.substr(equals + 1)};
}

std::vector<TOrvWiseVariable> OrvWiseReadVariables(const String& fileName) {
  std::vector<TOrvWiseVariable> variables;
  TTextFile file;
  file.Reset(fileName);
  int lineNumber = 0;
  String line;
  while (file.ReadLn(line)) {
    ++lineNumber;
    String trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') continue;
    try {
      variables.push_back(OrvWiseParseVariable(line));
    } catch (const Exception& e) {
      throw Exception(Format("%s, line %d: %s", fileName, lineNumber, e.Message()));
    }
  }
  file.Close();
  return variables;
}

String OrvWiseCallReport(const TOrvWiseCallResult& result) {
  String report = Format("Variables after the call: %d\n", result.VarCountAfter);
  for (const TOrvWiseVariable& v : result.After) report += Format("  %%%s%% = '%s'\n", v.Name, v.Value);
  String changes;
  for (const TOrvWiseVariable& v : result.After) {
    const TOrvWiseVariable* old = FindVariable(result.Before, v.Name);
    if (!old) changes += Format("  added %%%s%% = '%s'\n", v.Name, v.Value);
    else if (old->Value != v.Value) changes += Format("  changed %%%s%%: '%s' -> '%s'\n", v.Name, old->Value, v.Value);
  }
  for (const TOrvWiseVariable& v : result.Before)
    if (!FindVariable(result.After, v.Name)) changes += Format("  removed %%%s%%\n", v.Name);
  report += changes.empty() ? String("Changes: none\n") : "Changes:\n" + changes;
  if (!result.Problems.empty()) {
    report += "Problems:\n";
    for (const String& problem : result.Problems) report += "  " + problem + "\n";
  }
  return report;
}

}  // namespace Tovix
