#include <gtest/gtest.h>

#include "tests/track/track_test_support.h"
#include "track/track_file.h"

namespace {

using fixtures::TrackFilePlan;
using fixtures::TrackObjectPlan;
using platform::Rgb;
using track::MapPoint;
using tracktest::kBackground;
using tracktest::MapPixel;
using tracktest::TrackRun;

constexpr platform::Colour kOutline = Rgb(170, 170, 170);

// Draws the map of `t` up to and including the objects.
void DrawObjects(TrackRun& run, const TrackFilePlan& t) {
  run.Load(t);
  DecodeTrackFile(run.s);
  ASSERT_FALSE(run.s.TrackHeaderInvalid);
  DrawTerrainMap(run.s);
  DrawWater(run.s);
  DrawTrackObjects(run.s);
}

// The three worked examples of turned rectangles.
struct Worked {
  std::int8_t type;
  std::int16_t X, Y;
  std::uint8_t angle, scale;
  MapPoint centre;
  int hw, hl;
  MapPoint p1, p2, p3, p4;
};
const Worked kWorked[] = {
    {1, 600, 400, 20, 40, {300, 311}, 5, 38, {335, 325}, {330, 334}, {269, 287}, {264, 296}},
    {17, 500, 600, 30, 100, {250, 211}, 31, 79, {328, 243}, {284, 288}, {215, 133}, {171, 178}},
    {1, 200, 300, 0, 100, {100, 361}, 2, 15, {114, 358}, {115, 362}, {84, 359}, {85, 363}},
};

TEST(DrawTrackObjects, WorkedExamplesCorners) {
  for (const Worked& w : kWorked) {
    const track::TurnedCorners c =
        track::TurnedRectangleCorners(w.centre.x, w.centre.y, w.angle, w.hw, w.hl);
    EXPECT_EQ(c.p1, w.p1) << int(w.type) << " " << int(w.angle);
    EXPECT_EQ(c.p2, w.p2) << int(w.type) << " " << int(w.angle);
    EXPECT_EQ(c.p3, w.p3) << int(w.type) << " " << int(w.angle);
    EXPECT_EQ(c.p4, w.p4) << int(w.type) << " " << int(w.angle);
  }
}

TEST(DrawTrackObjects, WorkedExamplesOnTheMap) {
  for (const Worked& w : kWorked) {
    TrackRun run;
    TrackFilePlan t;
    t.scale = w.scale;
    t.objects = {{w.type, w.X, w.Y, w.angle}};
    DrawObjects(run, t);
    const platform::Colour line = w.type == 17 ? kOutline : run.s.Palette[9];
    for (const MapPoint& p : {w.p1, w.p2, w.p3, w.p4}) {
      EXPECT_EQ(MapPixel(p.x, p.y), line) << int(w.type) << " at " << p.x << "," << p.y;
    }
    if (w.type == 17) {
      EXPECT_EQ(MapPixel(w.centre.x, w.centre.y), run.s.Palette[1]);
      EXPECT_EQ(MapPixel(250, 250), run.s.Palette[1]);   // inside, away from the centre
      EXPECT_EQ(MapPixel(329, 243), kBackground);        // just beside a corner
      EXPECT_EQ(MapPixel(170, 178), kBackground);
    } else {
      EXPECT_EQ(MapPixel(w.centre.x, w.centre.y), kBackground);  // outlines are not filled
    }
  }
}

TEST(DrawTrackObjects, AngleByteWrapsAtAFullTurn) {
  const int x = 250, y = 250, hw = 5, hl = 38;
  auto corners = [&](std::uint8_t a) { return track::TurnedRectangleCorners(x, y, a, hw, hl); };
  // 244 is a full turn: f = 61, as for byte 0; 255 gives f = 72, as byte 11.
  EXPECT_EQ(corners(244).p1, corners(0).p1);
  EXPECT_EQ(corners(244).p4, corners(0).p4);
  EXPECT_EQ(corners(255).p1, corners(11).p1);
  EXPECT_EQ(corners(255).p4, corners(11).p4);
  // Byte 0 puts the front side to the right, 61 down, 122 left, 183 up.
  EXPECT_GT(corners(0).p1.x, x + hl - 2);
  EXPECT_GT(corners(61).p1.y, y + hl - 2);
  EXPECT_LT(corners(122).p1.x, x - hl + 2);
  EXPECT_LT(corners(183).p1.y, y - hl + 2);
  // 183 gives f = 244 (just short of a full turn, front a hair left of the
  // centre line); 184 gives f = 1, turned on clockwise.
  const auto up = corners(183), next = corners(184);
  EXPECT_LT(next.p1.y, y - hl + 2);
  EXPECT_GT(next.p1.x + next.p2.x, up.p1.x + up.p2.x);
}

TEST(DrawTrackObjects, MarginsOfEachPass) {
  struct Case {
    std::int8_t type;
    int x, y;  // wanted picture centre
    bool drawn;
  };
  const Case cases[] = {
      {10, 1, 200, true},    {10, 0, 200, false},  {10, 510, 200, true}, {10, 511, 200, false},
      {10, 200, 1, true},    {10, 200, 0, false},  {10, 200, 510, true}, {10, 200, 511, false},
      {9, 1, 1, true},       {9, 0, 1, false},     {9, 510, 510, true},  {9, 510, 511, false},
      {17, 31, 31, true},    {17, 30, 100, false}, {17, 479, 479, true}, {17, 480, 100, false},
      {17, 100, 30, false},  {17, 100, 480, false},
      {1, 2, 2, true},       {1, 1, 100, false},   {1, 508, 508, true},  {1, 509, 100, false},
      {1, 100, 509, false},
  };
  for (const Case& c : cases) {
    TrackRun run;
    TrackFilePlan t;
    t.objects = {{c.type, static_cast<std::int16_t>(2 * c.x),
                  static_cast<std::int16_t>(2 * (511 - c.y)), 0}};
    run.Load(t);
    DecodeTrackFile(run.s);
    DrawTerrainMap(run.s);
    const auto before = tracktest::MapPixels();
    DrawTrackObjects(run.s);
    EXPECT_EQ(tracktest::MapPixels() != before, c.drawn)
        << int(c.type) << " at " << c.x << "," << c.y;
  }
}

TEST(DrawTrackObjects, DotsAndMarkers) {
  TrackRun run;
  TrackFilePlan t;
  // Odd track coordinates: the centre truncates toward zero (X 3 → 1).
  t.objects = {{10, 3, 2 * (511 - 100) + 1, 0}, {9, 400, 2 * (511 - 300), 0}};
  DrawObjects(run, t);
  const auto& pal = run.s.Palette;
  for (int x = 0; x <= 2; ++x) {
    for (int y = 99; y <= 101; ++y) EXPECT_EQ(MapPixel(x, y), pal[7]) << x << "," << y;
  }
  EXPECT_EQ(MapPixel(3, 100), kBackground);
  EXPECT_EQ(MapPixel(1, 102), kBackground);
  EXPECT_EQ(MapPixel(200, 300), pal[7]);
  EXPECT_EQ(MapPixel(198, 298), pal[0]);
  EXPECT_EQ(MapPixel(202, 302), pal[0]);
  EXPECT_EQ(MapPixel(201, 300), pal[0]);
  EXPECT_EQ(MapPixel(203, 300), kBackground);
  EXPECT_EQ(ui::ShownImage(kTrackMapView), kMapImage);
}

TEST(DrawTrackObjects, PassesGoInOrderNotInFileOrder) {
  TrackRun run;
  TrackFilePlan t;
  // A marker listed before a dot on the same spot still covers it (pass 2
  // after pass 1); a thin outline listed first is drawn over a large fill.
  t.objects = {{1, 500, 600, 0}, {9, 200, 200, 0}, {10, 200, 200, 0}, {17, 500, 600, 0}};
  DrawObjects(run, t);
  const auto& pal = run.s.Palette;
  EXPECT_EQ(MapPixel(99, 411), pal[0]);  // the marker's box, not the dot
  EXPECT_EQ(MapPixel(100, 411), pal[7]);
  // Type 1 at (250, 211), angle 0: its corner (264, 208) lies inside the fill.
  const auto c = track::TurnedRectangleCorners(250, 211, 0, 2, 15);
  EXPECT_EQ(MapPixel(c.p1.x, c.p1.y), pal[9]);
  EXPECT_EQ(MapPixel(250, 211), pal[1]);
}

TEST(DrawTrackObjects, ThinOutlineColourByType) {
  struct Case { std::int8_t type; int slot; };
  for (const Case& c : {Case{1, 9}, Case{2, 11}, Case{3, 10}, Case{23, 4}}) {
    TrackRun run;
    TrackFilePlan t;
    t.objects = {{c.type, 200, 300, 0}};
    DrawObjects(run, t);
    EXPECT_EQ(MapPixel(114, 358), run.s.Palette[c.slot]) << int(c.type);
    EXPECT_EQ(MapPixel(85, 363), run.s.Palette[c.slot]) << int(c.type);
  }
}

TEST(DrawTrackObjects, OtherTypesDrawNothing) {
  for (int type : {0, 4, 5, 8, 11, 16, 19, 22, 24, 127, -1, -10, -128}) {
    TrackRun run;
    TrackFilePlan t;
    t.objects = {{static_cast<std::int8_t>(type), 500, 600, 0}};
    run.Load(t);
    DecodeTrackFile(run.s);
    DrawTerrainMap(run.s);
    const auto before = tracktest::MapPixels();
    DrawTrackObjects(run.s);
    EXPECT_EQ(tracktest::MapPixels(), before) << type;
  }
}

TEST(DrawTrackObjects, FillStartingOnAnOutlineFillsNothing) {
  TrackRun run;
  TrackFilePlan t;
  // The second rectangle's centre is the first one's corner (328, 243).
  t.objects = {{17, 500, 600, 30}, {18, 656, 2 * (511 - 243), 30}};
  DrawObjects(run, t);
  EXPECT_EQ(MapPixel(240, 200), run.s.Palette[1]);  // the first is filled
  EXPECT_EQ(MapPixel(328, 243), kOutline);
  EXPECT_EQ(MapPixel(338, 243), kBackground);  // inside the second only: not filled
}

TEST(DrawTrackObjects, VisitsObjectCountPlusOneRecords) {
  const TrackObjectPlan dot{10, 200, 200, 0};  // centre (100, 411)
  struct Case {
    const char* what;
    std::vector<TrackObjectPlan> objects;
    std::int16_t count;
    bool extraRecordIsDot;  // the 8 bytes after the listed records
    bool drawn;
  };
  const std::vector<Case> cases = {
      {"count 0 visits record 0", {dot}, 0, false, true},
      {"the record after the list", {{0, 0, 0, 0}}, 1, true, true},
      {"count 0 stops before record 1", {{0, 0, 0, 0}}, 0, true, false},
      {"negative count visits none", {dot}, -1, false, false},
      {"most negative count", {dot}, -32768, false, false},
  };
  for (const Case& c : cases) {
    TrackRun run;
    TrackFilePlan t;
    t.objects = c.objects;
    t.objectCount = c.count;
    if (c.extraRecordIsDot) t.afterObjects = {10, 0, 200, 0, 200, 0, 0, 0};
    DrawObjects(run, t);
    EXPECT_EQ(MapPixel(100, 411) == run.s.Palette[7], c.drawn) << c.what;
  }
}

// With Scale 0 the rectangle sizes are undefined: the rectangles are left
// out, dots and markers are drawn as always.
TEST(DrawTrackObjects, ScaleZeroDrawsNoRectangles) {
  TrackRun run;
  TrackFilePlan t;
  t.scale = 0;
  t.objects = {{17, 500, 600, 30}, {1, 200, 300, 0}, {10, 200, 200, 0}, {9, 400, 400, 0}};
  run.Load(t);
  DecodeTrackFile(run.s);
  DrawTerrainMap(run.s);
  DrawTrackObjects(run.s);
  const auto& pal = run.s.Palette;
  EXPECT_EQ(MapPixel(100, 411), pal[7]);
  EXPECT_EQ(MapPixel(200, 311), pal[7]);
  EXPECT_EQ(MapPixel(199, 311), pal[0]);
  EXPECT_EQ(MapPixel(250, 211), kBackground);
  EXPECT_EQ(MapPixel(114, 358), kBackground);
}

}  // namespace
