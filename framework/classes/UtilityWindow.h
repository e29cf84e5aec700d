// Hidden utility windows: a window with no place on the screen whose messages go to a method of
// an object. Non-visual components that need window messages (timers, notification-area icons)
// receive them this way.
#pragma once

#include <functional>

#include "framework/system/SysUtils.h"
#include "framework/classes/TypInfo.h"
#include "framework/system/WinApi.h"

namespace Tovix {

// The method a utility window's messages go to.
using TWndMethod = std::function<void(TMessage& message)>;

// Makes a hidden, zero-sized WS_EX_TOOLWINDOW popup window whose messages go to method. As in
// every window procedure, the method sets Result for the messages it handles and hands the others
// to DefWindowProcA. The messages of the window's creation and destruction, which arrive before
// the method is attached and after it is detached, go to DefWindowProcA directly.
// An exception that leaves the method goes to ApplicationHandleException; it never unwinds through
// the system's code. Raises EWin32Error when the system makes no window.
HWND AllocateHWnd(TWndMethod method);

// Destroys a window made by AllocateHWnd; its method is detached first and receives nothing more,
// so an object may call this from its destructor. The method may also deallocate its own window
// while it is handling a message. Null, and windows AllocateHWnd did not make, are left alone.
void DeallocateHWnd(HWND window);

// Where exceptions go that a utility window's method lets escape. The application object sets it
// to its HandleException; while it is null they are written to the debugger output. A plain
// function pointer, so that it is set before any constructor of another unit can run.
using TExceptionHandler = void (*)(TObject* sender, const Exception& e);
extern TExceptionHandler ApplicationHandleException;

}  // namespace Tovix
