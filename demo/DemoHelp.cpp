#include "demo/DemoHelp.h"

namespace Tovix {

namespace {
TWinHelpCall winHelpCall = &SystemWinHelp;
}

bool SystemWinHelp(HWND window, const String& helpFile, unsigned command, uintptr_t data) {
  return WinHelpA(window, helpFile.c_str(), command, data) != FALSE;
}

TWinHelpCall SetWinHelpCall(TWinHelpCall call) {
  TWinHelpCall previous = winHelpCall;
  winHelpCall = call ? call : &SystemWinHelp;
  return previous;
}

bool CallWinHelp(HWND window, const String& helpFile, unsigned command, uintptr_t data) {
  return winHelpCall(window, helpFile, command, data);
}

}  // namespace Tovix
