// The Buttons unit: buttons with glyphs. TSpeedButton paints on its parent; TBitBtn is a push
// button with a glyph and standard kinds (OK, Cancel, Help, ...).
#pragma once

#include "framework/stdctrls/BitBtn.h"
#include "framework/stdctrls/ButtonGlyph.h"
#include "framework/stdctrls/HelpRequest.h"
#include "framework/stdctrls/SpeedButton.h"
