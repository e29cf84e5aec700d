#include "framework/graphics/MeasuringDC.h"

namespace Tovix {

HDC MeasuringDC() {
  static const HDC dc = CreateCompatibleDC(nullptr);  // freed by the system when the program ends
  return dc;
}

}  // namespace Tovix
