#include "framework/dialogs/MessageDlg.h"

#include <algorithm>
#include <memory>

#include "framework/stdctrls/HelpRequest.h"
#include "framework/stdctrls/StdCtrls.h"
#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

const TEnumInfo& TEnumTraits<TMsgDlgType>::Info() {
  static const TEnumInfo info{{"mtWarning", "mtError", "mtInformation", "mtConfirmation", "mtCustom"}};
  return info;
}

const TEnumInfo& TEnumTraits<TMsgDlgBtn>::Info() {
  static const TEnumInfo info{{"mbYes", "mbNo", "mbOK", "mbCancel", "mbAbort", "mbRetry", "mbIgnore", "mbAll", "mbHelp"}};
  return info;
}

namespace {

// The icon of a message dialog: one of the system's 32 x 32 icons, painted on the form.
class TMessageIcon : public TGraphicControl {
  TOVIX_DECLARE_CLASS(TMessageIcon)

 public:
  TMessageIcon(TComponent* owner, HICON icon) : TGraphicControl(owner), icon_(icon) { SetBounds(0, 0, 32, 32); }

 protected:
  void Paint() override { DrawIconEx(GetCanvas()->GetHandle(), 0, 0, icon_, 32, 32, 0, nullptr, DI_NORMAL); }

 private:
  HICON icon_;  // a shared system icon: never destroyed
};

const char* const kButtonNames[] = {"Yes", "No", "OK", "Cancel", "Abort", "Retry", "Ignore", "All", "Help"};
const char* const kButtonCaptions[] = {"&Yes", "&No", "OK", "Cancel", "&Abort", "&Retry", "&Ignore", "&All", "&Help"};
const TModalResult kButtonResults[] = {mrYes, mrNo, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrAll, mrNone};
const char* const kCaptions[] = {"Warning", "Error", "Information", "Confirm", nullptr};
LPCSTR const kIcons[] = {IDI_EXCLAMATION, IDI_HAND, IDI_ASTERISK, IDI_QUESTION, nullptr};

// A canvas on the screen's device context, for measuring text before any window exists.
class TScreenCanvas {
 public:
  explicit TScreenCanvas(TFont* font) : dc_(GetDC(nullptr)) {
    canvas_.SetHandle(dc_);
    canvas_.GetFont()->Assign(font);
  }
  ~TScreenCanvas() {
    canvas_.SetHandle(nullptr);
    ReleaseDC(nullptr, dc_);
  }
  TScreenCanvas(const TScreenCanvas&) = delete;
  TScreenCanvas& operator=(const TScreenCanvas&) = delete;
  TCanvas& Canvas() { return canvas_; }

 private:
  HDC dc_;
  TCanvas canvas_;
};

// Frees a form the framework's way (OnDestroy runs) when it goes out of scope.
struct TFormFree {
  void operator()(TCustomForm* form) const { form->Free(); }
};
using TFormHolder = std::unique_ptr<TMessageForm, TFormFree>;

TMsgDlgBtn DefaultButtonOf(TMsgDlgButtons buttons) {
  if (buttons.Contains(mbOK)) return mbOK;
  if (buttons.Contains(mbYes)) return mbYes;
  return mbRetry;
}

TMsgDlgBtn CancelButtonOf(TMsgDlgButtons buttons) {
  if (buttons.Contains(mbCancel)) return mbCancel;
  if (buttons.Contains(mbNo)) return mbNo;
  return mbOK;
}

}  // namespace

TOVIX_IMPLEMENT_CLASS(TMessageIcon, TGraphicControl) {}

TOVIX_IMPLEMENT_CLASS(TMessageForm, TForm) { c.Method("HelpButtonClick", &TMessageForm::HelpButtonClick); }

TMessageForm::TMessageForm(TComponent* owner) : TForm(owner) {
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
}

void TMessageForm::HelpButtonClick(TObject*) {
  if (helpContext_ != 0) ApplicationHelpCommand(HELP_CONTEXT, static_cast<uintptr_t>(helpContext_));
  else ApplicationHelpCommand(HELP_CONTENTS, 0);
}

TPoint GetAveCharSize(TCanvas& canvas) {
  char letters[52];
  for (int i = 0; i < 26; ++i) {
    letters[i] = static_cast<char>('A' + i);
    letters[26 + i] = static_cast<char>('a' + i);
  }
  canvas.RequiredState({TCanvas::csHandleValid, TCanvas::csFontValid});
  SIZE size{0, 0};
  GetTextExtentPoint32A(canvas.GetHandle(), letters, 52, &size);
  return Point(size.cx / 52, size.cy);
}

TMessageForm* CreateMessageDialog(const String& message, TMsgDlgType type, TMsgDlgButtons buttons) {
  if (buttons.Empty()) buttons = TMsgDlgButtons{mbOK};
  TFormHolder form(new TMessageForm(nullptr));
  form->HandleNeeded();  // client sizes are exact once the frame exists

  // Dialog units: margins and buttons scale with the font, as in a dialog template.
  TRect textRect = Rect(0, 0, Screen->GetWidth() / 2, 0);
  TPoint units;
  {
    TScreenCanvas screen(form->GetFont());
    units = GetAveCharSize(screen.Canvas());
    DrawTextA(screen.Canvas().GetHandle(), message.c_str(), static_cast<int>(message.size()), &textRect,
              DT_EXPANDTABS | DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  }
  int horzMargin = MulDiv(8, units.x, 4), vertMargin = MulDiv(8, units.y, 8);
  int horzSpacing = MulDiv(10, units.x, 4), vertSpacing = MulDiv(10, units.y, 8);
  int buttonWidth = MulDiv(50, units.x, 4), buttonHeight = MulDiv(14, units.y, 8);
  int buttonSpacing = MulDiv(4, units.x, 4);

  int iconTextWidth = textRect.right, iconTextHeight = textRect.bottom;
  LPCSTR iconId = kIcons[type];
  if (iconId) {
    iconTextWidth += 32 + horzSpacing;
    iconTextHeight = std::max(iconTextHeight, 32);
  }
  int buttonCount = 0;
  for (int b = mbYes; b <= mbHelp; ++b)
    if (buttons.Contains(static_cast<TMsgDlgBtn>(b))) ++buttonCount;
  int buttonGroupWidth = buttonWidth * buttonCount + buttonSpacing * (buttonCount - 1);
  form->SetClientWidth(std::max(iconTextWidth, buttonGroupWidth) + horzMargin * 2);
  form->SetClientHeight(iconTextHeight + buttonHeight + vertSpacing + vertMargin * 2);
  form->SetCaption(kCaptions[type] ? String(kCaptions[type]) : Application->GetTitle());

  if (iconId) {
    auto* icon = new TMessageIcon(form.get(), LoadIconA(nullptr, iconId));
    icon->SetName("Image");
    icon->SetParent(form.get());
    icon->SetBounds(horzMargin, vertMargin, 32, 32);
  }
  auto* label = new TLabel(form.get());
  label->SetName("Message");
  label->SetParent(form.get());
  label->SetAutoSize(false);
  label->SetWordWrap(true);
  label->SetShowAccelChar(false);  // the message is shown as it is, "&" included
  label->SetCaption(message);
  label->SetBounds(iconTextWidth - textRect.right + horzMargin, vertMargin, textRect.right, textRect.bottom);

  TMsgDlgBtn defaultButton = DefaultButtonOf(buttons), cancelButton = CancelButtonOf(buttons);
  int x = (form->GetClientWidth() - buttonGroupWidth) / 2;
  int y = iconTextHeight + vertMargin + vertSpacing;
  for (int b = mbYes; b <= mbHelp; ++b) {
    auto kind = static_cast<TMsgDlgBtn>(b);
    if (!buttons.Contains(kind)) continue;
    auto* button = new TButton(form.get());
    button->SetName(kButtonNames[b]);
    button->SetParent(form.get());
    button->SetCaption(kButtonCaptions[b]);
    button->SetModalResult(kButtonResults[b]);
    if (kind == defaultButton) button->SetDefault(true);
    if (kind == cancelButton) button->SetCancel(true);
    if (kind == mbHelp) button->SetOnClick(TNotifyEvent(form.get(), &TMessageForm::HelpButtonClick));
    button->SetBounds(x, y, buttonWidth, buttonHeight);
    // The default button is first in tab order, so it has the focus when the dialog shows.
    if (kind == defaultButton) button->SetTabOrder(0);
    x += buttonWidth + buttonSpacing;
  }
  return form.release();
}

int MessageDlg(const String& message, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext) {
  TFormHolder form(CreateMessageDialog(message, type, buttons));
  form->SetHelpContext(helpContext);
  return form->ShowModal();
}

void ShowMessage(const String& message) { MessageDlg(message, mtCustom, TMsgDlgButtons{mbOK}); }

}  // namespace Tovix
