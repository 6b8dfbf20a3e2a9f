#include <gtest/gtest.h>

#include "tests/track/track_test_support.h"
#include "track/track_file.h"

namespace {

using fixtures::TerrainWord;
using fixtures::TrackFilePlan;
using platform::Rgb;
using tracktest::kBackground;
using tracktest::MapPixel;
using tracktest::TrackRun;

constexpr platform::Colour kWater = Rgb(0, 64, 255);

// Decodes the file and draws the terrain (and water when asked).
void DrawMap(TrackRun& run, const TrackFilePlan& t, bool water = false) {
  run.Load(t);
  DecodeTrackFile(run.s);
  ASSERT_FALSE(run.s.TrackHeaderInvalid);
  DrawTerrainMap(run.s);
  if (water) DrawWater(run.s);
}

TEST(DrawTerrainMap, EachTerrainCodeGetsItsColour) {
  const platform::Colour expected[16] = {
      Rgb(158, 158, 158), Rgb(179, 179, 179), Rgb(145, 202, 91), Rgb(190, 210, 130),
      Rgb(160, 135, 110), Rgb(211, 172, 158), Rgb(250, 220, 210), Rgb(245, 250, 255),
      Rgb(220, 230, 239), Rgb(255, 255, 255), Rgb(255, 255, 0),   Rgb(255, 0, 0),
      Rgb(62, 62, 62),    Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(0, 0, 0),
  };
  TrackRun run;
  TrackFilePlan t;
  for (int code = 0; code < 16; ++code) t.terrain.push_back(TerrainWord(code, 1));
  DrawMap(run, t);
  ASSERT_TRUE(platform::ImageExists(kMapImage));
  EXPECT_EQ(platform::ImageWidth(kMapImage), 512);
  EXPECT_EQ(platform::ImageHeight(kMapImage), 560);
  for (int code = 0; code < 16; ++code) EXPECT_EQ(MapPixel(code, 511), expected[code]) << code;
  EXPECT_EQ(MapPixel(16, 511), kBackground);
  EXPECT_EQ(MapPixel(0, 510), kBackground);
  EXPECT_EQ(ui::ShownImage(kTrackMapView), kMapImage);
}

TEST(DrawTerrainMap, PaletteRampsRoundDown) {
  struct Case { int entry; platform::Colour colour; };
  const Case cases[] = {
      {0, Rgb(0, 0, 0)},          {1, Rgb(6, 6, 6)},          {29, Rgb(200, 200, 200)},
      {30, Rgb(60, 100, 40)},     {37, Rgb(110, 160, 70)},    {44, Rgb(160, 220, 100)},
      {45, Rgb(70, 60, 50)},      {52, Rgb(115, 97, 80)},     {60, Rgb(100, 70, 40)},
      {74, Rgb(220, 180, 160)},   {75, Rgb(160, 110, 90)},    {90, Rgb(160, 180, 200)},
      {105, Rgb(200, 200, 200)},  {107, Rgb(227, 225, 222)},  {109, Rgb(255, 250, 245)},
      {110, Rgb(200, 200, 0)},    {112, Rgb(227, 225, 30)},   {115, Rgb(200, 0, 0)},
      {119, Rgb(255, 60, 60)},    {154, Rgb(190, 210, 130)},  {240, Rgb(0, 100, 150)},
      {241, Rgb(0, 50, 75)},      {243, Rgb(255, 100, 100)},  {246, Rgb(192, 192, 0)},
      {247, Rgb(0, 255, 0)},      {248, Rgb(64, 160, 255)},   {252, Rgb(173, 214, 255)},
      {255, Rgb(255, 255, 255)},
  };
  for (const Case& c : cases) EXPECT_EQ(track::MapPaletteColour(c.entry), c.colour) << c.entry;
}

TEST(DrawTerrainMap, BitmapTemplate) {
  TrackRun run;
  DrawMap(run, TrackFilePlan{});
  const std::uint8_t* b = MapBitmap(run.s);
  const ByteView v{b, 1078 + 286720};
  EXPECT_EQ(v.Text(0, 2), "BM");
  struct Field { std::int64_t offset; int size; std::uint32_t value; };
  for (const Field& f : {Field{2, 4, 1334}, Field{6, 2, 0}, Field{8, 2, 0}, Field{10, 4, 1078},
                         Field{14, 4, 40}, Field{18, 4, 512}, Field{22, 4, 560}, Field{26, 2, 1},
                         Field{28, 2, 8}, Field{30, 4, 0}, Field{34, 4, 256}, Field{38, 4, 0},
                         Field{42, 4, 0}, Field{46, 4, 256}, Field{50, 4, 256}}) {
    EXPECT_EQ(f.size == 2 ? v.U16(f.offset) : v.U32(f.offset), f.value) << f.offset;
  }
  // Palette entry 42: blue, green, red, zero.
  EXPECT_EQ(v.U8(54 + 4 * 42 + 0), 91);
  EXPECT_EQ(v.U8(54 + 4 * 42 + 1), 202);
  EXPECT_EQ(v.U8(54 + 4 * 42 + 2), 145);
  EXPECT_EQ(v.U8(54 + 4 * 42 + 3), 0);
  // Pixel (x, y) is byte 1078 + (559 − y) × 512 + x; the one zero terrain
  // word leaves everything background.
  EXPECT_EQ(v.U8(1078), 240);
  EXPECT_EQ(v.U8(1078 + 286719), 240);
  EXPECT_EQ(MapPixel(0, 0), kBackground);
  EXPECT_EQ(MapPixel(511, 559), kBackground);
}

TEST(DrawTerrainMap, RunsFillRowsUpwardFromTheBottom) {
  TrackRun run;
  TrackFilePlan t;
  t.terrain = {TerrainWord(11, 0),  // a run of 0 writes nothing
               TerrainWord(9, 600), TerrainWord(11, 5), TerrainWord(10, 1543 - 605),
               TerrainWord(3, 1)};
  DrawMap(run, t);
  for (int x = 0; x < 512; ++x) ASSERT_EQ(MapPixel(x, 511), Rgb(255, 255, 255)) << x;
  for (int x = 0; x < 88; ++x) ASSERT_EQ(MapPixel(x, 510), Rgb(255, 255, 255)) << x;
  for (int x = 88; x < 93; ++x) EXPECT_EQ(MapPixel(x, 510), Rgb(255, 0, 0)) << x;
  EXPECT_EQ(MapPixel(93, 510), Rgb(255, 255, 0));
  // Decoded pixel 1543 lands at x = 1543 mod 512 = 7, y = 511 − 3.
  EXPECT_EQ(MapPixel(6, 508), Rgb(255, 255, 0));
  EXPECT_EQ(MapPixel(7, 508), Rgb(190, 210, 130));
  EXPECT_EQ(MapPixel(8, 508), kBackground);
}

TEST(DrawTerrainMap, TerrainPastTheTopIsCutOff) {
  TrackRun run;
  TrackFilePlan t;
  t.terrain.assign(70, TerrainWord(12, 4095));  // 286,650 pixels, more than 262,144
  DrawMap(run, t);
  EXPECT_EQ(MapPixel(0, 0), Rgb(62, 62, 62));
  EXPECT_EQ(MapPixel(511, 0), Rgb(62, 62, 62));
  EXPECT_EQ(MapPixel(511, 559), kBackground);  // the text band keeps its colour
  EXPECT_EQ(MapPixel(0, 512), kBackground);
}

TEST(DrawTerrainMap, TimeText) {
  struct Case { std::int16_t t; const char* text; };
  for (const Case& c : {Case{5432, "54.32"}, Case{1000, "10.00"}, Case{987, "9.87"},
                        Case{6000, "60.00"}, Case{999, "9.99"}, Case{100, "1.00"},
                        Case{42, "4.42"}, Case{5, "5.5"}, Case{0, "0.0"}, Case{-1, "-.-1"},
                        Case{-250, "-.50"}, Case{32767, "32.67"}}) {
    EXPECT_EQ(track::TimeText(c.t), c.text) << c.t;
  }
}

TEST(DrawTerrainMap, LabelChoice) {
  struct Case {
    std::int16_t ghost, record;
    const char* time;
    const char* label;
  };
  const Case cases[] = {
      {5999, 4000, "59.99", "Gina / GhostCar"},
      {-1, 4000, "-.-1", "Gina / GhostCar"},
      {6000, 5999, "59.99", "Rolf / RecCar"},
      {32767, -5, "-.-5", "Rolf / RecCar"},
      {6000, 6000, "60.00", "no Best Time"},
      {7000, 6500, "65.00", "no Best Time"},
  };
  for (const Case& c : cases) {
    RunState s;
    InitRunState(s, "/");
    s.GhostTime = c.ghost;
    s.RecordTime = c.record;
    s.GhostDriver = "Gina";
    s.RecordDriver = "Rolf";
    s.CarNames[0] = "RecCar";
    s.CarNames[1] = "GhostCar";
    s.DataFilePath = "/h/e/Monza.trk";
    const track::MapBandTexts b = track::ChooseMapBandTexts(s);
    EXPECT_EQ(b.time, c.time) << c.ghost << " " << c.record;
    EXPECT_EQ(b.label, c.label) << c.ghost << " " << c.record;
    EXPECT_EQ(b.trackName, "Monza");
  }
}

TEST(DrawTerrainMap, TrackBaseNameFollowsTheTrackName) {
  TrackRun run;
  run.s.TrackBaseName = "Earlier";
  DrawMap(run, TrackFilePlan{});  // loaded as Test.trk
  EXPECT_EQ(run.s.TrackBaseName, "Test");

  run.Load(TrackFilePlan{}, "/h/e/.trk");
  DecodeTrackFile(run.s);
  DrawTerrainMap(run.s);
  EXPECT_EQ(run.s.TrackBaseName, "Test");  // an empty track name keeps it

  run.Load(TrackFilePlan{}, "C:\\h\\e\\Road.trk");
  DecodeTrackFile(run.s);
  DrawTerrainMap(run.s);
  EXPECT_EQ(run.s.TrackBaseName, "Road");
}

// The band's texts are drawn in white on the band colour. Only checked when
// the map font can be had on this machine.
TEST(DrawTerrainMap, TextBandHoldsTheTexts) {
  TrackRun run;
  if (!platform::LoadFont(kMapFont, "Lucida Console:spacing=mono", 12, 96) ||
      platform::FontCellHeight(kMapFont) <= 0) {
    GTEST_SKIP() << "no map font";
  }
  TrackFilePlan t;
  t.ghostTime = 5432;
  t.ghostDriver = "Max";
  DrawMap(run, t);
  auto whiteIn = [](int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) n += MapPixel(x, y) == Rgb(255, 255, 255);
    }
    return n;
  };
  EXPECT_GT(whiteIn(20, 530, 80, 545), 0);   // time text
  EXPECT_GT(whiteIn(90, 520, 140, 535), 0);  // "Test"
  EXPECT_GT(whiteIn(90, 540, 200, 555), 0);  // "Max / Car"
  EXPECT_EQ(whiteIn(0, 512, 15, 559), 0);
  EXPECT_EQ(whiteIn(300, 512, 511, 559), 0);
  platform::DeleteAllFonts();
}

TEST(DrawWater, BoxesBelowTheWaterLevel) {
  TrackRun run;
  TrackFilePlan t;
  t.terrain = {TerrainWord(9, 4095), TerrainWord(9, 4095)};  // white rows 511 … 496
  t.waterLevel = 200;
  t.heightFill = 200;  // not below
  t.heights.assign(4096, 200);
  t.heights[0] = 199;     // row 0, column 0
  t.heights[65] = 0;      // row 1, column 1
  t.heights[4095] = 100;  // row 63, column 63
  t.heights[100] = 255;
  DrawMap(run, t, true);
  // Cell 0: columns 0 to 7, rows 503 to 510; row 511 never gets water.
  EXPECT_EQ(MapPixel(0, 503), kWater);
  EXPECT_EQ(MapPixel(7, 510), kWater);
  EXPECT_EQ(MapPixel(0, 511), Rgb(255, 255, 255));
  EXPECT_EQ(MapPixel(8, 503), Rgb(255, 255, 255));
  EXPECT_EQ(MapPixel(0, 502), Rgb(255, 255, 255));
  // Cell 65: (8, 495) to (15, 502).
  EXPECT_EQ(MapPixel(8, 495), kWater);
  EXPECT_EQ(MapPixel(15, 502), kWater);
  EXPECT_EQ(MapPixel(16, 502), Rgb(255, 255, 255));
  // Cell 4095: box at (504, −1), so rows 0 to 6.
  EXPECT_EQ(MapPixel(504, 0), kWater);
  EXPECT_EQ(MapPixel(511, 6), kWater);
  EXPECT_EQ(MapPixel(511, 7), kBackground);
  EXPECT_EQ(MapPixel(503, 0), kBackground);
  EXPECT_EQ(ui::ShownImage(kTrackMapView), kMapImage);
}

TEST(DrawWater, LevelsCompareUnsigned) {
  struct Case { std::uint8_t level, height; bool water; };
  for (const Case& c : {Case{0, 0, false}, Case{255, 254, true}, Case{255, 255, false},
                        Case{100, 200, false}, Case{200, 100, true}, Case{129, 128, true}}) {
    TrackRun run;
    TrackFilePlan t;
    t.waterLevel = c.level;
    t.heightFill = c.height;
    DrawMap(run, t, true);
    int boxes = 0;
    for (int i = 0; i < 4096; ++i) {
      boxes += MapPixel(8 * (i % 64) + 3, 503 - 8 * (i / 64) + 3) == kWater;
    }
    EXPECT_EQ(boxes, c.water ? 4096 : 0) << int(c.level) << " " << int(c.height);
  }
}

TEST(DrawTerrainMap, WithoutAMapImageTheLaterStepsDrawNothing) {
  // A map bitmap that cannot become a picture is not reachable from a file;
  // the later steps on a missing image must simply do nothing.
  TrackRun run;
  TrackFilePlan t;
  t.waterLevel = 255;
  t.objects = {{10, 200, 200, 0}};
  t.ghostTime = 100;
  t.ghostPoints = {{5900, 2950}};
  run.Load(t);
  DecodeTrackFile(run.s);
  DrawWater(run.s);
  DrawTrackObjects(run.s);
  DrawGhostLap(run.s);
  EXPECT_FALSE(platform::ImageExists(kMapImage));
}

}  // namespace
