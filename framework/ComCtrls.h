// The ComCtrls unit: TPageControl and TTabSheet.
#pragma once

#include "framework/stdctrls/ComCtrls.h"
