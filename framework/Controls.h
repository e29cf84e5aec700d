// The Controls unit: TControl, TWinControl, control canvases and the framework's messages.
#pragma once

#include "framework/controls/Controls.h"
