// The Controls unit: controls, windowed controls, their messages and types.
#pragma once

#include "framework/ControlsCanvas.h"
#include "framework/ControlsControl.h"
#include "framework/ControlsTypes.h"
#include "framework/ControlsWinControl.h"
#include "framework/Messages.h"
