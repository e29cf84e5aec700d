// Screenshots kept for a person to look at: when TOVIX_REVIEW_DIR names a folder, KeepForReview
// saves the control's picture there as <name>.bmp; otherwise it does nothing.
#pragma once

#include "framework/Controls.h"

namespace Tovix::Testing {

void KeepForReview(TControl* control, const char* name);

}  // namespace Tovix::Testing
