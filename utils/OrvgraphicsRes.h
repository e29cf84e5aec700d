// String resource numbers of unit Orvgraphics, shared by Orvgraphics.rc and Orvgraphics.cpp.
// Orvgraphics owns the string table block of numbers 1408-1423; other units take other blocks
// (a block of sixteen numbers can be defined by only one resource file of a module).
#pragma once

#define SOrvBitmapMakeIconNilIcon 1408
#define SOrvBitmapMakeIconFailed 1409
#define SOrvBitmapMakeNonTransparentIconNilIcon 1410
