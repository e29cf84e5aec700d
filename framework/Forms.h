// The Forms unit: forms, data modules, the application and screen objects.
#pragma once

#include "framework/forms/Forms.h"
