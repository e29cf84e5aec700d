// Orvpnh: the registry entries of pluggable URL namespace handlers under HKEY_CLASSES_ROOT
// "\PROTOCOLS\Name-Space Handler\<protocol>\<name>": one entry (TOrvPnh), every entry the
// registry holds (TOrvPnhList), and a COM class factory that registers its class as the handler
// of "ftp" and "http" (TOrvPnhFactory). A handler can be disabled and enabled again without
// losing its class identifier: it moves between the values "CLSID" and "DISABLED-CLSID".
//
// A protocol or name that is empty or holds a backslash names no handler key of its own (it would
// reach a parent key, and removing it would wipe other handlers): such an entry does not exist,
// and every change of it does nothing.
#pragma once

#include <memory>

#include "com/Orvcom.h"
#include "framework/Classes.h"
#include "framework/ComObj.h"

namespace Tovix {

class TOrvPnh : public TObject {
 public:
  // Reads the entry's patterns.
  TOrvPnh(const String& protocol, const String& name);

  const String& GetProtocol() const { return protocol_; }
  const String& GetName() const { return name_; }
  // The entry's patterns (Pattern1, Pattern2, ...); edit them and store them with WritePatterns.
  TStringList* GetPatterns() const { return patterns_.get(); }

  // "\PROTOCOLS\Name-Space Handler\<protocol>\<name>".
  String RegKey() const;
  // The key holds "CLSID" or "DISABLED-CLSID".
  bool Exists() const;
  bool GetEnabled() const;
  // Moves the identifier between "CLSID" and "DISABLED-CLSID"; the moved value replaces the other.
  void SetEnabled(bool value);
  // From "CLSID", else "DISABLED-CLSID", else the zero identifier.
  TGUID GetClassId() const;
  // Creates an enabled entry with the name, the identifier and the patterns (at least Pattern1).
  // False, writing nothing, when the entry exists, the identifier is not valid or the key cannot
  // be made.
  bool Add(const TGUID& classId);
  // Deletes the entry's key; the protocol key stays.
  void Remove();
  // Reloads the patterns: Pattern1, Pattern2, ... up to the first missing number.
  void ReadPatterns();
  // Deletes every value whose name begins with "Pattern" (in any letter case).
  void ErasePatterns();
  // Stores the patterns as Pattern1...PatternN (an empty list stores one empty pattern), then
  // deletes the entry's other pattern values. A refused write leaves the old values in place.
  void WritePatterns();

 private:
  bool HasOwnKey() const;

  String protocol_;
  String name_;
  std::unique_ptr<TStringList> patterns_;
};

// Every handler entry of the registry, protocol by protocol in registry order. Owns its items.
class TOrvPnhList : public TList {
 public:
  TOrvPnhList();
  ~TOrvPnhList() override;

  TOrvPnh* GetItem(int index) const { return static_cast<TOrvPnh*>(GetItems(index)); }
};

// A class factory whose class is also registered as the namespace handler of "ftp" and "http",
// under the factory's class name.
class TOrvPnhFactory : public TComObjectFactory {
 public:
  using TComObjectFactory::TComObjectFactory;

  // Registering adds the two handler entries (an existing entry of that name stays as it is);
  // unregistering removes them where they hold this factory's class identifier.
  void UpdateRegistry(bool doRegister) override;
};

// The name of an interface identifier a namespace handler meets ("IID_IUnknown", ...), or empty
// text.
String PnhGetIntfKnownName(const TGUID& interfaceId);

}  // namespace Tovix
