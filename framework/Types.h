// The Types unit: points, sizes and rectangles.
#pragma once

#include "framework/system/Types.h"
