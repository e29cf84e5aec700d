// TRegistry's values: types as stored, the quoted errors, bounded reads, renaming.
#include <cstring>

#include "framework/Registry.h"
#include "tests/support/RegistryFixture.h"

using namespace Tovix;

namespace {

const char kKey[] = "Values";

class RegistryValues : public Tovix::Testing::RegistryFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(reg_.OpenKey(kKey, true)); }
  TRegistry reg_;
};

template <typename Action>
void ExpectRegistryError(const String& message, Action action) {
  try {
    action();
    ADD_FAILURE() << "no exception; expected: " << message;
  } catch (const ERegistryException& e) {
    EXPECT_EQ(message, e.Message());
  }
}

TEST_F(RegistryValues, WritesStoreTheirRegistryTypes) {
  reg_.WriteString("Text", "hello");
  reg_.WriteExpandString("Expand", "%TEMP%");
  reg_.WriteInteger("Int", -5);
  reg_.WriteBool("Yes", true);
  reg_.WriteBinaryData("Blob", "\1\2\3", 3);
  EXPECT_EQ(std::vector<BYTE>({'h', 'e', 'l', 'l', 'o', 0}), LoadRaw(kKey, "Text").data);
  EXPECT_EQ(std::vector<BYTE>({0xFB, 0xFF, 0xFF, 0xFF}), LoadRaw(kKey, "Int").data);
  EXPECT_EQ(std::vector<BYTE>({1, 0, 0, 0}), LoadRaw(kKey, "Yes").data);
  const DWORD types[] = {REG_SZ, REG_EXPAND_SZ, REG_DWORD, REG_BINARY};
  const TRegDataType dataTypes[] = {rdString, rdExpandString, rdInteger, rdBinary};
  const char* names[] = {"Text", "Expand", "Int", "Blob"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(types[i], LoadRaw(kKey, names[i]).type) << names[i];
    EXPECT_EQ(dataTypes[i], reg_.GetDataType(names[i])) << names[i];
  }
  StoreRaw(kKey, "Multi", REG_MULTI_SZ, "a\0", 3);
  EXPECT_EQ(rdUnknown, reg_.GetDataType("Multi"));
  EXPECT_EQ(3, reg_.GetDataSize("Blob"));
  EXPECT_EQ(-1, reg_.GetDataSize("Missing"));

  EXPECT_EQ("%TEMP%", reg_.ReadString("Expand")) << "read unexpanded";
  EXPECT_EQ(-5, reg_.ReadInteger("Int"));
  int seven = 7;
  StoreRaw(kKey, "Seven", REG_DWORD, &seven, 4);
  EXPECT_TRUE(reg_.ReadBool("Seven"));
}

TEST_F(RegistryValues, MissingValuesAndWrongTypesOrSizesRaiseTheQuotedErrors) {
  StoreRaw(kKey, "Binary4", REG_BINARY, "\1\0\0\0", 4);
  StoreRaw(kKey, "Short", REG_DWORD, "\1\0", 2);
  StoreRaw(kKey, "Long", REG_DWORD, "\1\0\0\0\0\0\0\0", 8);
  reg_.WriteString("Text", "12");
  reg_.WriteInteger("Int", 12);
  ExpectRegistryError("Failed to get data for 'Missing'", [&] { reg_.ReadInteger("Missing"); });
  ExpectRegistryError("Failed to get data for 'Missing'", [&] { reg_.ReadBool("Missing"); });
  ExpectRegistryError("Invalid data type for 'Text'", [&] { reg_.ReadInteger("Text"); });
  ExpectRegistryError("Invalid data type for 'Binary4'", [&] { reg_.ReadBool("Binary4"); });
  ExpectRegistryError("Invalid data type for 'Short'", [&] { reg_.ReadInteger("Short"); });
  ExpectRegistryError("Invalid data type for 'Long'", [&] { reg_.ReadInteger("Long"); });
  ExpectRegistryError("Invalid data type for 'Int'", [&] { reg_.ReadString("Int"); });
  reg_.CloseKey();
  ExpectRegistryError("Failed to set data for 'Any'", [&] { reg_.WriteString("Any", "x"); });
}

TEST_F(RegistryValues, ReadsStayWithinTheDataAndTheBuffer) {
  StoreRaw(kKey, "Unterminated", REG_SZ, "abc", 3);
  StoreRaw(kKey, "Embedded", REG_SZ, "ab\0cd", 6);
  StoreRaw(kKey, "Empty", REG_SZ, "", 0);
  EXPECT_EQ("abc", reg_.ReadString("Unterminated"));
  EXPECT_EQ("ab", reg_.ReadString("Embedded"));
  EXPECT_EQ("", reg_.ReadString("Empty"));

  BYTE stored[20];
  for (int i = 0; i < 20; ++i) stored[i] = static_cast<BYTE>(0xA0 + i);
  reg_.WriteBinaryData("Twenty", stored, sizeof stored);
  BYTE area[32];
  std::memset(area, 0x55, sizeof area);
  EXPECT_THROW(reg_.ReadBinaryData("Twenty", area, 16), ERegistryException);
  for (BYTE b : area) ASSERT_EQ(0x55, b) << "a refused read changed memory";
  EXPECT_THROW(reg_.ReadBinaryData("Twenty", nullptr, 32), ERegistryException);
  EXPECT_EQ(20, reg_.ReadBinaryData("Twenty", area, 20));
  EXPECT_EQ(0, std::memcmp(area, stored, 20));
  EXPECT_EQ(0x55, area[20]);
  EXPECT_EQ(0, reg_.ReadBinaryData("Missing", area, sizeof area));
  EXPECT_THROW(reg_.ReadBinaryData("Unterminated", area, sizeof area), ERegistryException);
}

TEST_F(RegistryValues, RenameKeepsDataAndTypeAndNeverLosesAValue) {
  reg_.WriteInteger("Int", 42);
  // Text outside the ANSI code page must survive byte for byte.
  const wchar_t wide[] = L"\x4E2D\x6587\0second\0";
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(reg_.GetCurrentKey(), L"Multi", 0, REG_MULTI_SZ,
                                          reinterpret_cast<const BYTE*>(wide), sizeof wide));
  EXPECT_TRUE(reg_.RenameValue("Int", "Number"));
  EXPECT_EQ(42, reg_.ReadInteger("Number"));
  EXPECT_FALSE(reg_.ValueExists("Int"));
  EXPECT_TRUE(reg_.RenameValue("Multi", "Renamed"));
  BYTE data[64];
  DWORD type = 0;
  DWORD size = sizeof data;
  ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(reg_.GetCurrentKey(), L"Renamed", nullptr, &type, data, &size));
  EXPECT_EQ(static_cast<DWORD>(REG_MULTI_SZ), type);
  EXPECT_TRUE(size == sizeof wide && std::memcmp(data, wide, size) == 0);

  // A taken new name (also the same name in other letters) or a missing old one change nothing.
  EXPECT_FALSE(reg_.RenameValue("Number", "Renamed"));
  EXPECT_FALSE(reg_.RenameValue("Number", "NUMBER"));
  EXPECT_FALSE(reg_.RenameValue("Missing", "Other"));
  EXPECT_EQ(42, reg_.ReadInteger("Number"));
  EXPECT_EQ(REG_MULTI_SZ, LoadRaw(kKey, "Renamed").type);
  TRegistry readOnly;
  ASSERT_TRUE(readOnly.OpenKeyReadOnly(kKey));
  ExpectRegistryError("Failed to set data for 'Elsewhere'", [&] { readOnly.RenameValue("Number", "Elsewhere"); });
  EXPECT_EQ(42, reg_.ReadInteger("Number"));
}

}  // namespace
