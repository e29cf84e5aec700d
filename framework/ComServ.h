// The ComServ unit: the in-process COM server of a DLL built with the framework. Include it in
// one source file of the DLL to export DllGetClassObject, DllCanUnloadNow, DllRegisterServer and
// DllUnregisterServer.
#pragma once

#include "framework/comobj/ComServer.h"
