// The writer of test track files is used by many tests; these check that it
// puts each field where the file layout has it.
#include <gtest/gtest.h>

#include "app/byte_view.h"
#include "tests/fixtures/track_file_writer.h"

namespace {

using fixtures::TrackFilePlan;

TEST(TrackFileWriter, FieldsLandAtTheirOffsets) {
  TrackFilePlan t;
  t.version = 288;
  t.scale = 40;
  t.waterLevel = 7;
  t.terrain = {fixtures::TerrainWord(3, 600), fixtures::TerrainWord(15, 1)};
  t.heights = {9};
  t.objects = {{17, 500, 600, 30}};
  t.ghostTime = 4523;
  t.ghostDriver = "Max";
  t.ghostCarName = "Formula";
  t.ghostPoints = {{5900, 2950}, {1, 2}};
  fixtures::TrackFileOffsets o;
  const auto bytes = fixtures::WriteTrackFile(t, &o);
  const ByteView v{bytes.data(), static_cast<std::int64_t>(bytes.size())};

  EXPECT_EQ(v.S16(0), 288);
  EXPECT_EQ(v.Text(2, 2), "KZ");
  EXPECT_EQ(v.U8(8), 40);
  EXPECT_EQ(v.U8(9), 7);
  const std::int32_t n = v.S32(16);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(v.U16(20), 600 * 16 + 3);
  EXPECT_EQ(v.U8(22 + 2 * n), 9);  // height cell 0
  EXPECT_EQ(v.S16(4118 + 2 * n), 1);
  EXPECT_EQ(v.S8(4120 + 2 * n), 17);
  EXPECT_EQ(v.S16(4120 + 2 * n + 2), 500);
  EXPECT_EQ(v.S16(4120 + 2 * n + 4), 600);
  EXPECT_EQ(v.U8(4120 + 2 * n + 7), 30);

  const std::int32_t r = v.S32(4);
  EXPECT_EQ(r, 4120 + 2 * n + 8);
  EXPECT_EQ(static_cast<std::size_t>(r), o.recordBlock);
  EXPECT_EQ(v.S16(r + 0), 6000);
  EXPECT_EQ(v.S16(r + 2), 4523);
  EXPECT_EQ(v.Text(r + 27, 13), "Max");
  EXPECT_EQ(v.Text(r + 1449, 12), "Formula");
  EXPECT_EQ(v.Text(r + 105, 12), "Car");
  EXPECT_EQ(v.S16(r + 9625), 4);
  EXPECT_EQ(v.U16(r + 9627), 5900);
  EXPECT_EQ(v.U16(r + 9627 + 8), 2950);
  EXPECT_EQ(v.U16(r + 9627 + 20 + 8), 2);
  EXPECT_EQ(bytes.size(), static_cast<std::size_t>(r + 9627 + 40));
}

TEST(TrackFileWriter, LayoutOneTenMarksItsFirstPointAndLengthControlsWork) {
  TrackFilePlan t;
  t.ghostLayout = fixtures::GhostLayout::k110;
  t.ghostPoints = {{74, 3}};
  t.fileLength = 100;
  t.recordOffset = 5000;
  auto full = t;
  full.fileLength.reset();
  const auto whole = fixtures::WriteTrackFile(full);
  const ByteView v{whole.data(), static_cast<std::int64_t>(whole.size())};
  const std::int32_t g = 4120 + 9625;  // R where the block was written
  EXPECT_EQ(v.U16(g + 2), 74);
  EXPECT_EQ(v.U16(g + 2 + 4), 3);
  EXPECT_NE(v.S16(g + 4), 0);  // first point's byte 2 is not zero
  EXPECT_EQ(v.S32(4), 5000);
  EXPECT_EQ(fixtures::WriteTrackFile(t).size(), 100u);
}

TEST(TrackFileWriter, CarBlocksAreDeterministicAndNamed) {
  const auto a = fixtures::MakeCarBlock("Formula Torv", 7);
  EXPECT_EQ(a.size(), 1344u);
  EXPECT_EQ(a, fixtures::MakeCarBlock("Formula Torv", 7));
  EXPECT_NE(a, fixtures::MakeCarBlock("Formula Torv", 8));
  EXPECT_EQ(std::string(a.begin(), a.begin() + 12), "Formula Torv");
  const auto b = fixtures::MakeCarBlock("A very long car name", 7);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 12), "A very long ");
}

}  // namespace
