// TOrvRegistry's form placement, window state and font values.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/Forms.h"
#include "tests/support/RegistrySandbox.h"
#include "utils/Orvregistry.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

class FormRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(registry.OpenKey("Software\\Ferrovane Technologies\\Test", true)); }
  void TearDown() override {
    registry.CloseKey();
    form->Free();
  }

  int32_t Int32At(const unsigned char* bytes, int offset) {
    int32_t value;
    std::memcpy(&value, bytes + offset, 4);
    return value;
  }

  RegistrySandbox sandbox;
  TOrvRegistry registry{HKEY_CURRENT_USER};
  TForm* form = new TForm(Application);
};

String Bounds(TControl* control) {
  return Format("%d,%d %dx%d", control->GetLeft(), control->GetTop(), control->GetWidth(), control->GetHeight());
}

// A font record written by hand, for the cases WriteFont never makes.
struct TFontRecord {
  unsigned char bytes[126] = {};
  TFontRecord(const String& name, int charset, int32_t color, int32_t height, int pitch, int32_t size) {
    std::memcpy(bytes, name.data(), name.size() < 102 ? name.size() : 102);
    bytes[102] = static_cast<unsigned char>(charset);
    std::memcpy(bytes + 106, &color, 4);
    std::memcpy(bytes + 110, &height, 4);
    bytes[114] = static_cast<unsigned char>(pitch);
    std::memcpy(bytes + 118, &size, 4);
  }
};

}  // namespace

TEST_F(FormRegistryTest, FormPositionStoresLeftTopWidthHeightAndComesBackInOneMove) {
  form->SetBounds(10, 20, 300, 200);
  form->HandleNeeded();
  registry.WriteFormPos("Placement", form);
  unsigned char bytes[16];
  ASSERT_EQ(16, registry.ReadBinaryData("Placement", bytes, 16));
  EXPECT_EQ(10, Int32At(bytes, 0));
  EXPECT_EQ(20, Int32At(bytes, 4));
  EXPECT_EQ(300, Int32At(bytes, 8)) << "the width, not the right edge";
  EXPECT_EQ(200, Int32At(bytes, 12));

  form->SetBounds(50, 60, 100, 80);
  int moves = 0;
  form->WindowProc = [&, original = form->WindowProc](TMessage& m) {
    if (m.Msg == WM_WINDOWPOSCHANGED) ++moves;
    original(m);
  };
  registry.RestoreFormPos("Placement", form);
  EXPECT_EQ(10, form->GetLeft());
  EXPECT_EQ(20, form->GetTop());
  EXPECT_EQ(300, form->GetWidth());
  EXPECT_EQ(200, form->GetHeight());
  EXPECT_EQ(1, moves) << "one SetBounds call";
}

TEST_F(FormRegistryTest, FormPositionKeepsTheFormWhenTheValueIsMissingOrMisshapenAndAppliesOffScreenPlaces) {
  form->SetBounds(50, 60, 100, 80);
  registry.RestoreFormPos("Missing", form);
  unsigned char twenty[20] = {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 5, 0, 0, 0};
  registry.WriteBinaryData("Twenty", twenty, 20);
  registry.RestoreFormPos("Twenty", form);
  EXPECT_EQ("50,60 100x80", Bounds(form));

  registry.WriteRect("FarAway", Rect(-5000, 4000, 320, 240));
  registry.RestoreFormPos("FarAway", form);
  EXPECT_EQ("-5000,4000 320x240", Bounds(form)) << "not compared with the screen";
  EXPECT_THROW(registry.WriteFormPos("Nil", nullptr), ERegistryException);
  EXPECT_THROW(registry.RestoreFormPos("FarAway", nullptr), ERegistryException);
  EXPECT_FALSE(registry.ValueExists("Nil"));
}

TEST_F(FormRegistryTest, WindowStateIsItsOrdinalAsADoubleWord) {
  form->SetWindowState(wsMaximized);
  registry.WriteFormState("State", form);
  EXPECT_EQ(rdInteger, registry.GetDataType("State"));
  EXPECT_EQ(2, registry.ReadInteger("State"));
  form->SetWindowState(wsNormal);
  registry.RestoreFormState("State", form);
  EXPECT_EQ(wsMaximized, form->GetWindowState());

  form->Show();
  EXPECT_TRUE(IsZoomed(form->GetHandle()));
  registry.WriteInteger("State", 0);
  registry.RestoreFormState("State", form);
  EXPECT_FALSE(IsZoomed(form->GetHandle())) << "a shown form takes the state at once";
  EXPECT_EQ(wsNormal, form->GetWindowState());
  registry.WriteInteger("State", 1);
  registry.RestoreFormState("State", form);
  EXPECT_TRUE(IsIconic(form->GetHandle()));
}

TEST_F(FormRegistryTest, WindowStateIgnoresMissingAndOutOfRangeNumbersAndRaisesForOtherTypes) {
  form->SetWindowState(wsMaximized);
  registry.RestoreFormState("Missing", form);
  EXPECT_EQ(wsMaximized, form->GetWindowState());
  for (int garbage : {3, -1, 0x7FFFFFFF}) {
    registry.WriteInteger("State", garbage);
    registry.RestoreFormState("State", form);
    EXPECT_EQ(wsMaximized, form->GetWindowState()) << garbage;
  }
  registry.WriteString("State", "2");
  try {
    registry.RestoreFormState("State", form);
    ADD_FAILURE() << "a string value raises";
  } catch (const ERegistryException& e) {
    EXPECT_EQ("Invalid data type for 'State'", e.Message());
  }
}

TEST_F(FormRegistryTest, FontRecordHasTheFixedLayout) {
  TFont font;
  font.SetName("Courier New");
  font.SetCharset(RUSSIAN_CHARSET);
  font.SetColor(clNavy);
  font.SetSize(12);
  font.SetPitch(fpFixed);
  font.SetStyle({fsBold, fsUnderline});
  registry.WriteFont("Font", &font);
  EXPECT_EQ(rdBinary, registry.GetDataType("Font"));
  ASSERT_EQ(126, registry.GetDataSize("Font"));
  unsigned char bytes[126];
  registry.ReadBinaryData("Font", bytes, 126);
  EXPECT_STREQ("Courier New", reinterpret_cast<const char*>(bytes));
  EXPECT_EQ(RUSSIAN_CHARSET, Int32At(bytes, 102)) << "charset in the low byte, upper bytes zero";
  EXPECT_EQ(static_cast<int32_t>(clNavy), Int32At(bytes, 106));
  EXPECT_EQ(font.GetHeight(), Int32At(bytes, 110));
  EXPECT_EQ(2, Int32At(bytes, 114));
  EXPECT_EQ(12, Int32At(bytes, 118));
  EXPECT_EQ((std::vector<int>{1, 0, 1, 0}), (std::vector<int>{bytes[122], bytes[123], bytes[124], bytes[125]}));
}

TEST_F(FormRegistryTest, FontComesBackWithEverySettingAndChangesOnce) {
  TFont font;
  font.SetName("Courier New");
  font.SetCharset(RUSSIAN_CHARSET);
  font.SetColor(clNavy);
  font.SetSize(12);
  font.SetPitch(fpVariable);
  font.SetStyle({fsBold, fsItalic, fsUnderline, fsStrikeOut});
  registry.WriteFont("Font", &font);

  TFont read;
  int changes = 0;
  read.SetOnChange([&](TObject*) { ++changes; });
  registry.ReadFont("Font", &read, nullptr);
  EXPECT_EQ("Courier New", read.GetName());
  EXPECT_EQ(RUSSIAN_CHARSET, read.GetCharset());
  EXPECT_EQ(clNavy, read.GetColor());
  EXPECT_EQ(12, read.GetSize());
  EXPECT_EQ(fpVariable, read.GetPitch());
  EXPECT_EQ((TFontStyles{fsBold, fsItalic, fsUnderline, fsStrikeOut}), read.GetStyle());
  EXPECT_EQ(1, changes);
}

TEST_F(FormRegistryTest, FontSizeDecidesTheHeight) {
  // Written at 120 pixels per inch: the height is that of 12 points there.
  TFont large;
  large.SetPixelsPerInch(120);
  large.SetSize(12);
  registry.WriteFont("Font", &large);
  TFont read;
  registry.ReadFont("Font", &read, nullptr);
  EXPECT_EQ(12, read.GetSize());
  EXPECT_EQ(-MulDiv(12, read.GetPixelsPerInch(), 72), read.GetHeight());

  TFontRecord conflicting("Arial", 0, 0, -50, 0, 12);
  registry.WriteBinaryData("Conflict", conflicting.bytes, 126);
  registry.ReadFont("Conflict", &read, nullptr);
  EXPECT_EQ(12, read.GetSize());
}

TEST_F(FormRegistryTest, FontNamesUpToAHundredCharactersAreWrittenLongerOnesRaiseFirst) {
  TFont font;
  font.SetName(String(100, 'n'));
  registry.WriteFont("Font", &font);
  TFont read;
  registry.ReadFont("Font", &read, nullptr);
  EXPECT_EQ(String(100, 'n'), read.GetName());

  unsigned char before[126];
  registry.ReadBinaryData("Font", before, 126);
  font.SetName(String(101, 'x'));
  try {
    registry.WriteFont("Font", &font);
    ADD_FAILURE() << "101 characters raise";
  } catch (const ERegistryException& e) {
    EXPECT_EQ("TOrvRegistry.WriteFont received font with name longer than 100 characters.", e.Message());
  }
  unsigned char after[126];
  ASSERT_EQ(126, registry.ReadBinaryData("Font", after, 126));
  EXPECT_EQ(0, std::memcmp(before, after, 126)) << "the stored value is untouched";
  EXPECT_THROW(registry.WriteFont("Other", &font), ERegistryException);
  EXPECT_FALSE(registry.ValueExists("Other")) << "nothing is written";
}

TEST_F(FormRegistryTest, FontNullArgumentsRaiseWithTheirMessages) {
  try {
    registry.WriteFont("Font", nullptr);
    ADD_FAILURE();
  } catch (const ERegistryException& e) {
    EXPECT_EQ("TOrvRegistry.WriteFont received nil font parameter", e.Message());
  }
  TFont fallback;
  try {
    registry.ReadFont("Font", nullptr, &fallback);
    ADD_FAILURE();
  } catch (const ERegistryException& e) {
    EXPECT_EQ("TOrvRegistry.ReadFont received nil new font parameter", e.Message());
  }
  EXPECT_FALSE(registry.ValueExists("Font"));
}

TEST_F(FormRegistryTest, FontFallsBackToTheDefaultFontOrStaysAsItIs) {
  TFont font;
  font.SetName("Tahoma");
  int changes = 0;
  font.SetOnChange([&](TObject*) { ++changes; });
  registry.ReadFont("Missing", &font, nullptr);
  EXPECT_EQ("Tahoma", font.GetName());
  EXPECT_EQ(0, changes) << "no default font: unchanged";

  TFont fallback;
  fallback.SetName("Verdana");
  fallback.SetColor(clRed);
  registry.ReadFont("Missing", &font, &fallback);
  EXPECT_EQ("Verdana", font.GetName());
  EXPECT_EQ(clRed, font.GetColor());

  for (int size : {125, 127, 16}) {
    std::vector<unsigned char> bytes(static_cast<size_t>(size), 'a');
    registry.WriteBinaryData("Misshapen", bytes.data(), size);
    font.SetName("Tahoma");
    registry.ReadFont("Misshapen", &font, &fallback);
    EXPECT_EQ("Verdana", font.GetName()) << size << " bytes";
  }
}

TEST_F(FormRegistryTest, FontRecordsWrittenElsewhereAreReadSafely) {
  // A name filling the whole field, with no terminator, and a pitch number that means nothing.
  TFontRecord odd(String(102, 'q'), 0, 0, -11, 9, 8);
  registry.WriteBinaryData("Odd", odd.bytes, 126);
  TFont font;
  font.SetPitch(fpFixed);
  registry.ReadFont("Odd", &font, nullptr);
  EXPECT_EQ(String(102, 'q'), font.GetName());
  EXPECT_EQ(fpDefault, font.GetPitch()) << "an unknown pitch reads as the default one";
  EXPECT_EQ(8, font.GetSize());
}
