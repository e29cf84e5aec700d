// GUID text cut, flipped and padded: StringToGUID accepts exactly the braced 38-character form
// (and then gives it back through GUIDToString), and refuses everything else with EOleSysError.
#include "framework/ComObj.h"
#include "tests/fuzz/Fuzz.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool LooksBraced(const String& text) {
  if (text.size() != 38 || text.front() != '{' || text.back() != '}') return false;
  for (size_t i = 1; i < 37; ++i) {
    bool dash = i == 9 || i == 14 || i == 19 || i == 24;
    if (dash ? text[i] != '-' : !IsHex(text[i])) return false;
  }
  return true;
}

}  // namespace

TEST(GuidTextFuzz, OnlyTheBracedFormIsAcceptedAndItComesBackUnchanged) {
  const String sample = "{6B29FC40-CA47-1067-B31D-00DD010662DA}";
  FuzzCount count("GUID texts");
  Mutator mutator(38);
  for (int round = 0; round < 3000 * FuzzScale(); ++round) {
    String text = round % 10 == 0 ? mutator.RandomBytes(mutator.Below(60)) : mutator.Mutate(sample, 2);
    // Flipping one hex digit to another keeps the form: make that common too.
    if (round % 3 == 0) text = String(sample).replace(1 + mutator.Below(36), 1, 1, "0123456789abcdefABCDEF-g"[mutator.Below(24)]);
    count.Run(Format("round %d: %s", round, text), [&] {
      bool accepted = false;
      try {
        TGUID guid = StringToGUID(text);
        accepted = true;
        EXPECT_EQ(UpperCase(text), GUIDToString(guid));
      } catch (const EOleSysError&) {
        EXPECT_FALSE(LooksBraced(text)) << "refused good text " << text;
        throw;
      }
      EXPECT_TRUE(!accepted || LooksBraced(text)) << "accepted " << text;
    });
  }
}
