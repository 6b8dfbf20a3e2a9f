#include <cmath>

#include "platform/raster.h"
#include "platform/ui.h"
#include "track/track.h"
#include "track/track_file.h"

namespace {

using namespace track;

constexpr platform::Colour kGhostDot = platform::Rgb(0, 0, 255);

// A ghost coordinate in map pixels: the quotient in double, rounded to the
// nearest integer with ties to even (the default rounding mode).
int GhostPixel(std::uint16_t c, float k) {
  return static_cast<int>(std::nearbyint(static_cast<double>(c) / static_cast<double>(k)));
}

}  // namespace

void DrawGhostLap(RunState& s) {
  if (s.GhostTime >= kNoLapTime) {
    ui::AppendLine(kLogEditor, "kein Ghost!");
    return;
  }
  platform::BeginDrawing(kMapImage);

  const ByteView v = TrackBytes(s);
  const std::int64_t section = s.TrackLayout.GhostSectionOffset;
  // k = Scale × 29.5 ÷ 100, rounded to single precision (29.5 at Scale 100).
  const float k = static_cast<float>(s.TrackLayout.Scale * 29.5 / 100.0);

  // Layout 120 leaves bytes 2, 6 and 10 of the first point zero.
  bool is120 = true;
  for (std::int64_t probe : kLayoutProbe) is120 = is120 && v.S16(section + probe) == 0;
  const std::int64_t stride = is120 ? kStride120 : kStride110;
  const std::int64_t yAt = is120 ? kY120 : kY110;

  // Points j = 0 … M (M + 1 of them), none starting past the loaded bytes:
  // such a point reads X = 0 and is skipped anyway. A negative M gives none.
  // With Scale 0 there is no pixel position for any point; none is drawn.
  if (k != 0.0f) {
    const std::int64_t m = s.TrackLayout.GhostPointCount;
    for (std::int64_t j = 0; j <= m; ++j) {
      const std::int64_t at = section + kGhostPoints + j * stride;
      if (at >= v.size) break;
      const int x = GhostPixel(v.U16(at), k);
      const int y = 511 - GhostPixel(v.U16(at + yAt), k);
      if (x < 1 || x > 510 || y < 1 || y > 510) continue;
      for (int l = -1; l <= 1; ++l) {
        for (int i = -1; i <= 1; ++i) platform::Plot(x + i, y + l, kGhostDot);
      }
    }
  }

  platform::EndDrawing();
  ui::ShowImage(kTrackMapView, kMapImage);
  ui::AppendLine(kLogEditor, is120 ? "Ghost = 120" : "Ghost = 110");
}
