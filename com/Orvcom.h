// Orvcom: COM class and interface identifiers in their registry text form, what the registry says
// about a class or an interface, and registration of in-process COM servers by calling the
// server's own self-registration entry points. The unit keeps no state.
#pragma once

#include "framework/ComObj.h"

namespace Tovix {

TOVIX_DECLARE_EXCEPTION(EOrvComError, Exception);

// The identifier whose 16 bytes are all zero.
extern const TGUID OrvComZeroId;

TGUID ComZeroId();
// Whether the identifier converts to text (false only when the OLE library fails).
bool ComIsValidId(const TGUID& id);
// Whether the text is an identifier in the 38-character braced form.
bool ComIsValidIdStr(const String& text);
// The braced text of the identifier; empty when the conversion fails.
String ComIdToStr(const TGUID& id);
// The identifier the text spells; the zero identifier when it does not parse.
TGUID ComStrToId(const String& text);
// Whether all 16 bytes are equal.
bool ComCompareId(const TGUID& id1, const TGUID& id2);

// Whether HKEY_CLASSES_ROOT\CLSID\{id} exists.
bool ComIsClass(const TGUID& classId);
// The class's name (the default value of its CLSID key), or empty text. Any failure raises
// EOrvComError "Unable to read name of class %s".
String ComClassName(const TGUID& classId);
// The in-process server registered for the class (the default value of its InprocServer32 key)
// as it is stored, or empty text.
String ComClassFile(const TGUID& classId);
// The interface's name (the default value of HKEY_CLASSES_ROOT\Interface\{id}), or empty text.
String ComGetIntfName(const TGUID& interfaceId);

// Loads the server and calls its DllRegisterServer; anything but S_OK raises EOrvComError. A
// relative file name is taken from the current directory, where it is checked and loaded.
void ComRegClass(const String& fileName);
// Finds the class's server in the registry, loads it and calls its DllUnregisterServer; raises
// EOrvComError on failure.
void ComUnregClass(const TGUID& classId);
// Loads the server and calls its DllUnregisterServer; raises the general Exception on failure.
void ComUnregClassByFile(const String& fileName);

}  // namespace Tovix
