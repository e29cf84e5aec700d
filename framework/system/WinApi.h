// The one way the framework and the library include the Windows headers.
//
// The library's text is 8-bit ANSI, so code calls the "A" functions by their full names.
// The generic A/W macros below are removed because they collide with framework names
// (TCanvas::TextOut, DeleteFile, RegisterClass, ...).
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef STRICT
#define STRICT
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif

#include <windows.h>

#undef IN
#undef OUT
#undef CopyFile
#undef CreateDialog
#undef CreateFont
#undef CreateWindow
#undef DeleteFile
#undef DrawText
#undef FindResource
#undef GetClassInfo
#undef GetClassName
#undef GetObject
#undef GetUserName
#undef LoadBitmap
#undef LoadCursor
#undef LoadIcon
#undef LoadImage
#undef LoadString
#undef MessageBox
#undef MoveFile
#undef RegisterClass
#undef TextOut
#undef UnregisterClass
