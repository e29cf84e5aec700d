// Ferrovane: the design-time package of the Tovix components. A form designer loads
// Ferrovane.dll (which imports the framework DLL, TovixFramework.dll), calls Initialize, then the
// Register routine of every contained unit that has one, and Finalize before unloading it.
//
// Exports (by name, C calling convention, no arguments unless stated):
//   Initialize            runs the units' start-up sections in unit-table order
//   Finalize              runs their shut-down sections in reverse order
//   GetPackageInfoTable   returns const Tovix::TPackageInfoTable*: the nineteen units of the
//                         table below with their start-up and shut-down routines
//   <Unit>_Register       the Register routine of a registering unit, named after the unit:
//                         Orvbtn_Register, Orvcommdlg_Register, Orvfolderbrowser_Register,
//                         Orvtrayicon_Register, Orvedit_Register, Orvtime_Register,
//                         Orvbtnedit_Register. A host finds them by appending "_Register" to the
//                         names of the units in PACKAGEINFO.
//
// Resources:
//   PACKAGEINFO (RCDATA)     what the package requires and contains. Layout, little-endian; a
//                            "short string" is one length byte and that many ANSI characters,
//                            with no terminating zero:
//                              uint32  flags: never-build 0x1, design-only 0x2, producer
//                                      0x0C000000, package module 0x40000000 (0x4C000003)
//                              uint32  number of required packages (2), then their names as
//                                      short strings: "VCLX40", "vcl40" (the framework's runtime)
//                              uint32  number of contained units (19), then per unit a flags
//                                      byte (0x01 the package's main unit, 0x02 a unit of the
//                                      package's own) and its name as a short string
//                            Tovix::ParsePackageInfo (framework/design/Package.h) reads it.
//   DESCRIPTION (RCDATA)     "Tovix - Ferrovane Technologies Library" in UTF-16, ending in a zero
//   PACKAGEOPTIONS (RCDATA)  the compiler options: the unit aliases, then the description, each
//                            a short string
//   version information      1.0.0.0, language 1033 (U.S. English), code page 1252
//   BITMAP TORV<CLASS>       the palette bitmap of each component, 24 x 24 pixels
//   MAINICON                 the package's icon
#pragma once

#include "framework/design/Package.h"

extern "C" {
__declspec(dllexport) void Initialize();
__declspec(dllexport) void Finalize();
__declspec(dllexport) const Tovix::TPackageInfoTable* GetPackageInfoTable();
__declspec(dllexport) void Orvbtn_Register();
__declspec(dllexport) void Orvcommdlg_Register();
__declspec(dllexport) void Orvfolderbrowser_Register();
__declspec(dllexport) void Orvtrayicon_Register();
__declspec(dllexport) void Orvedit_Register();
__declspec(dllexport) void Orvtime_Register();
__declspec(dllexport) void Orvbtnedit_Register();
}
