// Input-method settings of a windowed control: whether the input method editor is on, off or
// in a given conversion mode while the control has the focus (ImeMode), and which input method
// the control switches to (ImeName, the description of an installed one; empty for any).
#pragma once

#include "framework/classes/TypInfo.h"
#include "framework/system/WinApi.h"

namespace Tovix {

enum TImeMode { imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata, imChinese, imSHanguel, imHanguel };
using TImeName = String;

// Applies mode and name to window, which has just received the focus. imDontCare and an empty
// name leave the input method as it is; a name no installed input method has is ignored.
void ApplyIme(HWND window, TImeMode mode, const TImeName& name);

template <> struct TEnumTraits<TImeMode> { static const TEnumInfo& Info(); };

}  // namespace Tovix
