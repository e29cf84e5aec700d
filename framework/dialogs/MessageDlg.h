// Message dialogs: modal framework forms that show a text, a system icon for the kind of message
// and a row of buttons, and return the modal result of the button pressed.
//
// The form is a TForm of class TMessageForm: its label is named "Message", its buttons are named
// after their kind ("Yes", "No", "OK", "Cancel", "Abort", "Retry", "Ignore", "All", "Help"), so that
// tests and programs can find them. Enter presses the default button (OK, else Yes, else Retry),
// Escape and the close box the cancel button (Cancel, else No, else OK). Help asks for the
// application's help (ApplicationHelpCommand) and leaves the dialog open.
#pragma once

#include "framework/forms/Forms.h"
#include "framework/stdctrls/StdTypes.h"

namespace Tovix {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// The form of a message dialog.
class TMessageForm : public TForm {
  TOVIX_DECLARE_CLASS(TMessageForm)

 public:
  explicit TMessageForm(TComponent* owner);
  // The help topic the Help button asks for (0: the help contents).
  int GetHelpContext() const { return helpContext_; }
  void SetHelpContext(int value) { helpContext_ = value; }

  void HelpButtonClick(TObject* sender);

 private:
  int helpContext_ = 0;
};

// A message dialog that is made but not shown; the caller shows it with ShowModal and frees it.
// The caption says the kind of message ("Warning", "Error", "Information", "Confirm"; the
// application's title for mtCustom). Without buttons it gets an OK button.
TMessageForm* CreateMessageDialog(const String& message, TMsgDlgType type, TMsgDlgButtons buttons);
// Shows a message dialog and returns the modal result of the button pressed (mrCancel when it was
// closed without one).
int MessageDlg(const String& message, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);
// The message with an OK button, captioned with the application's title.
void ShowMessage(const String& message);

// The average width of the letters and the height of a line in the canvas's font: the unit that
// dialog layouts are measured in.
TPoint GetAveCharSize(TCanvas& canvas);

template <>
struct TEnumTraits<TMsgDlgType> {
  static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TMsgDlgBtn> {
  static const TEnumInfo& Info();
};

}  // namespace Tovix
