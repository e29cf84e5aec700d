// Run-length compressed DIB pixels (BI_RLE8 and BI_RLE4) expanded to plain rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Tovix {

// Expands size bytes of RLE data into the rows of an uncompressed picture of that size and
// bitCount (8 for BI_RLE8, 4 for BI_RLE4): bottom-up rows padded to 4 bytes, as an uncompressed
// DIB lays them out. Pixels the data skips (a delta, an early end of line or of the picture)
// stay colour index 0; pixels beyond the picture's edge are dropped. Raises EInvalidGraphic
// when the data ends inside a run.
std::vector<uint8_t> ExpandRleDib(const uint8_t* data, size_t size, int width, int height, int bitCount);

}  // namespace Tovix
