// The ExtCtrls unit: TTimer and TPanel.
#pragma once

#include "framework/stdctrls/Timer.h"
#include "framework/stdctrls/Panel.h"
