// The Controls unit: controls, windowed controls, their messages and types.
#pragma once

#include "framework/controls/ControlCanvas.h"
#include "framework/controls/Control.h"
#include "framework/controls/ControlTypes.h"
#include "framework/controls/WinControl.h"
#include "framework/controls/Messages.h"
#include "framework/controls/ScrollingWinControl.h"
