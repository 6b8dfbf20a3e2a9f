#include "platform/raster.h"

namespace platform {
bool DecodeJpeg(const std::uint8_t*, std::size_t, Image&) { return false; }
bool DecodeJpegReduced(const std::uint8_t*, std::size_t, int, int, Image&) { return false; }
}  // namespace platform
