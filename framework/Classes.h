// The Classes unit: persistent objects, components, lists, strings, streams and form files.
#pragma once

#include "framework/classes/Classes.h"
