// Builds BMP files in memory for the raster and codec tests.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/raster.h"

namespace bmp_builder {

struct Bmp {
  int width = 0;
  int height = 0;       // rows; written negated when topDown
  int bpp = 24;         // 1, 4, 8, 24 or 32
  bool topDown = false;
  int infoSize = 40;    // 12 writes the core layout
  std::uint32_t compression = 0;
  std::vector<std::uint32_t> masks;    // R, G, B for BI_BITFIELDS (after a 40-byte header)
  std::vector<platform::Colour> palette;
  std::uint32_t coloursUsed = 0;       // the header field; 0 writes palette.size()
  // Per pixel, top row first: a palette index (bpp <= 8), a colour (24), or
  // the raw 32-bit little-endian word (32).
  std::vector<std::uint32_t> pixels;
  std::uint32_t fileSizeField = 0;     // 0 writes the true size
  std::uint32_t imageSizeField = 0;
};

inline void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
inline void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

inline std::vector<std::uint8_t> Build(const Bmp& m) {
  const std::size_t entry = m.infoSize == 12 ? 3 : 4;
  const std::size_t maskBytes = m.compression == 3 && m.infoSize == 40 ? 12 : 0;
  const std::size_t paletteAt = 14 + static_cast<std::size_t>(m.infoSize) + maskBytes;
  const std::size_t pixelAt = paletteAt + m.palette.size() * entry;
  const std::size_t stride = (static_cast<std::size_t>(m.width) * m.bpp + 31) / 32 * 4;
  std::vector<std::uint8_t> b(pixelAt + stride * m.height, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, m.fileSizeField ? m.fileSizeField : static_cast<std::uint32_t>(b.size()));
  Put32(b, 10, static_cast<std::uint32_t>(pixelAt));
  Put32(b, 14, static_cast<std::uint32_t>(m.infoSize));
  if (m.infoSize == 12) {
    Put16(b, 18, static_cast<std::uint32_t>(m.width));
    Put16(b, 20, static_cast<std::uint32_t>(m.height));
    Put16(b, 22, 1);
    Put16(b, 24, static_cast<std::uint32_t>(m.bpp));
  } else {
    Put32(b, 18, static_cast<std::uint32_t>(m.width));
    Put32(b, 22, static_cast<std::uint32_t>(m.topDown ? -m.height : m.height));
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<std::uint32_t>(m.bpp));
    Put32(b, 30, m.compression);
    Put32(b, 34, m.imageSizeField ? m.imageSizeField
                                  : static_cast<std::uint32_t>(stride * m.height));
    Put32(b, 46, m.coloursUsed ? m.coloursUsed : static_cast<std::uint32_t>(m.palette.size()));
    for (std::size_t i = 0; i < m.masks.size(); ++i) Put32(b, 54 + 4 * i, m.masks[i]);
  }
  for (std::size_t i = 0; i < m.palette.size(); ++i) {
    b[paletteAt + i * entry] = static_cast<std::uint8_t>(platform::BlueOf(m.palette[i]));
    b[paletteAt + i * entry + 1] = static_cast<std::uint8_t>(platform::GreenOf(m.palette[i]));
    b[paletteAt + i * entry + 2] = static_cast<std::uint8_t>(platform::RedOf(m.palette[i]));
  }
  for (int y = 0; y < m.height; ++y) {
    const int fileRow = m.topDown ? y : m.height - 1 - y;
    std::uint8_t* row = b.data() + pixelAt + stride * fileRow;
    for (int x = 0; x < m.width; ++x) {
      const std::uint32_t p = m.pixels[static_cast<std::size_t>(y) * m.width + x];
      switch (m.bpp) {
        case 1:
        case 4:
        case 8: {
          const int bit = x * m.bpp;
          row[bit / 8] |= static_cast<std::uint8_t>(p << (8 - m.bpp - bit % 8));
          break;
        }
        case 24:
          row[x * 3] = static_cast<std::uint8_t>(platform::BlueOf(p));
          row[x * 3 + 1] = static_cast<std::uint8_t>(platform::GreenOf(p));
          row[x * 3 + 2] = static_cast<std::uint8_t>(platform::RedOf(p));
          break;
        default:
          row[x * 4] = static_cast<std::uint8_t>(p);
          row[x * 4 + 1] = static_cast<std::uint8_t>(p >> 8);
          row[x * 4 + 2] = static_cast<std::uint8_t>(p >> 16);
          row[x * 4 + 3] = static_cast<std::uint8_t>(p >> 24);
          break;
      }
    }
  }
  return b;
}

}  // namespace bmp_builder
