// A track file through DecodeTrackFile and the four drawing steps, as
// RunEntryPipeline runs them once LoadEntryFiles has put the file into
// TrackData.
#include <cstddef>
#include <cstdint>

#include "fuzz/harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // LoadEntryFiles refuses a longer track file.
  if (size > kTrackDataRoom) return -1;
  static RunState s;
  harness::RunTrackBytes(s, data, size);
  return 0;
}
