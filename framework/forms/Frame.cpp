#include "framework/forms/Frame.h"

#include "framework/classes/Filer.h"
#include "framework/classes/TypInfoBuilder.h"
#include "framework/controls/Menus.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TFrame, TScrollingWinControl) {
  c.Property("Align", &TFrame::GetAlign, &TFrame::SetAlign).Default(alNone);
  c.Property("AutoScroll", &TFrame::GetAutoScroll, &TFrame::SetAutoScroll).Default(false);
  c.Property("Color", &TFrame::GetColor, &TFrame::SetColor).Default(clBtnFace).Stored(&TFrame::IsColorStored);
  c.Property("Enabled", &TFrame::GetEnabled, &TFrame::SetEnabled).Default(true);
  c.Property("Font", &TFrame::GetFont, &TFrame::SetFont).Stored(&TFrame::IsFontStored);
  c.Property("HorzScrollBar", &TFrame::GetHorzScrollBar, &TFrame::SetHorzScrollBar);
  c.Property("ParentColor", &TFrame::GetParentColor, &TFrame::SetParentColor).Default(false);
  c.Property("ParentFont", &TFrame::GetParentFont, &TFrame::SetParentFont).Default(true);
  c.Property("PopupMenu", &TFrame::GetPopupMenu, &TFrame::SetPopupMenu);
  c.Property("ShowHint", &TFrame::GetShowHint, &TFrame::SetShowHint).Stored(&TFrame::IsShowHintStored);
  c.Property("TabOrder", &TFrame::GetTabOrder, &TFrame::SetTabOrder).Default(-1);
  c.Property("TabStop", &TFrame::GetTabStop, &TFrame::SetTabStop).Default(true);
  c.Property("VertScrollBar", &TFrame::GetVertScrollBar, &TFrame::SetVertScrollBar);
  c.Property("Visible", &TFrame::GetVisible, &TFrame::SetVisible).Default(true);
}

TFrame::TFrame(TComponent* owner) : TScrollingWinControl(owner) {
  controlStyle_.Include(csAcceptsControls);
  SetColor(clBtnFace);
  SetTabStop(true);
  width_ = 320;
  height_ = 240;
}

void TFrame::ReadFormResource() { resourceRead_ = ReadFormResources(this, resourceRead_); }

}  // namespace Tovix
