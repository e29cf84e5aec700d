// The Buttons unit: buttons with glyphs. TSpeedButton paints on its parent; TBitBtn is a push
// button with a glyph and standard kinds (OK, Cancel, Help, ...).
#pragma once

#include "framework/ButtonsBitBtn.h"
#include "framework/ButtonsGlyph.h"
#include "framework/ButtonsHelp.h"
#include "framework/ButtonsSpeedButton.h"
