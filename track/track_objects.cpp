#include <cmath>

#include "platform/raster.h"
#include "platform/ui.h"
#include "track/track.h"
#include "track/track_file.h"

namespace track {

TurnedCorners TurnedRectangleCorners(int x, int y, std::uint8_t a, int hw, int hl) {
  // The angle byte counts 1/244 turns; +61 turns byte 0 to the x direction.
  int f = a + 61;
  if (f > 244) f -= 244;
  // Single-precision constants and roundings, as the map has always been
  // drawn; the rest in double. Axis-parallel objects land just beside whole
  // numbers, so each rounding decides a pixel.
  constexpr float kDegreesPerStep = 1.47541f;  // 360 / 244
  constexpr float kRadiansPerDegree = 0.01745f;
  constexpr float kQuarterTurn = 1.5707964f;
  float theta = static_cast<float>(f * static_cast<double>(kDegreesPerStep));
  theta = static_cast<float>(static_cast<double>(theta) * static_cast<double>(kRadiansPerDegree));
  const double th = theta;

  const double along = static_cast<double>(hl);
  const float fx = static_cast<float>(x + along * std::sin(th));
  const float fy = static_cast<float>(y - along * std::cos(th));
  const float bx = static_cast<float>(x - along * std::sin(th));
  const float by = static_cast<float>(y + along * std::cos(th));
  const double cross = static_cast<double>(kQuarterTurn) - th;
  const float u = static_cast<float>(hw * std::sin(cross));
  const float v = static_cast<float>(hw * std::cos(cross));

  // Rounded to single precision, then truncated toward zero.
  auto corner = [](float cx, float cy, double dx, double dy) {
    return MapPoint{static_cast<int>(static_cast<float>(cx + dx)),
                    static_cast<int>(static_cast<float>(cy + dy))};
  };
  TurnedCorners c;
  c.p1 = corner(fx, fy, -static_cast<double>(u), -static_cast<double>(v));
  c.p2 = corner(fx, fy, u, v);
  c.p3 = corner(bx, by, -static_cast<double>(u), -static_cast<double>(v));
  c.p4 = corner(bx, by, u, v);
  return c;
}

}  // namespace track

namespace {

using namespace track;
using platform::Colour;

constexpr Colour kLargeOutline = platform::Rgb(170, 170, 170);

struct TrackObject {
  std::int8_t type;
  int x;  // picture position of the centre
  int y;
  std::uint8_t angle;
};

// Visits the records k = 0 … ObjectCount (ObjectCount + 1 of them) in file
// order, but none that starts past the loaded bytes: such a record reads as
// zeros, type 0, which no pass draws. A negative count visits none.
template <typename Visit>
void ForEachObject(const RunState& s, Visit visit) {
  const ByteView v = TrackBytes(s);
  const std::int64_t count = s.TrackLayout.ObjectCount;
  const std::int64_t first = std::int64_t{s.TrackLayout.ObjectSectionOffset} + kFirstObject;
  for (std::int64_t k = 0; k <= count; ++k) {
    const std::int64_t at = first + kObjectSize * k;
    if (at >= v.size) break;
    // Centre: X ÷ 2 and 511 − Y ÷ 2, truncating toward zero.
    visit(TrackObject{v.S8(at + kObjectType), v.S16(at + kObjectX) / 2,
                      511 - v.S16(at + kObjectY) / 2, v.U8(at + kObjectAngle)});
  }
}

// Dots and markers: centre within 1 … 510 on both axes.
bool InInnerArea(const TrackObject& o) {
  return o.x >= 1 && o.x <= 510 && o.y >= 1 && o.y <= 510;
}

// Rectangles: centre within hw … 510 − hw on both axes (the half width also
// along the long side).
bool InRectangleArea(const TrackObject& o, int hw) {
  return o.x >= hw && o.x <= 510 - hw && o.y >= hw && o.y <= 510 - hw;
}

void DrawTurnedRectangle(const TrackObject& o, int hw, int hl, Colour c) {
  const TurnedCorners k = TurnedRectangleCorners(o.x, o.y, o.angle, hw, hl);
  platform::DrawLine(k.p1.x, k.p1.y, k.p2.x, k.p2.y, c);
  platform::DrawLine(k.p3.x, k.p3.y, k.p4.x, k.p4.y, c);
  platform::DrawLine(k.p1.x, k.p1.y, k.p3.x, k.p3.y, c);
  platform::DrawLine(k.p2.x, k.p2.y, k.p4.x, k.p4.y, c);
}

}  // namespace

void DrawTrackObjects(RunState& s) {
  const auto& pal = s.Palette;
  platform::BeginDrawing(kMapImage);

  // Pass 1: type 10, 3 × 3 dots.
  ForEachObject(s, [&](const TrackObject& o) {
    if (o.type != 10 || !InInnerArea(o)) return;
    for (int j = -1; j <= 1; ++j) {
      for (int i = -1; i <= 1; ++i) platform::Plot(o.x + i, o.y + j, pal[7]);
    }
  });

  // Pass 2: type 9, 5 × 5 markers with a light centre.
  ForEachObject(s, [&](const TrackObject& o) {
    if (o.type != 9 || !InInnerArea(o)) return;
    platform::DrawBox(o.x - 2, o.y - 2, 5, 5, pal[0]);
    platform::Plot(o.x, o.y, pal[7]);
  });

  // Passes 3 and 4 size their rectangles by Scale; with Scale 0 the sizes
  // have no value and no rectangle is drawn.
  const int scale = s.TrackLayout.Scale;
  if (scale != 0) {
    // Pass 3: types 17 and 18, large grey rectangles, filled.
    const int hw3 = (6200 / scale) / 2;
    const int hl3 = (15900 / scale) / 2;
    ForEachObject(s, [&](const TrackObject& o) {
      if ((o.type != 17 && o.type != 18) || !InRectangleArea(o, hw3)) return;
      DrawTurnedRectangle(o, hw3, hl3, kLargeOutline);
      platform::FloodFill(o.x, o.y, kLargeOutline, pal[1]);
    });

    // Pass 4: types 1, 2, 3 and 23, thin outlines coloured by type.
    const int hw4 = (400 / scale) / 2;
    const int hl4 = (3100 / scale) / 2;
    ForEachObject(s, [&](const TrackObject& o) {
      Colour c;
      switch (o.type) {
        case 1: c = pal[9]; break;
        case 2: c = pal[11]; break;
        case 3: c = pal[10]; break;
        case 23: c = pal[4]; break;
        default: return;
      }
      if (!InRectangleArea(o, hw4)) return;
      DrawTurnedRectangle(o, hw4, hl4, c);
    });
  }

  platform::EndDrawing();
  ui::ShowImage(kTrackMapView, kMapImage);
}
