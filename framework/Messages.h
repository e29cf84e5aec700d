// The Messages unit: the framework's CM_* and CN_* messages.
#pragma once

#include "framework/controls/Messages.h"
