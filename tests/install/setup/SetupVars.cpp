// A setup DLL as an installer author writes one: it reads, changes and adds variables.
#include "install/Orvwise.h"

using Tovix::TOrvWise;

extern "C" __declspec(dllexport) void WINAPI ChangeVars(Tovix::TOrvWiseParams* params) {
  TOrvWise wise(params);
  wise.SetVar("MainDir", wise.GetVar("MAINDIR") + "\\Sub");
  wise.AddVar("GREETING", "Hello " + wise.GetParamString());
}
