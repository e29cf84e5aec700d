#include "framework/graphics/BmpFile.h"

#include <cstring>

#include "framework/graphics/RleDib.h"

namespace Tovix {

namespace {

const int64_t kMaxSide = 32767;
const uint64_t kMaxImageBytes = 256u * 1024u * 1024u;
// A colour table longer than this is surely a lie (the formats use at most 256 entries).
const uint32_t kMaxTableEntries = 65536;

[[noreturn]] void Invalid(const char* why) { throw EInvalidGraphic(Format("Bitmap image is not valid: %s", why)); }

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
void PutLe16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void PutLe32(uint8_t* p, uint32_t v) {
  PutLe16(p, v);
  PutLe16(p + 2, v >> 16);
}

// Where everything lies in a DIB, worked out from its header alone.
struct TDibLayout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bitCount = 0;
  uint32_t compression = BI_RGB;
  uint32_t headerSize = 0;
  bool core = false;            // OS/2 header: colour entries of 3 bytes
  uint32_t maskBytes = 0;       // bit-field masks after a 40-byte header
  uint32_t tableEntries = 0;    // colour table entries that follow
  uint64_t tableBytes = 0;      // masks and colour table together
  uint32_t masks[3] = {0, 0, 0};
  uint64_t imageBytes = 0;      // the pixels as rows, once expanded
  bool rle = false;             // run-length compressed pixels (BI_RLE8, BI_RLE4)
  uint32_t compressedBytes = 0; // their size as the header gives it; 0 for unknown
};

// Reads the header; available is how many header bytes the caller holds (at least headerSize).
TDibLayout Analyze(const uint8_t* header, size_t available) {
  TDibLayout l;
  if (available < 4) Invalid("the header is missing");
  l.headerSize = Le32(header);
  if (l.headerSize != 12 && (l.headerSize < 40 || l.headerSize > 124)) Invalid("unknown header size");
  if (available < l.headerSize) Invalid("the header is cut off");
  int64_t width, height;
  uint32_t colorsUsed = 0;
  if (l.headerSize == 12) {
    l.core = true;
    width = Le16(header + 4);
    height = Le16(header + 6);
    l.bitCount = Le16(header + 10);
  } else {
    width = static_cast<int32_t>(Le32(header + 4));
    height = static_cast<int32_t>(Le32(header + 8));
    l.bitCount = Le16(header + 14);
    l.compression = Le32(header + 16);
    colorsUsed = Le32(header + 32);
  }
  if (height < 0) {
    l.topDown = true;
    height = -height;
  }
  if (width < 0) Invalid("negative width");
  if (width > kMaxSide || height > kMaxSide) Invalid("the picture is too large");
  l.width = static_cast<int>(width);
  l.height = static_cast<int>(height);
  int b = l.bitCount;
  if (b != 1 && b != 4 && b != 8 && b != 16 && b != 24 && b != 32) Invalid("unknown number of bits per pixel");
  bool bitFields = l.compression == BI_BITFIELDS && (b == 16 || b == 32);
  l.rle = (l.compression == BI_RLE8 && b == 8) || (l.compression == BI_RLE4 && b == 4);
  if (l.rle && l.topDown) Invalid("a compressed picture cannot be top-down");
  if (l.rle) l.compressedBytes = Le32(header + 20);
  if (l.compression != BI_RGB && !bitFields && !l.rle)
    throw EInvalidGraphic(Format("Bitmap image is not valid: compression %d is not supported", static_cast<int>(l.compression)));

  if (colorsUsed > kMaxTableEntries) Invalid("the colour table is too long");
  if (b <= 8) l.tableEntries = colorsUsed ? colorsUsed : (1u << b);
  else l.tableEntries = colorsUsed;  // an optional table for palette devices, skipped
  if (bitFields && l.headerSize == 40) l.maskBytes = 12;
  l.tableBytes = l.maskBytes + static_cast<uint64_t>(l.tableEntries) * (l.core ? 3 : 4);

  if (bitFields && l.headerSize >= 52) {
    for (int i = 0; i < 3; ++i) l.masks[i] = Le32(header + 40 + 4 * i);
  } else if (b == 16) {
    l.masks[0] = 0x7C00;
    l.masks[1] = 0x03E0;
    l.masks[2] = 0x001F;
  }
  l.imageBytes = static_cast<uint64_t>(TDibSection::StrideOf(l.width, b)) * static_cast<uint64_t>(l.height);
  if (l.imageBytes > kMaxImageBytes) Invalid("the picture is too large");
  return l;
}

// One colour channel of a bit-field pixel, scaled to 8 bits.
uint32_t Channel(uint32_t pixel, uint32_t mask) {
  if (!mask) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  uint32_t max = mask >> shift;
  uint32_t value = (pixel & mask) >> shift;
  return static_cast<uint32_t>((static_cast<uint64_t>(value) * 255 + max / 2) / max);
}

// Makes the picture from the table (masks and colours) and the pixels the layout describes.
TBmpPicture Decode(const TDibLayout& l, const uint8_t* table, const uint8_t* image) {
  TBmpPicture picture;
  bool bitFields = l.bitCount == 16 || (l.bitCount == 32 && l.compression == BI_BITFIELDS);
  picture.bitCount = l.bitCount == 16 ? 24 : l.bitCount;
  if (l.width == 0 || l.height == 0) return picture;

  uint32_t masks[3] = {l.masks[0], l.masks[1], l.masks[2]};
  if (l.maskBytes)
    for (int i = 0; i < 3; ++i) masks[i] = Le32(table + 4 * i);
  std::vector<RGBQUAD> colors;
  if (l.bitCount <= 8) {
    const uint8_t* entry = table + l.maskBytes;
    uint32_t count = l.tableEntries < (1u << l.bitCount) ? l.tableEntries : (1u << l.bitCount);
    for (uint32_t i = 0; i < count; ++i, entry += l.core ? 3 : 4)
      colors.push_back(RGBQUAD{entry[0], entry[1], entry[2], 0});
  }

  picture.dib = TDibSection(l.width, l.height, picture.bitCount, colors);
  size_t stride = static_cast<size_t>(TDibSection::StrideOf(l.width, l.bitCount));
  std::vector<uint32_t> row(static_cast<size_t>(l.width));
  TNearestColor noTable(picture.dib.Colors());  // 24 and 32 bits need no colour table
  for (int i = 0; i < l.height; ++i) {
    const uint8_t* source = image + static_cast<size_t>(i) * stride;
    int top = l.topDown ? i : l.height - 1 - i;
    if (!bitFields) {
      memcpy(picture.dib.ScanLine(top), source, stride);
      continue;
    }
    for (int x = 0; x < l.width; ++x) {
      uint32_t pixel = l.bitCount == 16 ? Le16(source + 2 * x) : Le32(source + 4 * x);
      row[x] = Channel(pixel, masks[0]) | (Channel(pixel, masks[1]) << 8) | (Channel(pixel, masks[2]) << 16);
    }
    WriteDibRow(picture.dib, top, row.data(), noTable);
  }
  return picture;
}

// Expands run-length compressed pixels, then makes the picture as from uncompressed rows.
TBmpPicture DecodeRle(const TDibLayout& l, const uint8_t* table, const uint8_t* packed, size_t size) {
  std::vector<uint8_t> rows = ExpandRleDib(packed, size, l.width, l.height, l.bitCount);
  return Decode(l, table, rows.data());
}

// Reads exactly count bytes, having checked that the stream holds them.
class TBoundedReader {
 public:
  explicit TBoundedReader(TStream& stream) : stream_(stream), left_(stream.GetSize() - stream.GetPosition()) {}
  void Need(uint64_t count) {
    if (left_ < 0 || count > static_cast<uint64_t>(left_)) Invalid("the data ends early");
  }
  void Read(void* buffer, uint64_t count) {
    Need(count);
    if (count) stream_.ReadBuffer(buffer, static_cast<int>(count));
    left_ -= static_cast<int64_t>(count);
  }
  std::vector<uint8_t> Read(uint64_t count) {
    Need(count);
    std::vector<uint8_t> bytes(static_cast<size_t>(count));
    Read(bytes.data(), count);
    return bytes;
  }
  uint64_t Left() const { return left_ < 0 ? 0 : static_cast<uint64_t>(left_); }
  void Skip(uint64_t count) {
    Need(count);
    stream_.Seek(static_cast<int64_t>(count), soFromCurrent);
    left_ -= static_cast<int64_t>(count);
  }

 private:
  TStream& stream_;
  int64_t left_;
};

}  // namespace

TBmpPicture ReadBmpFile(TStream& stream) {
  TBoundedReader reader(stream);
  uint8_t fileHeader[14];
  reader.Read(fileHeader, sizeof(fileHeader));
  if (fileHeader[0] != 'B' || fileHeader[1] != 'M') Invalid("no BMP signature");
  uint32_t offBits = Le32(fileHeader + 10);

  uint8_t header[124] = {};
  reader.Read(header, 4);
  uint32_t headerSize = Le32(header);
  if (headerSize != 12 && (headerSize < 40 || headerSize > sizeof(header))) Invalid("unknown header size");
  reader.Read(header + 4, headerSize - 4);
  TDibLayout layout = Analyze(header, headerSize);

  std::vector<uint8_t> table = reader.Read(layout.tableBytes);
  uint64_t consumed = sizeof(fileHeader) + headerSize + layout.tableBytes;
  // The pixels start where the file header says (0 from careless writers: right after the table).
  if (offBits != 0) {
    if (offBits < consumed) Invalid("the pixels overlap the header");
    reader.Skip(offBits - consumed);
  }
  if (layout.rle) {
    // Without its size in the header, the compressed data runs to the end of the stream.
    std::vector<uint8_t> packed = reader.Read(layout.compressedBytes ? layout.compressedBytes : reader.Left());
    return DecodeRle(layout, table.data(), packed.data(), packed.size());
  }
  std::vector<uint8_t> image = reader.Read(layout.imageBytes);
  return Decode(layout, table.data(), image.data());
}

TBmpPicture ReadPackedDib(const void* data, size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  TDibLayout layout = Analyze(bytes, size);
  if (layout.rle) {
    uint64_t start = layout.headerSize + layout.tableBytes;
    if (start > size) Invalid("the data ends early");
    uint64_t packed = layout.compressedBytes ? layout.compressedBytes : size - start;
    if (start + packed > size) Invalid("the data ends early");
    const uint8_t* table = bytes + layout.headerSize;
    return DecodeRle(layout, table, table + layout.tableBytes, static_cast<size_t>(packed));
  }
  uint64_t needed = layout.headerSize + layout.tableBytes + layout.imageBytes;
  if (needed > size) Invalid("the data ends early");
  const uint8_t* table = bytes + layout.headerSize;
  return Decode(layout, table, table + layout.tableBytes);
}

void WriteBmpFile(TStream& stream, const TDibSection& dib, int bitCount) {
  int bits = dib.Empty() ? bitCount : dib.BitCount();
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) bits = 24;
  std::vector<RGBQUAD> colors = dib.Empty() ? StandardColors(bits) : dib.Colors();
  uint32_t tableBytes = static_cast<uint32_t>(colors.size() * sizeof(RGBQUAD));
  uint32_t imageBytes = static_cast<uint32_t>(dib.ImageSize());
  uint32_t offBits = 14 + 40 + tableBytes;

  uint8_t header[14 + 40] = {};
  header[0] = 'B';
  header[1] = 'M';
  PutLe32(header + 2, offBits + imageBytes);
  PutLe32(header + 10, offBits);
  uint8_t* info = header + 14;
  PutLe32(info, 40);
  PutLe32(info + 4, static_cast<uint32_t>(dib.Width()));
  PutLe32(info + 8, static_cast<uint32_t>(dib.Height()));
  PutLe16(info + 12, 1);
  PutLe16(info + 14, static_cast<uint32_t>(bits));
  PutLe32(info + 16, BI_RGB);
  PutLe32(info + 20, imageBytes);
  PutLe32(info + 24, 3780);  // 96 pixels per inch, in pixels per metre
  PutLe32(info + 28, 3780);
  PutLe32(info + 32, static_cast<uint32_t>(colors.size()));
  stream.WriteBuffer(header, sizeof(header));
  if (tableBytes) stream.WriteBuffer(colors.data(), static_cast<int>(tableBytes));
  if (imageBytes) {
    TDibSection::Flush();
    stream.WriteBuffer(dib.Bits(), static_cast<int>(imageBytes));
  }
}

}  // namespace Tovix
