#include "framework/stdctrls/StdTypes.h"

#include "framework/system/ScopeExit.h"

namespace Tovix {

const TEnumInfo& TEnumTraits<TEditCharCase>::Info() {
  static const TEnumInfo info{{"ecNormal", "ecUpperCase", "ecLowerCase"}};
  return info;
}

const TEnumInfo& TEnumTraits<TScrollStyle>::Info() {
  static const TEnumInfo info{{"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}};
  return info;
}

const TEnumInfo& TEnumTraits<TTextLayout>::Info() {
  static const TEnumInfo info{{"tlTop", "tlCenter", "tlBottom"}};
  return info;
}

const TEnumInfo& TEnumTraits<TCheckBoxState>::Info() {
  static const TEnumInfo info{{"cbUnchecked", "cbChecked", "cbGrayed"}};
  return info;
}

const TEnumInfo& TEnumTraits<TComboBoxStyle>::Info() {
  static const TEnumInfo info{{"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"}};
  return info;
}

const TEnumInfo& TEnumTraits<TListBoxStyle>::Info() {
  static const TEnumInfo info{{"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"}};
  return info;
}

TOwnerDrawState OwnerDrawStateOf(UINT itemState) {
  TOwnerDrawState state = TOwnerDrawState::FromBits(itemState & 0x3FF);
  if (itemState & ODS_COMBOBOXEDIT) state.Include(odComboBoxEdit);
  return state;
}

char GetHotKey(const String& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return caption[i + 1];
    ++i;  // "&&" stands for "&" itself
  }
  return 0;
}

bool IsAccel(unsigned charCode, const String& caption) {
  char hotKey = GetHotKey(caption);
  if (hotKey == 0 || charCode == 0 || charCode > 0xFF) return false;
  // Both characters upper-cased the way the system does it for the ANSI code page.
  char pair[2] = {hotKey, static_cast<char>(charCode)};
  CharUpperBuffA(pair, 2);
  return pair[0] == pair[1];
}

void PaintOwnerDrawItem(TControlCanvas* canvas, TWinControl* control, const DRAWITEMSTRUCT& item,
                        const std::function<void(int, TRect, TOwnerDrawState)>& drawItem) {
  TOwnerDrawState state = OwnerDrawStateOf(item.itemState);
  int index = static_cast<int>(item.itemID);
  canvas->FreeHandle();
  canvas->SetHandle(item.hDC);
  TScopeExit releaseHandle([&] { canvas->SetHandle(nullptr); });
  canvas->GetFont()->Assign(control->GetFont());
  canvas->GetBrush()->Assign(control->GetBrush());
  if (index >= 0 && state.Contains(odSelected)) {
    canvas->GetBrush()->SetColor(clHighlight);
    canvas->GetFont()->SetColor(clHighlightText);
  }
  if (index >= 0) drawItem(index, item.rcItem, state);
  else canvas->FillRect(item.rcItem);
  if (state.Contains(odFocused)) DrawFocusRect(item.hDC, &item.rcItem);
}

}  // namespace Tovix
