// The Registry unit: TRegistry, a thin object over one root key and one currently open key.
//
// Key paths: a path that begins with a backslash is taken from the root key; any other path is
// taken from the current key when one is open, else from the root key. Value operations work on
// the current key; with no key open, reads and writes fail as for a value that cannot be reached.
#pragma once

#include "framework/system/SysUtils.h"
#include "framework/system/WinApi.h"

namespace Tovix {

class TStrings;

// Raised when a value cannot be read or written, or holds data of the wrong type.
TOVIX_DECLARE_EXCEPTION(ERegistryException, Exception);

// The kinds of value data the registry object tells apart; every other registry type is rdUnknown.
enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

// Which view of the registry the keys are opened in. A 64-bit program sees the 64-bit view by
// default, where the machine-wide keys of 32-bit programs are not (they lie in the 32-bit view);
// rv32 and rv64 choose a view whatever the program's own width. Ignored where there is only one.
enum TRegistryView { rvDefault, rv32, rv64 };

struct TRegDataInfo {
  TRegDataType RegData = rdUnknown;
  int DataSize = 0;
};

class TRegistry : public TObject {
 public:
  // Root HKEY_CURRENT_USER, no key open.
  TRegistry();
  // Closes the current key.
  ~TRegistry() override;

  // Root key. Setting it closes the open key first.
  HKEY GetRootKey() const { return rootKey_; }
  void SetRootKey(HKEY rootKey);
  // The view keys are opened, created, tested and deleted in. Setting it closes the open key first.
  TRegistryView GetView() const { return view_; }
  void SetView(TRegistryView view);
  // The open key's handle (null when none is open) and its path below the root, without a
  // leading backslash.
  HKEY GetCurrentKey() const { return currentKey_; }
  const String& GetCurrentPath() const { return currentPath_; }

  // Opens the key with full access and makes it current. With canCreate and a non-empty path,
  // missing keys on the path are created. False, with the previous key still current, on failure.
  bool OpenKey(const String& key, bool canCreate);
  // Opens an existing key for reading only; false, with the previous key still current, on failure.
  bool OpenKeyReadOnly(const String& key);
  void CloseKey();
  // Creates the key (and missing keys above it) without opening it. Raises ERegistryException
  // "Failed to create key %s" when that is refused.
  bool CreateKey(const String& key);
  // Removes the key with all its subkeys and values. An empty path (the root or the current key
  // itself) is refused. True when the key is gone.
  bool DeleteKey(const String& key);
  // Whether the key exists; the current key is not changed.
  bool KeyExists(const String& key) const;

  bool HasSubKeys() const;
  // Replace the list's contents with the names of the current key's subkeys or values.
  void GetKeyNames(TStrings& strings) const;
  void GetValueNames(TStrings& strings) const;

  bool ValueExists(const String& name) const;
  // False (and info cleared) when the value does not exist.
  bool GetDataInfo(const String& name, TRegDataInfo& info) const;
  // The length of the value's data in bytes, -1 when the value does not exist.
  int GetDataSize(const String& name) const;
  // rdUnknown also when the value does not exist.
  TRegDataType GetDataType(const String& name) const;

  // An empty string for a missing or empty value (or when no key is open); "Invalid data type for
  // '%s'" for a value that is not a string or expandable string. The text ends at its first zero
  // byte or at the end of the data, whichever comes first.
  String ReadString(const String& name) const;
  // The 32-bit value stored as a double word. A missing value raises "Failed to get data for '%s'",
  // any other type or size "Invalid data type for '%s'".
  int ReadInteger(const String& name) const;
  bool ReadBool(const String& name) const;
  // Copies binary (or untyped) data into the buffer and returns its byte count; 0 for a missing
  // value or with no key open. Data larger than bufferSize raises and leaves the buffer untouched;
  // string and integer values raise "Invalid data type for '%s'".
  int ReadBinaryData(const String& name, void* buffer, int bufferSize) const;

  // Writes create or replace the value; a refused write raises "Failed to set data for '%s'".
  void WriteString(const String& name, const String& value);
  void WriteExpandString(const String& name, const String& value);
  void WriteInteger(const String& name, int value);
  void WriteBool(const String& name, bool value);
  void WriteBinaryData(const String& name, const void* buffer, int bufferSize);

  bool DeleteValue(const String& name);
  // Gives the value a new name, keeping its data and registry type. False, changing nothing, when
  // the old value does not exist or a value of the new name already does; a refused write raises
  // "Failed to set data for '%s'" and also changes nothing.
  bool RenameValue(const String& oldName, const String& newName);

 private:
  // A key path split into the key it starts from and the rest below that key.
  struct ResolvedPath {
    HKEY base;
    String subPath;
    bool fromCurrentKey;
  };
  ResolvedPath Resolve(const String& key) const;
  String JoinedPath(const ResolvedPath& path) const;
  void ChangeKey(HKEY key, const String& path);

  // The access bit that selects the view (KEY_WOW64_32KEY, KEY_WOW64_64KEY or none).
  REGSAM ViewAccess() const;
  bool DeleteTree(const ResolvedPath& path) const;

  HKEY rootKey_ = HKEY_CURRENT_USER;
  TRegistryView view_ = rvDefault;
  HKEY currentKey_ = nullptr;
  String currentPath_;
};

}  // namespace Tovix
