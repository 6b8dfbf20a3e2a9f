#include "platform/raster.h"

namespace platform {
bool EncodePng(const Image&, std::vector<std::uint8_t>&) { return false; }
}  // namespace platform
