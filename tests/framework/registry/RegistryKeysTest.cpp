// TRegistry's keys: path rules, opening and creating, enumeration, deletion, root switching.
#include <vector>

#include "framework/Registry.h"
#include "tests/support/ImportPatch.h"
#include "tests/support/RegistryFixture.h"

using namespace Tovix;

namespace {

class RegistryKeys : public Tovix::Testing::RegistryFixture {
 protected:
  // True when a marker written through reg's current key landed at path: proves which key is open.
  bool CurrentKeyIs(TRegistry& reg, const String& path, HKEY root = HKEY_CURRENT_USER) {
    reg.WriteInteger("Marker", ++marker_);
    StoredValue v = LoadRaw(path, "Marker", root);
    return v.exists && v.data[0] == marker_;
  }
  int marker_ = 0;
};

TEST_F(RegistryKeys, AbsoluteAndRelativePathsAndNestedCreation) {
  TRegistry reg;
  EXPECT_EQ(HKEY_CURRENT_USER, reg.GetRootKey());
  EXPECT_EQ(nullptr, reg.GetCurrentKey());

  ASSERT_TRUE(reg.OpenKey("Software\\A\\B", true));
  EXPECT_EQ("Software\\A\\B", reg.GetCurrentPath());
  ASSERT_TRUE(reg.OpenKey("C", true));  // relative to the open key
  EXPECT_EQ("Software\\A\\B\\C", reg.GetCurrentPath());
  EXPECT_TRUE(CurrentKeyIs(reg, "Software\\A\\B\\C"));
  ASSERT_TRUE(reg.OpenKey("\\Software\\A", false));  // from the root again
  EXPECT_EQ("Software\\A", reg.GetCurrentPath());
  EXPECT_TRUE(CurrentKeyIs(reg, "Software\\A"));

  reg.CloseKey();
  EXPECT_EQ(nullptr, reg.GetCurrentKey());
  ASSERT_TRUE(reg.OpenKey("Software", false));  // nothing open: from the root
  EXPECT_TRUE(CurrentKeyIs(reg, "Software"));
}

TEST_F(RegistryKeys, FailedOpensLeaveThePreviousKeyCurrent) {
  StoreRaw("Locked", "Value", REG_BINARY, "x", 1);
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Kept", true));
  EXPECT_FALSE(reg.OpenKey("Missing", false));
  EXPECT_FALSE(reg.OpenKey(String(300, 'k'), true));  // longer than a key name may be
  EXPECT_FALSE(reg.OpenKeyReadOnly("\\Missing"));
  EXPECT_EQ("Kept", reg.GetCurrentPath());
  EXPECT_TRUE(CurrentKeyIs(reg, "Kept"));
  EXPECT_FALSE(RawKeyExists("Kept\\Missing") || RawKeyExists("Missing"));

  ASSERT_TRUE(reg.OpenKeyReadOnly("\\Locked"));
  EXPECT_THROW(reg.WriteInteger("Value", 8), ERegistryException);
  EXPECT_FALSE(reg.DeleteValue("Value"));
  EXPECT_EQ(REG_BINARY, LoadRaw("Locked", "Value").type);
}

TEST_F(RegistryKeys, KeyExistsAndCreateKeyLeaveTheCurrentKeyAlone) {
  StoreRaw("A\\B");
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("A", false));
  HKEY current = reg.GetCurrentKey();
  EXPECT_TRUE(reg.KeyExists("B"));
  EXPECT_TRUE(reg.KeyExists("\\A\\B"));
  EXPECT_FALSE(reg.KeyExists("\\B"));
  EXPECT_TRUE(reg.CreateKey("New\\Deeper"));
  EXPECT_TRUE(RawKeyExists("A\\New\\Deeper"));
  try {
    reg.CreateKey(String(300, 'k'));
    FAIL() << "an impossible key was reported as created";
  } catch (const ERegistryException& e) {
    EXPECT_EQ("Failed to create key " + String(300, 'k'), e.Message());
  }
  EXPECT_EQ(current, reg.GetCurrentKey());
  EXPECT_EQ("A", reg.GetCurrentPath());
}

TEST_F(RegistryKeys, EnumerationReplacesTheListWhateverTheNameLengths) {
  const String longValue(3000, 'v');  // longer than the first name buffer
  for (const char* name : {"beta", "_under", "Alpha"}) StoreRaw(String("P\\") + name);
  for (const String& name : {String("z"), String(), longValue}) StoreRaw("P", name.c_str(), REG_BINARY, "", 0);

  TRegistry reg;
  TStringList list;
  list.Add("stale");
  reg.GetKeyNames(list);
  EXPECT_EQ(0, list.GetCount()) << "no key open: nothing to list";
  ASSERT_TRUE(reg.OpenKey("P", false));
  EXPECT_TRUE(reg.HasSubKeys());
  reg.GetKeyNames(list);
  EXPECT_EQ((std::vector<String>{"Alpha", "beta", "_under"}), SortedNames(list));
  reg.GetValueNames(list);
  EXPECT_EQ((std::vector<String>{"", longValue, "z"}), SortedNames(list));
  ASSERT_TRUE(reg.OpenKey("beta", false));
  EXPECT_FALSE(reg.HasSubKeys());
}

TEST_F(RegistryKeys, DeleteKeyRemovesTheSubtreeButNeverTheBaseKey) {
  StoreRaw("Tree\\A\\B\\C");
  StoreRaw("Tree\\Other");
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Tree", false));
  EXPECT_TRUE(reg.DeleteKey("A"));
  EXPECT_FALSE(RawKeyExists("Tree\\A"));
  EXPECT_FALSE(reg.DeleteKey("A"));
  // An empty path names the current key or the root itself.
  EXPECT_FALSE(reg.DeleteKey(""));
  EXPECT_FALSE(reg.DeleteKey("\\"));
  EXPECT_TRUE(RawKeyExists("Tree\\Other"));
  EXPECT_TRUE(reg.DeleteKey("\\Tree"));
  EXPECT_FALSE(RawKeyExists("Tree"));
}

TEST_F(RegistryKeys, SwitchingTheRootClosesTheOpenKey) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Software", true));
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_EQ(nullptr, reg.GetCurrentKey());
  ASSERT_TRUE(reg.OpenKey("Software", true));
  EXPECT_TRUE(CurrentKeyIs(reg, "Software", HKEY_LOCAL_MACHINE));
  EXPECT_FALSE(LoadRaw("Software", "Marker").exists);
}

TEST_F(RegistryKeys, NoKeyHandleLeaksOnAnyPath) {
  StoreRaw("Leak\\Sub");
  DWORD before = HandleCount();
  HKEY probe = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Leak", 0, KEY_READ, &probe));
  ASSERT_EQ(before + 1, HandleCount()) << "the count must see registry handles";
  RegCloseKey(probe);
  for (int i = 0; i < 20; ++i) {
    TRegistry reg;
    reg.OpenKey("Leak", false);
    reg.OpenKey("Sub", false);
    reg.OpenKey("Missing", false);
    reg.OpenKeyReadOnly("\\Leak");
    reg.KeyExists("Sub");
    reg.CreateKey("Made\\Deep");
    reg.DeleteKey("Made");
    reg.SetRootKey(HKEY_CURRENT_USER);
    reg.OpenKey("Leak", false);  // left open for the destructor
  }
  EXPECT_EQ(before, HandleCount());
}

}  // namespace

namespace {

// The access each key call asks for, watched at the import table: the sandbox answers both views
// from the same key, so the view shows only there.
std::vector<REGSAM> viewAccess;
Tovix::Testing::ImportPatch* viewOpenPatch = nullptr;

LONG WINAPI WatchViewOpen(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) {
  viewAccess.push_back(access & (KEY_WOW64_32KEY | KEY_WOW64_64KEY));
  return reinterpret_cast<decltype(&RegOpenKeyExA)>(viewOpenPatch->Original())(key, subKey, options, access, result);
}

}  // namespace

TEST_F(RegistryKeys, AChosenViewIsAskedForByEveryKeyCallAndDeletionStillWorks) {
  TRegistry reg;
  EXPECT_EQ(rvDefault, reg.GetView());
  ASSERT_TRUE(reg.OpenKey("Software\\Viewed\\Inner", true));
  reg.SetView(rv32);
  EXPECT_EQ(nullptr, reg.GetCurrentKey()) << "changing the view closes the open key";
  {
    Tovix::Testing::ImportPatch patch("advapi32.dll", "RegOpenKeyExA", reinterpret_cast<void*>(&WatchViewOpen));
    viewOpenPatch = &patch;
    viewAccess.clear();
    EXPECT_TRUE(reg.OpenKeyReadOnly("Software\\Viewed"));
    EXPECT_TRUE(reg.OpenKey("\\Software\\Viewed", false));
    EXPECT_TRUE(reg.KeyExists("\\Software\\Viewed\\Inner"));
    reg.SetView(rv64);
    EXPECT_TRUE(reg.KeyExists("\\Software\\Viewed"));
  }
  EXPECT_EQ((std::vector<REGSAM>{KEY_WOW64_32KEY, KEY_WOW64_32KEY, KEY_WOW64_32KEY, KEY_WOW64_64KEY}), viewAccess);
  reg.SetView(rv32);
  EXPECT_TRUE(reg.DeleteKey("\\Software\\Viewed")) << "a key with subkeys, deleted in the view";
  EXPECT_FALSE(reg.KeyExists("\\Software\\Viewed"));
}
