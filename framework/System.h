// The System unit: the framework's string and basic types.
#pragma once

#include "framework/system/System.h"
