// The Variants unit: values whose type is decided at run time, and the cast errors.
#pragma once

#include "framework/system/InvalidCast.h"
#include "framework/system/Variant.h"
