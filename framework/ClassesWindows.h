// Hidden utility windows whose messages go to a method of an object (AllocateHWnd).
#pragma once

#include "framework/classes/UtilityWindow.h"
