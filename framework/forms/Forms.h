// The Forms unit: forms (top-level windows built from form files), the application object with
// its message loop, the screen object, the hint window, and data modules.
#pragma once

#include "framework/forms/Application.h"
#include "framework/forms/DataModule.h"
#include "framework/forms/Form.h"
