// Orvregistry: TOrvRegistry, the registry object the library creates for each operation.
//
// It adds reads that fall back to a default when a value is missing, a directory read that falls
// back to the program's directory, and binary encodings for rectangles, form placement, window
// state and fonts. All integers in the encodings are little-endian.
#pragma once

#include "framework/Registry.h"
#include "framework/Types.h"

namespace Tovix {

class TCustomForm;
class TFont;

class TOrvRegistry : public TRegistry {
 public:
  // Starts at HKEY_CURRENT_USER like every registry object, then switches to rootKey.
  explicit TOrvRegistry(HKEY rootKey);

  // Reads with a default. A missing value gives the default; an existing value is read as the
  // one-argument versions read it, so a value of the wrong type still raises.
  using TRegistry::ReadBool;
  using TRegistry::ReadInteger;
  using TRegistry::ReadString;
  String ReadString(const String& name, const String& defaultValue) const;
  bool ReadBool(const String& name, bool defaultValue) const;
  int ReadInteger(const String& name, int defaultValue) const;

  // The stored directory when it names an existing one, else the running program's directory
  // (with its trailing backslash).
  String ReadValidDirPath(const String& name) const;

  // Rectangle value: binary, exactly 16 bytes: Left, Top, Right, Bottom as signed 32-bit numbers.
  // A missing value or one of any other length gives the default; a 16-byte value of a string or
  // integer type raises as ReadBinaryData does.
  TRect ReadRect(const String& name, const TRect& defaultValue) const;
  void WriteRect(const String& name, const TRect& rect);

  // Form position value: the rectangle encoding above holding the form's Left, Top, Width and
  // Height (not its right and bottom edges). RestoreFormPos uses the form's current bounds as the
  // default and applies the four numbers in one SetBounds call, without comparing them with the
  // screen. A null form raises ERegistryException.
  void WriteFormPos(const String& name, TCustomForm* form);
  void RestoreFormPos(const String& name, TCustomForm* form) const;

  // Window state value: a double word holding the ordinal of the form's window state (0 wsNormal,
  // 1 wsMinimized, 2 wsMaximized). RestoreFormState uses the current state as the default; a
  // stored number outside 0-2, which WriteFormState never writes, is ignored and the state kept.
  // A value of another type raises ERegistryException "Invalid data type for '%s'". A null form
  // raises ERegistryException.
  void WriteFormState(const String& name, TCustomForm* form);
  void RestoreFormState(const String& name, TCustomForm* form) const;

  // Font value: binary, exactly 126 bytes, packed: face name (102 bytes, zero-terminated, at most
  // 100 characters), charset, colour, height, pitch, size (4 bytes each) and one byte each for
  // bold, italic, underline and strike-out.
  // WriteFont raises ERegistryException, writing nothing, for a null font or a name longer than
  // 100 characters.
  void WriteFont(const String& name, TFont* font);
  // Fills font from the stored value, applying the size after the height (so the size decides the
  // final height) and raising the font's OnChange once. When the value is missing or not 126 bytes
  // long, font becomes a copy of defaultFont, or stays as it is when defaultFont is null. A stored
  // pitch outside 0-2 reads as fpDefault. A null font raises ERegistryException.
  void ReadFont(const String& name, TFont* font, TFont* defaultFont) const;
};

}  // namespace Tovix
