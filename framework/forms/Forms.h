// The Forms unit: forms (top-level windows built from form files), the application object with
// its message loop, the screen object, the hint window, data modules and frames.
#pragma once

#include "framework/forms/Application.h"
#include "framework/forms/DataModule.h"
#include "framework/forms/Form.h"
#include "framework/forms/Frame.h"
