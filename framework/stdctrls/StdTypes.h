// Types shared by the standard controls: edit character case, scroll bars, label layout, check
// box states, combo and list box styles, owner-draw states and their events, and the keyboard
// accelerator test of captions.
#pragma once

#include "framework/classes/Classes.h"
#include "framework/controls/ControlCanvas.h"
#include "framework/forms/Forms.h"

namespace Tovix {

// A control's border: none or a single line (the first two values of a form's border style).
using TBorderStyle = TFormBorderStyle;
// Left or right only (taLeftJustify, taRightJustify): which side of a check box its caption is on.
using TLeftRight = TAlignment;

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

// The state of an owner-drawn item; the first ten members are the bits of the system's ODS_*
// flags in their order, odComboBoxEdit marks the selection field of a combo box.
enum TOwnerDrawStateItem {
  odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive, odNoAccel,
  odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit
};
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
// The owner-draw state of a DRAWITEMSTRUCT's itemState.
TOwnerDrawState OwnerDrawStateOf(UINT itemState);
// Paints one owner-drawn item of a list or combo box on canvas, which holds the item's device
// context meanwhile: the control's font and brush (highlight colours for a selected item),
// drawItem for an item (a plain fill for the empty selection field), the focus rectangle on top.
void PaintOwnerDrawItem(TControlCanvas* canvas, TWinControl* control, const DRAWITEMSTRUCT& item,
                        const std::function<void(int, TRect, TOwnerDrawState)>& drawItem);

using TDrawItemEvent = TEvent<TWinControl* /*Control*/, int /*Index*/, TRect /*Rect*/, TOwnerDrawState>;
using TMeasureItemEvent = TEvent<TWinControl* /*Control*/, int /*Index*/, int& /*Height*/>;

// The accelerator character of a caption: the one after a single "&" ("&&" is a literal "&"),
// or 0 when there is none.
char GetHotKey(const String& caption);
// Whether a character typed with Alt (or alone, in a dialog) selects the caption's accelerator;
// letters compare without case.
bool IsAccel(unsigned charCode, const String& caption);

template <> struct TEnumTraits<TEditCharCase> { static const TEnumInfo& Info(); };
template <> struct TEnumTraits<TScrollStyle> { static const TEnumInfo& Info(); };
template <> struct TEnumTraits<TTextLayout> { static const TEnumInfo& Info(); };
template <> struct TEnumTraits<TCheckBoxState> { static const TEnumInfo& Info(); };
template <> struct TEnumTraits<TComboBoxStyle> { static const TEnumInfo& Info(); };
template <> struct TEnumTraits<TListBoxStyle> { static const TEnumInfo& Info(); };

}  // namespace Tovix
