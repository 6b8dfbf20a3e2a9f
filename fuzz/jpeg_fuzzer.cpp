// A JPEG screenshot through platform::DecodeJpeg (the viewer's full size) and
// platform::DecodeJpegReduced (the screenshot view's 480 × 360), then scaled
// (see harness::RunJpegBytes).
#include <cstddef>
#include <cstdint>

#include "fuzz/harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!harness::RunJpegBytes(data, size)) __builtin_trap();
  return 0;
}
