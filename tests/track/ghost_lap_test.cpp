#include <gtest/gtest.h>

#include "tests/track/track_test_support.h"
#include "track/track_file.h"

namespace {

using fixtures::GhostLayout;
using fixtures::TrackFilePlan;
using platform::Rgb;
using tracktest::kBackground;
using tracktest::LogLines;
using tracktest::MapPixel;
using tracktest::TrackRun;

constexpr platform::Colour kDot = Rgb(0, 0, 255);

TrackFilePlan GhostFile(std::vector<fixtures::GhostPointPlan> points,
                        GhostLayout layout = GhostLayout::k120) {
  TrackFilePlan t;
  t.ghostTime = 4523;
  t.ghostLayout = layout;
  t.ghostPoints = std::move(points);
  return t;
}

// Decodes and draws the map; returns the lines DrawGhostLap logged.
std::vector<std::string> DrawGhost(TrackRun& run, const TrackFilePlan& t) {
  run.Load(t);
  DecodeTrackFile(run.s);
  EXPECT_FALSE(run.s.TrackHeaderInvalid);
  DrawTerrainMap(run.s);
  DrawWater(run.s);
  DrawTrackObjects(run.s);
  const std::size_t before = LogLines().size();
  DrawGhostLap(run.s);
  const auto lines = LogLines();
  return {lines.begin() + static_cast<std::ptrdiff_t>(before), lines.end()};
}

bool DotAt(int x, int y) {
  for (int j = -1; j <= 1; ++j) {
    for (int i = -1; i <= 1; ++i) {
      if (MapPixel(x + i, y + j) != kDot) return false;
    }
  }
  return true;
}

int DotPixels() {
  int n = 0;
  for (int y = 0; y < 512; ++y) {
    for (int x = 0; x < 512; ++x) n += MapPixel(x, y) == kDot;
  }
  return n;
}

TEST(DrawGhostLap, PointsLandRoundedToTheNearestPixel) {
  struct Case {
    std::uint8_t scale;
    std::uint16_t X, Y;
    int x, y;  // expected dot centre; x 0 means skipped
  };
  const Case cases[] = {
      {100, 5900, 2950, 200, 411},
      {100, 74, 2950, 3, 411},         // 74 / 29.5 = 2.508
      {100, 73, 2950, 2, 411},         // 2.47
      {100, 30, 2950, 1, 411},         // x = 1: columns 0 to 2
      {100, 15045, 2950, 510, 411},    // 510
      {100, 15075, 2950, 0, 0},        // 511: skipped
      {100, 0, 2950, 0, 0},            // x = 0: skipped
      {100, 5900, 0, 0, 0},            // y = 511: skipped
      {100, 5900, 15045, 200, 1},
      {100, 5900, 15075, 0, 0},        // y = 0
      {100, 32768, 2950, 0, 0},        // unsigned: 1111, skipped
      {255, 32768, 2950, 436, 472},    // k = 75.225: unsigned 32768 lands inside
      {200, 11800, 5900, 200, 411},    // k = 59
      {40, 2360, 1180, 200, 411},      // k = 11.8 (single precision)
  };
  for (const Case& c : cases) {
    TrackRun run;
    TrackFilePlan t = GhostFile({{c.X, c.Y}});
    t.scale = c.scale;
    t.ghostWord = 0;  // M = 0: the one point
    DrawGhost(run, t);
    const std::string what = std::to_string(c.scale) + ": " + std::to_string(c.X) + "," +
                             std::to_string(c.Y);
    if (c.x == 0) {
      EXPECT_EQ(DotPixels(), 0) << what;
    } else {
      EXPECT_TRUE(DotAt(c.x, c.y)) << what;
      EXPECT_EQ(DotPixels(), 9) << what;
    }
  }
}

TEST(DrawGhostLap, LayoutIsToldByTheFirstPoint) {
  for (GhostLayout layout : {GhostLayout::k110, GhostLayout::k120}) {
    TrackRun run;
    const auto lines = DrawGhost(run, GhostFile({{5900, 2950}, {2950, 5900}}, layout));
    const bool is110 = layout == GhostLayout::k110;
    EXPECT_EQ(lines, std::vector<std::string>{is110 ? "Ghost = 110" : "Ghost = 120"});
    EXPECT_TRUE(DotAt(200, 411));
    EXPECT_TRUE(DotAt(100, 311));
    EXPECT_EQ(ui::ShownImage(kTrackMapView), kMapImage);
  }
}

TEST(DrawGhostLap, AnyNonZeroProbeWordMeans110) {
  // 20-byte points read as 120 unless a word at point bytes 2, 6 or 10 is set.
  for (int probe : {-1, 2, 6, 10}) {
    std::vector<std::uint8_t> raw(40, 0);
    raw[0] = 0x0C;  // X = 5900 in both layouts
    raw[1] = 0x17;
    if (probe >= 0) raw[static_cast<std::size_t>(probe) + 1] = 0x80;  // high byte only
    TrackFilePlan t = GhostFile({});
    t.ghostRaw = raw;
    TrackRun run;
    const auto lines = DrawGhost(run, t);
    EXPECT_EQ(lines, std::vector<std::string>{probe < 0 ? "Ghost = 120" : "Ghost = 110"}) << probe;
  }
}

TEST(DrawGhostLap, VisitsMPlusOnePoints) {
  struct Case {
    std::int16_t word;
    int points;  // written points (130 units apart in X)
    int drawn;   // dots expected
  };
  const Case cases[] = {
      {0, 1, 1}, {1, 1, 1}, {-1, 1, 1},  // M = 0: point 0 only
      {2, 2, 2},                         // M = 1: points 0 and 1
      {2, 3, 2},
      {4, 2, 2},                         // M = 2: the third "point" is the zero tail
      {6, 5, 4},
      {-2, 3, 0}, {-32768, 3, 0},        // negative M: none
  };
  for (const Case& c : cases) {
    std::vector<fixtures::GhostPointPlan> pts;
    for (int j = 0; j < c.points; ++j) {
      pts.push_back({static_cast<std::uint16_t>(2950 + 590 * j), 2950});  // x = 100 + 20 j
    }
    TrackFilePlan t = GhostFile(pts);
    t.ghostWord = c.word;
    TrackRun run;
    DrawGhost(run, t);
    EXPECT_EQ(DotPixels(), 9 * c.drawn) << c.word << " with " << c.points;
  }
}

TEST(DrawGhostLap, NoGhostLap) {
  struct Case { std::int16_t time; bool drawn; };
  for (const Case& c : {Case{5999, true}, Case{-1, true}, Case{6000, false}, Case{32767, false}}) {
    TrackRun run;
    TrackFilePlan t = GhostFile({{5900, 2950}});
    t.ghostTime = c.time;
    run.Load(t);
    DecodeTrackFile(run.s);
    DrawTerrainMap(run.s);
    platform::CreateImage(kPlaceholderImage, 32, 32);
    ui::ShowImage(kTrackMapView, kPlaceholderImage);  // tells whether the map is shown again
    const std::size_t before = LogLines().size();
    DrawGhostLap(run.s);
    const auto lines = LogLines();
    ASSERT_EQ(lines.size(), before + 1);
    EXPECT_EQ(lines.back(), c.drawn ? "Ghost = 120" : "kein Ghost!") << c.time;
    EXPECT_EQ(DotAt(200, 411), c.drawn) << c.time;
    EXPECT_EQ(MapPixel(200, 411) == kBackground, !c.drawn);
    EXPECT_EQ(ui::ShownImage(kTrackMapView), c.drawn ? kMapImage : kPlaceholderImage);
  }
}

// With Scale 0 no point has a picture position: none is drawn, the layout
// line is logged as usual.
TEST(DrawGhostLap, ScaleZeroDrawsNoPoints) {
  TrackRun run;
  TrackFilePlan t = GhostFile({{5900, 2950}, {0, 0}, {65535, 65535}}, GhostLayout::k110);
  t.scale = 0;
  EXPECT_EQ(DrawGhost(run, t), std::vector<std::string>{"Ghost = 110"});
  EXPECT_EQ(DotPixels(), 0);
  EXPECT_EQ(ui::ShownImage(kTrackMapView), kMapImage);
}

}  // namespace
