// TOrvWise over blocks built by the tests: the documented results and messages (the resource
// strings of the module), the block left byte for byte as it was after every failure, and blocks
// that claim more than they hold.
#include <gtest/gtest.h>

#include "tests/install/WiseTestBlock.h"

namespace Tovix::Testing {
namespace {

TEST(Wise, ConstructionRefusesBadBlocks) {
  EXPECT_EQ("TOrvWise.Create - Passed a nil params pointer", MessageOf([] { TOrvWise w(nullptr); }));
  WiseTestBlock block(4, 10, 10);
  block.Params()->Size = 48;
  EXPECT_EQ(Format("TOrvWise.Create - Bad Wise record length.  Wise  says length should be 48 bytes, but it is %d bytes",
                   sizeof(TOrvWiseParams)),
            MessageOf([&] { TOrvWise w(block.Params()); }));
  block.Params()->Size = sizeof(TOrvWiseParams);
  EXPECT_EQ("", MessageOf([&] { TOrvWise w(block.Params()); }));
  // Slot offsets of a table reaching past the top of the address space would wrap.
  block.Params()->VarValues = reinterpret_cast<char*>(UINTPTR_MAX - 20);
  EXPECT_EQ(SOrvWiseTablesTooLarge, MessageOf([&] { TOrvWise w(block.Params()); }));
  block.Params()->VarValues = nullptr;
  EXPECT_EQ(SOrvWiseTableMissing, MessageOf([&] { TOrvWise w(block.Params()); }));
}

TEST(Wise, ReadsChangesAndAddsVariablesAndLeavesTheBlockAsItWasOnFailure) {
  WiseTestBlock block(2, 10, 10);
  block.PutSlot(0, "%MAINDIR%", "D:\\Prog");
  TOrvWise wise(block.Params());
  wise.AddVar("MyVar", "123456789");  // a 9-character value fills a 10-byte slot
  EXPECT_TRUE(wise.IsVar("MYVAR"));
  EXPECT_EQ(1, wise.GetVarIndex("myvar"));
  EXPECT_EQ("%MyVar%", wise.GetVarName(1));
  EXPECT_EQ("D:\\Prog", wise.GetVar("maindir"));
  wise.SetVar("MainDir", "E:\\");
  EXPECT_EQ("E:\\", wise.GetVarByIndex(0));
  EXPECT_EQ("dflt", wise.GetVarDefault("OTHER", "dflt"));
  EXPECT_NO_THROW(wise.CheckVarNameWidth("1234567"));

  String before = block.Bytes();
  const std::pair<const char*, std::function<void()>> failures[] = {
      {"TOrvWise - The variable name '12345678' exceeded the maximum width of 7", [&] { wise.GetVarDefault("12345678", ""); }},
      {"TOrvWise - The variable value '1234567890' exceeded the maximum width of 9", [&] { wise.SetVar("MyVar", "1234567890"); }},
      {"TOrvWise.GetVar() requested non-existent variable 'NONE'", [&] { wise.GetVar("NONE"); }},
      {"TOrvWise.SetVar - Cannot change value of variable 'NONE' because it does not exist.", [&] { wise.SetVar("NONE", "x"); }},
      {"TOrvWise.AddVar - Cannot add variable 'MYVAR' because it already exists.", [&] { wise.AddVar("MYVAR", "x"); }},
      {"TOrvWise.AddVar - cannot add variable 'NEW' because maximum of 2 variables already exists", [&] { wise.AddVar("NEW", "x"); }},
      {"TOrvWise - Index of -1 is out of bounds.  It must be between 0 and 1.", [&] { wise.GetVarName(0xFFFFFFFF); }},
  };
  for (const auto& [message, action] : failures) {
    EXPECT_EQ(message, MessageOf(action));
    EXPECT_EQ(before, block.Bytes()) << message;
  }
}

TEST(Wise, TrustsTheBlockOnlyAsFarAsItsTablesReach) {
  WiseTestBlock block(2, 8, 6);
  // Full slots without terminators end at the guard page: their text is the whole slot.
  block.PutSlot(1, "%ABCDEF%", "VWXYZ!");
  block.Params()->VarCount = 7;  // more than the 2 slots the tables have
  TOrvWise wise(block.Params());
  EXPECT_EQ(7u, wise.GetVarCount());
  EXPECT_EQ("%ABCDEF%", wise.GetVarName(1));
  EXPECT_EQ("VWXYZ!", wise.GetVarByIndex(1));
  EXPECT_FALSE(wise.IsVar("ABCDE"));
  EXPECT_EQ("TOrvWise - Index of 2 is out of bounds.  It must be between 0 and 1.", MessageOf([&] { wise.CheckIndexBounds(2); }));
  EXPECT_EQ("TOrvWise.AddVar - cannot add variable 'X' because maximum of 2 variables already exists",
            MessageOf([&] { wise.AddVar("X", "y"); }));

  WiseTestBlock empty(3, 0, 0);
  empty.Params()->VarCount = 1;
  TOrvWise zero(empty.Params());
  EXPECT_EQ("", zero.GetVarName(0));
  EXPECT_EQ("TOrvWise - The variable name '' exceeded the maximum width of -3", MessageOf([&] { zero.IsVar(""); }));
  EXPECT_EQ("TOrvWise - Index of 0 is out of bounds.  It must be between 0 and -1.",
            MessageOf([] { WiseTestBlock none(1, 10, 10); TOrvWise(none.Params()).GetVarByIndex(0); }));

  EXPECT_EQ("", wise.GetParamString());
  block.SetParamString(String(OrvWiseMaxParamString, 'p'), false);
  EXPECT_EQ(OrvWiseMaxParamString, wise.GetParamString().size());
  block.SetParamString("/S C:\\Setup");
  EXPECT_EQ("/S C:\\Setup", wise.GetParamString());
}

}  // namespace
}  // namespace Tovix::Testing
