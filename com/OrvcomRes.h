// String resource numbers of unit Orvcom, shared by Orvcom.rc and Orvcom.cpp. Orvcom owns the
// string table block of numbers 2640-2655 (a block can be defined by one resource file only).
#pragma once

#define SOrvComRegOpenFailed 2640
#define SOrvComRegNoEntryPoint 2641
#define SOrvComRegFailed 2642
