// Events: handler slots holding a method of an object or any callable.
#pragma once

#include "framework/system/Events.h"
