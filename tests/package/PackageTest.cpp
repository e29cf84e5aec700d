// Loads the Ferrovane package as a form designer does and checks what it offers.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string_view>

#include "framework/DesignIntf.h"
#include "framework/SysUtils.h"

using namespace Tovix;

namespace {

const char* const kUnits[] = {"Ferrovane",   "Orvdelphiversions", "Orvregistry", "Orvutils",    "SysInit",
                              "Orvformwisevars", "Orvwise",       "Orvbtn",      "Orvcommdlg",  "Orvfolderbrowser",
                              "Orvstream",   "Orvtrayicon",       "Orvurlmon",   "Orvedit",     "Orvgraphics",
                              "Orvcom",      "Orvtime",           "Orvpnh",      "Orvbtnedit"};

struct TLibraryFree {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using TLibrary = std::unique_ptr<std::remove_pointer_t<HMODULE>, TLibraryFree>;

TLibrary LoadPackage() {
  TLibrary package(LoadLibraryA("Ferrovane.dll"));
  EXPECT_NE(package, nullptr) << "error " << GetLastError();
  return package;
}

std::string_view Resource(HMODULE module, const char* name, const char* type) {
  HRSRC found = FindResourceA(module, name, type);
  if (!found) return {};
  auto data = static_cast<const char*>(LockResource(LoadResource(module, found)));
  return {data, SizeofResource(module, found)};
}

// Records what the package registers, one line per call.
class TRecordingHook : public TRegistrationHook {
 public:
  std::vector<String> calls;
  void RegisterComponents(const String& page, const std::vector<const TClassInfo*>& classes) override {
    String line = page + ":";
    for (const TClassInfo* info : classes) line += " " + info->Name();
    calls.push_back(line);
  }
  void RegisterComponentEditor(const TClassInfo& componentClass, const TComponentEditorClass& editor) override {
    calls.push_back("editor " + componentClass.Name() + " " + editor.Name());
  }
};

template <typename F>
F Export(HMODULE module, const String& name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name.c_str())));
}

String VersionString(const std::vector<char>& block, const char* name) {
  char* value = nullptr;
  UINT length = 0;
  String path = String("\\StringFileInfo\\040904E4\\") + name;
  if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) return "(missing)";
  return String(value);
}

}  // namespace

TEST(Package, ResourcesDescribeThePackage) {
  TLibrary package = LoadPackage();
  ASSERT_TRUE(package);
  HMODULE module = package.get();

  TPackageInfo info = ReadPackageInfo(module);
  EXPECT_EQ(info.flags, 0x4C000003u);
  EXPECT_EQ(info.flags & pfProducerMask, static_cast<uint32_t>(pfProducerVersion4));
  EXPECT_EQ(info.requiredPackages, (std::vector<String>{"VCLX40", "vcl40"}));
  ASSERT_EQ(info.units.size(), std::size(kUnits));
  for (size_t i = 0; i < info.units.size(); ++i) {
    EXPECT_EQ(info.units[i].name, kUnits[i]);
    uint8_t expected = ufPackageUnit;
    if (i == 0) expected |= ufMainUnit;
    if (info.units[i].name == "SysInit") expected = 0;
    EXPECT_EQ(info.units[i].flags, expected) << info.units[i].name;
  }

  std::string_view description = Resource(module, "DESCRIPTION", MAKEINTRESOURCEA(10));
  std::wstring text(reinterpret_cast<const wchar_t*>(description.data()), description.size() / 2);
  EXPECT_EQ(text, std::wstring(L"Tovix - Ferrovane Technologies Library") + L'\0');

  std::string_view options = Resource(module, "PACKAGEOPTIONS", MAKEINTRESOURCEA(10));
  ASSERT_FALSE(options.empty());
  size_t aliasLength = static_cast<uint8_t>(options[0]);
  EXPECT_EQ(options.substr(1, aliasLength), "WinTypes=Windows;WinProcs=Windows;DbiTypes=BDE;DbiProcs=BDE;DbiErrs=BDE;");
  std::string_view rest = options.substr(1 + aliasLength);
  ASSERT_FALSE(rest.empty());
  EXPECT_EQ(static_cast<size_t>(static_cast<uint8_t>(rest[0])), rest.size() - 1) << "the description ends the block";
  EXPECT_EQ(rest.substr(1), "Tovix - Ferrovane Technologies Library");

  const std::pair<const char*, int> bitmaps[] = {
      {"TORVINTERNETLINK", 4}, {"TORVOPENWAVEDIALOG", 8}, {"TORVFOLDERBROWSER", 8}, {"TORVTRAYICON", 8},
      {"TORVEDIT", 4},         {"TORVTIMEPICKER", 8},     {"TORVWEEKDAYSCOMBO", 4}, {"TORVBTNEDIT", 4},
      {"TORVDIREDIT", 8},      {"TORVFILEEDIT", 8},       {"TORVWAVEEDIT", 8}};
  for (const auto& [name, bits] : bitmaps) {
    std::string_view data = Resource(module, name, MAKEINTRESOURCEA(2));  // RT_BITMAP
    ASSERT_GE(data.size(), sizeof(BITMAPINFOHEADER)) << name;
    auto header = reinterpret_cast<const BITMAPINFOHEADER*>(data.data());
    EXPECT_EQ(header->biWidth, 24) << name;
    EXPECT_EQ(header->biHeight, 24) << name;
    EXPECT_EQ(header->biBitCount, bits) << name;
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(module, name, IMAGE_BITMAP, 0, 0, 0));
    EXPECT_NE(bitmap, nullptr) << name;
    DeleteObject(bitmap);
  }
  HICON icon = LoadIconA(module, "MAINICON");
  EXPECT_NE(icon, nullptr);

  char path[MAX_PATH];
  GetModuleFileNameA(module, path, MAX_PATH);
  std::vector<char> version(GetFileVersionInfoSizeA(path, nullptr));
  ASSERT_FALSE(version.empty());
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, static_cast<DWORD>(version.size()), version.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(version.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(version.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
  EXPECT_EQ(translation[0], 1033);
  EXPECT_EQ(VersionString(version, "CompanyName"), "Ferrovane Technologies");
  EXPECT_EQ(VersionString(version, "FileDescription"), "Tovix Delphi Components Library");
  EXPECT_EQ(VersionString(version, "ProductName"), "Tovix");
  EXPECT_EQ(VersionString(version, "FileVersion"), "1.0.0.0");
}

// Loading, registering and unloading three times: each round registers the same eleven
// components and one editor, in each unit's order, and unloading takes the classes away.
TEST(Package, RegistersItsComponentsAndUnloadsCleanly) {
  const std::vector<String> expected = {
      "Tovix: TOrvInternetLink", "editor TOrvInternetLink TOrvInternetLinkEditor",
      "Tovix: TOrvOpenWaveDialog", "Tovix: TOrvFolderBrowser", "Tovix: TOrvTrayIcon", "Tovix: TOrvEdit",
      "Tovix: TOrvTimePicker", "Tovix: TOrvWeekdaysCombo", "Tovix: TOrvBtnEdit", "Tovix: TOrvDirEdit",
      "Tovix: TOrvFileEdit", "Tovix: TOrvWaveEdit"};
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    ASSERT_EQ(GetClass("TOrvInternetLink"), nullptr);
    TLibrary package = LoadPackage();
    ASSERT_TRUE(package);
    HMODULE module = package.get();

    auto table = Export<TGetPackageInfoTable>(module, "GetPackageInfoTable")();
    ASSERT_EQ(table->unitCount, 19);
    for (int i = 0; i < table->unitCount; ++i) EXPECT_STREQ(table->units[i].name, kUnits[i]);

    TRecordingHook hook;
    TRegistrationHook* previous = SetRegistrationHook(&hook);
    Export<void (*)()>(module, "Initialize")();
    int registering = 0;
    for (const TPackageUnitInfo& unit : ReadPackageInfo(module).units) {
      if (auto registerUnit = Export<void (*)()>(module, unit.name + "_Register")) {
        registerUnit();
        ++registering;
      }
    }
    SetRegistrationHook(previous);
    EXPECT_EQ(registering, 7);
    EXPECT_EQ(hook.calls, expected);

    const TClassInfo* link = GetClass("TOrvInternetLink");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Module(), module);
    std::unique_ptr<TComponent> made(link->Create(nullptr));
    EXPECT_EQ(made->ClassName(), "TOrvInternetLink");
    made.reset();

    Export<void (*)()>(module, "Finalize")();
    package.reset();
    EXPECT_EQ(GetClass("TOrvInternetLink"), nullptr);
    EXPECT_EQ(GetClass("TOrvWaveEdit"), nullptr);
    EXPECT_NE(GetClass("TForm"), nullptr) << "the framework's own classes stay";
  }
}

// With the framework in a DLL, a string resource comes from the module of the code that asks.
TEST(Package, ResourceStringsComeFromTheCallersModule) {
  EXPECT_EQ(LoadStr(64001, "fallback"), "read from the test program");
  EXPECT_EQ(LoadStr(64002, "fallback"), "fallback");
}

// A damaged block is refused, never read past its end; a unit table whose start-up fails halfway
// shuts down the units that started, in reverse, and reports the failure.
TEST(Package, ReaderAndUnitTableHandleFailures) {
  const uint8_t good[] = {3, 0, 0, 0, 1, 0, 0, 0, 2, 'v', 'x', 1, 0, 0, 0, 1, 1, 'A'};
  TPackageInfo info = ParsePackageInfo(good, sizeof(good));
  EXPECT_EQ(info.flags, 3u);
  EXPECT_EQ(info.requiredPackages, std::vector<String>{"vx"});
  ASSERT_EQ(info.units.size(), 1u);
  EXPECT_EQ(info.units[0].name, "A");
  for (size_t cut = 0; cut < sizeof(good); ++cut) EXPECT_THROW(ParsePackageInfo(good, cut), EPackageError) << cut;
  const uint8_t extra[] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7};
  EXPECT_THROW(ParsePackageInfo(extra, sizeof(extra)), EPackageError);
  const uint8_t hugeCount[] = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_THROW(ParsePackageInfo(hugeCount, sizeof(hugeCount)), EPackageError);

  static std::vector<String> trace;
  trace.clear();
  const TPackageUnitEntry units[] = {
      {"A", [] { trace.push_back("start A"); }, [] { trace.push_back("stop A"); }},
      {"B", nullptr, [] { trace.push_back("stop B"); }},
      {"C", [] { throw Exception("C fails"); }, [] { trace.push_back("stop C"); }},
      {"D", [] { trace.push_back("start D"); }, nullptr}};
  EXPECT_THROW(InitializePackage(TPackageInfoTable{4, units}), Exception);
  EXPECT_EQ(trace, (std::vector<String>{"start A", "stop B", "stop A"}));
  trace.clear();
  const TPackageUnitEntry stops[] = {{"A", nullptr, [] { trace.push_back("stop A"); }},
                                     {"B", nullptr, [] { throw Exception("B fails"); }}};
  EXPECT_THROW(FinalizePackage(TPackageInfoTable{2, stops}), Exception);
  EXPECT_EQ(trace, std::vector<String>{"stop A"}) << "the others still shut down";
}
