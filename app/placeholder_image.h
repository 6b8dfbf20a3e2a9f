#pragma once

#include <cstdint>
#include <vector>

// The 3,126-byte 24-bit BMP of the placeholder picture: a small open-wheel car
// seen from above, lying diagonally, on a mottled grey ground (32 × 32).
const std::vector<std::uint8_t>& PlaceholderBmp();
