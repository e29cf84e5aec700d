// The Graphics unit: colours, drawing tools, canvases, bitmaps and icons.
#pragma once

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/GraphicsColors.h"
#include "framework/GraphicsExceptions.h"
#include "framework/GraphicsGraphic.h"
#include "framework/GraphicsIcon.h"
#include "framework/GraphicsObjects.h"
