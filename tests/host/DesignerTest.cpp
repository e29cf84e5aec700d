// The form designer driven as a user drives it: palette clicks and clicks on the design form,
// the mouse and arrow keys on the selection, values typed into the property list, the link
// editor's verb, Save and Open.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "framework/Registry.h"
#include "host/DesignerWindow.h"

using namespace Tovix;

namespace {

void Pump() {
  MSG msg;
  for (int round = 0; round < 3; ++round) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(5);
  }
}

void Click(HWND window, int x, int y) {
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  Pump();
}

void Drag(HWND window, TPoint from, TPoint to) {
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
  Pump();
}

void Key(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 1 | 0xC0000000);
  Pump();
}

String ReadFile(const String& name) {
  std::ifstream file(name, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The probe protocol "tovix-designer": its handler writes the address it got to a file.
class TLinkProbe {
 public:
  explicit TLinkProbe(String result) : result_(std::move(result)) {
    DeleteFileA(result_.c_str());
    TRegistry registry;
    registry.SetRootKey(HKEY_CLASSES_ROOT);
    registry.OpenKey("tovix-designer", true);
    registry.WriteString("", "URL:Tovix designer probe");
    registry.WriteString("URL Protocol", "");
    registry.OpenKey("shell\\open\\command", true);
    registry.WriteString("", String("\"") + TOVIX_URL_PROBE + "\" \"" + result_ + "\" \"%1\"");
  }
  ~TLinkProbe() {
    TRegistry registry;
    registry.SetRootKey(HKEY_CLASSES_ROOT);
    registry.DeleteKey("tovix-designer");
    DeleteFileA(result_.c_str());
  }
  String Received() const {
    for (int i = 0; i < 600; ++i) {
      Pump();
      if (GetFileAttributesA(result_.c_str()) != INVALID_FILE_ATTRIBUTES) return ReadFile(result_);
    }
    return "<nothing>";
  }

 private:
  String result_;
};

}  // namespace

TEST(Designer, DesignsSavesAndReopensAFormWithEveryComponent) {
  TDesignerWindow window(nullptr, "Ferrovane.dll");
  window.Show();
  TDesigner& designer = window.GetDesigner();
  TForm* design = designer.GetRoot();
  design->SetBounds(360, 20, 560, 330);
  design->Show();
  Pump();
  HWND form = design->GetHandle();

  // Palette: one page, eleven buttons; a button click picks, a click on the form drops.
  ASSERT_EQ(window.GetPackage().Pages().size(), 1u);
  const std::vector<const TClassInfo*>& classes = window.GetPackage().Pages()[0].classes;
  ASSERT_EQ(classes.size(), 11u);
  for (size_t i = 0; i < classes.size(); ++i) {
    TSpeedButton* button = window.GetPalette()->ButtonOf(classes[i]->Name());
    ASSERT_NE(button, nullptr);
    Click(button->GetParent()->GetHandle(), button->GetLeft() + 8, button->GetTop() + 8);
    ASSERT_EQ(designer.GetPendingClass(), classes[i]) << classes[i]->Name();
    Click(form, 12 + static_cast<int>(i % 3) * 170, 12 + static_cast<int>(i / 3) * 70);
    ASSERT_NE(designer.GetSelection(), nullptr);
    EXPECT_EQ(designer.GetSelection()->ClassInfo().Name(), classes[i]->Name());
    EXPECT_EQ(designer.GetPendingClass(), nullptr);
    EXPECT_FALSE(button->GetDown());
  }
  ASSERT_EQ(design->GetComponentCount(), 11);
  EXPECT_NE(design->FindComponent("OrvTrayIcon1"), nullptr);

  // Select the aligned edit by clicking it, then move it with the mouse and the arrow keys and
  // make it wider from its bottom-right corner.
  auto* edit = dynamic_cast<TControl*>(design->FindComponent("OrvEdit1"));
  ASSERT_NE(edit, nullptr);
  TRect r = edit->GetBoundsRect();
  Drag(form, Point(r.left + 4, r.top + 4), Point(r.left + 24, r.top + 14));
  EXPECT_EQ(designer.GetSelection(), edit);
  EXPECT_EQ(edit->GetLeft(), r.left + 20);
  EXPECT_EQ(edit->GetTop(), r.top + 10);
  Key(form, VK_LEFT);
  Key(form, VK_DOWN);
  EXPECT_EQ(edit->GetLeft(), r.left + 19);
  EXPECT_EQ(edit->GetTop(), r.top + 11);
  r = edit->GetBoundsRect();
  Drag(form, Point(r.right - 2, r.bottom - 2), Point(r.right + 30, r.bottom - 2));
  EXPECT_EQ(edit->GetWidth(), r.right - r.left + 32);
  EXPECT_EQ(edit->GetLeft(), r.left) << "resizing does not move";

  // The property list shows the selection; values of each kind go in as typed.
  TPropertyList* properties = window.GetPropertyList();
  ASSERT_EQ(properties->GetComponent(), edit);
  EXPECT_TRUE(properties->SetValue("Alignment", "taRightJustify")) << properties->GetStatus();
  EXPECT_TRUE(properties->SetValue("Text", "'Right'")) << properties->GetStatus();
  EXPECT_TRUE(properties->SetValue("ReadOnly", "True")) << properties->GetStatus();
  EXPECT_TRUE(properties->SetValue("Color", "clYellow")) << properties->GetStatus();
  EXPECT_TRUE(properties->SetValue("Font.Style", "[fsBold,fsItalic]")) << properties->GetStatus();
  EXPECT_TRUE(properties->SetValue("Width", "170")) << properties->GetStatus();
  EXPECT_FALSE(properties->SetValue("Alignment", "taSideways"));
  EXPECT_FALSE(properties->GetStatus().empty()) << "a refused value says why";
  EXPECT_EQ(GetPropText(edit, "Alignment"), "taRightJustify");
  EXPECT_EQ(GetPropText(edit, "Font.Style"), "[fsBold, fsItalic]");
  EXPECT_EQ(edit->GetWidth(), 170);
  int row = properties->IndexOf("Alignment");
  ASSERT_GE(row, 0);
  EXPECT_EQ(properties->GetList()->GetItems()->Get(row), "Alignment = taRightJustify");
  properties->GetList()->SetItemIndex(row);
  properties->GetList()->Click();
  EXPECT_EQ(properties->GetEditor()->GetItems()->GetCount(), 3) << "the enumeration's names to choose from";
  ASSERT_GE(properties->IndexOf("OnChange"), 0);
  EXPECT_EQ(properties->GetList()->GetItems()->Get(properties->IndexOf("OnChange")), "OnChange (event)");

  // A set on the weekdays combo; then the link: its address, and its editor's verb opens it.
  TComponent* combo = design->FindComponent("OrvWeekdaysCombo1");
  designer.Select(combo);
  EXPECT_TRUE(properties->SetValue("DaysShown", "[wdMon,wdTue]")) << properties->GetStatus();
  TComponent* link = design->FindComponent("OrvInternetLink1");
  designer.Select(link);
  EXPECT_TRUE(properties->SetValue("Url", "'tovix-designer:from-the-verb'")) << properties->GetStatus();
  ASSERT_EQ(designer.Verbs().size(), 1u);
  {
    TLinkProbe probe(String(TOVIX_DESIGNED_FORM) + ".address");
    designer.ExecuteVerb(0);
    EXPECT_EQ(probe.Received(), "tovix-designer:from-the-verb");
  }
  {
    // A double click on the link runs its editor's Edit, which opens the address too.
    TLinkProbe probe(String(TOVIX_DESIGNED_FORM) + ".double-click");
    TRect bounds = designer.DesignBounds(link);
    PostMessageA(form, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(bounds.left + 2, bounds.top + 2));
    EXPECT_EQ(probe.Received(), "tovix-designer:from-the-verb");
  }

  // Delete removes the selection (the tray icon here) from the design.
  designer.Select(design->FindComponent("OrvTrayIcon1"));
  Key(form, VK_DELETE);
  EXPECT_EQ(design->FindComponent("OrvTrayIcon1"), nullptr);
  EXPECT_EQ(design->GetComponentCount(), 10);
  Click(window.GetPalette()->ButtonOf("TOrvTrayIcon")->GetParent()->GetHandle(),
        window.GetPalette()->ButtonOf("TOrvTrayIcon")->GetLeft() + 8, 12);
  Click(form, 500, 260);
  ASSERT_NE(design->FindComponent("OrvTrayIcon1"), nullptr);

  // Save, open what was saved, save again: the same text.
  window.GetFileNameEdit()->SetText(TOVIX_DESIGNED_FORM);
  ASSERT_TRUE(window.SaveDesign()) << window.GetStatus();
  String saved = ReadFile(TOVIX_DESIGNED_FORM);
  for (const TClassInfo* componentClass : classes)
    EXPECT_NE(saved.find(": " + componentClass->Name() + "\r\n"), String::npos) << componentClass->Name();
  EXPECT_NE(saved.find("Alignment = taRightJustify"), String::npos);
  ASSERT_TRUE(window.OpenDesign()) << window.GetStatus();
  EXPECT_EQ(design->GetComponentCount(), 11);
  EXPECT_TRUE(design->FindComponent("OrvEdit1")->IsDesigning());
  TStringList before, after;
  before.SetText(saved);
  after.SetText(designer.SaveText());
  EXPECT_EQ(after.GetText(), before.GetText());

  // A file from elsewhere: an unknown property and an unknown class are skipped and listed, the
  // rest opens.
  String header = saved.substr(0, saved.find("\r\n"));
  std::vector<String> skipped = designer.OpenText(header +
      "\r\n  Foreign = 1\r\n  object Gadget1: TGadget\r\n    Left = 1\r\n  end\r\n"
      "  object OrvEdit1: TOrvEdit\r\n    Left = 8\r\n  end\r\nend\r\n");
  EXPECT_EQ(skipped.size(), 2u) << ::testing::PrintToString(skipped);
  EXPECT_NE(design->FindComponent("OrvEdit1"), nullptr);
  EXPECT_EQ(design->FindComponent("Gadget1"), nullptr);
}
