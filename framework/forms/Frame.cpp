#include "framework/forms/Frame.h"

#include "framework/classes/Filer.h"
#include "framework/classes/TypInfoBuilder.h"
#include "framework/controls/Menus.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TFrame, TWinControl) {
  c.Property("Align", &TFrame::GetAlign, &TFrame::SetAlign).Default(alNone);
  c.Property("Color", &TFrame::GetColor, &TFrame::SetColor).Default(clBtnFace).Stored(&TFrame::IsColorStored);
  c.Property("Enabled", &TFrame::GetEnabled, &TFrame::SetEnabled).Default(true);
  c.Property("Font", &TFrame::GetFont, &TFrame::SetFont).Stored(&TFrame::IsFontStored);
  c.Property("ParentColor", &TFrame::GetParentColor, &TFrame::SetParentColor).Default(false);
  c.Property("ParentFont", &TFrame::GetParentFont, &TFrame::SetParentFont).Default(true);
  c.Property("PopupMenu", &TFrame::GetPopupMenu, &TFrame::SetPopupMenu);
  c.Property("ShowHint", &TFrame::GetShowHint, &TFrame::SetShowHint).Stored(&TFrame::IsShowHintStored);
  c.Property("TabOrder", &TFrame::GetTabOrder, &TFrame::SetTabOrder).Default(-1);
  c.Property("TabStop", &TFrame::GetTabStop, &TFrame::SetTabStop).Default(true);
  c.Property("Visible", &TFrame::GetVisible, &TFrame::SetVisible).Default(true);
}

TFrame::TFrame(TComponent* owner) : TWinControl(owner) {
  controlStyle_.Include(csAcceptsControls);
  SetColor(clBtnFace);
  SetTabStop(true);
  width_ = 320;
  height_ = 240;
}

void TFrame::ReadFormResource() { resourceRead_ = ReadFormResources(this, resourceRead_); }

}  // namespace Tovix
