#include "com/Orvpnh.h"

#include <vector>

#include "com/Orvurlmon.h"
#include "utils/Orvregistry.h"
#include "utils/Orvutils.h"

namespace Tovix {

namespace {

const char kHandlersKey[] = "\\PROTOCOLS\\Name-Space Handler";
const char kEnabledValue[] = "CLSID";
const char kDisabledValue[] = "DISABLED-CLSID";

// A protocol or handler name that is one key name of its own.
bool IsKeyName(const String& part) { return !part.empty() && part.find('\\') == String::npos; }

String PatternName(int number) { return Format("Pattern%d", number); }

bool IsPatternName(const String& valueName) { return SameText(StrLeft(valueName, 7), "Pattern"); }

// Whether the value is one of Pattern1...PatternN (value names ignore letter case).
bool IsKeptPattern(const String& valueName, int count) {
  for (int number = 1; number <= count; ++number)
    if (SameText(valueName, PatternName(number))) return true;
  return false;
}

}  // namespace

TOrvPnh::TOrvPnh(const String& protocol, const String& name)
    : protocol_(protocol), name_(name), patterns_(std::make_unique<TStringList>()) {
  ReadPatterns();
}

String TOrvPnh::RegKey() const { return Format("\\PROTOCOLS\\Name-Space Handler\\%s\\%s", protocol_, name_); }

bool TOrvPnh::HasOwnKey() const { return IsKeyName(protocol_) && IsKeyName(name_); }

bool TOrvPnh::Exists() const {
  if (!HasOwnKey()) return false;
  TOrvRegistry registry(HKEY_CLASSES_ROOT);
  if (!registry.OpenKeyReadOnly(RegKey())) return false;
  return registry.ValueExists(kEnabledValue) || registry.ValueExists(kDisabledValue);
}

bool TOrvPnh::GetEnabled() const {
  if (!HasOwnKey()) return false;
  TOrvRegistry registry(HKEY_CLASSES_ROOT);
  return registry.OpenKeyReadOnly(RegKey()) && registry.ValueExists(kEnabledValue);
}

void TOrvPnh::SetEnabled(bool value) {
  if (!HasOwnKey()) return;
  TOrvRegistry registry(HKEY_CLASSES_ROOT);
  if (!registry.OpenKey(RegKey(), false)) return;
  const char* from = value ? kDisabledValue : kEnabledValue;
  const char* to = value ? kEnabledValue : kDisabledValue;
  if (!registry.ValueExists(from)) return;
  if (registry.ValueExists(to)) registry.DeleteValue(to);
  registry.RenameValue(from, to);
}

TGUID TOrvPnh::GetClassId() const {
  if (!HasOwnKey()) return ComZeroId();
  TOrvRegistry registry(HKEY_CLASSES_ROOT);
  if (!registry.OpenKeyReadOnly(RegKey())) return ComZeroId();
  if (registry.ValueExists(kEnabledValue)) return ComStrToId(registry.ReadString(kEnabledValue));
  if (registry.ValueExists(kDisabledValue)) return ComStrToId(registry.ReadString(kDisabledValue));
  return ComZeroId();
}

bool TOrvPnh::Add(const TGUID& classId) {
  if (!HasOwnKey() || Exists() || !ComIsValidId(classId)) return false;
  {
    TOrvRegistry registry(HKEY_CLASSES_ROOT);
    if (!registry.OpenKey(RegKey(), true)) return false;
    registry.WriteString("", name_);
    registry.WriteString(kEnabledValue, ComIdToStr(classId));
  }
  WritePatterns();
  return true;
}

void TOrvPnh::Remove() {
  if (!HasOwnKey()) return;
  TOrvRegistry registry(HKEY_CLASSES_ROOT);
  if (registry.KeyExists(RegKey())) registry.DeleteKey(RegKey());
}

void TOrvPnh::ReadPatterns() {
  patterns_->Clear();
  if (!HasOwnKey()) return;
  TOrvRegistry registry(HKEY_CLASSES_ROOT);
  if (!registry.OpenKeyReadOnly(RegKey())) return;
  for (int number = 1; registry.ValueExists(PatternName(number)); ++number)
    patterns_->Add(registry.ReadString(PatternName(number), String()));
}

void TOrvPnh::ErasePatterns() {
  if (!HasOwnKey()) return;
  TOrvRegistry registry(HKEY_CLASSES_ROOT);
  if (!registry.OpenKey(RegKey(), false)) return;
  TStringList names;
  registry.GetValueNames(names);
  for (int i = 0; i < names.GetCount(); ++i)
    if (IsPatternName(names[i])) registry.DeleteValue(names[i]);
}

void TOrvPnh::WritePatterns() {
  if (!HasOwnKey()) return;
  if (patterns_->GetCount() == 0) patterns_->Add("");
  TOrvRegistry registry(HKEY_CLASSES_ROOT);
  if (!registry.OpenKey(RegKey(), false)) return;
  // The new values go first, so that a refused write (which raises) loses none of the old ones.
  const int count = patterns_->GetCount();
  for (int i = 0; i < count; ++i) registry.WriteString(PatternName(i + 1), (*patterns_)[i]);
  TStringList names;
  registry.GetValueNames(names);
  for (int i = 0; i < names.GetCount(); ++i)
    if (IsPatternName(names[i]) && !IsKeptPattern(names[i], count)) registry.DeleteValue(names[i]);
}

TOrvPnhList::TOrvPnhList() {
  // Entries are held here until all are read, so that a failure frees what was made.
  std::vector<std::unique_ptr<TOrvPnh>> entries;
  TOrvRegistry registry(HKEY_CLASSES_ROOT);
  if (registry.OpenKeyReadOnly(kHandlersKey) && registry.HasSubKeys()) {
    TStringList protocols;
    registry.GetKeyNames(protocols);
    for (int p = 0; p < protocols.GetCount(); ++p) {
      const String protocol = protocols[p];
      if (!registry.OpenKeyReadOnly(Format("\\PROTOCOLS\\Name-Space Handler\\%s", protocol)) || !registry.HasSubKeys())
        continue;
      TStringList names;
      registry.GetKeyNames(names);
      for (int n = 0; n < names.GetCount(); ++n) entries.push_back(std::make_unique<TOrvPnh>(protocol, names[n]));
    }
  }
  SetCapacity(static_cast<int>(entries.size()));
  for (auto& entry : entries) Add(entry.release());
}

TOrvPnhList::~TOrvPnhList() {
  while (GetCount() > 0) {
    delete GetItem(0);
    Delete(0);
  }
}

void TOrvPnhFactory::UpdateRegistry(bool doRegister) {
  const String classIdText = GUIDToString(ClassID());
  TComObjectFactory::UpdateRegistry(doRegister);
  if (doRegister) {
    CreateRegKey("CLSID\\" + classIdText + "\\InprocServer32", "ThreadingModel", "Apartment");
    for (const char* protocol : {"ftp", "http"}) TOrvPnh(protocol, ClassName()).Add(ClassID());
    return;
  }
  // Another server's handler of the same name stays.
  for (const char* protocol : {"ftp", "http"}) {
    TOrvPnh handler(protocol, ClassName());
    if (ComCompareId(handler.GetClassId(), ClassID())) handler.Remove();
  }
}

String PnhGetIntfKnownName(const TGUID& interfaceId) {
  struct KnownInterface {
    TGUID id;
    const char* name;
  };
  static const KnownInterface kKnown[] = {
      {{0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}}, "IID_IUnknown"},
      {{0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}}, "IID_IClassFactory"},
      {IID_IInternetProtocol, "IID_IInternetProtocol"},
      {IID_IInternetProtocolRoot, "IID_IInternetProtocolRoot"},
      {IID_IInternetProtocolInfo, "IID_IInternetProtocolInfo"},
      {IID_IInternetSession, "IID_IInternetSession"},
      {IID_IDataFilter, "IID_IDataFilter"},
      {IID_IEncodingFilterFactory, "IID_IEncodingFilterFactory"},
      {IID_IInternet, "IID_IInternet"},
      {IID_IInternetBindInfo, "IID_IInternetBindInfo"},
      {IID_IInternetProtocolSink, "IID_IInternetProtocolSink"},
      {{0x0000001B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}}, "IID_IdentifyUnmarshal"},
      {{0x79EAC9EB, 0xBAF9, 0x11CE, {0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B}}, "IID_IInternetPriority"},
  };
  if (!ComIsValidId(interfaceId)) return String();
  for (const KnownInterface& known : kKnown)
    if (ComCompareId(interfaceId, known.id)) return known.name;
  return String();
}

}  // namespace Tovix
