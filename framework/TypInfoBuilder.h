// Declaring a component class's published properties (see the usage example inside).
#pragma once

#include "framework/classes/TypInfoBuilder.h"
