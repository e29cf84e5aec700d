#include "framework/dialogs/InputQuery.h"

#include <algorithm>
#include <memory>

#include "framework/dialogs/MessageDlg.h"
#include "framework/stdctrls/StdCtrls.h"

namespace Tovix {

namespace {

struct TFormFree {
  void operator()(TCustomForm* form) const { form->Free(); }
};

}  // namespace

bool InputQuery(const String& caption, const String& prompt, String& value) {
  std::unique_ptr<TForm, TFormFree> form(new TForm(nullptr));
  form->SetBorderStyle(bsDialog);
  form->SetPosition(poScreenCenter);
  form->SetCaption(caption);
  form->HandleNeeded();  // client sizes are exact once the frame exists

  auto* label = new TLabel(form.get());
  label->SetName("Prompt");
  label->SetParent(form.get());
  label->SetCaption(prompt);
  TPoint units;
  {
    HDC dc = GetDC(nullptr);
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.GetFont()->Assign(form->GetFont());
    units = GetAveCharSize(canvas);
    canvas.SetHandle(nullptr);
    ReleaseDC(nullptr, dc);
  }
  int margin = MulDiv(8, units.x, 4);
  label->SetBounds(margin, MulDiv(8, units.y, 8), label->GetWidth(), label->GetHeight());
  // Wide enough for the prompt: a long prompt widens the dialog instead of being cut off.
  int clientWidth = std::max(MulDiv(180, units.x, 4), label->GetWidth() + 2 * margin);
  form->SetClientWidth(clientWidth);
  form->SetClientHeight(MulDiv(63, units.y, 8));

  auto* edit = new TEdit(form.get());
  edit->SetName("Edit");
  edit->SetParent(form.get());
  edit->SetBounds(margin, MulDiv(19, units.y, 8), clientWidth - 2 * margin, edit->GetHeight());
  edit->SetText(value);
  edit->SetTabOrder(0);

  int buttonTop = MulDiv(41, units.y, 8), buttonWidth = MulDiv(50, units.x, 4), buttonHeight = MulDiv(14, units.y, 8);
  int gap = MulDiv(4, units.x, 4);
  int left = (clientWidth - 2 * buttonWidth - gap) / 2;
  auto* ok = new TButton(form.get());
  ok->SetName("OK");
  ok->SetParent(form.get());
  ok->SetCaption("OK");
  ok->SetModalResult(mrOk);
  ok->SetDefault(true);
  ok->SetBounds(left, buttonTop, buttonWidth, buttonHeight);
  auto* cancel = new TButton(form.get());
  cancel->SetName("Cancel");
  cancel->SetParent(form.get());
  cancel->SetCaption("Cancel");
  cancel->SetModalResult(mrCancel);
  cancel->SetCancel(true);
  cancel->SetBounds(left + buttonWidth + gap, buttonTop, buttonWidth, buttonHeight);

  if (form->ShowModal() != mrOk) return false;
  value = edit->GetText();
  return true;
}

String InputBox(const String& caption, const String& prompt, const String& defaultValue) {
  String value = defaultValue;
  InputQuery(caption, prompt, value);
  return value;
}

}  // namespace Tovix
