// Message and input dialogs, run to completion through the dialog driver.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Buttons.h"
#include "framework/Dialogs.h"
#include "framework/StdCtrls.h"
#include "tests/support/DialogDriver.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

// The framework control of a dialog's child window of that name.
template <typename T>
T* Part(HWND dialog, const String& name) {
  auto* form = dynamic_cast<TCustomForm*>(TWinControl::FindControl(dialog));
  return form ? dynamic_cast<T*>(form->FindComponent(name)) : nullptr;
}

struct FreeObject {
  void operator()(TObject* object) const { object->Free(); }
};

class HelpRecorder {
 public:
  HelpRecorder() {
    previous_ = SetHelpHandler([this](unsigned command, uintptr_t data) { calls.push_back({command, data}); });
  }
  ~HelpRecorder() { SetHelpHandler(previous_); }
  std::vector<std::pair<unsigned, uintptr_t>> calls;

 private:
  THelpHandler previous_;
};

}  // namespace

TEST(MessageDialog, ConfirmationReturnsTheButtonPressed) {
  String shownText;
  bool focusOnYes = false, hasIcon = false;
  DialogDriver driver;
  driver.Expect("Confirm")
      .Do([&](HWND dialog) {
        shownText = Part<TLabel>(dialog, "Message")->GetCaption();
        focusOnYes = Part<TButton>(dialog, "Yes")->Focused();
        hasIcon = Part<TControl>(dialog, "Image") != nullptr;
      })
      .Press("&No");
  EXPECT_EQ(mrNo, MessageDlg("Save the changes?", mtConfirmation, mbYesNoCancel));
  EXPECT_TRUE(driver.AllDone());
  EXPECT_EQ("Save the changes?", shownText);
  EXPECT_TRUE(focusOnYes) << "the default button has the focus";
  EXPECT_TRUE(hasIcon);
}

TEST(MessageDialog, EnterPressesTheDefaultAndEscapeTheCancelButton) {
  DialogDriver driver;
  driver.Expect("Warning").PressKey(VK_RETURN);
  EXPECT_EQ(mrOk, MessageDlg("Careful", mtWarning, mbOKCancel));
  driver.Expect("Error").PressKey(VK_ESCAPE);
  EXPECT_EQ(mrNo, MessageDlg("Broken", mtError, TMsgDlgButtons{mbYes, mbNo}));
  driver.Expect("Information").Close();
  EXPECT_EQ(mrCancel, MessageDlg("Closed by its box", mtInformation, TMsgDlgButtons{mbAbort, mbRetry}));
  EXPECT_TRUE(driver.AllDone());
}

TEST(MessageDialog, ShowMessageIsCaptionedWithTheApplicationTitle) {
  bool onlyOk = false;
  DialogDriver driver;
  driver.Expect(Application->GetTitle())
      .Do([&](HWND dialog) {
        onlyOk = Part<TButton>(dialog, "OK") && !Part<TButton>(dialog, "Cancel") && !Part<TControl>(dialog, "Image");
      })
      .PressOk();
  ShowMessage("Done & dusted");
  EXPECT_TRUE(driver.AllDone());
  EXPECT_TRUE(onlyOk);
}

TEST(MessageDialog, HelpAsksForTheTopicAndLeavesTheDialogOpen) {
  HelpRecorder help;
  DialogDriver driver;
  driver.Expect("Information").Press("&Help").PressOk();
  EXPECT_EQ(mrOk, MessageDlg("See the manual", mtInformation, TMsgDlgButtons{mbOK, mbHelp}, 42));
  ASSERT_EQ(1u, help.calls.size());
  EXPECT_EQ(static_cast<unsigned>(HELP_CONTEXT), help.calls[0].first);
  EXPECT_EQ(42u, help.calls[0].second);
}

TEST(MessageDialog, LayoutFitsTheMessageAndCentresTheButtons) {
  String longText;
  for (int i = 0; i < 40; ++i) longText += "word ";
  std::unique_ptr<TMessageForm, FreeObject> form(CreateMessageDialog(longText + "& more", mtWarning, TMsgDlgButtons{}));
  auto* label = dynamic_cast<TLabel*>(form->FindComponent("Message"));
  auto* ok = dynamic_cast<TButton*>(form->FindComponent("OK"));
  ASSERT_TRUE(label && ok) << "no buttons given: an OK button";
  EXPECT_FALSE(label->GetShowAccelChar()) << "the message is shown as it is";
  EXPECT_LE(label->GetWidth(), Screen->GetWidth() / 2);
  EXPECT_GT(label->GetHeight(), 2 * 13) << "a long message wraps onto several lines";
  EXPECT_LE(label->GetLeft() + label->GetWidth(), form->GetClientWidth());
  EXPECT_GE(ok->GetTop(), label->GetTop() + label->GetHeight());
  EXPECT_NEAR(form->GetClientWidth() / 2, ok->GetLeft() + ok->GetWidth() / 2, 1);
  EXPECT_TRUE(ok->GetDefault());
  EXPECT_TRUE(ok->GetCancel());
  EXPECT_EQ("Warning", form->GetCaption());
}

TEST(InputQuery, OkTakesTheTypedTextAndCancelKeepsTheValue) {
  String value = "h:mm tt";
  String prefilled;
  DialogDriver driver;
  driver.Expect("Change Time Format")
      .Do([&](HWND dialog) { prefilled = Part<TEdit>(dialog, "Edit")->GetText(); })
      .TypeText("HH:mm")
      .PressOk();
  EXPECT_TRUE(InputQuery("Change Time Format", "Enter time format.", value));
  EXPECT_EQ("h:mm tt", prefilled);
  EXPECT_EQ("HH:mm", value);

  driver.Expect("Change Time Format").TypeText("lost").PressCancel();
  EXPECT_FALSE(InputQuery("Change Time Format", "Format:", value));
  EXPECT_EQ("HH:mm", value);
  EXPECT_TRUE(driver.AllDone());
}

TEST(InputQuery, ALongPromptWidensTheDialog) {
  String prompt(150, 'W');
  bool fits = false;
  DialogDriver driver;
  driver.Expect("Wide")
      .Do([&](HWND dialog) {
        auto* label = Part<TLabel>(dialog, "Prompt");
        RECT client;
        GetClientRect(dialog, &client);
        fits = label->GetLeft() + label->GetWidth() <= client.right;
      })
      .PressKey(VK_RETURN);
  EXPECT_EQ("kept", InputBox("Wide", prompt, "kept"));
  EXPECT_TRUE(fits);
  driver.Expect("Box").PressKey(VK_ESCAPE);
  EXPECT_EQ("default", InputBox("Box", "Value:", "default"));
}
