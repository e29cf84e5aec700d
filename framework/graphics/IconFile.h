// The icon file format (.ico), read with a bound on every field.
#pragma once

#include "framework/classes/Streams.h"
#include "framework/graphics/Exceptions.h"
#include "framework/system/WinApi.h"

namespace Tovix {

// An icon file read from a stream: the system icon made from its first image, and the file's
// bytes (all its images), so that it can be written back unchanged.
struct TIconFile {
  HICON icon = nullptr;
  TBytes bytes;
};

// Reads an icon file at the stream's position and leaves the position after its last image.
// The caller owns the icon. Raises EInvalidGraphic "Icon image is not valid..." for a malformed,
// lying or truncated file.
TIconFile ReadIconFile(TStream& stream);
// Writes an icon as a one-image icon file: 24 bits per pixel (32 when the icon has an alpha
// channel), or 1 bit for a monochrome icon, with its AND mask.
void WriteIconFile(TStream& stream, HICON icon);

}  // namespace Tovix
