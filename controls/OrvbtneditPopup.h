// TOrvBtnEditPopupWnd: the frame of a button edit's popup window, a borderless-looking tool window
// that drops down under (or over) the edit, shows a value as a descendant draws it and hands a
// value back when it closes. Descendants implement ReadValue and WriteValue; the edit connects
// OnCloseUp to its PopupCloseUp where it wants the popup to close itself.
//
// Clicking the popup never activates it, so the keyboard focus stays in the edit.
#pragma once

#include "framework/Controls.h"
#include "framework/Variants.h"

namespace Tovix {

using TOrvBtnEditCloseUpEvent = TEvent<TObject* /*Sender*/, bool /*Accept*/>;

class TOrvBtnEditPopupWnd : public TCustomControl {
  TOVIX_DECLARE_CLASS(TOrvBtnEditPopupWnd)

 public:
  // owner is the edit the popup belongs to; it becomes the parent too.
  explicit TOrvBtnEditPopupWnd(TComponent* owner);

  TWinControl* GetEditor() const { return editor_; }
  // The value the popup holds.
  virtual Variant ReadValue() = 0;
  // Loads a value into the popup; Null means none.
  virtual void WriteValue(const Variant& value) = 0;
  virtual void CloseUp(bool accept);
  virtual String GetPopupText();

  // Shows the popup with its top-left corner at origin (screen coordinates), without activating it.
  void Show(TPoint origin);
  void Hide();
  // Repaints the editor's text area at once.
  void InvalidateEditor();

  const TOrvBtnEditCloseUpEvent& GetOnCloseUp() const { return onCloseUp_; }
  void SetOnCloseUp(const TOrvBtnEditCloseUpEvent& e) { onCloseUp_ = e; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void WMMouseActivate(TMessage& m);
  // A left release closes the popup, accepting when it is inside the client area.
  void PopupMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);

 private:
  TWinControl* editor_;
  TOrvBtnEditCloseUpEvent onCloseUp_;
};

}  // namespace Tovix
