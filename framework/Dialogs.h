// The Dialogs unit: common dialogs, message dialogs and input queries.
#pragma once

#include "framework/dialogs/Dialogs.h"
