// The BMP file format and packed DIBs (bitmap resources), read with a bound on every field.
//
// Read: headers of 12 (OS/2), 40, 52, 56, 108 and 124 bytes; 1, 4, 8, 16, 24 and 32 bits per
// pixel, uncompressed or with bit-field masks; bottom-up and top-down rows; run-length compressed
// 8 and 4-bit pixels (BI_RLE8, BI_RLE4), expanded to plain rows. 16-bit pictures become 24-bit
// ones and bit-field 32-bit pictures plain 32-bit ones; the others keep their format and colour
// table. Other compressions (JPEG, PNG) are refused.
// Written: a 40-byte header, the full colour table of palette formats, bottom-up rows.
#pragma once

#include "framework/classes/Streams.h"
#include "framework/graphics/Dib.h"

namespace Tovix {

// A picture read from a file or a resource. A picture of no pixels is an empty dib; bitCount
// still tells the format the data named.
struct TBmpPicture {
  TDibSection dib;
  int bitCount = 0;
};

// Reads a BMP file at the stream's position and leaves the position after its pixels. Raises
// EInvalidGraphic "Bitmap image is not valid..." for a malformed, lying or truncated file, and
// for a format it does not read.
TBmpPicture ReadBmpFile(TStream& stream);
// Reads a packed DIB: header, colour table and pixels in size bytes.
TBmpPicture ReadPackedDib(const void* data, size_t size);
// Writes the picture as a BMP file; an empty dib is written as a 0 x 0 picture of bitCount bits.
void WriteBmpFile(TStream& stream, const TDibSection& dib, int bitCount);

}  // namespace Tovix
