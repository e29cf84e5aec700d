// The Spin unit: TSpinEdit.
#pragma once

#include "framework/stdctrls/SpinEdit.h"
