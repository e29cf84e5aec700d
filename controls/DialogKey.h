// Enter and Escape typed into a multi-line edit that stands for a one-line value: the edit takes
// the keys itself (so the window inserts no line break) and offers them to its form as dialog
// keys, so that the default and cancel buttons still answer them.
#pragma once

#include "framework/Controls.h"

namespace Tovix {

// Performs CM_DIALOGKEY (WParam = the character code, LParam 0) on the control's parent form,
// whether or not the form acts on it; nothing without a parent form. Returns false when a handler
// freed the control meanwhile (a default button that closes and frees its form): the caller must
// then not touch it again.
bool OfferDialogKey(TWinControl* control, char key);

}  // namespace Tovix
