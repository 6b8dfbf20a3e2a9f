// Replays every input kept in tests/bad/<kind>/ (inputs the fuzz targets
// found faults with, and hostile files kept by hand) through the very road
// of the fuzz target of that kind: fuzz/harness.h. Run in the sanitizer
// build, a fault that comes back fails here.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/harness.h"
#include "tests/fixtures/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> KeptInputs(const std::string& kind) {
  const fs::path folder = fs::path(__FILE__).parent_path().parent_path() / "bad" / kind;
  std::vector<fs::path> files;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder, ec)) {
    if (e.is_regular_file() && e.path().filename() != "README.md") files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

class BadInputs : public ::testing::Test {
 protected:
  void SetUp() override { harness::ResetHeadless(s); }
  RunState s;
};

TEST_F(BadInputs, TrackFiles) {
  for (const fs::path& f : KeptInputs("track")) {
    SCOPED_TRACE(f.string());
    const std::vector<std::uint8_t> bytes = fixtures::ReadBytes(f.string());
    if (bytes.size() > kTrackDataRoom) continue;  // the loader refuses it before any decoding
    harness::RunTrackBytes(s, bytes.data(), bytes.size());
  }
}

TEST_F(BadInputs, GameFiles) {
  fixtures::TempDir dir;
  for (const fs::path& f : KeptInputs("game")) {
    SCOPED_TRACE(f.string());
    const std::vector<std::uint8_t> bytes = fixtures::ReadBytes(f.string());
    dir.WriteFile("Fuzz.gam", bytes);
    harness::RunGameFile(s, dir.path(), "Fuzz.gam", bytes.size());
  }
}

TEST_F(BadInputs, BmpFiles) {
  for (const fs::path& f : KeptInputs("bmp")) {
    SCOPED_TRACE(f.string());
    const std::vector<std::uint8_t> bytes = fixtures::ReadBytes(f.string());
    EXPECT_TRUE(harness::RunBmpBytes(bytes.data(), bytes.size()));
  }
}

TEST_F(BadInputs, JpegFiles) {
  for (const fs::path& f : KeptInputs("jpeg")) {
    SCOPED_TRACE(f.string());
    const std::vector<std::uint8_t> bytes = fixtures::ReadBytes(f.string());
    EXPECT_TRUE(harness::RunJpegBytes(bytes.data(), bytes.size()));
  }
}

TEST_F(BadInputs, WholeEntries) {
  for (const fs::path& f : KeptInputs("entry")) {
    SCOPED_TRACE(f.string());
    fixtures::TempDir dir;
    const std::vector<std::uint8_t> bytes = fixtures::ReadBytes(f.string());
    harness::RunEntryBytes(s, dir.path(), bytes.data(), bytes.size());
    EXPECT_EQ(s.EntryNumber, 1);
  }
}

}  // namespace
