// TPalette: the components of a package, one tab per palette page, one button per class with its
// palette bitmap and its class name as hint. Pressing a button picks that class for the next
// click on the design form; pressing it again (or dropping) puts the palette back to selecting.
#pragma once

#include "framework/ComCtrls.h"
#include "framework/Buttons.h"
#include "host/DesignPackage.h"

namespace Tovix {

class TPalette : public TPageControl {
 public:
  TPalette(TComponent* owner, const TDesignPackage& package);

  // The button of a class, or null.
  TSpeedButton* ButtonOf(const String& className) const;
  // Releases every button (after a drop).
  void ReleaseButtons();
  // Told with the class picked (null when none is).
  std::function<void(const TClassInfo*)> OnPick;

 private:
  void ButtonClick(TObject* sender);
  std::vector<std::pair<TSpeedButton*, const TClassInfo*>> buttons_;
};

}  // namespace Tovix
