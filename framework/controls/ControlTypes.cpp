#include "framework/controls/ControlTypes.h"

namespace Tovix {

const bool NewStyleControls = true;

namespace {

struct CursorName {
  TCursor cursor;
  const char* name;
  const char* systemId;  // the IDC_* resource of the system cursor
};

const CursorName kCursors[] = {
    {crDefault, "crDefault", IDC_ARROW}, {crNone, "crNone", nullptr}, {crArrow, "crArrow", IDC_ARROW},
    {crCross, "crCross", IDC_CROSS}, {crIBeam, "crIBeam", IDC_IBEAM}, {crSizeNESW, "crSizeNESW", IDC_SIZENESW},
    {crSizeNS, "crSizeNS", IDC_SIZENS}, {crSizeNWSE, "crSizeNWSE", IDC_SIZENWSE}, {crSizeWE, "crSizeWE", IDC_SIZEWE},
    {crUpArrow, "crUpArrow", IDC_UPARROW}, {crHourGlass, "crHourGlass", IDC_WAIT}, {crDrag, "crDrag", IDC_ARROW},
    {crNoDrop, "crNoDrop", IDC_NO}, {crHSplit, "crHSplit", IDC_SIZEWE}, {crVSplit, "crVSplit", IDC_SIZENS},
    {crMultiDrag, "crMultiDrag", IDC_ARROW}, {crSQLWait, "crSQLWait", IDC_WAIT}, {crNo, "crNo", IDC_NO},
    {crAppStart, "crAppStart", IDC_APPSTARTING}, {crHelp, "crHelp", IDC_HELP},
    {crHandPoint, "crHandPoint", IDC_HAND}, {crSizeAll, "crSizeAll", IDC_SIZEALL}};

}  // namespace

HCURSOR CursorHandle(TCursor cursor) {
  for (const CursorName& c : kCursors)
    if (c.cursor == cursor) return c.systemId ? LoadCursorA(nullptr, c.systemId) : nullptr;
  return LoadCursorA(nullptr, IDC_ARROW);
}

bool TIdentTraits<TCursor>::ToIdent(int value, String& ident) {
  for (const CursorName& c : kCursors)
    if (c.cursor == value) {
      ident = c.name;
      return true;
    }
  return false;
}

bool TIdentTraits<TCursor>::FromIdent(const String& ident, int& value) {
  for (const CursorName& c : kCursors)
    if (SameText(ident, c.name)) {
      value = c.cursor;
      return true;
    }
  return false;
}

const TEnumInfo& TEnumTraits<TAlign>::Info() {
  static const TEnumInfo info{{"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}};
  return info;
}

const TEnumInfo& TEnumTraits<TDragMode>::Info() {
  static const TEnumInfo info{{"dmManual", "dmAutomatic"}};
  return info;
}

const TEnumInfo& TEnumTraits<TShiftStateItem>::Info() {
  static const TEnumInfo info{{"ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle", "ssDouble"}};
  return info;
}

TShortCut ShortCut(uint16_t key, TShiftState shift) {
  if (key & 0xFF00) return 0;
  TShortCut result = key;
  if (shift.Contains(ssShift)) result |= scShift;
  if (shift.Contains(ssCtrl)) result |= scCtrl;
  if (shift.Contains(ssAlt)) result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift) {
  key = shortCut & 0xFF;
  shift = TShiftState();
  if (shortCut & scShift) shift.Include(ssShift);
  if (shortCut & scCtrl) shift.Include(ssCtrl);
  if (shortCut & scAlt) shift.Include(ssAlt);
}

TShiftState KeyDataToShiftState(intptr_t keyData) {
  TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
  if (keyData & 0x20000000) shift.Include(ssAlt);
  return shift;
}

TShiftState KeysToShiftState(uintptr_t keys) {
  TShiftState shift;
  if (keys & MK_SHIFT) shift.Include(ssShift);
  if (keys & MK_CONTROL) shift.Include(ssCtrl);
  if (keys & MK_LBUTTON) shift.Include(ssLeft);
  if (keys & MK_RBUTTON) shift.Include(ssRight);
  if (keys & MK_MBUTTON) shift.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
  return shift;
}

TShiftState GetShiftState() {
  TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
  return shift;
}

}  // namespace Tovix
