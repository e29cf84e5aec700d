// The ComObj unit: COM identifiers and their text form, COM objects and their class factories,
// and the registry keys of COM servers.
#pragma once

#include "framework/comobj/ComObj.h"
#include "framework/comobj/ComObject.h"
#include "framework/comobj/ComObjectFactory.h"
#include "framework/comobj/InterfaceRef.h"
#include "framework/comobj/RegKey.h"
