// GUID text conversions through the OLE library.
#include <cstring>

#include "framework/ComObj.h"
#include "tests/support/RegistryFixture.h"

using namespace Tovix;

namespace {

class ComObj : public Tovix::Testing::RegistryFixture {};

TEST_F(ComObj, GuidTextRoundTripsInTheBracedUpperCaseForm) {
  const TGUID sample = {0x6B29FC40, 0xCA47, 0x1067, {0xB3, 0x1D, 0x00, 0xDD, 0x01, 0x06, 0x62, 0xDA}};
  EXPECT_EQ("{6B29FC40-CA47-1067-B31D-00DD010662DA}", GUIDToString(sample));
  EXPECT_EQ("{00000000-0000-0000-0000-000000000000}", GUIDToString(TGUID{}));
  TGUID parsed = StringToGUID("{6b29fc40-ca47-1067-b31d-00dd010662da}");
  EXPECT_EQ(0, std::memcmp(&sample, &parsed, sizeof parsed));
}

TEST_F(ComObj, AnythingButTheBracedFormRaisesOleSysError) {
  const String bad[] = {"",
                        "{6B29FC40}",
                        "6B29FC40-CA47-1067-B31D-00DD010662DA",
                        "{6B29FC40-CA47-1067-B31D-00DD010662DA}x",
                        "{6B29FC40-CA47-1067-B31D-00DD010662DG}",
                        "{6B29FC40-CA4-71067-B31D-00DD010662DA}",
                        String("{6B29FC40-CA47-1067-B31D-00DD010662D\0}", 38),
                        // Registered in every Wine prefix: CLSIDFromString would resolve it.
                        "Shell.Application"};
  for (const String& text : bad) {
    try {
      StringToGUID(text);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const EOleSysError& e) {
      EXPECT_EQ(CO_E_CLASSSTRING, e.ErrorCode()) << text;
    }
  }
}

}  // namespace
