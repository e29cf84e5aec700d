#include "controls/Orvbtn.h"

#include <gtest/gtest.h>

#include <vector>

#include <shellapi.h>

#include "tests/support/ImportPatch.h"
#include "tests/support/MessagePump.h"
#include "tests/support/RegistrySandbox.h"
#include "tests/support/ScratchFolder.h"
#include "framework/Forms.h"
#include "framework/Registry.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

// A URL protocol, registered in the sandboxed classes key, whose handler (tovix_url_probe) writes
// the address it receives to a file.
class LinkProbe {
 public:
  explicit LinkProbe(const ScratchFolder& folder) : result_(folder.File("address.txt")) {
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    const String probe = ExtractFilePath(program) + "tovix_url_probe.exe";
    TRegistry registry;
    registry.SetRootKey(HKEY_CLASSES_ROOT);
    if (!registry.OpenKey("tovix-link", true)) throw Exception("cannot register the probe protocol");
    registry.WriteString("", "URL:Tovix link probe");
    registry.WriteString("URL Protocol", "");
    if (!registry.OpenKey("shell\\open\\command", true)) throw Exception("cannot register the probe command");
    registry.WriteString("", "\"" + probe + "\" \"" + result_ + "\" \"%1\"");
  }
  // The address the handler received, or "<nothing>" when it did not run.
  String Received() const {
    // The handler renames its finished file into place; the name can show before the file opens.
    String text = "<nothing>";
    PumpUntil([&] {
      if (GetFileAttributesA(result_.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
      try {
        text = ScratchFolder::ReadFile(result_);
        return true;
      } catch (const std::exception&) {
        return false;
      }
    }, 30000);
    return text;
  }

 private:
  String result_;
};

int shellCalls = 0;
ImportPatch* shellPatch = nullptr;
HINSTANCE WINAPI CountShellExecute(HWND parent, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show) {
  ++shellCalls;
  return reinterpret_cast<decltype(&ShellExecuteA)>(shellPatch->Original())(parent, verb, file, parameters, directory, show);
}

struct TRecordingHook : TRegistrationHook {
  std::vector<std::pair<String, const TClassInfo*>> components;
  std::vector<std::pair<const TClassInfo*, TComponentEditorClass>> editors;
  void RegisterComponents(const String& page, const std::vector<const TClassInfo*>& classes) override {
    for (const TClassInfo* info : classes) components.emplace_back(page, info);
  }
  void RegisterComponentEditor(const TClassInfo& componentClass, const TComponentEditorClass& editorClass) override {
    editors.emplace_back(&componentClass, editorClass);
  }
};

struct TTestDesigner : IDesigner {
  TComponent* root = nullptr;
  TComponent* GetRoot() const override { return root; }
  void Modified() override {}
};

class OrvInternetLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(Application);
    link = new TOrvInternetLink(form);
    link->SetParent(form);
  }
  void TearDown() override { form->Free(); }

  TForm* form = nullptr;
  TOrvInternetLink* link = nullptr;
};

}  // namespace

TEST_F(OrvInternetLinkTest, StartsAsABlueUnderlinedLinkToItsMaker) {
  EXPECT_EQ("https://www.example.com/", link->GetUrl());
  EXPECT_EQ(TFontStyles{fsUnderline}, link->GetFont()->GetStyle());
  EXPECT_EQ(nullptr, TOrvInternetLink::StaticClassInfo().FindProperty("OnClick"));
  // The sounds a program may play by name travel with the unit.
  for (const char* name : {"TORVINTERNETLINK_POOF", "TORVINTERNETLINK_TICK"}) {
    HRSRC sound = FindResourceA(nullptr, name, "WAVE");
    ASSERT_NE(nullptr, sound) << name;
    const char* data = static_cast<const char*>(LockResource(LoadResource(nullptr, sound)));
    EXPECT_EQ("RIFF", String(data, 4));
    EXPECT_EQ("WAVE", String(data + 8, 4));
  }
}

TEST_F(OrvInternetLinkTest, TheCaptionFollowsTheTrimmedAddressOnlyWithAutoCaption) {
  link->SetCaption("Visit us");
  link->SetUrl("  mailto:someone@example.com\t");
  EXPECT_EQ("mailto:someone@example.com", link->GetUrl());
  EXPECT_EQ("Visit us", link->GetCaption());
  link->SetAutoCaption(true);
  EXPECT_EQ("mailto:someone@example.com", link->GetCaption());
  link->SetAutoCaption(false);
  link->SetUrl("https://www.example.com/b");
  EXPECT_EQ("mailto:someone@example.com", link->GetCaption());
}

TEST_F(OrvInternetLinkTest, HoveringShowsTheHoverColourAndLeavingRestoresTheOwnOne) {
  link->GetFont()->SetColor(clMaroon);
  link->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(clAqua, link->GetFont()->GetColor());
  link->Perform(CM_MOUSEENTER, 0, 0);  // a leave went missing
  link->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(clMaroon, link->GetFont()->GetColor());
  link->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(clMaroon, link->GetFont()->GetColor());
  EXPECT_EQ(TFontStyles{fsUnderline}, link->GetFont()->GetStyle());

  form->SetDesigning(true);
  link->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(clMaroon, link->GetFont()->GetColor()) << "the designer stores the font as it is";
}

TEST_F(OrvInternetLinkTest, AVisitedColourIsShownAfterTheFirstClickOnlyWhenSet) {
  RegistrySandbox sandbox;  // nobody handles the address: the shell answers at once
  link->SetUrl("tovix-unregistered:nothing");
  link->Click();
  EXPECT_EQ(clBlue, link->GetFont()->GetColor());
  link->SetVisitedColor(clPurple);
  link->Perform(CM_MOUSEENTER, 0, 0);
  link->Click();
  EXPECT_EQ(clAqua, link->GetFont()->GetColor());
  link->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(clPurple, link->GetFont()->GetColor());
}

TEST_F(OrvInternetLinkTest, AClickHandsTheAddressVerbatimToItsHandler) {
  RegistrySandbox sandbox;
  ScratchFolder folder;
  LinkProbe probe(folder);
  link->SetUrl("tovix-link://host/path?a=1&b=%20#part");
  link->Click();
  EXPECT_EQ("tovix-link://host/path?a=1&b=%20#part", probe.Received());
}

TEST_F(OrvInternetLinkTest, TheRegisteredEditorTriesTheLinkFromTheDesigner) {
  TRecordingHook hook;
  TRegistrationHook* previous = SetRegistrationHook(&hook);
  RegisterComponents("Tovix", {&TOrvInternetLink::StaticClassInfo()});
  RegisterComponentEditor(TOrvInternetLink::StaticClassInfo(),
                          TComponentEditorClass::Of<TOrvInternetLinkEditor>("TOrvInternetLinkEditor"));
  SetRegistrationHook(previous);
  ASSERT_EQ(1u, hook.components.size());
  EXPECT_EQ("Tovix", hook.components[0].first);
  ASSERT_EQ(1u, hook.editors.size());
  EXPECT_EQ(&TOrvInternetLink::StaticClassInfo(), hook.editors[0].first);
  EXPECT_EQ("TOrvInternetLinkEditor", hook.editors[0].second.Name());

  form->SetDesigning(true);
  TTestDesigner designer;
  designer.root = form;
  std::unique_ptr<TComponentEditor> editor = hook.editors[0].second.Create(link, &designer);
  EXPECT_EQ(1, editor->GetVerbCount());
  EXPECT_EQ("&Test Internet Link", editor->GetVerb(0));
  EXPECT_EQ("&Test Internet Link", editor->GetVerb(7));

  ImportPatch patch("shell32.dll", "ShellExecuteA", reinterpret_cast<void*>(&CountShellExecute));
  shellPatch = &patch;
  shellCalls = 0;
  link->SetUrl("   ");
  editor->Edit();
  EXPECT_EQ(0, shellCalls) << "an empty address is not opened";

  RegistrySandbox sandbox;
  ScratchFolder folder;
  LinkProbe probe(folder);
  link->SetUrl("tovix-link:designed");
  editor->Edit();
  EXPECT_EQ(1, shellCalls);
  EXPECT_EQ("tovix-link:designed", probe.Received());
}
