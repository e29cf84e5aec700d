// The platform's API, included once with the settings the framework needs.
#pragma once

#include "framework/system/WinApi.h"
