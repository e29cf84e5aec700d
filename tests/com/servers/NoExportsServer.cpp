// A DLL without the self-registration entry points.
#include "framework/WinApi.h"

extern "C" __declspec(dllexport) int STDAPICALLTYPE TovixNotAServer() { return 1; }
