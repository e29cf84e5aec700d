// orvwisecall: calls a function of a setup DLL with an installer parameter block, as the Wise
// installation system does, and prints the variables afterwards and what changed.
//
//   orvwisecall [options] setup.dll Function [NAME=value ...]
//
//   --vars FILE       variables from a file of NAME=value lines (before those of the command line)
//   --param TEXT      the string parameter of the call
//   --max-vars N      slots in each table (100)
//   --name-width N    bytes per name slot, terminator included (64)
//   --value-width N   bytes per value slot, terminator included (1024)
//
// Exit code: 0 when the call went well, 1 when it had problems (see the report), 2 when it could
// not be made.
#include <cstdio>
#include <cstdlib>

#include "install/Orvwisecall.h"

namespace {

using namespace Tovix;

const char kUsage[] =
    "usage: orvwisecall [--vars FILE] [--param TEXT] [--max-vars N] [--name-width N] [--value-width N]\n"
    "                   setup.dll Function [NAME=value ...]\n";

uint32_t ParseCount(const String& option, const String& text) {
  char* end = nullptr;
  unsigned long long value = std::strtoull(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value > UINT32_MAX)
    throw Exception(Format("%s needs a number from 0 to %u, not '%s'", option, UINT32_MAX, text));
  return static_cast<uint32_t>(value);
}

TOrvWiseCallSetup ParseArguments(int argc, char** argv) {
  TOrvWiseCallSetup setup;
  std::vector<TOrvWiseVariable> fromCommandLine;
  std::vector<String> positional;
  for (int i = 1; i < argc; ++i) {
    String arg = argv[i];
    bool hasValue = i + 1 < argc;
    if (arg.rfind("--", 0) == 0 && !hasValue) throw Exception(Format("%s needs a value", arg));
    if (arg == "--vars") {
      for (const TOrvWiseVariable& v : OrvWiseReadVariables(argv[++i])) setup.Variables.push_back(v);
    } else if (arg == "--param") {
      setup.ParamString = argv[++i];
    } else if (arg == "--max-vars") {
      setup.MaxVars = ParseCount(arg, argv[++i]);
    } else if (arg == "--name-width") {
      setup.VarNameWidth = ParseCount(arg, argv[++i]);
    } else if (arg == "--value-width") {
      setup.VarValueWidth = ParseCount(arg, argv[++i]);
    } else if (arg.rfind("--", 0) == 0) {
      throw Exception(Format("unknown option %s", arg));
    } else if (positional.size() < 2) {
      positional.push_back(arg);
    } else {
      fromCommandLine.push_back(OrvWiseParseVariable(arg));
    }
  }
  if (positional.size() < 2) throw Exception("the setup DLL and the name of its function are needed");
  setup.DllPath = positional[0];
  setup.FunctionName = positional[1];
  for (const TOrvWiseVariable& v : fromCommandLine) setup.Variables.push_back(v);
  return setup;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    TOrvWiseCallResult result = OrvWiseCall(ParseArguments(argc, argv));
    std::fputs(OrvWiseCallReport(result).c_str(), stdout);
    return result.Problems.empty() ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "orvwisecall: %s\n%s", e.what(), kUsage);
    return 2;
  }
}
