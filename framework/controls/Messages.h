// The framework's own window messages: CM_* notifications between controls, and CN_* messages,
// which are WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR* and key messages reflected back to the control
// they concern.
#pragma once

#include "framework/classes/TypInfo.h"
#include "framework/system/WinApi.h"

namespace Tovix {

constexpr unsigned CM_BASE = 0xB000;
constexpr unsigned CM_ACTIVATE = CM_BASE + 0;
constexpr unsigned CM_DEACTIVATE = CM_BASE + 1;
constexpr unsigned CM_GOTFOCUS = CM_BASE + 2;
constexpr unsigned CM_LOSTFOCUS = CM_BASE + 3;
constexpr unsigned CM_CANCELMODE = CM_BASE + 4;
constexpr unsigned CM_DIALOGKEY = CM_BASE + 5;
constexpr unsigned CM_DIALOGCHAR = CM_BASE + 6;
constexpr unsigned CM_FOCUSCHANGED = CM_BASE + 7;
constexpr unsigned CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr unsigned CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr unsigned CM_HITTEST = CM_BASE + 10;
constexpr unsigned CM_VISIBLECHANGED = CM_BASE + 11;
constexpr unsigned CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr unsigned CM_COLORCHANGED = CM_BASE + 13;
constexpr unsigned CM_FONTCHANGED = CM_BASE + 14;
constexpr unsigned CM_CURSORCHANGED = CM_BASE + 15;
constexpr unsigned CM_CTL3DCHANGED = CM_BASE + 16;
constexpr unsigned CM_PARENTCTL3DCHANGED = CM_BASE + 17;
constexpr unsigned CM_TEXTCHANGED = CM_BASE + 18;
constexpr unsigned CM_MOUSEENTER = CM_BASE + 19;
constexpr unsigned CM_MOUSELEAVE = CM_BASE + 20;
constexpr unsigned CM_MENUCHANGED = CM_BASE + 21;
constexpr unsigned CM_APPKEYDOWN = CM_BASE + 22;
constexpr unsigned CM_APPSYSCOMMAND = CM_BASE + 23;
constexpr unsigned CM_BUTTONPRESSED = CM_BASE + 24;
constexpr unsigned CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr unsigned CM_ENTER = CM_BASE + 26;
constexpr unsigned CM_EXIT = CM_BASE + 27;
constexpr unsigned CM_DESIGNHITTEST = CM_BASE + 28;
constexpr unsigned CM_ICONCHANGED = CM_BASE + 29;
constexpr unsigned CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr unsigned CM_INVOKEHELP = CM_BASE + 31;
constexpr unsigned CM_WINDOWHOOK = CM_BASE + 32;
constexpr unsigned CM_RELEASE = CM_BASE + 33;
constexpr unsigned CM_SHOWHINTCHANGED = CM_BASE + 34;
constexpr unsigned CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr unsigned CM_SYSCOLORCHANGE = CM_BASE + 36;
constexpr unsigned CM_WININICHANGE = CM_BASE + 37;
constexpr unsigned CM_FONTCHANGE = CM_BASE + 38;
constexpr unsigned CM_TIMECHANGE = CM_BASE + 39;
constexpr unsigned CM_TABSTOPCHANGED = CM_BASE + 40;
constexpr unsigned CM_UIACTIVATE = CM_BASE + 41;
constexpr unsigned CM_UIDEACTIVATE = CM_BASE + 42;
constexpr unsigned CM_DOCWINDOWACTIVATE = CM_BASE + 43;
constexpr unsigned CM_CONTROLLISTCHANGE = CM_BASE + 44;
constexpr unsigned CM_GETDATALINK = CM_BASE + 45;
constexpr unsigned CM_CHILDKEY = CM_BASE + 46;
constexpr unsigned CM_DRAG = CM_BASE + 47;
constexpr unsigned CM_HINTSHOW = CM_BASE + 48;
constexpr unsigned CM_DIALOGHANDLE = CM_BASE + 49;
constexpr unsigned CM_ISTOOLCONTROL = CM_BASE + 50;
constexpr unsigned CM_RECREATEWND = CM_BASE + 51;
constexpr unsigned CM_INVALIDATE = CM_BASE + 52;
constexpr unsigned CM_SYSFONTCHANGED = CM_BASE + 53;
constexpr unsigned CM_CONTROLCHANGE = CM_BASE + 54;
constexpr unsigned CM_CHANGED = CM_BASE + 55;

constexpr unsigned CN_BASE = 0xBC00;
constexpr unsigned CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr unsigned CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr unsigned CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr unsigned CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr unsigned CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr unsigned CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr unsigned CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr unsigned CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr unsigned CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr unsigned CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr unsigned CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr unsigned CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr unsigned CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr unsigned CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr unsigned CN_PARENTNOTIFY = CN_BASE + WM_PARENTNOTIFY;
constexpr unsigned CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
constexpr unsigned CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr unsigned CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr unsigned CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr unsigned CN_CHAR = CN_BASE + WM_CHAR;
constexpr unsigned CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr unsigned CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
constexpr unsigned CN_NOTIFY = CN_BASE + WM_NOTIFY;

// Mouse positions in a message's LPARAM are signed 16-bit client coordinates.
inline int MessageX(const TMessage& m) { return static_cast<short>(LOWORD(m.LParam)); }
inline int MessageY(const TMessage& m) { return static_cast<short>(HIWORD(m.LParam)); }
inline intptr_t PointToLParam(int x, int y) {
  return static_cast<intptr_t>(MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y))));
}

}  // namespace Tovix
