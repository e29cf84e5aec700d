// The ImgList unit: TImageList.
#pragma once

#include "framework/graphics/ImageList.h"
