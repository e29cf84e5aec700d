// TDataModule: a form-file root without a window, here holding timers.
#include <gtest/gtest.h>

#include "tests/support/WindowsSupport.h"
#include "utils/Orvutils.h"

using namespace Tovix;
using namespace Tovix::Testing;

TEST(DataModule, LoadsItsFormFileWithFieldsEventsAndRunningTimers) {
  size_t utilWindows = UtilWindows().size();
  auto* module = new TTestDataModule(nullptr);
  ASSERT_NE(nullptr, module->Ticker);
  ASSERT_NE(nullptr, module->Idle);
  EXPECT_EQ((std::vector<String>{"create with fields"}), module->log) << "OnCreate runs once the file is read";
  EXPECT_EQ(200, module->GetLeft());
  EXPECT_EQ(215, module->GetWidth());
  EXPECT_EQ(20u, module->Ticker->GetInterval());
  EXPECT_FALSE(module->Idle->GetEnabled());
  EXPECT_EQ(module, module->Ticker->GetOwner());
  EXPECT_EQ(nullptr, GetComponentForm(module->Ticker)) << "a data module is not a form";
  EXPECT_EQ(nullptr, GetComponentFormHandle(module->Ticker));

  EXPECT_TRUE(PumpUntil([&] { return module->ticks >= 2; })) << "the timer bound to the module's method ticks";
  EXPECT_EQ(utilWindows + 1, UtilWindows().size()) << "only the running timer made a window";

  module->Free();
  EXPECT_EQ(utilWindows, UtilWindows().size()) << "the module's timers went with it";
}

TEST(DataModule, WritesTimersWithoutTheirDefaults) {
  auto* module = new TTestDataModule(nullptr);
  String text = WriteComponentToText(module);
  module->Free();
  EXPECT_NE(String::npos, text.find("object Ticker: TTimer")) << text;
  EXPECT_NE(String::npos, text.find("Interval = 20")) << text;
  EXPECT_NE(String::npos, text.find("OnTimer = TickerTimer")) << text;
  EXPECT_NE(String::npos, text.find("Enabled = False")) << text;
  EXPECT_EQ(String::npos, text.find("Enabled = True")) << text;
  EXPECT_EQ(String::npos, text.find("Interval = 1000")) << text;
  // The text reads back into a module of the same class.
  auto* copy = new TTestDataModule(nullptr);
  copy->DestroyComponents();
  ReadComponentFromText(text, copy);
  ASSERT_NE(nullptr, copy->Ticker);
  EXPECT_EQ(20u, copy->Ticker->GetInterval());
  copy->Free();
}

TEST(DataModule, RunsOnDestroyWhileItsComponentsAreStillThere) {
  auto* module = new TTestDataModule(nullptr);
  TTimer* seen = nullptr;
  module->SetOnDestroy([&](TObject*) { seen = module->Ticker; });
  module->Free();
  EXPECT_NE(nullptr, seen);
}
