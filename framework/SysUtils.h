// The SysUtils unit: exceptions, formatting, string, number and file-name routines, and the date
// and time routines.
#pragma once

#include "framework/system/DateUtils.h"
#include "framework/system/SysUtils.h"
