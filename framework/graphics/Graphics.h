// The Graphics unit: colours, drawing tools, canvases, bitmaps and icons.
#pragma once

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Exceptions.h"
#include "framework/graphics/Graphic.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/Objects.h"
