// The SysUtils unit: exceptions, formatting, string, number and file-name routines.
#pragma once

#include "framework/system/SysUtils.h"
