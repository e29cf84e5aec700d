// Types of the Controls unit: alignment, mouse and keyboard state, cursors, shortcuts, styles and
// the parameters a windowed control is created from.
#pragma once

#include "framework/system/Events.h"
#include "framework/controls/Messages.h"
#include "framework/classes/TypInfo.h"

namespace Tovix {

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;
enum TDragMode { dmManual, dmAutomatic };

enum TControlStyleItem {
  csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption, csOpaque,
  csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable, csNoStdEvents,
  csDisplayDragImage, csReflector, csActionClient, csMenuEvents
};
using TControlStyle = TSet<TControlStyleItem>;

enum TControlStateItem {
  csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating,
  csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking
};
using TControlState = TSet<TControlStateItem>;

// A cursor: one of the cr* values, or a cursor the application added to the screen.
enum TCursor : int16_t {
  crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSize = -22, crSizeNESW = -6,
  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crDrag = -12,
  crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crSQLWait = -17, crNo = -18,
  crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22
};
// The system cursor a cr* value stands for.
HCURSOR CursorHandle(TCursor cursor);

// Key, Ctrl, Shift and Alt as one 16-bit value: key in the low byte, 0x2000 Shift, 0x4000 Ctrl,
// 0x8000 Alt.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
TShortCut ShortCut(uint16_t key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift);
// The state of Shift, Ctrl and Alt when a key message was sent (Alt from its key data).
TShiftState KeyDataToShiftState(intptr_t keyData);
// The state of Shift, Ctrl and the mouse buttons from a mouse message's WPARAM.
TShiftState KeysToShiftState(uintptr_t keys);
// Shift, Ctrl and Alt as the keyboard has them now.
TShiftState GetShiftState();

using TKeyEvent = TEvent<TObject* /*Sender*/, uint16_t& /*Key*/, TShiftState>;
using TKeyPressEvent = TEvent<TObject* /*Sender*/, char& /*Key*/>;
using TMouseEvent = TEvent<TObject* /*Sender*/, TMouseButton, TShiftState, int /*X*/, int /*Y*/>;
using TMouseMoveEvent = TEvent<TObject* /*Sender*/, TShiftState, int /*X*/, int /*Y*/>;

// What CreateWnd makes the window from.
struct TCreateParams {
  String Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASSA WindowClass = {};
  String WinClassName;
};

// True on every platform this framework runs on (Windows 95/NT 4 style controls).
extern const bool NewStyleControls;

template <> struct TEnumTraits<TAlign> { static const TEnumInfo& Info(); };
template <> struct TEnumTraits<TDragMode> { static const TEnumInfo& Info(); };
template <> struct TEnumTraits<TShiftStateItem> { static const TEnumInfo& Info(); };
template <> struct TIdentTraits<TCursor> {
  static bool ToIdent(int value, String& ident);
  static bool FromIdent(const String& ident, int& value);
};

}  // namespace Tovix
