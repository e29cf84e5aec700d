#include "controls/Orvbtn.h"

#include "framework/TypInfoBuilder.h"
#include "framework/design/Registration.h"
#include "utils/Orvutils.h"

namespace Tovix {

const char OrvInternetLinkDefaultUrl[] = "https://www.example.com/";

TOVIX_IMPLEMENT_CLASS(TOrvInternetLink, TCustomLabel) {
  using L = TOrvInternetLink;
  c.Property("Url", &L::GetUrl, &L::SetUrl);
  c.Property("AutoCaption", &L::GetAutoCaption, &L::SetAutoCaption).Default(false);
  c.Property("HoverColor", &L::GetHoverColor, &L::SetHoverColor).Default(clAqua);
  c.Property("AutoSize", &L::GetAutoSize, &L::SetAutoSize).Default(true);
  c.Property("Caption", &L::GetCaption, &L::SetCaption);
  c.Property("Color", &L::GetColor, &L::SetColor).Stored(&L::IsColorStored);
  c.Property("Font", &L::GetFont, &L::SetFont).Stored(&L::IsFontStored);
  c.Property("ParentColor", &L::GetParentColor, &L::SetParentColor).Default(true);
  c.Property("ParentShowHint", &L::GetParentShowHint, &L::SetParentShowHint).Default(true);
  c.Property("ShowHint", &L::GetShowHint, &L::SetShowHint).Stored(&L::IsShowHintStored);
  c.Property("Visible", &L::GetVisible, &L::SetVisible).Default(true);
  c.Property("WordWrap", &L::GetWordWrap, &L::SetWordWrap).Default(false);
  c.Property("VisitedColor", &L::GetVisitedColor, &L::SetVisitedColor).Default(clNone);
  c.Message(CM_MOUSEENTER, &L::CMMouseEnter);
  c.Message(CM_MOUSELEAVE, &L::CMMouseLeave);
}

TOrvInternetLink::TOrvInternetLink(TComponent* owner) : TCustomLabel(owner), url_(OrvInternetLinkDefaultUrl) {
  GetFont()->SetColor(clBlue);
  GetFont()->SetStyle(TFontStyles{fsUnderline});
  SetOnClick(TNotifyEvent(this, &TOrvInternetLink::ClickHandler));
}

void TOrvInternetLink::SetUrl(const String& value) {
  url_ = Trim(value);
  if (autoCaption_) SetCaption(url_);
}

void TOrvInternetLink::SetAutoCaption(bool value) {
  if (value == autoCaption_) return;
  autoCaption_ = value;
  if (autoCaption_) SetCaption(url_);
}

void TOrvInternetLink::ClickHandler(TObject*) {
  OpenUrl(url_);
  if (visitedColor_ == clNone) return;
  // Under the mouse the visited colour waits until the mouse leaves.
  if (hovered_) savedColor_ = visitedColor_;
  else GetFont()->SetColor(visitedColor_);
}

void TOrvInternetLink::CMMouseEnter(TMessage&) {
  if (hovered_ || IsDesigning()) return;
  savedColor_ = GetFont()->GetColor();
  hovered_ = true;
  GetFont()->SetColor(hoverColor_);
}

void TOrvInternetLink::CMMouseLeave(TMessage&) {
  if (!hovered_) return;
  hovered_ = false;
  GetFont()->SetColor(savedColor_);
}

void TOrvInternetLinkEditor::Edit() { ExecuteVerb(0); }

void TOrvInternetLinkEditor::ExecuteVerb(int) {
  auto* link = dynamic_cast<TOrvInternetLink*>(GetComponent());
  if (link && !link->GetUrl().empty()) OpenUrl(link->GetUrl());
}

String TOrvInternetLinkEditor::GetVerb(int) { return "&Test Internet Link"; }

int TOrvInternetLinkEditor::GetVerbCount() { return 1; }

void Orvbtn::Register() {
  RegisterComponents("Tovix", {&TOrvInternetLink::StaticClassInfo()});
  RegisterComponentEditor(TOrvInternetLink::StaticClassInfo(),
                          TComponentEditorClass::Of<TOrvInternetLinkEditor>("TOrvInternetLinkEditor"));
}

}  // namespace Tovix
