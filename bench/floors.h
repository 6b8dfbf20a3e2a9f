// The floors no checker can beat, measured side by side with the checker:
// what the libraries themselves take for the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bench {

// libjpeg's own decode of a JPEG file held in memory at scale_num/8 (8: full
// size), RGB rows read straight into `pixels`, which must have room; nothing
// converted, resized or stored afterwards. Returns the number of pixels
// decoded (0 on failure).
std::size_t DecodeJpegAtScale(const std::vector<std::uint8_t>& jpeg, unsigned scaleNum,
                              std::vector<std::uint8_t>& pixels);

// glibc's memmem: true when the `needleSize` bytes at `needle` stand somewhere
// in the `haystackSize` bytes at `haystack`.
bool ContainsByMemmem(const std::uint8_t* haystack, std::size_t haystackSize,
                      const std::uint8_t* needle, std::size_t needleSize);

// The searches the check could use instead, for comparison: the standard
// library's Boyer-Moore-Horspool and Boyer-Moore searchers.
bool ContainsByHorspool(const std::uint8_t* haystack, std::size_t haystackSize,
                        const std::uint8_t* needle, std::size_t needleSize);
bool ContainsByBoyerMoore(const std::uint8_t* haystack, std::size_t haystackSize,
                          const std::uint8_t* needle, std::size_t needleSize);

// libpng directly: 8-bit RGB rows (`width` × 3 bytes each), filter None, at
// compression `level` with zlib strategy `strategy` (a Z_* constant, or -1
// for libpng's choice). Returns the size of the PNG written into `out`, 0 on
// failure.
std::size_t EncodePngWith(const std::uint8_t* rgb, int width, int height, int level, int strategy,
                          std::vector<std::uint8_t>& out);
constexpr int kLibpngStrategy = -1;
constexpr int kRleStrategy = 3;  // zlib's Z_RLE

}  // namespace bench
