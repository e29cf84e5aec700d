// The ComObj unit: COM identifiers and their text form.
#pragma once

#include "framework/comobj/ComObj.h"
