// Orvwisecall: a stand-in for the Wise installation system's call of a setup DLL, so that a DLL
// written with TOrvWise can be tried without the installer.
//
// It does what the installer does: loads the DLL, builds a parameter block (TOrvWiseParams) with
// the given number of slots and widths, fills in the variables, calls the named function with the
// block's address, and frees the DLL. The function has the installer's signature:
//
//   extern "C" __declspec(dllexport) void __stdcall Name(TOrvWiseParams* params);
//
// one argument, the block's address, no result; __stdcall on 32-bit Windows (the name is then
// looked up as given, as "Name@4" and as "_Name@4"), the one calling convention on 64-bit.
// The program orvwisecall wraps OrvWiseCall for the command line.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/Classes.h"
#include "install/Orvwise.h"

namespace Tovix {

struct TOrvWiseVariable {
  String Name;  // without percent signs
  String Value;
  bool operator==(const TOrvWiseVariable&) const = default;
};

struct TOrvWiseCallSetup {
  String DllPath;
  String FunctionName;
  uint32_t MaxVars = 100;
  uint32_t VarNameWidth = 64;
  uint32_t VarValueWidth = 1024;
  std::vector<TOrvWiseVariable> Variables;  // put in the block in this order
  String ParamString;
  HWND WindowHandle = nullptr;
};

struct TOrvWiseCallResult {
  std::vector<TOrvWiseVariable> Before;  // the block's variables before the call
  std::vector<TOrvWiseVariable> After;   // and after it, in slot order
  uint32_t VarCountAfter = 0;            // VarCount as the function left it
  // What went wrong in the call: an exception that left the function, or the function writing
  // past a table or changing the record's fixed fields. Empty when all went well.
  std::vector<String> Problems;
};

// Runs a setup DLL's function as the installer would. Raises Exception when the call cannot be
// made (the DLL or the function is missing; a variable does not fit the slots); what happens in
// the call is reported in the result.
TOrvWiseCallResult OrvWiseCall(const TOrvWiseCallSetup& setup);

// "NAME=value" into a variable; raises Exception for text without "=" or with an empty name.
// Percent signs around the name are dropped: "%MAINDIR%=C:\App" is variable MAINDIR.
TOrvWiseVariable OrvWiseParseVariable(const String& text);
// The variables of a text file of "NAME=value" lines; blank lines and lines starting with ";"
// or "#" are skipped. Raises Exception naming the file and line of a bad line.
std::vector<TOrvWiseVariable> OrvWiseReadVariables(const String& fileName);

// The variables after the call, then what changed, then the problems, one per line:
//   %NAME% = 'value'
//   changed %NAME%: 'old' -> 'new'
//   added %NAME% = 'value'
String OrvWiseCallReport(const TOrvWiseCallResult& result);

}  // namespace Tovix
