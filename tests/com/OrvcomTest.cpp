#include "com/Orvcom.h"
#include "com/OrvcomRes.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/com/ComTestSupport.h"
#include "tests/support/RegistrySandbox.h"
#include "tests/support/ScratchFolder.h"
#include "tests/com/TestServerIds.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

const String kTestServer = "tovix_test_server.dll";
const String kZeroText = "{00000000-0000-0000-0000-000000000000}";

// The message of the exception of exactly class E that call raises; a failure otherwise.
template <typename E>
String MessageOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const E& e) {
    if (typeid(e) == typeid(E)) return e.Message();
    return "wrong class: " + String(typeid(e).name()) + ": " + e.Message();
  } catch (const std::exception& e) {
    return "wrong class: " + String(e.what());
  }
  return "nothing raised";
}

bool IsLoaded(const String& path) { return GetModuleHandleA(path.c_str()) != nullptr; }

String ClassKey(const TGUID& id) { return "CLSID\\" + ComIdToStr(id); }

}  // namespace

TEST(OrvcomIdentifiers, ConvertCompareAndRejectMalformedText) {
  EXPECT_FALSE(ComIsValidIdStr("{123}"));
  EXPECT_EQ(kZeroText, ComIdToStr(ComStrToId("{123}")));
  EXPECT_EQ("{6A1C0D10-47B2-4E51-9D10-2B7E01C43F10}", ComIdToStr(TestServerClassId));
  EXPECT_TRUE(ComCompareId(TestServerClassId, ComStrToId("{6a1c0d10-47b2-4e51-9d10-2b7e01c43f10}")));
  TGUID lastByte = TestServerClassId;
  lastByte.Data4[7] ^= 1;
  EXPECT_FALSE(ComCompareId(TestServerClassId, lastByte));
}

TEST(OrvcomLookups, ReadWhatTheRegistryHoldsAndNothingWhenUnregistered) {
  RegistrySandbox sandbox;
  EXPECT_FALSE(ComIsClass(TestServerClassId));
  EXPECT_EQ("", ComClassName(TestServerClassId));
  EXPECT_EQ("", ComClassFile(TestServerClassId));
  EXPECT_EQ("", ComGetIntfName(TestServerClassId));

  WriteClassesValue(ClassKey(TestServerClassId), "", "A class");
  WriteClassesValue("Interface\\" + ComIdToStr(TestServerClassId), "", "IAnInterface");
  EXPECT_TRUE(ComIsClass(TestServerClassId));
  EXPECT_EQ("A class", ComClassName(TestServerClassId));
  EXPECT_EQ("", ComClassFile(TestServerClassId)) << "no InprocServer32 key";
  EXPECT_EQ("IAnInterface", ComGetIntfName(TestServerClassId));
  EXPECT_EQ("COM class has no associated COM file.",
            MessageOf<EOrvComError>([] { ComUnregClass(TestServerClassId); }));
}

TEST(OrvcomServers, AServerRegistersAndUnregistersItsClassKeys) {
  RegistrySandbox sandbox;
  const String server = BesideTestProgram(kTestServer);
  ComRegClass(server);
  const String classKey = ClassKey(TestServerClassId);
  EXPECT_EQ(TestServerDescription, ClassesValue(classKey));
  EXPECT_EQ(server, ClassesValue(classKey + "\\InprocServer32"));
  EXPECT_EQ("Apartment", ClassesValue(classKey + "\\InprocServer32", "ThreadingModel"));
  EXPECT_EQ(server, ComClassFile(TestServerClassId));
  EXPECT_FALSE(IsLoaded(server)) << "the server is freed again";

  ComUnregClass(TestServerClassId);
  EXPECT_FALSE(ClassesKeyExists(classKey));
  EXPECT_FALSE(IsLoaded(server));

  ComRegClass(server);
  ComUnregClassByFile(server);
  EXPECT_FALSE(ClassesKeyExists(classKey));
}

TEST(OrvcomServers, TheFrameworkServerHandsOutItsFactoryAndCountsItsObjects) {
  const String path = BesideTestProgram(kTestServer);
  HMODULE server = LoadLibraryA(path.c_str());
  ASSERT_NE(nullptr, server);
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
  auto getClassObject = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(server, "DllGetClassObject")));
  auto canUnloadNow = reinterpret_cast<CanUnloadNow>(reinterpret_cast<void*>(GetProcAddress(server, "DllCanUnloadNow")));
  ASSERT_TRUE(getClassObject && canUnloadNow);

  void* unknown = nullptr;
  EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, getClassObject(FailingServerClassId, IID_IClassFactory, &unknown));
  EXPECT_EQ(nullptr, unknown);
  IClassFactory* factory = nullptr;
  ASSERT_EQ(S_OK, getClassObject(TestServerClassId, IID_IClassFactory, reinterpret_cast<void**>(&factory)));
  IUnknown* object = nullptr;
  EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, IID_IClassFactory, reinterpret_cast<void**>(&object)));
  ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&object)));
  EXPECT_EQ(S_FALSE, canUnloadNow());
  object->Release();
  EXPECT_EQ(S_OK, canUnloadNow());
  factory->LockServer(TRUE);
  EXPECT_EQ(S_FALSE, canUnloadNow());
  factory->LockServer(FALSE);
  EXPECT_EQ(S_OK, canUnloadNow());
  factory->Release();
  FreeLibrary(server);
}

TEST(OrvcomServers, RegistrationFailuresAreReportedAndTheServerIsFreed) {
  RegistrySandbox sandbox;
  ScratchFolder folder;
  const String notDll = folder.WriteFile("notes.dll", "not a program");
  const String missing = folder.File("missing.dll");
  EXPECT_EQ("Unable to open COM file '" + missing + "' for class registration.",
            MessageOf<EOrvComError>([&] { ComRegClass(missing); }));
  EXPECT_EQ("Unable to open COM file '" + notDll + "' for class registration.",
            MessageOf<EOrvComError>([&] { ComRegClass(notDll); }));

  const String noExports = BesideTestProgram("tovix_noexports_server.dll");
  EXPECT_EQ("COM file '" + noExports + "' lacks the DllRegisterServer function",
            MessageOf<EOrvComError>([&] { ComRegClass(noExports); }));
  for (const char* name : {"tovix_sfalse_server.dll", "tovix_failing_server.dll"}) {
    const String server = BesideTestProgram(name);
    EXPECT_EQ("COM file '" + server + "' DllRegisterServer function returned failure",
              MessageOf<EOrvComError>([&] { ComRegClass(server); }));
    EXPECT_FALSE(IsLoaded(server)) << name;
  }
  EXPECT_FALSE(IsLoaded(noExports));
  EXPECT_TRUE(ClassesKeyExists(ClassKey(FailingServerClassId))) << "what the server wrote before failing stays";
  char text[128];
  ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), SOrvComRegFailed, text, sizeof(text)), 0) << "a resource string";
  EXPECT_STREQ("COM file '%s' DllRegisterServer function returned failure", text);

  EXPECT_EQ("Non-existent COM file '" + missing + "'", MessageOf<Exception>([&] { ComUnregClassByFile(missing); }));
  EXPECT_EQ("Unable to load COM file '" + notDll + "'", MessageOf<Exception>([&] { ComUnregClassByFile(notDll); }));
  EXPECT_EQ("COM server unregistration error", MessageOf<Exception>([&] { ComUnregClassByFile(noExports); }));

  WriteClassesValue(ClassKey(TestServerClassId) + "\\InprocServer32", "", missing);
  EXPECT_EQ("Non-existent COM file \"" + missing + "\"", MessageOf<EOrvComError>([] { ComUnregClass(TestServerClassId); }));
  WriteClassesValue(ClassKey(TestServerClassId) + "\\InprocServer32", "", notDll);
  EXPECT_EQ("Unable to load COM file \"" + notDll + "\"", MessageOf<EOrvComError>([] { ComUnregClass(TestServerClassId); }));
  WriteClassesValue(ClassKey(TestServerClassId) + "\\InprocServer32", "", noExports);
  EXPECT_EQ("COM server unregistration error", MessageOf<EOrvComError>([] { ComUnregClass(TestServerClassId); }));
}

TEST(OrvcomServers, ARelativeNameLoadsTheFileThatWasChecked) {
  RegistrySandbox sandbox;
  ScratchFolder folder;
  // The current folder holds a failing server under the good server's name; the search path
  // (the program's folder first) would find the good one.
  ASSERT_TRUE(CopyFileA(BesideTestProgram("tovix_failing_server.dll").c_str(), folder.File(kTestServer).c_str(), FALSE));
  folder.MakeCurrent();
  EXPECT_EQ("COM file '" + kTestServer + "' DllRegisterServer function returned failure",
            MessageOf<EOrvComError>([] { ComRegClass(kTestServer); }));
  EXPECT_FALSE(ClassesKeyExists(ClassKey(TestServerClassId)));
}

TEST(OrvcomServers, AQuotedServerValueWithVariablesIsExpandedBeforeUnregistering) {
  RegistrySandbox sandbox;
  ComRegClass(BesideTestProgram(kTestServer));
  const String folder = ExtractFilePath(BesideTestProgram(kTestServer));
  ASSERT_TRUE(SetEnvironmentVariableA("TOVIX_TEST_SERVERS", folder.c_str()));
  WriteClassesValue(ClassKey(TestServerClassId) + "\\InprocServer32", "", "\"%TOVIX_TEST_SERVERS%" + kTestServer + "\"");
  ComUnregClass(TestServerClassId);
  EXPECT_FALSE(ClassesKeyExists(ClassKey(TestServerClassId)));
  SetEnvironmentVariableA("TOVIX_TEST_SERVERS", nullptr);
}
