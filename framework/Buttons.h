// The Buttons unit: TBitBtn, TSpeedButton and their glyphs.
#pragma once

#include "framework/stdctrls/Buttons.h"
