// The ComCtrls unit: TPageControl and TTabSheet, and the date and time controls' types.
#pragma once

#include "framework/stdctrls/ComCtrls.h"
