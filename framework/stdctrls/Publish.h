// Groups of inherited control properties that the standard controls publish, as their class
// descriptions list them (used by the framework's sources only).
#pragma once

#include "framework/controls/Menus.h"
#include "framework/classes/TypInfoBuilder.h"
#include "framework/stdctrls/StdTypes.h"

namespace Tovix::StdCtrlsPublish {

// Color (written when it is the control's own and differs from defaultColor), Ctl3D, Font and
// their Parent... switches.
template <typename T>
void Appearance(TClassBuilder<T>& c, TColor defaultColor, bool parentColorByDefault) {
  c.Property("Color", &T::GetColor, &T::SetColor).Default(defaultColor).Stored(&T::IsColorStored);
  c.Property("Ctl3D", &T::GetCtl3D, &T::SetCtl3D).Stored(&T::IsCtl3DStored);
  c.Property("Font", &T::GetFont, &T::SetFont).Stored(&T::IsFontStored);
  c.Property("ParentColor", &T::GetParentColor, &T::SetParentColor).Default(parentColorByDefault);
  c.Property("ParentCtl3D", &T::GetParentCtl3D, &T::SetParentCtl3D).Default(true);
  c.Property("ParentFont", &T::GetParentFont, &T::SetParentFont).Default(true);
}

// Graphic controls have no Ctl3D.
template <typename T>
void GraphicAppearance(TClassBuilder<T>& c) {
  c.Property("Color", &T::GetColor, &T::SetColor).Default(clWindow).Stored(&T::IsColorStored);
  c.Property("Font", &T::GetFont, &T::SetFont).Stored(&T::IsFontStored);
  c.Property("ParentColor", &T::GetParentColor, &T::SetParentColor).Default(true);
  c.Property("ParentFont", &T::GetParentFont, &T::SetParentFont).Default(true);
}

// Anchors and Constraints, left out of form files while they keep their defaults.
template <typename T>
void Placement(TClassBuilder<T>& c) {
  c.Property("Anchors", &T::GetAnchors, &T::SetAnchors).Default(kDefaultAnchors);
  c.Property("Constraints", &T::GetConstraints, &T::SetConstraints);
}

template <typename T>
void Dragging(TClassBuilder<T>& c) {
  c.Property("DragCursor", &T::GetDragCursor, &T::SetDragCursor).Default(crDrag);
  c.Property("DragMode", &T::GetDragMode, &T::SetDragMode).Default(dmManual);
  c.Property("OnDragDrop", &T::GetOnDragDrop, &T::SetOnDragDrop);
  c.Property("OnDragOver", &T::GetOnDragOver, &T::SetOnDragOver);
  c.Property("OnEndDrag", &T::GetOnEndDrag, &T::SetOnEndDrag);
  c.Property("OnStartDrag", &T::GetOnStartDrag, &T::SetOnStartDrag);
}

// Enabled, Visible, PopupMenu and the hint switches.
template <typename T>
void State(TClassBuilder<T>& c) {
  c.Property("Enabled", &T::GetEnabled, &T::SetEnabled).Default(true);
  c.Property("ParentShowHint", &T::GetParentShowHint, &T::SetParentShowHint).Default(true);
  c.Property("PopupMenu", &T::GetPopupMenu, &T::SetPopupMenu);
  c.Property("ShowHint", &T::GetShowHint, &T::SetShowHint).Stored(&T::IsShowHintStored);
  c.Property("Visible", &T::GetVisible, &T::SetVisible).Default(true);
}

template <typename T>
void TabOrder(TClassBuilder<T>& c, bool tabStopByDefault) {
  c.Property("TabOrder", &T::GetTabOrder, &T::SetTabOrder).Default(-1);
  c.Property("TabStop", &T::GetTabStop, &T::SetTabStop).Default(tabStopByDefault);
}

template <typename T>
void MouseEvents(TClassBuilder<T>& c) {
  c.Property("OnMouseDown", &T::GetOnMouseDown, &T::SetOnMouseDown);
  c.Property("OnMouseMove", &T::GetOnMouseMove, &T::SetOnMouseMove);
  c.Property("OnMouseUp", &T::GetOnMouseUp, &T::SetOnMouseUp);
}

// OnEnter, OnExit and the key events of windowed controls.
template <typename T>
void FocusAndKeyEvents(TClassBuilder<T>& c) {
  c.Property("OnEnter", &T::GetOnEnter, &T::SetOnEnter);
  c.Property("OnExit", &T::GetOnExit, &T::SetOnExit);
  c.Property("OnKeyDown", &T::GetOnKeyDown, &T::SetOnKeyDown);
  c.Property("OnKeyPress", &T::GetOnKeyPress, &T::SetOnKeyPress);
  c.Property("OnKeyUp", &T::GetOnKeyUp, &T::SetOnKeyUp);
}

}  // namespace Tovix::StdCtrlsPublish
