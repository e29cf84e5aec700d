// String resource numbers of the installer units (Orvdelphiversions, Orvwise), shared by
// Orvinstall.rc and the units. They share one string table block (65504-65519), which only one
// resource file of a module may define, so all their strings live in Orvinstall.rc.
#pragma once

#define SOrvDelphiVersionsNoneAvailable 65505
#define SOrvDelphiVersionsOutOfBounds 65506
