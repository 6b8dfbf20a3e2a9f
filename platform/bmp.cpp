// Our own BMP reader: uncompressed Windows bitmaps with 1, 4, 8, 24 or 32 bits
// per pixel, bottom-up or top-down. Only the pixel array offset, the sizes,
// the bit depth, the compression, the colour masks and the palette are used;
// the file size and image size fields are ignored (the track map's template
// carries placeholders there). Every read stays inside the given bytes.
#include <algorithm>
#include <bit>
#include <cstdint>

#include "app/byte_view.h"
#include "platform/raster.h"

namespace platform {

namespace {

// File header (14 bytes).
constexpr std::int64_t kSignature = 0;      // "BM"
constexpr std::int64_t kPixelOffset = 10;   // u32: offset of the pixel array
constexpr std::int64_t kInfoHeader = 14;    // the information header starts here
// Information header, offsets from the file's start.
constexpr std::int64_t kInfoSize = 14;      // u32: 12 (core), 40, 52, 56, 64, 108 or 124
// BITMAPCOREHEADER (12 bytes).
constexpr std::int64_t kCoreWidth = 18;     // u16
constexpr std::int64_t kCoreHeight = 20;    // u16, rows bottom-up
constexpr std::int64_t kCoreBitCount = 24;  // u16
// BITMAPINFOHEADER (40 bytes) and its successors.
constexpr std::int64_t kWidth = 18;         // s32
constexpr std::int64_t kHeight = 22;        // s32; negative: rows top-down
constexpr std::int64_t kBitCount = 28;      // u16
constexpr std::int64_t kCompression = 30;   // u32
constexpr std::int64_t kColoursUsed = 46;   // u32: palette entries, 0 for 2^bpp
constexpr std::int64_t kRedMask = 54;       // u32 ×3: R, G, B masks for BI_BITFIELDS,
                                            // inside a V2+ header or right after a 40-byte one
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

constexpr std::int64_t kCoreHeaderSize = 12;
constexpr std::int64_t kInfoHeaderSize = 40;
constexpr std::int64_t kLargestInfoHeader = 124;  // BITMAPV5HEADER

// One channel of a BI_BITFIELDS pixel.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;
};

Channel MakeChannel(std::uint32_t mask) {
  Channel c;
  c.mask = mask;
  if (mask != 0) {
    c.shift = std::countr_zero(mask);
    c.bits = std::popcount(mask);
  }
  return c;
}

std::uint8_t Extract(const Channel& c, std::uint32_t pixel) {
  if (c.bits == 0) return 0;
  const std::uint32_t v = (pixel & c.mask) >> c.shift;
  if (c.bits >= 8) return static_cast<std::uint8_t>(v >> (c.bits - 8));
  const std::uint32_t max = (1u << c.bits) - 1;
  return static_cast<std::uint8_t>((v * 255 + max / 2) / max);
}

}  // namespace

bool DecodeBmp(const std::uint8_t* bytes, std::size_t size, Image& out) {
  if (bytes == nullptr) return false;
  const ByteView v{bytes, static_cast<std::int64_t>(size)};
  if (!v.InRange(0, kInfoHeader + 4) || v.U8(kSignature) != 'B' || v.U8(kSignature + 1) != 'M') {
    return false;
  }
  const std::int64_t infoSize = v.U32(kInfoSize);
  std::int64_t width = 0;
  std::int64_t height = 0;
  int bpp = 0;
  std::uint32_t compression = kBiRgb;
  std::int64_t paletteEntries = 0;
  std::int64_t paletteEntrySize = 4;
  bool topDown = false;
  if (infoSize == kCoreHeaderSize) {
    if (!v.InRange(kInfoHeader, kCoreHeaderSize)) return false;
    width = v.U16(kCoreWidth);
    height = v.U16(kCoreHeight);
    bpp = v.U16(kCoreBitCount);
    paletteEntrySize = 3;
    if (bpp <= 8) paletteEntries = std::int64_t{1} << bpp;
  } else if (infoSize >= kInfoHeaderSize && infoSize <= kLargestInfoHeader) {
    if (!v.InRange(kInfoHeader, infoSize)) return false;
    width = v.S32(kWidth);
    const std::int32_t h = v.S32(kHeight);
    if (h == INT32_MIN) return false;  // cannot be negated
    topDown = h < 0;
    height = topDown ? -static_cast<std::int64_t>(h) : h;
    bpp = v.U16(kBitCount);
    compression = v.U32(kCompression);
    if (bpp <= 8) {
      const std::int64_t full = std::int64_t{1} << bpp;
      const std::int64_t used = v.U32(kColoursUsed);
      paletteEntries = (used == 0 || used > full) ? full : used;
    }
  } else {
    return false;
  }
  if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide) return false;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;

  Channel red = MakeChannel(0x00FF0000u);
  Channel green = MakeChannel(0x0000FF00u);
  Channel blue = MakeChannel(0x000000FFu);
  if (compression == kBiBitfields) {
    if (bpp != 32 || !v.InRange(kRedMask, 12)) return false;
    red = MakeChannel(v.U32(kRedMask));
    green = MakeChannel(v.U32(kRedMask + 4));
    blue = MakeChannel(v.U32(kRedMask + 8));
  } else if (compression != kBiRgb) {
    return false;  // RLE, embedded JPEG/PNG and the rest are not read
  }

  // The palette follows the information header: blue, green, red (and a pad
  // byte except in the core layout). It cannot reach into the pixel array:
  // the core layout has no count of its own, and a count may overstate.
  const std::int64_t pixelOffset = v.U32(kPixelOffset);
  const std::int64_t paletteStart = kInfoHeader + infoSize;
  if (pixelOffset >= paletteStart) {
    paletteEntries = std::min(paletteEntries, (pixelOffset - paletteStart) / paletteEntrySize);
  }
  if (paletteEntries > 0 && !v.InRange(paletteStart, paletteEntries * paletteEntrySize)) {
    return false;
  }
  std::uint8_t palette[256][3] = {};  // entries beyond the palette stay black
  for (std::int64_t i = 0; i < paletteEntries; ++i) {
    const std::int64_t at = paletteStart + i * paletteEntrySize;
    palette[i][0] = v.U8(at + 2);
    palette[i][1] = v.U8(at + 1);
    palette[i][2] = v.U8(at);
  }

  // Rows are padded to 4 bytes; the last row's padding may be missing.
  const std::int64_t rowBytes = (width * bpp + 7) / 8;
  const std::int64_t stride = (width * bpp + 31) / 32 * 4;
  const std::int64_t needed = stride * (height - 1) + rowBytes;
  if (!v.InRange(pixelOffset, needed)) return false;

  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.rgb.assign(static_cast<std::size_t>(width * height * 3), 0);
  for (std::int64_t row = 0; row < height; ++row) {
    const std::int64_t y = topDown ? row : height - 1 - row;
    const std::uint8_t* src = bytes + pixelOffset + row * stride;
    std::uint8_t* dst = out.rgb.data() + y * width * 3;
    for (std::int64_t x = 0; x < width; ++x, dst += 3) {
      switch (bpp) {
        case 1:
        case 4:
        case 8: {
          const std::int64_t bit = x * bpp;
          const int shift = 8 - bpp - static_cast<int>(bit % 8);
          const int index = (src[bit / 8] >> shift) & ((1 << bpp) - 1);
          dst[0] = palette[index][0];
          dst[1] = palette[index][1];
          dst[2] = palette[index][2];
          break;
        }
        case 24:
          dst[0] = src[x * 3 + 2];
          dst[1] = src[x * 3 + 1];
          dst[2] = src[x * 3];
          break;
        default: {  // 32
          const std::uint8_t* p = src + x * 4;
          const std::uint32_t pixel = static_cast<std::uint32_t>(p[0]) |
                                      (static_cast<std::uint32_t>(p[1]) << 8) |
                                      (static_cast<std::uint32_t>(p[2]) << 16) |
                                      (static_cast<std::uint32_t>(p[3]) << 24);
          dst[0] = Extract(red, pixel);
          dst[1] = Extract(green, pixel);
          dst[2] = Extract(blue, pixel);
          break;
        }
      }
    }
  }
  return true;
}

}  // namespace platform
