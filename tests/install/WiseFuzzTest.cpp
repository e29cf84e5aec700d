// Seeded random blocks and calls: the library never reads or writes outside the record, its
// tables and its string parameter (each ends at an inaccessible page), a failure changes no byte,
// and a success changes exactly the bytes it should.
#include <gtest/gtest.h>

#include <random>

#include "tests/install/WiseTestBlock.h"

namespace Tovix::Testing {
namespace {

class BlockFuzzer {
 public:
  explicit BlockFuzzer(unsigned seed) : rng_(seed) {}

  void Round() {
    static const uint32_t widths[] = {0, 1, 2, 3, 4, 5, 8, 13, 40};
    uint32_t maxVars = Below(7);
    uint32_t nameWidth = widths[Below(9)], valueWidth = widths[Below(9)];
    // Huge widths only with empty tables: the test cannot hold gigabytes.
    if (maxVars == 0 && Below(3) == 0) nameWidth = Below(2) ? 0x7FFFFFFF : 0xFFFFFFFF;
    WiseTestBlock block(maxVars, nameWidth, valueWidth);
    TOrvWiseParams* p = block.Params();
    for (uint32_t i = 0; i < maxVars; ++i) block.PutSlot(i, Text(nameWidth + 1), Text(valueWidth + 1));
    p->VarCount = Below(maxVars + 3);
    if (Below(20) == 0) p->Size = Below(100);
    // A string parameter without a terminator is read up to the 64 KiB limit, which ends at the guard.
    if (Below(2)) block.SetParamString(String(Below(30), 'x'));
    else if (Below(2)) block.SetParamString(String(OrvWiseMaxParamString, 'x'), false);

    String before = block.Bytes();
    try {
      TOrvWise wise(p);
      for (int i = 0; i < 8; ++i) Call(wise, block);
    } catch (const Exception&) {
      EXPECT_EQ(before, block.Bytes());
    }
  }

 private:
  uint32_t Below(uint32_t n) { return std::uniform_int_distribution<uint32_t>(0, n - 1)(rng_); }

  // Random bytes, often letters, sometimes a terminator or a percent sign.
  String Text(uint32_t maxLength) {
    static const char alphabet[] = "AbCz%%\0\0_9\xE9";
    String text(Below(std::min<uint32_t>(maxLength, 60) + 1), ' ');
    for (char& c : text) c = alphabet[Below(sizeof alphabet - 1)];
    return text;
  }

  // A name: the text of a slot without its percent signs, or random text.
  String Name(const TOrvWise& wise) {
    uint32_t used = std::min(wise.GetVarCount(), wise.GetMaxVars());
    if (used && Below(2)) {
      String stored = wise.GetVarName(Below(used));
      String name = stored.size() >= 2 ? stored.substr(1, stored.size() - 2) : stored;
      return Below(2) ? LowerCase(name) : name;
    }
    return Text(45);
  }

  void Call(TOrvWise& wise, WiseTestBlock& block) {
    TOrvWiseParams* p = block.Params();
    String before = block.Bytes();
    uint32_t count = p->VarCount;
    String name = Name(wise), value = Text(45);
    uint32_t index = Below(10);
    try {
      switch (Below(7)) {
        case 0: EXPECT_LE(wise.GetVarName(index).size(), p->VarNameWidth); EXPECT_LT(index, std::min(count, p->MaxVars)); break;
        case 1: EXPECT_LE(wise.GetVarByIndex(index).size(), p->VarValueWidth); break;
        case 2: EXPECT_EQ(wise.GetVarDefault(name, "?"), wise.IsVar(name) ? wise.GetVar(name) : "?"); break;
        case 3: EXPECT_LE(wise.GetParamString().size(), OrvWiseMaxParamString); break;
        case 4: {
          int slot = wise.GetVarIndex(name);
          if (slot >= 0) {
            EXPECT_EQ(0, _stricmp(wise.GetVarName(slot).c_str(), TOrvWise::FormatVarName(name).c_str()));
          }
          break;
        }
        case 5:
          wise.SetVar(name, value);
          ExpectOnlySlotChanged(block, before, wise.GetVarIndex(name), "", value);
          return;
        default:
          wise.AddVar(name, value);
          EXPECT_EQ(count + 1, p->VarCount);
          p->VarCount = count;  // compare the rest with the count as it was
          ExpectOnlySlotChanged(block, before, count, TOrvWise::FormatVarName(name), value);
          p->VarCount = count + 1;
          return;
      }
    } catch (const Exception&) {
    }
    EXPECT_EQ(before, block.Bytes());
  }

  // Every byte as before, except the slot's (name and) value, which now hold the texts.
  static void ExpectOnlySlotChanged(WiseTestBlock& block, const String& before, uint32_t slot, const String& name, const String& value) {
    TOrvWiseParams* p = block.Params();
    String after = block.Bytes(), expected = before;
    size_t names = sizeof(TOrvWiseParams), values = names + size_t{p->MaxVars} * p->VarNameWidth;
    if (!name.empty()) expected.replace(names + size_t{slot} * p->VarNameWidth, name.size() + 1, name + '\0');
    expected.replace(values + size_t{slot} * p->VarValueWidth, value.size() + 1, value + '\0');
    EXPECT_EQ(expected, after);
  }

  std::mt19937 rng_;
};

TEST(WiseFuzz, RandomBlocksStayInsideTheirTablesAndFailuresChangeNothing) {
  const unsigned seed = 20261208;
  SCOPED_TRACE(Format("seed %d", seed));
  BlockFuzzer fuzzer(seed);
  for (int round = 0; round < 4000 && !testing::Test::HasFailure(); ++round) fuzzer.Round();
}

}  // namespace
}  // namespace Tovix::Testing
