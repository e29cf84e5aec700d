// The Orvutils routines that need windows, forms or the shell: measuring text on a control,
// shortening it with a leading ellipsis, finding a component's form, playing a sound resource
// and opening an address.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/Registry.h"
#include "tests/support/RegistrySandbox.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/ImportPatch.h"
#include "tests/support/WindowsSupport.h"
#include "utils/Orvutils.h"

#include <mmsystem.h>
#include <shellapi.h>

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

// The width of text with a new canvas's default font, measured on the screen's context.
int DefaultFontWidth(const String& text) {
  HDC screen = GetDC(nullptr);
  int width;
  {
    TCanvas canvas;
    canvas.SetHandle(screen);
    width = canvas.TextWidth(text);
  }
  ReleaseDC(nullptr, screen);
  return width;
}

class ControlTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(Application);
    edit = new TEditBox(form);
    edit->SetBounds(10, 10, 120, 21);
    edit->SetParent(form);
  }
  void TearDown() override { form->Free(); }

  TForm* form;
  TEditBox* edit;
};

const String kPath = "C:\\Program Files\\Ferrovane Technologies\\Tovix\\Components\\Sounds\\chime.wav";

bool EndsWith(const String& text, const String& tail) {
  return tail.size() <= text.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The shortening as the routine is specified, step by step, on widths measured independently.
String ContinuedTextModel(const String& text, int maxWidth) {
  String r = text;
  if (DefaultFontWidth(r) <= maxWidth || maxWidth < DefaultFontWidth("...1234567890")) return r;
  while (DefaultFontWidth(r) > maxWidth) {
    double ratio = static_cast<double>(DefaultFontWidth(r)) / maxWidth - 1.0;
    double exact = r.size() * ratio;
    long long n = std::llround(exact);
    if (std::fabs(exact - std::floor(exact) - 0.5) < 1e-12 && n % 2 != 0) --n;  // half to even
    if (r.compare(0, 3, "...") == 0) n = (n == 0 ? 1 : n) + 3;
    else n += 1;
    if (n > static_cast<long long>(r.size())) n = static_cast<long long>(r.size());
    r = String("...") + r.substr(static_cast<size_t>(n));
  }
  return r;
}

}  // namespace

TEST_F(ControlTextTest, MeasuresWithTheCanvasDefaultFontNotTheControls) {
  edit->GetFont()->SetSize(20);
  edit->GetFont()->SetStyle({fsBold});
  ASSERT_FALSE(edit->HandleAllocated());
  EXPECT_EQ(DefaultFontWidth(kPath), StrCtrlTextWidth(edit, kPath));
  EXPECT_TRUE(edit->HandleAllocated()) << "the control's window is made for measuring";
  EXPECT_EQ(0, StrCtrlTextWidth(edit, ""));
  // The control's own font would have given another width: the comparison above can fail.
  HWND window = edit->GetHandle();
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, edit->GetFont()->GetHandle());
  SIZE size;
  GetTextExtentPoint32A(dc, kPath.c_str(), static_cast<int>(kPath.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  EXPECT_NE(size.cx, StrCtrlTextWidth(edit, kPath));
}

TEST_F(ControlTextTest, ContinuedTextLeavesTextThatFitsOrAMaximumBelowTheShortestForm) {
  int full = StrCtrlTextWidth(edit, kPath);
  EXPECT_EQ(kPath, StrContinuedText(kPath, edit, full)) << "exactly as wide as allowed";
  EXPECT_EQ(kPath, StrContinuedText(kPath, edit, full + 50));
  int shortest = StrCtrlTextWidth(edit, "...1234567890");
  String huge = StrRepeat(kPath, 20);
  EXPECT_EQ(huge, StrContinuedText(huge, edit, shortest - 1)) << "too narrow to shorten: unchanged, however long";
  EXPECT_EQ(kPath, StrContinuedText(kPath, edit, 0));
  EXPECT_EQ(kPath, StrContinuedText(kPath, edit, -10));
  EXPECT_EQ("", StrContinuedText("", edit, 0));
}

TEST_F(ControlTextTest, ContinuedTextKeepsTheEndBehindAnEllipsisAndFits) {
  int shortest = StrCtrlTextWidth(edit, "...1234567890");
  for (const String& text : {kPath, String("...already shortened\\but still too long for the box"), StrRepeat("W", 200)}) {
    int full = StrCtrlTextWidth(edit, text);
    for (int maxWidth = shortest; maxWidth < full; maxWidth += 7) {
      String r = StrContinuedText(text, edit, maxWidth);
      SCOPED_TRACE(Format("%s at %d: %s", text, maxWidth, r));
      ASSERT_EQ("...", r.substr(0, 3));
      EXPECT_LE(StrCtrlTextWidth(edit, r), maxWidth);
      EXPECT_TRUE(EndsWith(text, r.substr(3))) << "the end of the text, unchanged";
      EXPECT_EQ(ContinuedTextModel(text, maxWidth), r) << "each pass drops as many characters as specified";
    }
  }
}

TEST(ComponentForm, IsTheImmediateOwnerWhenThatIsAForm) {
  TForm* form = new TForm(Application);
  auto* owned = new TComponent(form);
  auto* grandchild = new TComponent(owned);
  EXPECT_EQ(form, GetComponentForm(owned));
  EXPECT_EQ(nullptr, GetComponentForm(grandchild)) << "only the immediate owner counts";
  EXPECT_EQ(nullptr, GetComponentForm(form)) << "a form owned by the application";
  EXPECT_EQ(nullptr, GetComponentForm(nullptr));

  ASSERT_FALSE(form->HandleAllocated());
  HWND window = GetComponentFormHandle(owned);
  EXPECT_TRUE(form->HandleAllocated()) << "the form's window is made when asked for";
  EXPECT_EQ(form->GetHandle(), window);
  EXPECT_EQ(nullptr, GetComponentFormHandle(grandchild));
  form->Free();
}

namespace {

struct TPlayCall {
  String name;
  HMODULE module;
  DWORD flags;
  BOOL result;
};
std::vector<TPlayCall> playCalls;
ImportPatch* playSoundPatch = nullptr;

BOOL WINAPI RecordPlaySound(LPCSTR name, HMODULE module, DWORD flags) {
  BOOL result = reinterpret_cast<decltype(&PlaySoundA)>(playSoundPatch->Original())(name, module, flags);
  playCalls.push_back(TPlayCall{name ? name : "", module, flags, result});
  return result;
}

}  // namespace

// There is no sound device here, so what the system is asked is all there is to observe: the
// call passes through a recorder on its way to the real PlaySoundA.
TEST(PlayWaveRes, AsksForTheResourceOfThisModuleAsynchronouslyWithoutADefaultSound) {
  HMODULE program = GetModuleHandleA(nullptr);
  ASSERT_NE(nullptr, FindResourceA(program, "TESTBEEP", "WAVE")) << "the test program carries the sound";
  ImportPatch patch("winmm.dll", "PlaySoundA", reinterpret_cast<void*>(&RecordPlaySound));
  playSoundPatch = &patch;
  playCalls.clear();
  EXPECT_NO_THROW(PlayWaveRes("TESTBEEP"));
  EXPECT_NO_THROW(PlayWaveRes("NOSUCHSOUND"));
  ASSERT_EQ(2u, playCalls.size());
  EXPECT_EQ("TESTBEEP", playCalls[0].name);
  EXPECT_EQ("NOSUCHSOUND", playCalls[1].name);
  for (const TPlayCall& call : playCalls) {
    EXPECT_EQ(program, call.module) << "the module the code is linked into";
    EXPECT_EQ(0x40007u, call.flags) << "SND_RESOURCE | SND_ASYNC | SND_NODEFAULT";
    EXPECT_TRUE(call.result) << "an asynchronous request is taken at once";
  }
  PlaySoundA(nullptr, nullptr, 0);  // stops whatever is still starting
}

namespace {

// What OpenUrl asks the shell, and what the shell answers.
struct TShellCall {
  bool noParent;
  String verb;
  String file;
  bool noParameters;
  bool noDirectory;
  int show;
  intptr_t result;
};
std::vector<TShellCall> shellCalls;
ImportPatch* shellExecutePatch = nullptr;

HINSTANCE WINAPI RecordShellExecute(HWND parent, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show) {
  HINSTANCE result = reinterpret_cast<decltype(&ShellExecuteA)>(shellExecutePatch->Original())(parent, verb, file, parameters,
                                                                                                directory, show);
  shellCalls.push_back(TShellCall{parent == nullptr, verb ? verb : "", file ? file : "", parameters == nullptr,
                                  directory == nullptr, show, reinterpret_cast<intptr_t>(result)});
  return result;
}

}  // namespace

TEST(OpenUrl, HandsTheAddressVerbatimToTheRegisteredProtocolHandler) {
  RegistrySandbox sandbox;
  ScratchFolder folder;
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  String probe = ExtractFilePath(exe) + "tovix_url_probe.exe";
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(probe.c_str())) << probe;
  String result = folder.File("address.txt");
  {
    TRegistry registry;
    registry.SetRootKey(HKEY_CLASSES_ROOT);
    ASSERT_TRUE(registry.OpenKey("tovix-probe", true));
    registry.WriteString("", "URL:Tovix probe");
    registry.WriteString("URL Protocol", "");
    ASSERT_TRUE(registry.OpenKey("shell\\open\\command", true));
    registry.WriteString("", "\"" + probe + "\" \"" + result + "\" \"%1\"");
  }
  const String address = "tovix-probe://host/path?name=value&x=1#part";
  ImportPatch patch("shell32.dll", "ShellExecuteA", reinterpret_cast<void*>(&RecordShellExecute));
  shellExecutePatch = &patch;
  shellCalls.clear();
  OpenUrl(address);
  ASSERT_EQ(1u, shellCalls.size());
  const TShellCall& call = shellCalls[0];
  EXPECT_TRUE(call.noParent && call.noParameters && call.noDirectory);
  EXPECT_EQ("open", call.verb);
  EXPECT_EQ(address, call.file);
  EXPECT_EQ(SW_SHOWDEFAULT, call.show);
  ASSERT_GT(call.result, 32) << "the shell started the handler";
  EXPECT_TRUE(PumpUntil([&] { return GetFileAttributesA(result.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000))
      << "the handler wrote what it received";
  EXPECT_EQ(address, ScratchFolder::ReadFile(result));
}

TEST(OpenUrl, AnAddressNobodyHandlesDoesNothing) {
  RegistrySandbox sandbox;
  int windows = CountThreadWindows();
  ImportPatch patch("shell32.dll", "ShellExecuteA", reinterpret_cast<void*>(&RecordShellExecute));
  shellExecutePatch = &patch;
  shellCalls.clear();
  EXPECT_NO_THROW(OpenUrl("tovix-unregistered:nothing"));
  ASSERT_EQ(1u, shellCalls.size());
  EXPECT_EQ(SE_ERR_NOASSOC, shellCalls[0].result) << "the shell's failure is not reported further";
  PumpFor(50);
  EXPECT_EQ(windows, CountThreadWindows()) << "no error box";
}
