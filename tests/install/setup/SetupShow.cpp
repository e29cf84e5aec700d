// A setup DLL that shows the installer's variables in its own modal window.
#include "install/Orvwise.h"

extern "C" __declspec(dllexport) void WINAPI ShowVars(Tovix::TOrvWiseParams* params) { Tovix::TOrvWise(params).DisplayVars(); }
