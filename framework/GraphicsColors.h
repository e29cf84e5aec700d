// Colours: TColor, the system colours and their names.
#pragma once

#include "framework/graphics/Colors.h"
