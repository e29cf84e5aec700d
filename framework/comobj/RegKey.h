// Registry keys of COM servers under HKEY_CLASSES_ROOT, as a server's self-registration writes
// and removes them.
#pragma once

#include "framework/system/SysUtils.h"

namespace Tovix {

// A registration key could not be written.
TOVIX_DECLARE_EXCEPTION(EOleRegistrationError, Exception);

// Creates HKEY_CLASSES_ROOT\key (and the keys above it) and sets its value valueName (empty for
// the default value) to the text value. Raises EOleRegistrationError when either is refused.
void CreateRegKey(const String& key, const String& valueName, const String& value);
// Removes HKEY_CLASSES_ROOT\key with its values and subkeys; a missing key is not an error.
// An empty key (which would name the root itself) is refused and removes nothing.
void DeleteRegKey(const String& key);

}  // namespace Tovix
