#include "com/Orvpnh.h"

#include <gtest/gtest.h>

#include "com/Orvurlmon.h"
#include "tests/com/ComTestSupport.h"
#include "tests/support/RegistrySandbox.h"
#include "tests/com/TestServerIds.h"
#include "framework/Registry.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

const String kHandlers = "PROTOCOLS\\Name-Space Handler";
const TGUID kClassId = TestServerClassId;
const TGUID kOtherId = FailingServerClassId;

String HandlerKey(const String& protocol, const String& name) { return kHandlers + "\\" + protocol + "\\" + name; }

// The names of the values of a handler key, in registry order, joined by commas.
String ValueNames(const String& protocol, const String& name) {
  TRegistry registry;
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  if (!registry.OpenKeyReadOnly(HandlerKey(protocol, name))) return "<no key>";
  TStringList names;
  registry.GetValueNames(names);
  String joined;
  for (int i = 0; i < names.GetCount(); ++i) joined += (i ? "," : "") + names[i];
  return joined;
}

}  // namespace

TEST(OrvPnh, AddCreatesAnEnabledEntryThatDisablingKeepsWithItsIdentifier) {
  RegistrySandbox sandbox;
  TOrvPnh handler("tovix", "Handler");
  EXPECT_EQ("\\PROTOCOLS\\Name-Space Handler\\tovix\\Handler", handler.RegKey());
  EXPECT_FALSE(handler.Exists());
  ASSERT_TRUE(handler.Add(kClassId));
  EXPECT_EQ("Handler", ClassesValue(HandlerKey("tovix", "Handler")));
  EXPECT_EQ(ComIdToStr(kClassId), ClassesValue(HandlerKey("tovix", "Handler"), "CLSID"));
  EXPECT_EQ("", ClassesValue(HandlerKey("tovix", "Handler"), "Pattern1"));
  EXPECT_TRUE(handler.Exists() && handler.GetEnabled());

  handler.SetEnabled(false);
  EXPECT_TRUE(handler.Exists());
  EXPECT_FALSE(handler.GetEnabled());
  EXPECT_TRUE(ComCompareId(kClassId, handler.GetClassId()));
  EXPECT_EQ(",DISABLED-CLSID,Pattern1", ValueNames("tovix", "Handler"));
  EXPECT_FALSE(handler.Add(kOtherId)) << "a disabled entry exists too";
  EXPECT_TRUE(ComCompareId(kClassId, handler.GetClassId()));

  handler.SetEnabled(true);
  EXPECT_TRUE(handler.GetEnabled());
  EXPECT_EQ(",CLSID,Pattern1", ValueNames("tovix", "Handler"));

  handler.Remove();
  EXPECT_FALSE(handler.Exists());
  EXPECT_TRUE(ClassesKeyExists(kHandlers + "\\tovix")) << "the protocol key stays";
}

TEST(OrvPnh, PatternsReadToTheFirstGapAndAreReplacedWhole) {
  RegistrySandbox sandbox;
  const String key = HandlerKey("tovix", "Patterned");
  for (const char* name : {"Pattern1", "Pattern2", "Pattern4", "patternX"}) WriteClassesValue(key, name, String("p-") + name);
  WriteClassesValue(key, "CLSID", ComIdToStr(kClassId));
  TOrvPnh handler("tovix", "Patterned");
  ASSERT_EQ(2, handler.GetPatterns()->GetCount());
  EXPECT_EQ("p-Pattern2", (*handler.GetPatterns())[1]);

  handler.GetPatterns()->Clear();
  handler.GetPatterns()->Add("text/a");
  handler.WritePatterns();
  EXPECT_EQ("CLSID,Pattern1", ValueNames("tovix", "Patterned")) << "Pattern2, Pattern4 and patternX went";
  EXPECT_EQ("text/a", ClassesValue(key, "Pattern1"));

  WriteClassesValue(key, "PATTERN7", "x");
  handler.ErasePatterns();
  EXPECT_EQ("CLSID", ValueNames("tovix", "Patterned"));
  handler.GetPatterns()->Clear();
  handler.WritePatterns();
  EXPECT_EQ(1, handler.GetPatterns()->GetCount());
  EXPECT_EQ("", ClassesValue(key, "Pattern1"));
}

TEST(OrvPnh, AnEmptyOrNestedNameReachesNoOtherHandler) {
  RegistrySandbox sandbox;
  TOrvPnh kept("http", "Kept");
  ASSERT_TRUE(kept.Add(kClassId));
  for (auto [protocol, name] : {std::pair<String, String>{"http", ""}, {"", "http"}, {"http\\Kept", "x"}, {"http", "Kept\\y"}}) {
    TOrvPnh odd(protocol, name);
    EXPECT_FALSE(odd.Add(kOtherId)) << protocol << "|" << name;
    EXPECT_FALSE(odd.Exists() || odd.GetEnabled());
    odd.SetEnabled(false);
    odd.GetPatterns()->Add("lost?");
    odd.WritePatterns();
    odd.ErasePatterns();
    odd.Remove();
  }
  EXPECT_TRUE(kept.GetEnabled());
  EXPECT_EQ(",CLSID,Pattern1", ValueNames("http", "Kept"));
}

TEST(OrvPnhList, ListsEveryHandlerAndRoundTripsEnabling) {
  RegistrySandbox sandbox;
  EXPECT_EQ(0, TOrvPnhList().GetCount());
  ASSERT_TRUE(TOrvPnh("http", "B").Add(kClassId));
  ASSERT_TRUE(TOrvPnh("ftp", "A").Add(kOtherId));
  ASSERT_TRUE(TOrvPnh("http", "a").Add(kOtherId));
  WriteClassesValue(kHandlers + "\\empty", "", "");
  TOrvPnhList list;
  ASSERT_EQ(3, list.GetCount());
  EXPECT_EQ("ftp/A", list.GetItem(0)->GetProtocol() + "/" + list.GetItem(0)->GetName());
  EXPECT_EQ("http/a", list.GetItem(1)->GetProtocol() + "/" + list.GetItem(1)->GetName());
  EXPECT_EQ("http/B", list.GetItem(2)->GetProtocol() + "/" + list.GetItem(2)->GetName());
  list.GetItem(2)->SetEnabled(false);
  TOrvPnhList again;
  EXPECT_FALSE(again.GetItem(2)->GetEnabled());
  again.GetItem(2)->SetEnabled(true);
  EXPECT_TRUE(ComCompareId(kClassId, TOrvPnh("http", "B").GetClassId()));
}

TEST(OrvPnhFactory, AServerRegistersItsHandlersAndRemovesOnlyItsOwn) {
  RegistrySandbox sandbox;
  // Another server's handler of the same name already serves http.
  ASSERT_TRUE(TOrvPnh("http", PnhServerClassName).Add(kOtherId));
  const String server = BesideTestProgram("tovix_pnh_server.dll");
  ComRegClass(server);
  const String classKey = "CLSID\\" + ComIdToStr(PnhServerClassId);
  EXPECT_EQ(server, ClassesValue(classKey + "\\InprocServer32"));
  EXPECT_EQ("Apartment", ClassesValue(classKey + "\\InprocServer32", "ThreadingModel"));
  EXPECT_TRUE(ComCompareId(PnhServerClassId, TOrvPnh("ftp", PnhServerClassName).GetClassId()));
  EXPECT_EQ(PnhServerClassName, ClassesValue(HandlerKey("ftp", PnhServerClassName)));
  EXPECT_TRUE(ComCompareId(kOtherId, TOrvPnh("http", PnhServerClassName).GetClassId())) << "an existing entry stays";

  TOrvPnh("ftp", PnhServerClassName).SetEnabled(false);
  ComUnregClass(PnhServerClassId);
  EXPECT_FALSE(ClassesKeyExists(classKey));
  EXPECT_FALSE(TOrvPnh("ftp", PnhServerClassName).Exists()) << "its own entry goes, disabled or not";
  EXPECT_TRUE(ComCompareId(kOtherId, TOrvPnh("http", PnhServerClassName).GetClassId()));
}

TEST(PnhGetIntfKnownName, NamesTheInterfacesAHandlerMeets) {
  EXPECT_EQ("", PnhGetIntfKnownName(ComZeroId()));
  EXPECT_EQ("", PnhGetIntfKnownName(kClassId));
  EXPECT_EQ("IID_IClassFactory", PnhGetIntfKnownName(IID_IClassFactory));
  EXPECT_EQ("IID_IEncodingFilterFactory", PnhGetIntfKnownName(Tovix::IID_IEncodingFilterFactory));
  EXPECT_EQ("IID_IInternetPriority", PnhGetIntfKnownName(ComStrToId("{79EAC9EB-BAF9-11CE-8C82-00AA004BA90B}")));
}
