// The ComCtrls unit: controls on the common controls library (page control and tab sheets), and
// the types of the date and time controls: their enumerations, parse event, error and calendar
// colours.
#pragma once

#include "framework/stdctrls/DateTimeTypes.h"
#include "framework/stdctrls/MonthCalColors.h"
#include "framework/stdctrls/PageControl.h"
