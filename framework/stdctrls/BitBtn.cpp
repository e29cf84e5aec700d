#include "framework/stdctrls/BitBtn.h"

#include "framework/stdctrls/HelpRequest.h"
#include "framework/system/ScopeExit.h"
#include "framework/stdctrls/Publish.h"

namespace Tovix {

const TEnumInfo& TEnumTraits<TBitBtnKind>::Info() {
  static const TEnumInfo info{
      {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort", "bkRetry", "bkIgnore", "bkAll"}};
  return info;
}

// What a kind sets is written to form files only when the button is custom.
TOVIX_IMPLEMENT_CLASS(TBitBtn, TButton) {
  c.Property("Cancel", &TBitBtn::GetCancel, &TBitBtn::SetCancel).Default(false).Stored(&TBitBtn::IsCustom);
  c.Property("Caption", &TBitBtn::GetCaption, &TBitBtn::SetCaption).Stored(&TBitBtn::IsCustomCaption);
  c.Property("Default", &TBitBtn::GetDefault, &TBitBtn::SetDefault).Default(false).Stored(&TBitBtn::IsCustom);
  c.Property("ModalResult", &TBitBtn::GetModalResult, &TBitBtn::SetModalResult).Default(mrNone).Stored(&TBitBtn::IsCustom);
  c.Property("Glyph", &TBitBtn::GetGlyph, &TBitBtn::SetGlyph).Stored(&TBitBtn::IsCustom);
  c.Property("Kind", &TBitBtn::GetKind, &TBitBtn::SetKind).Default(bkCustom);
  c.Property("Layout", &TBitBtn::GetLayout, &TBitBtn::SetLayout).Default(blGlyphLeft);
  c.Property("Margin", &TBitBtn::GetMargin, &TBitBtn::SetMargin).Default(-1);
  c.Property("NumGlyphs", &TBitBtn::GetNumGlyphs, &TBitBtn::SetNumGlyphs).Default(1);
  c.Property("Spacing", &TBitBtn::GetSpacing, &TBitBtn::SetSpacing).Default(4);
  c.Message(CN_DRAWITEM, &TBitBtn::CNDrawItem);
  c.Message(BM_SETSTYLE, &TBitBtn::BMSetStyle);
  c.Message(WM_LBUTTONDBLCLK, &TBitBtn::WMLButtonDblClk);
  c.Message(CM_ENABLEDCHANGED, &TBitBtn::CMRedraw);
  c.Message(CM_FONTCHANGED, &TBitBtn::CMRedraw);
  c.Message(CM_TEXTCHANGED, &TBitBtn::CMRedraw);
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), glyph_(std::make_unique<TButtonGlyph>()) {
  glyph_->SetOnChange(TNotifyEvent(this, &TBitBtn::GlyphChanged));
}

TBitBtn::~TBitBtn() {
  Destroying();
  glyph_->SetOnChange(TNotifyEvent());
}

// ---------------------------------------------------------------------------
// Kinds

String TBitBtn::KindCaption(TBitBtnKind kind) {
  static const char* const captions[] = {"",        "OK",    "Cancel", "&Help",   "&Yes",   "&No",
                                         "&Close", "Abort", "&Retry", "&Ignore", "&All"};
  return captions[kind];
}

TModalResult TBitBtn::KindModalResult(TBitBtnKind kind) {
  static const TModalResult results[] = {mrNone, mrOk,    mrCancel, mrNone,   mrYes, mrNo,
                                         mrNone, mrAbort, mrRetry,  mrIgnore, mrAll};
  return results[kind];
}

TBitBtnKind TBitBtn::GetKind() const {
  if (kind_ == bkCustom) return bkCustom;
  bool defaultKind = kind_ == bkOK || kind_ == bkYes || kind_ == bkAll;
  bool cancelKind = kind_ == bkCancel || kind_ == bkNo || kind_ == bkAbort;
  if (GetDefault() != defaultKind || GetCancel() != cancelKind || GetModalResult() != KindModalResult(kind_) ||
      modifiedGlyph_)
    return bkCustom;
  return kind_;
}

void TBitBtn::SetKind(TBitBtnKind value) {
  if (value == kind_ && GetKind() == value) return;
  if (value != bkCustom) {
    SetDefault(value == bkOK || value == bkYes || value == bkAll);
    SetCancel(value == bkCancel || value == bkNo || value == bkAbort);
    // A form file may hold the caption of a kind button that was renamed: it is kept.
    if (!IsLoading() || GetCaption().empty()) SetCaption(KindCaption(value));
    SetModalResult(KindModalResult(value));
    std::unique_ptr<TBitmap> glyph(CreateKindGlyph(value));
    settingKind_ = true;
    glyph_->SetGlyph(glyph.get());
    glyph_->SetNumGlyphs(1);
    settingKind_ = false;
    modifiedGlyph_ = false;
  }
  kind_ = value;
  Redraw();
}

bool TBitBtn::IsCustomCaption() const { return GetKind() == bkCustom || GetCaption() != KindCaption(kind_); }

void TBitBtn::Click() {
  switch (kind_) {
    case bkClose:
      if (TCustomForm* form = GetParentForm(this)) {
        form->Close();
        return;
      }
      break;
    case bkHelp:
      if (!GetOnClick()) {
        ApplicationHelpCommand(HELP_CONTENTS, 0);
        return;
      }
      break;
    default:
      break;
  }
  TButton::Click();
}

// ---------------------------------------------------------------------------
// Glyph and layout

void TBitBtn::SetGlyph(TBitmap* value) {
  glyph_->SetGlyph(value);
  modifiedGlyph_ = true;
}

void TBitBtn::GlyphChanged(TObject*) {
  if (!settingKind_) modifiedGlyph_ = true;
  Redraw();
}

void TBitBtn::SetNumGlyphs(int value) { glyph_->SetNumGlyphs(value); }

void TBitBtn::SetLayout(TButtonLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Redraw();
}

void TBitBtn::SetMargin(int value) {
  if (value == margin_ || value < -1) return;
  margin_ = value;
  Redraw();
}

void TBitBtn::SetSpacing(int value) {
  if (value == spacing_) return;
  spacing_ = value;
  Redraw();
}

void TBitBtn::Redraw() {
  if (HandleAllocated()) InvalidateRect(handle_, nullptr, TRUE);
}

void TBitBtn::CMRedraw(TMessage& m) {
  // The push button's own handling first (the enabled state, the font), then the new look.
  if (const TMessageHandler* inherited = TButton::StaticClassInfo().FindMessageHandler(m.Msg)) (*inherited)(this, m);
  else DefaultHandler(m);
  Redraw();
}

// ---------------------------------------------------------------------------
// The window

void TBitBtn::CreateParams(TCreateParams& params) {
  TButton::CreateParams(params);
  defaultFrame_ = (params.Style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  params.Style = (params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

// The push button asks for the default style when the focus moves; an owner-drawn button keeps
// its style and draws the default frame itself.
void TBitBtn::BMSetStyle(TMessage& m) {
  bool isDefault = (m.WParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  if (isDefault != defaultFrame_) {
    defaultFrame_ = isDefault;
    Redraw();
  }
  m.Result = 0;
}

// A quick second click is a click, not a double click.
void TBitBtn::WMLButtonDblClk(TMessage& m) { Perform(WM_LBUTTONDOWN, m.WParam, m.LParam); }

void TBitBtn::CNDrawItem(TMessage& m) {
  auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
  HDC dc = item->hDC;
  bool down = (item->itemState & ODS_SELECTED) != 0;
  bool focused = (item->itemState & ODS_FOCUS) != 0;
  TButtonState state = !GetEnabled() ? bsDisabled : down ? bsDown : bsUp;
  TRect r = item->rcItem;

  TCanvas canvas;
  canvas.SetHandle(dc);
  {
    TScopeExit releaseHandle([&] { canvas.SetHandle(nullptr); });
    if (defaultFrame_) {
      canvas.GetPen()->SetColor(clWindowFrame);
      canvas.GetBrush()->SetStyle(bsClear);
      canvas.Rectangle(r);
      InflateRect(&r, -1, -1);
    }
    if (down) {
      // DrawFrameControl's pressed look is not a pushed push button's: a flat shadow frame.
      canvas.GetPen()->SetColor(clBtnShadow);
      canvas.GetBrush()->SetStyle(bsSolid);
      canvas.GetBrush()->SetColor(clBtnFace);
      canvas.Rectangle(r);
      InflateRect(&r, -1, -1);
      OffsetRect(&r, 1, 1);
    } else {
      DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (GetEnabled() ? 0 : DFCS_INACTIVE));
    }
    canvas.GetFont()->Assign(GetFont());
    glyph_->Draw(canvas, r, Point(0, 0), GetCaption(), layout_, margin_, spacing_, state);
    if (focused) {
      TRect focus = item->rcItem;
      InflateRect(&focus, -4, -4);
      SetTextColor(dc, ColorToRGB(clBtnText));
      SetBkColor(dc, ColorToRGB(clBtnFace));
      DrawFocusRect(dc, &focus);
    }
  }
  m.Result = TRUE;
}

}  // namespace Tovix
