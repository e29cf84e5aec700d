// The Mask unit: TCustomMaskEdit and TMaskEdit.
#pragma once

#include "framework/stdctrls/MaskEdit.h"
