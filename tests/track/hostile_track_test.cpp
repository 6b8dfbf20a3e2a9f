// Track files whose own numbers point outside the loaded bytes. Every case
// runs twice, over two different leftovers of an earlier file after the
// loaded bytes: the logs and the pictures must not differ, so nothing past
// the loaded bytes was read. Each case then checks its own outcome.
#include <functional>

#include <gtest/gtest.h>

#include "tests/track/track_test_support.h"
#include "track/track_file.h"

namespace {

using fixtures::TrackFilePlan;
using platform::Rgb;
using tracktest::kBackground;
using tracktest::LogLines;
using tracktest::MapPixel;
using tracktest::TrackRun;

struct Case {
  std::string name;
  TrackFilePlan plan;
  std::vector<std::uint8_t> stale;  // leftover pattern of the second run
  std::function<void(TrackRun&, const fixtures::TrackFileOffsets&)> check;
};

std::vector<std::string> Lines(const std::string& r, const std::string& objects,
                               const std::string& result, const std::string& ghost) {
  return {"Test.trk  (static): " + r + " Bytes", "# Objecte: " + objects, " ", result, " ",
          "Car 1: not found!!", ghost};
}

bool DotAt(int x, int y, platform::Colour c) {
  for (int j = -1; j <= 1; ++j) {
    for (int i = -1; i <= 1; ++i) {
      if (MapPixel(x + i, y + j) != c) return false;
    }
  }
  return true;
}

std::vector<Case> Cases() {
  std::vector<Case> cases;
  const std::vector<std::uint8_t> ones(1, 0x01);

  {
    Case c{"R past the end", {}, ones, {}};
    c.plan.ghostTime = 4523;
    c.plan.ghostDriver = "Max";
    c.plan.recordOffset = 1'900'000;
    c.check = [](TrackRun& run, const fixtures::TrackFileOffsets&) {
      EXPECT_EQ(LogLines(), Lines("1900000", "0", "1.: 0 ", "Ghost = 120"));
      EXPECT_EQ(run.s.RecordTime, 0);
      EXPECT_EQ(run.s.CarNames[1], "");
      EXPECT_EQ(run.s.TrackLayout.GhostPointCount, 0);
    };
    cases.push_back(c);
  }
  {
    Case c{"R negative", {}, ones, {}};
    c.plan.recordOffset = -20000;
    c.check = [](TrackRun& run, const fixtures::TrackFileOffsets&) {
      EXPECT_EQ(LogLines(), Lines("-20000", "0", "1.: 0 ", "Ghost = 120"));
      EXPECT_EQ(run.s.TrackLayout.GhostSectionOffset, -20000 + 9625);
    };
    cases.push_back(c);
  }
  {
    Case c{"R largest", {}, ones, {}};
    c.plan.recordOffset = INT32_MAX;
    c.check = [](TrackRun& run, const fixtures::TrackFileOffsets&) {
      EXPECT_EQ(LogLines(), Lines("2147483647", "0", "1.: 0 ", "Ghost = 120"));
      EXPECT_EQ(run.s.TrackLayout.GhostSectionOffset, INT32_MAX);  // held, not wrapped
    };
    cases.push_back(c);
  }
  {
    Case c{"R smallest", {}, ones, {}};
    c.plan.recordOffset = INT32_MIN;
    c.check = [](TrackRun& run, const fixtures::TrackFileOffsets&) {
      EXPECT_EQ(LogLines(), Lines("-2147483648", "0", "1.: 0 ", "Ghost = 120"));
      EXPECT_EQ(run.s.TrackLayout.GhostSectionOffset, INT32_MIN + 9625);
    };
    cases.push_back(c);
  }
  {
    Case c{"record block cut after the ghost time", {}, ones, {}};
    c.plan.ghostTime = 4523;
    c.plan.ghostDriver = "Max";
    c.plan.fileLength = 4120 + 4;  // R = 4120: the two lap times only
    c.check = [](TrackRun& run, const fixtures::TrackFileOffsets&) {
      EXPECT_EQ(LogLines(), Lines("4120", "0", "1.: 4523 ", "Ghost = 120"));
      EXPECT_EQ(run.s.RecordTime, 6000);
    };
    cases.push_back(c);
  }
  {
    Case c{"ghost car block one byte short", {}, {}, {}};
    c.plan.ghostCarName = "Formula";
    c.plan.fileLength = 4120 + 1449 + 1343;
    c.check = [](TrackRun&, const fixtures::TrackFileOffsets&) {
      ASSERT_GE(LogLines().size(), 6u);
      EXPECT_EQ(LogLines()[5], "Car 1:Formula not found!!");
    };
    cases.push_back(c);
  }
  {
    // Terrain words past the loaded bytes would paint red runs.
    Case c{"N largest", {}, {0xFB, 0xFF}, {}};
    c.plan.terrainCount = INT32_MAX;
    c.check = [](TrackRun& run, const fixtures::TrackFileOffsets&) {
      EXPECT_EQ(run.s.TrackLayout.TerrainWordCount, INT32_MAX);
      EXPECT_EQ(run.s.TrackLayout.HeightMapOffset, INT32_MAX);
      EXPECT_EQ(run.s.TrackLayout.ObjectCount, 0);
      EXPECT_EQ(LogLines()[1], "# Objecte: 0");
    };
    cases.push_back(c);
  }
  {
    Case c{"N smallest", {}, ones, {}};
    c.plan.terrainCount = INT32_MIN;
    c.plan.terrain = {fixtures::TerrainWord(11, 100)};
    c.plan.waterLevel = 1;
    c.check = [](TrackRun& run, const fixtures::TrackFileOffsets&) {
      EXPECT_EQ(run.s.TrackLayout.TerrainWordCount, INT32_MIN + 1);
      EXPECT_EQ(run.s.TrackLayout.HeightMapOffset, INT32_MIN);
      EXPECT_EQ(MapPixel(0, 511), kBackground);           // no terrain word decoded
      EXPECT_EQ(MapPixel(0, 503), Rgb(0, 64, 255));        // missing heights read 0
      EXPECT_EQ(MapPixel(511, 0), Rgb(0, 64, 255));
      EXPECT_EQ(LogLines()[1], "# Objecte: 0");
    };
    cases.push_back(c);
  }
  {
    Case c{"N negative, sections over the header", {}, ones, {}};
    c.plan.terrainCount = -3;
    cases.push_back(c);
  }
  {
    // Records past the end would be dots at (300, 211).
    Case c{"object count past the end", {}, {10, 0, 0x58, 0x02, 0x58, 0x02, 0, 0}, {}};
    c.plan.objects = {{10, 200, 200, 0}, {10, 300, 200, 0}, {9, 400, 200, 0}};
    c.plan.objectCount = 32767;
    c.plan.fileLength = 4120 + 24;
    c.check = [](TrackRun& run, const fixtures::TrackFileOffsets&) {
      EXPECT_EQ(LogLines()[1], "# Objecte: 32767");
      EXPECT_TRUE(DotAt(100, 411, run.s.Palette[7]));
      EXPECT_TRUE(DotAt(150, 411, run.s.Palette[7]));
      EXPECT_EQ(MapPixel(198, 409), run.s.Palette[0]);
      EXPECT_EQ(MapPixel(300, 211), kBackground);
    };
    cases.push_back(c);
  }
  {
    Case c{"object record cut in its middle", {}, {10, 0, 0x58, 0x02, 0x58, 0x02, 0, 0}, {}};
    c.plan.objects = {{10, 200, 200, 0}, {10, 600, 600, 0}};
    c.plan.fileLength = 4120 + 8 + 3;
    c.check = [](TrackRun& run, const fixtures::TrackFileOffsets&) {
      EXPECT_TRUE(DotAt(100, 411, run.s.Palette[7]));
      EXPECT_EQ(MapPixel(300, 211), kBackground);
    };
    cases.push_back(c);
  }
  {
    Case c{"object count negative", {}, {}, {}};
    c.plan.objects = {{10, 200, 200, 0}, {17, 500, 600, 0}};
    c.plan.objectCount = -5;
    c.check = [](TrackRun&, const fixtures::TrackFileOffsets&) {
      EXPECT_EQ(MapPixel(100, 411), kBackground);
      EXPECT_EQ(MapPixel(250, 211), kBackground);
    };
    cases.push_back(c);
  }
  {
    // Points past the end (layout 120) would be dots at (200, 411).
    std::vector<std::uint8_t> point(20, 0);
    point[0] = 0x0C, point[1] = 0x17, point[8] = 0x86, point[9] = 0x0B;
    Case c{"ghost word past the end", {}, point, {}};
    c.plan.ghostTime = 4523;
    c.plan.ghostPoints = {{2950, 2950}, {3540, 2950}};
    c.plan.ghostWord = 32767;
    c.check = [](TrackRun& run, const fixtures::TrackFileOffsets&) {
      EXPECT_EQ(run.s.TrackLayout.GhostPointCount, 16383);
      EXPECT_TRUE(DotAt(100, 411, Rgb(0, 0, 255)));
      EXPECT_TRUE(DotAt(120, 411, Rgb(0, 0, 255)));
      EXPECT_EQ(MapPixel(200, 411), kBackground);
      EXPECT_EQ(LogLines().back(), "Ghost = 120");
    };
    cases.push_back(c);
  }
  {
    Case c{"ghost section cut in the first point", {}, ones, {}};
    c.plan.ghostTime = 4523;
    c.plan.ghostLayout = fixtures::GhostLayout::k110;
    c.plan.ghostPoints = {{5900, 2950}};
    c.plan.fileLength = 4120 + 9627 + 3;  // X and one byte of the probe word
    c.check = [](TrackRun&, const fixtures::TrackFileOffsets&) {
      EXPECT_EQ(LogLines().back(), "Ghost = 110");
      EXPECT_EQ(MapPixel(200, 511 - 0), kBackground);  // Y is missing: y = 511, skipped
    };
    cases.push_back(c);
  }
  {
    Case c{"ghost word negative", {}, {}, {}};
    c.plan.ghostTime = 4523;
    c.plan.ghostPoints = {{5900, 2950}};
    c.plan.ghostWord = -32768;
    c.check = [](TrackRun&, const fixtures::TrackFileOffsets&) {
      EXPECT_EQ(MapPixel(200, 411), kBackground);
    };
    cases.push_back(c);
  }
  {
    Case c{"scale 0", {}, ones, {}};
    c.plan.scale = 0;
    c.plan.ghostTime = 4523;
    c.plan.objects = {{17, 500, 600, 30}, {1, 200, 300, 0}, {10, 200, 200, 0}};
    c.plan.ghostPoints = {{5900, 2950}};
    c.check = [](TrackRun& run, const fixtures::TrackFileOffsets&) {
      EXPECT_EQ(LogLines().back(), "Ghost = 120");
      EXPECT_TRUE(DotAt(100, 411, run.s.Palette[7]));
      EXPECT_EQ(MapPixel(250, 211), kBackground);
      EXPECT_EQ(MapPixel(200, 411), kBackground);
    };
    cases.push_back(c);
  }
  {
    Case c{"only the header", {}, ones, {}};
    c.plan.fileLength = 20;
    c.check = [](TrackRun&, const fixtures::TrackFileOffsets&) {
      ASSERT_EQ(LogLines().size(), 7u);
      EXPECT_EQ(LogLines()[1], "# Objecte: 0");
      EXPECT_EQ(MapPixel(0, 511), kBackground);
    };
    cases.push_back(c);
  }
  {
    Case c{"empty file", {}, {'K', 'Z'}, {}};
    c.plan.fileLength = 0;
    c.check = [](TrackRun& run, const fixtures::TrackFileOffsets&) {
      EXPECT_TRUE(run.s.TrackHeaderInvalid);
      EXPECT_TRUE(LogLines().empty());
    };
    cases.push_back(c);
  }
  return cases;
}

TEST(HostileTrackFile, NothingOutsideTheLoadedBytesIsRead) {
  // A reference car of zeros: a ghost car block read as zeros would match.
  const std::vector<std::uint8_t> zeroCar(3000, 0);
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    fixtures::TrackFileOffsets o;
    const auto bytes = fixtures::WriteTrackFile(c.plan, &o);

    TrackRun first;
    first.Load(bytes);
    fixtures::LoadReferenceCarBytes(first.s, zeroCar);
    first.DecodeAndDraw();
    const auto firstLines = LogLines();
    const auto firstPixels = tracktest::MapPixels();

    TrackRun second;
    second.LoadWithStale(bytes, c.stale.empty() ? std::vector<std::uint8_t>{0xA5, 0x5A, 0x0A}
                                                : c.stale);
    fixtures::LoadReferenceCarBytes(second.s, zeroCar);
    second.DecodeAndDraw();
    EXPECT_EQ(LogLines(), firstLines);
    EXPECT_TRUE(tracktest::MapPixels() == firstPixels);
    if (c.check) c.check(second, o);
  }
}

}  // namespace
