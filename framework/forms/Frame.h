// TFrame: a panel of controls designed once, with a form file of its own, and embedded in forms
// (written there as "inline Frame1: TFrame1", whose values may differ from the frame's file).
#pragma once

#include "framework/controls/Controls.h"

namespace Tovix {

class TFrame : public TScrollingWinControl {
  TOVIX_DECLARE_CLASS(TFrame)

 public:
  // An empty frame. A frame class with a form file calls ReadFormResource at the end of its constructor.
  explicit TFrame(TComponent* owner);

  // Reads the form files of the class and of its ancestors (see ReadFormResources): the frame's
  // controls are owned by the frame, so that every form embedding it has its own set.
  void ReadFormResource();

 private:
  const TClassInfo* resourceRead_ = nullptr;
};

TOVIX_LINK_CLASS(TFrame)

}  // namespace Tovix
