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

}  // namespace bench
