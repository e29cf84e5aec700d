// Registry values of every type and of wrong sizes where the registry helper keeps rectangles,
// fonts, form positions and window states: a value of the wrong size gives the default, a value
// of the wrong type raises the registry's exception, and nothing else happens.
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "tests/fuzz/Fuzz.h"
#include "tests/support/RegistrySandbox.h"
#include "utils/Orvregistry.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

const DWORD kTypes[] = {REG_BINARY, REG_DWORD, REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_QWORD, REG_NONE, 12345};
// The sizes the helper looks for, their neighbours, and some others.
const uint32_t kSizes[] = {0, 1, 3, 4, 5, 8, 15, 16, 17, 20, 101, 102, 125, 126, 127, 300};

bool SameRect(const TRect& a, const TRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool SameFont(TFont& a, TFont& b) {
  return a.GetName() == b.GetName() && a.GetSize() == b.GetSize() && a.GetColor() == b.GetColor() &&
         a.GetStyle() == b.GetStyle() && a.GetCharset() == b.GetCharset() && a.GetPitch() == b.GetPitch();
}

}  // namespace

TEST(RegistryValuesFuzz, WrongTypesAndSizesGiveTheDefaultOrTheRegistryError) {
  RegistrySandbox sandbox;
  TOrvRegistry registry(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry.OpenKey("\\Software\\Fuzz", true));
  TFont defaultFont;
  defaultFont.SetName("Courier New");
  defaultFont.SetSize(13);
  const TRect defaultRect = Rect(1, 2, 3, 4);
  std::unique_ptr<TForm> form(new TForm(nullptr));
  FuzzCount count("registry values");
  Mutator mutator(1999);
  for (int round = 0; round < 800 * FuzzScale(); ++round) {
    DWORD type = kTypes[mutator.Below(8)];
    uint32_t size = kSizes[mutator.Below(16)];
    String data = mutator.RandomBytes(size);
    // Often a plausible font record: a name, then numbers of any value.
    if (size == 126 && mutator.Below(2)) data.replace(0, 12, "Arial\0garbag", 12);
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(registry.GetCurrentKey(), "V", 0, type,
                                            reinterpret_cast<const BYTE*>(data.data()), size));
    // String data is kept converted, so its size as read back may differ from the size written.
    size = static_cast<uint32_t>(registry.GetDataSize("V"));
    // Types other than strings and double words count as binary data, as the registry class reads them.
    bool binaryLike = type != REG_SZ && type != REG_EXPAND_SZ && type != REG_DWORD;
    int operation = static_cast<int>(mutator.Below(5));
    count.Run(Format("round %d: type %d, %d bytes, operation %d", round, static_cast<int>(type), static_cast<int>(size), operation), [&] {
      switch (operation) {
        case 0: {
          TRect rect = registry.ReadRect("V", defaultRect);
          if (size != 16) {
            EXPECT_TRUE(SameRect(defaultRect, rect));
          }
          break;
        }
        case 1: {
          TFont font;
          registry.ReadFont("V", &font, &defaultFont);
          if (size != 126) {
            EXPECT_TRUE(SameFont(font, defaultFont));
          }
          EXPECT_LE(font.GetName().size(), 102u);
          break;
        }
        case 2: {
          TRect before = form->GetBoundsRect();
          registry.RestoreFormPos("V", form.get());
          if (size != 16) {
            EXPECT_TRUE(SameRect(before, form->GetBoundsRect()));
          }
          break;
        }
        case 3: {
          try {
            registry.RestoreFormState("V", form.get());
          } catch (const ERegistryException&) {
            EXPECT_FALSE(type == REG_DWORD && size == 4) << "a double word was refused";
            throw;
          }
          EXPECT_TRUE(type == REG_DWORD && size == 4) << "read a state from another type";
          EXPECT_LE(form->GetWindowState(), wsMaximized);
          break;
        }
        default: {
          registry.ReadInteger("V", 7);
          registry.ReadString("V", "default");
          break;
        }
      }
      // A string or number of the right size is refused above, never read as a rectangle or a font.
      bool rightSize = operation == 1 ? size == 126 : size == 16;
      if (!binaryLike && rightSize && operation <= 2) {
        ADD_FAILURE() << "a string or number value read as binary";
      }
    });
    form->SetWindowState(wsNormal);
  }
}
