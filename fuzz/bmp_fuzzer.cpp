// A BMP screenshot through platform::DecodeBmp and platform::CreateImageFromBmp
// (which must agree), then scaled (see harness::RunBmpBytes).
#include <cstddef>
#include <cstdint>

#include "fuzz/harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!harness::RunBmpBytes(data, size)) __builtin_trap();
  return 0;
}
