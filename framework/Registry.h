// The Registry unit: TRegistry and ERegistryException.
#pragma once

#include "framework/registry/Registry.h"
