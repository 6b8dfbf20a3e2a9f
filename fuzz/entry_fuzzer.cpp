// A whole entry: a hotlap folder with the reference car and one entry folder
// holding a track file and a game file cut from the input (see
// harness::SplitEntry), through the Load press and RunEntryPipeline on the
// headless UI.
#include <cstddef>
#include <cstdint>

#include "fuzz/harness.h"
#include "fuzz/scratch_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4 + 2 * kTrackDataRoom) return -1;
  static RunState s;
  harness::RunEntryBytes(s, harness::ScratchFolder("entry"), data, size);
  return 0;
}
