#include "platform/raster.h"

namespace platform {
bool DecodeBmp(const std::uint8_t*, std::size_t, Image&) { return false; }
}  // namespace platform
