#include "resources/DibDecoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "resources/ByteReader.h"
#include "resources/CollectionError.h"

namespace {

constexpr const char* kDibInvalid = "DIB is invalid";
constexpr const char* kPictureTooLarge = "Picture is too large";
constexpr const char* kPictureClass = "TDIB";

constexpr uint32_t kCoreHeaderBytes = 12;
constexpr uint32_t kInfoHeaderBytes = 40;

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

constexpr size_t kMaxPaletteEntries = 256;
using Palette = std::array<uint16_t, kMaxPaletteEntries>;

// One colour channel of a 16- or 32-bit pixel, widened to 8 bits so that full scale stays full.
class Channel {
 public:
  explicit Channel(uint32_t mask) : Mask_(mask) {
    if (mask == 0) return;
    Shift_ = std::countr_zero(mask);
    Bits_ = std::bit_width(mask >> Shift_);
  }
  uint8_t Extract(uint32_t pixel) const {
    if (Bits_ == 0) return 0;
    const uint32_t v = (pixel & Mask_) >> Shift_;
    if (Bits_ >= 8) return static_cast<uint8_t>(v >> (Bits_ - 8));
    return static_cast<uint8_t>(v * 255u / ((1u << Bits_) - 1u));
  }

 private:
  uint32_t Mask_;
  int Shift_ = 0;
  int Bits_ = 0;
};

struct PixelMasks {
  uint32_t Red, Green, Blue;
};

struct DibHeader {
  uint32_t HeaderBytes = 0;
  int64_t Width = 0;
  int64_t Height = 0;  // made positive; TopDown keeps the orientation
  bool TopDown = false;
  int Bits = 0;
  uint32_t Compression = kRgb;
  uint32_t UsedColors = 0;
};

DibHeader ReadHeader(ByteReader& r, int64_t maxPixels) {
  DibHeader h;
  h.HeaderBytes = r.U32();
  if (h.HeaderBytes == kInfoHeaderBytes) {
    h.Width = r.I32();
    h.Height = r.I32();
    r.U16();  // planes
    h.Bits = r.U16();
    h.Compression = r.U32();
    r.Skip(12);  // image size and resolution
    h.UsedColors = r.U32();
    r.U32();  // important colours
  } else if (h.HeaderBytes == kCoreHeaderBytes) {
    h.Width = r.U16();
    h.Height = r.U16();
    r.U16();  // planes
    h.Bits = r.U16();
  } else {
    throw CollectionError(kDibInvalid);
  }
  if (h.Compression > kBitFields) throw CollectionError(kDibInvalid);
  if (h.Bits != 1 && h.Bits != 4 && h.Bits != 8 && h.Bits != 16 && h.Bits != 24 && h.Bits != 32) {
    throw CollectionError(kDibInvalid);
  }
  // Each compression only exists for its own pixel sizes.
  if ((h.Compression == kRle8 && h.Bits != 8) || (h.Compression == kRle4 && h.Bits != 4) ||
      (h.Compression == kBitFields && h.Bits != 16 && h.Bits != 32)) {
    throw CollectionError(kDibInvalid);
  }
  if (h.Width < 0) throw CollectionError(kDibInvalid);
  if (h.Height < 0) {
    h.TopDown = true;
    h.Height = -h.Height;  // int64: the most negative 32-bit height cannot overflow here
  }
  if (h.Width > kMaxDibSide || h.Height > kMaxDibSide ||
      h.Width * h.Height > std::min(maxPixels, kMaxDibPixels)) {
    throw CollectionError(kPictureTooLarge);
  }
  return h;
}

// Writes decoded pixels into the surface; rows are counted in stored order.
class DibCanvas {
 public:
  DibCanvas(Surface& surface, bool topDown) : Out_(surface), TopDown_(topDown) {}
  int Width() const { return Out_.Width(); }
  int Height() const { return Out_.Height(); }
  uint16_t* StoredRow(int64_t row) {
    const int y = static_cast<int>(row);
    return Out_.Row(TopDown_ ? y : Out_.Height() - 1 - y);
  }
  // Clipped: run-length data may point anywhere.
  void Put(int64_t x, int64_t row, uint16_t color) {
    if (x >= 0 && x < Out_.Width() && row >= 0 && row < Out_.Height()) StoredRow(row)[x] = color;
  }

 private:
  Surface& Out_;
  bool TopDown_;
};

uint64_t RowStride(const DibHeader& h) {
  return (static_cast<uint64_t>(h.Width) * h.Bits + 31) / 32 * 4;
}

// The last row's padding may be missing; its pixels may not.
uint64_t UncompressedBytes(const DibHeader& h) {
  const uint64_t lastRowBytes = (static_cast<uint64_t>(h.Width) * h.Bits + 7) / 8;
  return RowStride(h) * static_cast<uint64_t>(h.Height - 1) + lastRowBytes;
}

void DecodeUncompressed(ByteReader& r, const DibHeader& h, const Palette& palette,
                        const PixelMasks& masks, DibCanvas& canvas) {
  const uint64_t stride = RowStride(h);
  const uint8_t* pixels = r.Take(static_cast<size_t>(UncompressedBytes(h)));

  const Channel red(masks.Red), green(masks.Green), blue(masks.Blue);
  const bool rgb565 = masks.Red == 0xF800 && masks.Green == 0x07E0 && masks.Blue == 0x001F;
  const bool bgrx = masks.Red == 0xFF0000 && masks.Green == 0xFF00 && masks.Blue == 0xFF;
  const int width = canvas.Width();
  for (int64_t row = 0; row < h.Height; ++row) {
    const uint8_t* src = pixels + stride * static_cast<uint64_t>(row);
    uint16_t* dst = canvas.StoredRow(row);
    switch (h.Bits) {
      case 1:
        for (int x = 0; x < width; ++x) dst[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
        break;
      case 4:
        for (int x = 0; x < width; ++x) dst[x] = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
        break;
      case 8:
        for (int x = 0; x < width; ++x) dst[x] = palette[src[x]];
        break;
      case 16:
        for (int x = 0; x < width; ++x) {
          const uint32_t v = src[2 * x] | (src[2 * x + 1] << 8);
          dst[x] = rgb565 ? static_cast<uint16_t>(v)
                          : Rgb565(red.Extract(v), green.Extract(v), blue.Extract(v));
        }
        break;
      case 24:
        for (int x = 0; x < width; ++x) {
          const uint8_t* p = src + 3 * x;
          dst[x] = Rgb565(p[2], p[1], p[0]);
        }
        break;
      case 32:
        for (int x = 0; x < width; ++x) {
          const uint8_t* p = src + 4 * x;
          if (bgrx) {
            dst[x] = Rgb565(p[2], p[1], p[0]);
          } else {
            const uint32_t v =
                p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
            dst[x] = Rgb565(red.Extract(v), green.Extract(v), blue.Extract(v));
          }
        }
        break;
    }
  }
}

// RLE8 and RLE4: (count, value) runs, or an escape: 0 end of line, 1 end of bitmap, 2 delta,
// n >= 3 an absolute run of n pixels padded to a 16-bit boundary. Data that simply stops ends
// the bitmap; a run cut in the middle is a read error.
void DecodeRunLength(ByteReader& r, bool fourBit, const Palette& palette, DibCanvas& canvas) {
  int64_t x = 0;
  int64_t row = 0;
  while (row < canvas.Height() && !r.AtEnd()) {
    const uint8_t count = r.U8();
    const uint8_t value = r.U8();
    if (count > 0) {
      for (int i = 0; i < count; ++i) {
        const uint8_t index = fourBit ? ((i & 1) ? value & 0xF : value >> 4) : value;
        canvas.Put(x + i, row, palette[index]);
      }
      x += count;
      continue;
    }
    switch (value) {
      case 0:
        x = 0;
        ++row;
        break;
      case 1:
        return;
      case 2:
        x += r.U8();
        row += r.U8();
        break;
      default: {
        const size_t bytes = fourBit ? (value + 1u) / 2u : value;
        const uint8_t* run = r.Take(bytes);
        for (int i = 0; i < value; ++i) {
          const uint8_t index = fourBit ? ((i & 1) ? run[i / 2] & 0xF : run[i / 2] >> 4) : run[i];
          canvas.Put(x + i, row, palette[index]);
        }
        x += value;
        if ((bytes & 1) != 0 && !r.AtEnd()) r.Skip(1);
        break;
      }
    }
  }
}

}  // namespace

Surface DecodeDib(const uint8_t* data, size_t size, int64_t maxPixels) {
  ByteReader r(data, size);
  const DibHeader h = ReadHeader(r, maxPixels);

  PixelMasks masks{0, 0, 0};
  if (h.Compression == kBitFields) {
    masks.Red = r.U32();
    masks.Green = r.U32();
    masks.Blue = r.U32();
  } else if (h.Bits == 16) {
    masks = {0x7C00, 0x03E0, 0x001F};
  } else if (h.Bits == 32) {
    masks = {0xFF0000, 0xFF00, 0xFF};
  }

  // Indices past the stored table read as black rather than past the table's end.
  Palette palette{};
  uint64_t entries = h.UsedColors != 0 ? h.UsedColors : (h.Bits <= 8 ? 1u << h.Bits : 0u);
  if (entries > kMaxPaletteEntries) entries = kMaxPaletteEntries;
  const size_t entryBytes = h.HeaderBytes == kCoreHeaderBytes ? 3 : 4;
  for (size_t i = 0; i < entries; ++i) {
    const uint8_t* p = r.Take(entryBytes);
    palette[i] = Rgb565(p[2], p[1], p[0]);
  }

  Surface picture;
  if (h.Width == 0 || h.Height == 0) return picture;
  // Check the pixels are there before allocating for them.
  const bool runLength = h.Compression == kRle8 || h.Compression == kRle4;
  if (!runLength && UncompressedBytes(h) > r.Remaining()) throw CollectionError(kStreamReadError);
  picture.Resize(static_cast<int>(h.Width), static_cast<int>(h.Height));
  DibCanvas canvas(picture, h.TopDown);
  if (runLength) {
    DecodeRunLength(r, h.Compression == kRle4, palette, canvas);
  } else {
    DecodeUncompressed(r, h, palette, masks, canvas);
  }
  return picture;
}

Surface DecodePictureData(const uint8_t* data, size_t size, int64_t maxPixels) {
  if (size == 0) return Surface();
  ByteReader r(data, size);
  if (r.ShortString() != kPictureClass) throw CollectionError("Unknown picture class");
  if (r.AtEnd()) return Surface();
  return DecodeDib(data + r.Position(), r.Remaining(), maxPixels);
}
