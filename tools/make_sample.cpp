// make-sample <dir>: writes the sample hotlap folder <dir>/hotlap/.
//
// The folder is what an organiser gathers for one competition on the track
// "Lakeside": the reference car file Formula.car and six entry folders, each
// with the driver's track file (the same circuit, the driver's laps and ghost
// lap), a saved game file and, for five of them, a screenshot. The entries
// are made to show every kind of report the checker gives:
//
//   Anna Berg    JPEG 800 × 600                 ghost in 20-byte points
//   JoergH       24-bit BMP 1024 × 768          driver name with the byte F6
//   Kenji_Sato   8-bit BMP 640 × 480            ghost car "Rally GT": not found
//   Marco        JPEG 1024 × 768, fastest lap   older game: 12-byte ghost points,
//                                               game file layout 110
//   Pierre       no screenshot                  damage switched off
//   Tom Walker   progressive JPEG 800 × 600     game raced "Harbour"
//
// Everything is computed from fixed numbers, so every run writes the same
// bytes. An existing <dir>/hotlap/ is removed first (with the report files a
// run of the checker left in it); <dir>/google_charts.txt is left alone.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "platform/raster.h"
#include "tests/fixtures/car_file_writer.h"
#include "tests/fixtures/game_file_writer.h"
#include "tests/fixtures/jpeg_writer.h"
#include "tests/fixtures/screenshot_writer.h"
#include "tests/fixtures/track_file_writer.h"

namespace {

namespace fs = std::filesystem;
using platform::Colour;
using platform::Rgb;

// --- the circuit -------------------------------------------------------------
// Map coordinates: x to the right, y upward, one unit per map pixel, 0 to 511.
// Terrain row y is the track file's terrain row y (row 0 is decoded first and
// lies at the bottom of the map); an object at (x, y) is stored as (2x, 2y);
// a ghost point as (29.5 x, 29.5 y), the units of Scale 100.
constexpr int kSide = 512;
constexpr double kGhostUnit = 29.5;
constexpr int kScale = 100;

struct Point {
  double x = 0;
  double y = 0;
};

// Control points of the centre line, counter-clockwise, starting on the main
// straight just after the start line.
constexpr std::array<Point, 17> kControl = {{
    {110, 90}, {400, 90}, {452, 128}, {458, 215}, {405, 258}, {335, 250},
    {292, 298}, {318, 368}, {418, 398}, {442, 448}, {382, 476}, {200, 470},
    {118, 430}, {88, 340}, {138, 262}, {80, 192}, {70, 122},
}};

constexpr double kRoadHalfWidth = 8;
constexpr double kKerbOuter = 10.5;
constexpr double kGravelOuter = 24;

// A closed Catmull-Rom spline through the control points, sampled every half
// map unit or so.
struct Circuit {
  std::vector<Point> p;        // samples
  std::vector<Point> tangent;  // unit tangents
  std::vector<double> arc;     // arc length from the start line
  std::vector<double> bend;    // signed curvature (left turns positive)
  double length = 0;
};

Point CatmullRom(const Point& a, const Point& b, const Point& c, const Point& d, double t) {
  const double t2 = t * t;
  const double t3 = t2 * t;
  auto f = [&](double p0, double p1, double p2, double p3) {
    return 0.5 * (2 * p1 + (-p0 + p2) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t2 +
                  (-p0 + 3 * p1 - 3 * p2 + p3) * t3);
  };
  return {f(a.x, b.x, c.x, d.x), f(a.y, b.y, c.y, d.y)};
}

Circuit MakeCircuit() {
  Circuit c;
  const std::size_t n = kControl.size();
  constexpr int kStepsPerSpan = 200;
  for (std::size_t i = 0; i < n; ++i) {
    const Point& a = kControl[(i + n - 1) % n];
    const Point& b = kControl[i];
    const Point& d1 = kControl[(i + 1) % n];
    const Point& d2 = kControl[(i + 2) % n];
    for (int k = 0; k < kStepsPerSpan; ++k) c.p.push_back(CatmullRom(a, b, d1, d2, k / double(kStepsPerSpan)));
  }
  const std::size_t m = c.p.size();
  c.tangent.resize(m);
  c.arc.resize(m);
  c.bend.resize(m);
  for (std::size_t i = 0; i < m; ++i) {
    const Point& prev = c.p[(i + m - 1) % m];
    const Point& next = c.p[(i + 1) % m];
    const double dx = next.x - prev.x;
    const double dy = next.y - prev.y;
    const double len = std::hypot(dx, dy);
    c.tangent[i] = {dx / len, dy / len};
    if (i > 0) c.arc[i] = c.arc[i - 1] + std::hypot(c.p[i].x - c.p[i - 1].x, c.p[i].y - c.p[i - 1].y);
  }
  c.length = c.arc[m - 1] + std::hypot(c.p[0].x - c.p[m - 1].x, c.p[0].y - c.p[m - 1].y);
  // Curvature from the turn of the tangent over a window of about 12 units.
  constexpr std::size_t kWindow = 12;
  for (std::size_t i = 0; i < m; ++i) {
    const Point& t0 = c.tangent[(i + m - kWindow) % m];
    const Point& t1 = c.tangent[(i + kWindow) % m];
    const double turn = std::atan2(t0.x * t1.y - t0.y * t1.x, t0.x * t1.x + t0.y * t1.y);
    double span = c.arc[(i + kWindow) % m] - c.arc[(i + m - kWindow) % m];
    if (span <= 0) span += c.length;
    c.bend[i] = turn / span;
  }
  return c;
}

constexpr double kCornerBend = 0.012;  // tighter than a radius of about 80 units
bool InCorner(const Circuit& c, std::size_t i) { return std::fabs(c.bend[i]) > kCornerBend; }

// --- terrain -----------------------------------------------------------------
// Terrain codes and the colours the checker's map gives them.
enum Code : std::uint8_t {
  kAsphalt = 0,
  kPaleAsphalt = 1,
  kGrass = 2,
  kMownGrass = 3,
  kDirt = 4,
  kGravel = 6,
  kWhite = 9,
  kYellow = 10,
  kRed = 11,
  kTarmac = 12,
};
constexpr std::array<Colour, 16> kCodeColour = {
    Rgb(158, 158, 158), Rgb(179, 179, 179), Rgb(145, 202, 91), Rgb(190, 210, 130),
    Rgb(160, 135, 110), Rgb(211, 172, 158), Rgb(250, 220, 210), Rgb(245, 250, 255),
    Rgb(220, 230, 239), Rgb(255, 255, 255), Rgb(255, 255, 0),   Rgb(255, 0, 0),
    Rgb(62, 62, 62),    Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(0, 0, 0)};
constexpr Colour kWaterColour = Rgb(0, 64, 255);

// The lake in the infield and the paddock below the main straight.
constexpr Point kLakeCentre = {222, 190};
constexpr double kLakeRx = 54;
constexpr double kLakeRy = 32;
constexpr int kPaddockLeft = 96, kPaddockRight = 432, kPaddockBottom = 8, kPaddockTop = 78;
constexpr std::uint8_t kWaterLevel = 40;

double LakeRadius(double x, double y) {  // 1 on the lake's edge
  const double dx = (x - kLakeCentre.x) / kLakeRx;
  const double dy = (y - kLakeCentre.y) / kLakeRy;
  return std::sqrt(dx * dx + dy * dy);
}

struct Nearest {
  double distance = 1e9;
  std::size_t sample = 0;
  int side = 0;  // +1 left of the driving direction (the infield), -1 right
};

// For every map pixel, the nearest sample of the centre line within reach.
std::vector<Nearest> DistanceField(const Circuit& c) {
  std::vector<Nearest> field(kSide * kSide);
  constexpr int kReach = 40;
  for (std::size_t i = 0; i < c.p.size(); i += 2) {
    const Point& s = c.p[i];
    const int x0 = std::max(0, int(s.x) - kReach), x1 = std::min(kSide - 1, int(s.x) + kReach);
    const int y0 = std::max(0, int(s.y) - kReach), y1 = std::min(kSide - 1, int(s.y) + kReach);
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        const double dx = x + 0.5 - s.x;
        const double dy = y + 0.5 - s.y;
        const double d = std::hypot(dx, dy);
        Nearest& n = field[y * kSide + x];
        if (d < n.distance) {
          n.distance = d;
          n.sample = i;
          n.side = (c.tangent[i].x * dy - c.tangent[i].y * dx) >= 0 ? 1 : -1;
        }
      }
    }
  }
  return field;
}

struct Terrain {
  std::vector<std::uint8_t> code;     // kSide × kSide, row 0 at the bottom
  std::vector<std::uint8_t> heights;  // 64 × 64 cells, row 0 at the bottom
};

Terrain MakeTerrain(const Circuit& c) {
  const std::vector<Nearest> field = DistanceField(c);
  Terrain t;
  t.code.resize(kSide * kSide);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const Nearest& n = field[y * kSide + x];
      const double arc = c.arc[n.sample];
      const bool corner = InCorner(c, n.sample);
      // The outside of a corner lies against the turn: right of a left turn.
      const bool outside = (c.bend[n.sample] > 0) == (n.side < 0);
      std::uint8_t code = ((x + 2 * y) / 22) % 2 ? kGrass : kMownGrass;
      if (x >= kPaddockLeft && x <= kPaddockRight && y >= kPaddockBottom && y <= kPaddockTop) {
        code = (y == 60 || (y > 60 && x % 24 == 0)) ? kPaleAsphalt : kTarmac;
      }
      const double lake = LakeRadius(x + 0.5, y + 0.5);
      if (lake < 1.22) code = kGravel;           // the beach
      if (lake < 1.0) code = kDirt;              // the lake bed, under the water
      if (n.distance < kGravelOuter && corner && outside) code = kGravel;
      if (n.distance < kKerbOuter && corner) code = int(arc / 5) % 2 ? kRed : kWhite;
      if (n.distance < kRoadHalfWidth) {
        code = kAsphalt;
        if (arc < 2.5 || arc > c.length - 0.5) code = kWhite;  // start and finish line
        // Grid boxes behind the line, left and right, staggered.
        const double back = c.length - arc;
        for (int slot = 0; slot < 4; ++slot) {
          const double at = 14 + 12 * slot;
          const int side = slot % 2 ? -1 : 1;
          if (std::fabs(back - at) < 0.6 && n.side == side && n.distance > 2) code = kYellow;
        }
      }
      t.code[y * kSide + x] = code;
    }
  }
  // Heights: gentle hills, the lake bed below the water level.
  t.heights.resize(64 * 64);
  for (int r = 0; r < 64; ++r) {
    for (int col = 0; col < 64; ++col) {
      const double x = 8 * col + 4, y = 8 * r + 4;
      double h = 110 + 40 * std::sin(x / 70.0) * std::cos(y / 90.0) + 20 * std::sin((x + y) / 45.0);
      // A cell is water only when all of it lies in the lake.
      bool wet = true;
      for (double cy : {y - 4.0, y + 4.0}) {
        for (double cx : {x - 4.0, x + 4.0}) wet = wet && LakeRadius(cx, cy) < 1.0;
      }
      if (wet) h = 12 + 4 * ((col + r) % 3);
      t.heights[r * 64 + col] = static_cast<std::uint8_t>(std::clamp(h, 0.0, 255.0));
    }
  }
  return t;
}

// Run-length words of the terrain, row 0 first; a run holds at most 4095
// pixels.
std::vector<std::uint16_t> TerrainWords(const Terrain& t) {
  std::vector<std::uint16_t> words;
  std::size_t i = 0;
  while (i < t.code.size()) {
    std::size_t j = i;
    while (j < t.code.size() && t.code[j] == t.code[i] && j - i < 4095) ++j;
    words.push_back(fixtures::TerrainWord(t.code[i], static_cast<int>(j - i)));
    i = j;
  }
  return words;
}

bool IsWaterCell(const Terrain& t, double x, double y) {
  const int col = std::clamp(int(x) / 8, 0, 63);
  const int row = std::clamp(int(y - 1) / 8, 0, 63);  // cell row r covers map rows 8r+1 .. 8r+8
  return t.heights[row * 64 + col] < kWaterLevel;
}

// --- objects -----------------------------------------------------------------
// The angle byte of a long axis along `dir` (map coordinates): 244 units a
// turn, clockwise on the picture, 0 along the x axis.
std::uint8_t AngleByte(Point dir) {
  double turns = std::atan2(-dir.y, dir.x) / (2 * std::numbers::pi);
  if (turns < 0) turns += 1;
  return static_cast<std::uint8_t>(static_cast<int>(std::lround(turns * 244)) % 244);
}

fixtures::TrackObjectPlan Object(std::int8_t type, Point at, std::uint8_t angle = 0) {
  fixtures::TrackObjectPlan o;
  o.type = type;
  o.x = static_cast<std::int16_t>(std::lround(2 * at.x));
  o.y = static_cast<std::int16_t>(std::lround(2 * at.y));
  o.angle = angle;
  return o;
}

// A deterministic sequence for the trees.
struct Lcg {
  std::uint32_t state;
  double Next() {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) / double(1 << 24);
  }
};

std::vector<fixtures::TrackObjectPlan> MakeObjects(const Circuit& c, const Terrain& t) {
  std::vector<fixtures::TrackObjectPlan> objects;
  const std::size_t m = c.p.size();
  auto offset = [&](std::size_t i, double d) {  // d > 0: left of the driving direction
    return Point{c.p[i].x - d * c.tangent[i].y, c.p[i].y + d * c.tangent[i].x};
  };

  // Pit garages and the main grandstand in the paddock (types 17 and 18).
  objects.push_back(Object(17, {176, 42}));
  objects.push_back(Object(18, {344, 42}));

  // Pit wall along the main straight (type 1, white).
  for (double x = 132; x <= 388; x += 32) objects.push_back(Object(1, {x, 80}));

  // Corners: tyre walls beyond the gravel (red, or yellow at every other
  // corner), cones at the apex.
  int corner = 0;
  double lastWall = -1e9, lastCone = -1e9;
  bool wasCorner = false;
  for (std::size_t i = 0; i < m; ++i) {
    const bool inCorner = InCorner(c, i);
    if (inCorner && !wasCorner) ++corner;
    wasCorner = inCorner;
    if (!inCorner) continue;
    const double left = c.bend[i] > 0 ? 1 : -1;  // the inside of the corner
    if (c.arc[i] - lastWall >= 32) {
      const Point at = offset(i, -left * (kGravelOuter + 3));
      if (at.x > 12 && at.x < 500 && at.y > 12 && at.y < 500) {
        objects.push_back(Object(corner % 2 ? 2 : 3, at, AngleByte(c.tangent[i])));
      }
      lastWall = c.arc[i];
    }
    if (c.arc[i] - lastCone >= 9) {
      objects.push_back(Object(10, offset(i, left * (kKerbOuter + 3))));
      lastCone = c.arc[i];
    }
  }

  // A wooden fence around the lake (type 23, brown).
  for (int k = 0; k < 12; ++k) {
    const double a = 2 * std::numbers::pi * k / 12;
    const Point at = {kLakeCentre.x + (kLakeRx + 12) * std::cos(a),
                      kLakeCentre.y + (kLakeRy + 12) * std::sin(a)};
    const Point dir = {-(kLakeRx + 12) * std::sin(a), (kLakeRy + 12) * std::cos(a)};
    objects.push_back(Object(23, at, AngleByte(dir)));
  }

  // Trees on the grass (type 9), away from the track, the lake and the paddock.
  const std::vector<Nearest> field = DistanceField(c);
  Lcg random{20240611u};
  int trees = 0;
  while (trees < 48) {
    const Point at = {12 + random.Next() * 488, 12 + random.Next() * 488};
    const Nearest& n = field[int(at.y) * kSide + int(at.x)];
    const bool paddock = at.x > kPaddockLeft - 8 && at.x < kPaddockRight + 8 &&
                         at.y < kPaddockTop + 8;
    if (n.distance < 34 || paddock || LakeRadius(at.x, at.y) < 1.6) continue;
    objects.push_back(Object(9, at));
    ++trees;
  }
  (void)t;
  return objects;
}

// --- laps and ghosts -----------------------------------------------------------
struct Driver {
  const char* folder;
  std::string name;        // as the game stores it (at most 12 characters)
  std::int16_t lapTime;    // the ghost lap, hundredths of a second
  double lineOffset;       // how far the driver's line swings from the centre
  double linePhase;
  std::uint32_t seed;      // the other laps
  double shotAt;           // where the screenshot shows the car, as a part of the lap
};

// Points of the ghost lap: one every tenth of a second, slower through the
// corners, the driver's own line swinging around the centre line.
std::vector<fixtures::GhostPointPlan> GhostPoints(const Circuit& c, const Driver& d) {
  const std::size_t m = c.p.size();
  // Time to cover each sample step, up to a common factor.
  std::vector<double> time(m + 1, 0);
  for (std::size_t i = 0; i < m; ++i) {
    const double step = (i + 1 < m ? c.arc[i + 1] : c.length) - c.arc[i];
    const double speed = 1.0 - 0.5 * std::min(1.0, std::fabs(c.bend[i]) / 0.04);
    time[i + 1] = time[i] + step / speed;
  }
  const int count = d.lapTime / 10;
  std::vector<fixtures::GhostPointPlan> points;
  std::size_t i = 0;
  for (int k = 0; k < count; ++k) {
    const double at = time[m] * k / count;
    while (i + 1 < m && time[i + 1] <= at) ++i;
    const double swing =
        d.lineOffset * std::sin(2 * std::numbers::pi * 4 * c.arc[i] / c.length + d.linePhase);
    const double x = c.p[i].x - swing * c.tangent[i].y;
    const double y = c.p[i].y + swing * c.tangent[i].x;
    points.push_back({static_cast<std::uint16_t>(std::lround(x * kGhostUnit)),
                      static_cast<std::uint16_t>(std::lround(y * kGhostUnit))});
  }
  return points;
}

// --- screenshots ---------------------------------------------------------------
// A 5 × 7 font for the lap time display.
struct Glyph {
  char c;
  std::array<const char*, 7> rows;
};
constexpr std::array<Glyph, 18> kGlyphs = {{
    {'0', {" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "}},
    {'1', {"  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
    {'2', {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"}},
    {'3', {"#####", "   # ", "  #  ", "   # ", "    #", "#   #", " ### "}},
    {'4', {"   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "}},
    {'5', {"#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "}},
    {'6', {"  ## ", " #   ", "#    ", "#### ", "#   #", "#   #", " ### "}},
    {'7', {"#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "}},
    {'8', {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "}},
    {'9', {" ### ", "#   #", "#   #", " ####", "    #", "   # ", " ##  "}},
    {'.', {"     ", "     ", "     ", "     ", "     ", " ##  ", " ##  "}},
    {'L', {"#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"}},
    {'A', {" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
    {'P', {"#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "}},
    {'B', {"#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "}},
    {'E', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"}},
    {'S', {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "}},
    {'T', {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "}},
}};

// Draws `text` into `ink` (a mask of the picture) with its top left at (x, y).
void DrawLabel(std::vector<std::uint8_t>& ink, int width, int height, int x, int y, int size,
               const std::string& text) {
  for (char ch : text) {
    for (const Glyph& g : kGlyphs) {
      if (g.c != ch) continue;
      for (int r = 0; r < 7; ++r) {
        for (int col = 0; col < 5; ++col) {
          if (g.rows[r][col] != '#') continue;
          for (int dy = 0; dy < size; ++dy) {
            for (int dx = 0; dx < size; ++dx) {
              const int px = x + col * size + dx, py = y + r * size + dy;
              if (px >= 0 && px < width && py >= 0 && py < height) ink[py * width + px] = 1;
            }
          }
        }
      }
    }
    x += 6 * size;
  }
}

std::string TimeText(int hundredths) {
  char text[16];
  std::snprintf(text, sizeof text, "%d.%02d", hundredths / 100, hundredths % 100);
  return text;
}

// The game's top-down view around the driver's car, with the lap display in
// a dark band at the top.
// Without `grain` the picture has few colours (for an 8-bit BMP).
platform::Image Screenshot(const Circuit& c, const Terrain& t, const Driver& d, int width,
                           int height, std::size_t carSample, bool grain = true) {
  const double zoom = width / 190.0;  // the view spans 190 map units across
  const Point car = c.p[carSample];
  const Point dir = c.tangent[carSample];
  std::vector<std::uint8_t> ink(static_cast<std::size_t>(width) * height, 0);
  const int size = std::max(2, height / 150);
  const int band = 11 * size;
  DrawLabel(ink, width, height, 2 * size, 2 * size, size, "LAP " + TimeText(d.lapTime));
  DrawLabel(ink, width, height, width - 17 * 6 * size, 2 * size, size,
            "BEST " + TimeText(d.lapTime));

  return fixtures::MakePicture(width, height, [&](int sx, int sy) -> Colour {
    if (sy < band) return ink[sy * width + sx] ? Rgb(255, 255, 0) : Rgb(24, 24, 32);
    const double mx = car.x + (sx - width / 2.0) / zoom;
    const double my = car.y - (sy - (height + band) / 2.0) / zoom;
    // The car: a red body with a white nose, along the driving direction.
    const double along = (mx - car.x) * dir.x + (my - car.y) * dir.y;
    const double across = -(mx - car.x) * dir.y + (my - car.y) * dir.x;
    if (std::fabs(along) < 4.5 && std::fabs(across) < 2.0) {
      return along > 2.5 ? Rgb(255, 255, 255) : Rgb(200, 20, 20);
    }
    if (mx < 0 || my < 0 || mx >= kSide || my >= kSide) return Rgb(104, 150, 66);  // beyond the map
    if (IsWaterCell(t, mx, my)) return kWaterColour;
    const Colour base = kCodeColour[t.code[int(my) * kSide + int(mx)]];
    if (!grain) return base;
    // A little grain, as the game's textures have.
    const int grain = ((int(mx * 3) * 7 + int(my * 3) * 13) % 5) - 2;
    return Rgb(std::clamp(platform::RedOf(base) + 3 * grain, 0, 255),
               std::clamp(platform::GreenOf(base) + 3 * grain, 0, 255),
               std::clamp(platform::BlueOf(base) + 3 * grain, 0, 255));
  });
}

// --- files -------------------------------------------------------------------
bool WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "make-sample: cannot write %s\n", path.string().c_str());
    return false;
  }
  return true;
}

constexpr std::array<std::uint8_t, 16> kLakesideIdentity = {
    0x4C, 0x4B, 0x53, 0x44, 0x01, 0x20, 0x7F, 0x00, 0x9A, 0x3C, 0xE1, 0x05, 0x44, 0xB0, 0x12, 0x6D};
constexpr std::array<std::uint8_t, 16> kHarbourIdentity = {
    0x48, 0x52, 0x42, 0x52, 0x01, 0x20, 0x3E, 0x00, 0x17, 0xC4, 0x08, 0x9D, 0x61, 0x02, 0xF3, 0x2A};

constexpr char kReferenceCar[] = "Formula";
constexpr std::uint32_t kReferenceCarSeed = 1995;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-sample <dir>   (writes <dir>/hotlap/)\n");
    return 2;
  }
  const fs::path hotlap = fs::path(argv[1]) / "hotlap";
  std::error_code ec;
  fs::remove_all(hotlap, ec);
  if (ec || !fs::create_directories(hotlap, ec)) {
    std::fprintf(stderr, "make-sample: cannot make %s\n", hotlap.string().c_str());
    return 1;
  }

  const Circuit circuit = MakeCircuit();
  const Terrain terrain = MakeTerrain(circuit);

  fixtures::TrackFilePlan track;
  track.version = 288;
  track.scale = kScale;
  track.waterLevel = kWaterLevel;
  track.terrain = TerrainWords(terrain);
  track.heights = terrain.heights;
  track.objects = MakeObjects(circuit, terrain);
  // Eight zero bytes after the object list: the checker's passes look at one
  // record more than the count, and a zero type draws nothing.
  track.afterObjects.assign(8, 0);
  // The track's own record lap, which ships with the track file.
  track.recordTime = 4352;
  track.recordDriver = "Torvanic";
  track.recordCarName = kReferenceCar;
  track.recordCarSeed = kReferenceCarSeed;
  track.ghostCarName = kReferenceCar;
  track.ghostCarSeed = kReferenceCarSeed;

  const std::vector<std::uint8_t> carBlock =
      fixtures::MakeCarBlock(kReferenceCar, kReferenceCarSeed);
  bool ok = WriteBytes(hotlap / "Formula.car",
                       fixtures::MakeReferenceCarFile(carBlock, 36, 1612, 31));

  const std::vector<Driver> drivers = {
      {"Anna Berg", "Anna Berg", 4487, 2.5, 0.3, 11, 0.04},
      {"JoergH", "J\xF6rg Haas", 4512, 3.0, 1.7, 12, 0.27},
      {"Kenji_Sato", "Kenji Sato", 4633, 2.0, 2.9, 13, 0.45},
      {"Marco", "Marco Rossi", 4398, 1.5, 4.1, 14, 0.52},
      {"Pierre", "Pierre D.", 4571, 3.5, 5.0, 15, 0.0},
      {"Tom Walker", "Tom Walker", 4702, 2.8, 0.9, 16, 0.86},
  };
  for (const Driver& d : drivers) {
    const fs::path folder = hotlap / d.folder;
    fs::create_directories(folder, ec);
    const std::string who = d.folder;

    fixtures::TrackFilePlan t = track;
    t.ghostTime = d.lapTime;
    t.ghostDriver = d.name;
    Lcg laps{d.seed};
    for (std::size_t k = 0; k < t.otherTimes.size(); ++k) {
      t.otherTimes[k] = static_cast<std::int16_t>(d.lapTime + 20 + int(laps.Next() * 180));
      t.otherDrivers[k] = d.name;
    }
    std::sort(t.otherTimes.begin(), t.otherTimes.end());
    t.ghostPoints = GhostPoints(circuit, d);
    fixtures::GameFilePlan g;
    g.trackName = "Lakeside";
    g.identity = kLakesideIdentity;
    g.trackIndex = 3;
    g.tableSize = 8;
    if (who == "Kenji_Sato") {
      t.ghostCarName = "Rally GT";
      t.ghostCarSeed = 77;
    }
    if (who == "Marco") {  // an older game version
      t.version = 272;
      t.ghostLayout = fixtures::GhostLayout::k110;
      g.version = 272;
    }
    if (who == "Pierre") g.damage = 0;
    if (who == "Tom Walker") {
      g.trackName = "Harbour";
      g.identity = kHarbourIdentity;
      g.trackIndex = 5;
    }
    if (who == "JoergH") g.carCount = 2;
    ok = WriteBytes(folder / "Lakeside.trk", fixtures::WriteTrackFile(t)) && ok;
    ok = WriteBytes(folder / (who == "Marco" ? "HOTLAP.GAM" : "hotlap.gam"),
                    fixtures::WriteGameFile(g)) && ok;

    const std::size_t carAt = static_cast<std::size_t>(d.shotAt * circuit.p.size());
    if (who == "Anna Berg") {
      ok = WriteBytes(folder / "screen.jpg",
                      fixtures::EncodeJpeg(Screenshot(circuit, terrain, d, 800, 600, carAt))) && ok;
    } else if (who == "JoergH") {
      ok = WriteBytes(folder / "hotlap.bmp",
                      fixtures::EncodeBmp24(Screenshot(circuit, terrain, d, 1024, 768, carAt))) && ok;
    } else if (who == "Kenji_Sato") {
      ok = WriteBytes(folder / "Screen.BMP",
                      fixtures::EncodeBmp8(Screenshot(circuit, terrain, d, 640, 480, carAt, false))) && ok;
    } else if (who == "Marco") {
      ok = WriteBytes(folder / "Marco.JPG",
                      fixtures::EncodeJpeg(Screenshot(circuit, terrain, d, 1024, 768, carAt),
                                           {.quality = 85})) && ok;
    } else if (who == "Tom Walker") {
      ok = WriteBytes(folder / "shot.jpg",
                      fixtures::EncodeJpeg(Screenshot(circuit, terrain, d, 800, 600, carAt),
                                           {.quality = 80, .progressive = true})) && ok;
    }
  }
  if (!ok) return 1;
  std::printf("make-sample: wrote %s\n", hotlap.string().c_str());
  return 0;
}
