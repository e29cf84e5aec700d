// Orvedit: TOrvEdit, the framework's edit with its text left-aligned, right-aligned or centred.
//
// Alignment needs a multi-line window, which is used as a one-line value: Enter and Escape insert
// nothing and go to the form's default and cancel buttons (OnKeyPress still sees them). With a
// password character the window is single-line, since only those hide the text; single-line
// windows align their text as well.
#pragma once

#include "framework/Classes.h"
#include "framework/StdCtrls.h"

namespace Tovix {

class TOrvEdit : public TEdit {
  TOVIX_DECLARE_CLASS(TOrvEdit)

 public:
  explicit TOrvEdit(TComponent* owner);

  TAlignment GetAlignment() const { return alignment_; }
  // A new value recreates the window, which takes the new style.
  void SetAlignment(TAlignment value);

 protected:
  void CreateParams(TCreateParams& params) override;
  void KeyPress(char& key) override;
  void WMGetDlgCode(TMessage& m);
  void EMSetPasswordChar(TMessage& m);
  void CMEnter(TMessage& m);

 private:
  TAlignment alignment_ = taLeftJustify;
};

TOVIX_LINK_CLASS(TOrvEdit)

// The edit style that aligns text as alignment says: ES_LEFT, ES_RIGHT or ES_CENTER.
DWORD AlignmentStyle(TAlignment alignment);

// The unit's design-time registration, which a form designer runs after loading the package:
// puts the aligned edit on the "Tovix" palette page.
namespace Orvedit {
void Register();
}  // namespace Orvedit

}  // namespace Tovix
