// A server whose self-registration entry points answer S_FALSE, a success code other than S_OK.
#include "framework/WinApi.h"

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() { return S_FALSE; }
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer() { return S_FALSE; }
