// A game file through ReportGameFile, read from a real file in an entry
// folder as the program reads it.
#include <cstddef>
#include <cstdint>

#include "fuzz/harness.h"
#include "fuzz/scratch_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static RunState s;
  const std::string& folder = harness::ScratchFolder("game");
  harness::WriteBytes(folder + "Fuzz.gam", data, size);
  harness::RunGameFile(s, folder, "Fuzz.gam", size);
  return 0;
}
