// Input dialogs: a modal framework form that asks for one line of text.
//
// The form (class TForm) holds a label with the prompt, an edit named "Edit" and the buttons "OK"
// (default) and "Cancel". It is as wide as the prompt needs.
#pragma once

#include "framework/system/SysUtils.h"

namespace Tovix {

// Shows value in the edit; on OK stores the edited text in value and returns true, on Cancel (or
// the close box) leaves value as it was and returns false.
bool InputQuery(const String& caption, const String& prompt, String& value);
// The edited text on OK, defaultValue otherwise.
String InputBox(const String& caption, const String& prompt, const String& defaultValue);

}  // namespace Tovix
