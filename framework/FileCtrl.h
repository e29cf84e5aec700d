// The FileCtrl unit: fitting file names into a width.
#pragma once

#include "framework/graphics/MinimizeName.h"
