// The TypInfo unit: published properties of component classes and the class registry.
#pragma once

#include "framework/classes/TypInfo.h"
