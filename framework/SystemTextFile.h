// Text files read and written line by line (TTextFile).
#pragma once

#include "framework/system/TextFile.h"
