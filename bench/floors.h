// The floors no checker can beat, measured side by side with the checker:
// what the libraries themselves take for the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bench {

// libjpeg's own full-size decode of a JPEG file held in memory, every row
// read into one buffer; nothing converted, scaled or stored afterwards.
// Returns the number of pixels decoded (0 on failure).
std::size_t DecodeJpegFullSize(const std::vector<std::uint8_t>& jpeg,
                               std::vector<std::uint8_t>& pixels);

// glibc's memmem: true when `needle` stands somewhere in `haystack`.
bool ContainsByMemmem(const std::vector<std::uint8_t>& haystack,
                      const std::vector<std::uint8_t>& needle);

}  // namespace bench
