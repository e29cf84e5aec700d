// The application's help as buttons ask for it: a WinHelp command and its data.
//
// By default a request calls WinHelp for the main form's window (or the application's) with the
// help file set here, and does nothing while none is set. A program or a test may put its own
// handler in front: WinHelp on a missing file shows a question and blocks until it is answered.
#pragma once

#include <cstdint>
#include <functional>

#include "framework/system/SysUtils.h"

namespace Tovix {

using THelpHandler = std::function<void(unsigned command, uintptr_t data)>;

// Replaces how help is shown and returns the handler that was set; an empty handler brings
// WinHelp back.
THelpHandler SetHelpHandler(THelpHandler handler);
const String& GetHelpFile();
void SetHelpFile(const String& fileName);
// Asks for help: HELP_CONTENTS (3) with data 0 opens the contents, HELP_CONTEXT (1) a topic.
void ApplicationHelpCommand(unsigned command, uintptr_t data);

}  // namespace Tovix
