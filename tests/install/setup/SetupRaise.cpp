// A setup DLL that changes a variable, then lets an exception escape to the installer.
#include "install/Orvwise.h"

using Tovix::TOrvWise;

extern "C" __declspec(dllexport) void WINAPI RaiseAfterChange(Tovix::TOrvWiseParams* params) {
  TOrvWise wise(params);
  wise.SetVar("GROUP", "Changed");
  wise.AddVar("MAINDIR", "again");
}
