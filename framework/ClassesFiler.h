// Form files: reading and writing components in the text form-file syntax.
#pragma once

#include "framework/classes/Filer.h"
