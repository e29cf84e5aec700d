// TOrvRegistry: reads with defaults, the program-directory fallback and the rectangle encoding.
#include <climits>

#include "tests/support/RegistryFixture.h"
#include "tests/support/ScratchFolder.h"
#include "utils/Orvregistry.h"

using namespace Tovix;

namespace {

const char kKey[] = "Software\\Ferrovane Technologies\\Test";

class OrvRegistry : public Tovix::Testing::RegistryFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(reg_.OpenKey(kKey, true)); }
  TOrvRegistry reg_{HKEY_CURRENT_USER};
};

TEST_F(OrvRegistry, TheGivenRootReplacesCurrentUser) {
  TOrvRegistry classes(HKEY_CLASSES_ROOT);
  EXPECT_EQ(HKEY_CLASSES_ROOT, classes.GetRootKey());
  ASSERT_TRUE(classes.OpenKey("CLSID", true));
  classes.WriteString("", "class");
  EXPECT_TRUE(LoadRaw("CLSID", "", HKEY_CLASSES_ROOT).exists);
  EXPECT_FALSE(RawKeyExists("CLSID"));
}

TEST_F(OrvRegistry, DefaultsStandOnlyForMissingValues) {
  EXPECT_EQ(17, reg_.ReadInteger("Missing", 17));
  EXPECT_TRUE(reg_.ReadBool("Missing", true));
  EXPECT_EQ("default", reg_.ReadString("Missing", "default"));
  reg_.WriteString("Empty", "");
  reg_.WriteInteger("Zero", 0);
  EXPECT_EQ("", reg_.ReadString("Empty", "default")) << "an empty value is a value";
  EXPECT_FALSE(reg_.ReadBool("Zero", true));
  EXPECT_EQ("", reg_.ReadString("Empty"));  // the one-argument reads are still there
  // A value of the wrong type is an error, not a reason to fall back.
  EXPECT_THROW(reg_.ReadInteger("Empty", 17), ERegistryException);
}

TEST_F(OrvRegistry, ValidDirPathFallsBackToTheProgramDirectory) {
  char exe[MAX_PATH * 4];
  String programDir(exe, GetModuleFileNameA(nullptr, exe, sizeof exe));
  programDir.erase(programDir.find_last_of('\\') + 1);
  EXPECT_EQ(programDir, reg_.ReadValidDirPath("Dir"));
  String folderPath;
  {
    Tovix::Testing::ScratchFolder folder;
    folderPath = folder.Path();
    reg_.WriteString("Dir", folderPath);
    EXPECT_EQ(folderPath, reg_.ReadValidDirPath("Dir"));
  }
  ASSERT_FALSE(DirectoryExists(folderPath));
  EXPECT_EQ(programDir, reg_.ReadValidDirPath("Dir")) << "the stored directory was deleted";
  reg_.WriteString("Dir", "");
  EXPECT_EQ(programDir, reg_.ReadValidDirPath("Dir"));
}

TEST_F(OrvRegistry, RectanglesAreExactlySixteenLittleEndianBytes) {
  reg_.WriteRect("Rect", Rect(-10, 20, INT_MAX, INT_MIN));
  EXPECT_EQ(std::vector<BYTE>({0xF6, 0xFF, 0xFF, 0xFF, 20, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0x80}),
            LoadRaw(kKey, "Rect").data);
  const TRect fallback = Rect(1, 2, 3, 4);
  TRect read = reg_.ReadRect("Rect", fallback);
  EXPECT_TRUE(read.left == -10 && read.top == 20 && read.right == INT_MAX && read.bottom == INT_MIN);

  BYTE bytes[20] = {9, 9, 9, 9};
  reg_.WriteBinaryData("Twenty", bytes, 20);
  reg_.WriteBinaryData("Fifteen", bytes, 15);
  for (const char* name : {"Twenty", "Fifteen", "Missing"}) {
    read = reg_.ReadRect(name, fallback);
    EXPECT_TRUE(read.left == 1 && read.top == 2 && read.right == 3 && read.bottom == 4) << name;
  }
}

}  // namespace
