#include "tests/support/ReviewShots.h"

#include <cstdlib>

#include "screenshots/Screenshots.h"

namespace Tovix::Testing {

void KeepForReview(TControl* control, const char* name) {
  const char* folder = std::getenv("TOVIX_REVIEW_DIR");
  if (!folder || !*folder) return;
  SaveScreenshot(control, String(folder) + "\\" + name + ".bmp");
}

}  // namespace Tovix::Testing
