// The Graphics unit: colours, fonts, pens, brushes, canvases, bitmaps and icons.
#pragma once

#include "framework/graphics/Graphics.h"
