// The demo's one call of WinHelp. Every request for the help file goes through CallWinHelp, so a
// host (a test, say) can put a stand-in in its place: WinHelp waits forever for an answer when
// its file is missing on some systems, and a test must never reach it.
#pragma once

#include <cstdint>

#include "framework/SysUtils.h"
#include "framework/WinApi.h"

namespace Tovix {

// WinHelp's commands the demo uses.
constexpr unsigned DemoHelpContents = 3;  // HELP_CONTENTS
constexpr unsigned DemoHelpQuit = 2;      // HELP_QUIT
constexpr unsigned DemoHelpKey = 257;     // HELP_KEY: data is the keyword

using TWinHelpCall = bool (*)(HWND window, const String& helpFile, unsigned command, uintptr_t data);

// The platform's WinHelp.
bool SystemWinHelp(HWND window, const String& helpFile, unsigned command, uintptr_t data);

// What CallWinHelp calls; SystemWinHelp unless replaced. Returns the previous one.
TWinHelpCall SetWinHelpCall(TWinHelpCall call);
bool CallWinHelp(HWND window, const String& helpFile, unsigned command, uintptr_t data);

}  // namespace Tovix
