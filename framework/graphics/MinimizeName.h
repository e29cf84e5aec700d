// The FileCtrl unit: fitting file names into a width.
#pragma once

#include "framework/graphics/Canvas.h"

namespace Tovix {

// Shortens a path until it is at most maxWidth pixels wide as the canvas measures it: leading
// directories are replaced by "..." one by one ("C:\...\dir\file.txt"), then the drive goes
// ("...\file.txt"), then everything but the file name. A path that fits is returned unchanged;
// the file name alone is returned even when it is still too wide.
String MinimizeName(const String& fileName, TCanvas& canvas, int maxWidth);

}  // namespace Tovix
