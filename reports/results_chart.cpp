// DrawResultsChart: the ranking as a horizontal bar chart in image 1, shown
// in TrackMapView and saved as a PNG beside the results text file.
//
// Layout (pixels): width 450, height 30 n + 80. Row i has its label at
// (20, 30 + 30 i) and its bar from the vertical axis at x0 = widest label +
// 30; the time axis runs along y = 30 n + 30 up to x = 430, with ticks and
// labels at both bounds and in the middle.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "app/progress_bar.h"
#include "platform/raster.h"
#include "platform/ui.h"
#include "reports/reports.h"
#include "reports/result_lines.h"

namespace {

using platform::Colour;

constexpr int kChartWidth = 450;
constexpr int kRowHeight = 30;
constexpr int kTopMargin = 30;         // y of row 0
constexpr int kExtraHeight = 80;       // image height = 30 n + this
constexpr int kLabelX = 20;
constexpr int kAxisGap = 30;           // x0 = widest label + this
constexpr int kAxisRight = 430;        // the time axis ends here
constexpr int kTickLength = 5;
constexpr int kTickLabelGap = 10;      // tick labels at yEnd + this
constexpr int kBarHeight = 15;
constexpr Colour kBarColour = platform::Rgb(0, 0, 255);
constexpr int kOutlinePaletteSlot = 8;
constexpr int kBackgroundPaletteSlot = 9;
constexpr int kLabelPaletteSlot = 12;

// Times and bounds are hundredths of a second.
constexpr std::int32_t kHundredths = 100;
// A first time within this of its whole second moves the lower bound half a
// second down, so that the fastest bar never starts at zero length.
constexpr std::int32_t kLowerBoundRoom = 10;
constexpr std::int32_t kHalfSecond = 50;

// Bar lengths come from user-editable times; keep them where an int and the
// box drawing's clipping are at ease (the image is only 450 wide).
constexpr double kBarLengthLimit = 1'000'000.0;

// The line with a decimal point put into its time: "4523 Alice" -> "45.23 Alice",
// "0999 Bob" -> "9.99 Bob". Characters beyond the line's end are empty.
std::string RowLabel(const std::string& line, std::int32_t t) {
  const std::string head = t < 1000 ? line.substr(std::min<std::size_t>(1, line.size()), 1)
                                    : line.substr(0, 2);
  return head + "." + line.substr(std::min<std::size_t>(2, line.size()));
}

// A value's decimal text with "." in front of its last two characters:
// 4500 -> "45.00", -50 -> "-.50", 25 -> ".25", 5 -> ".5".
std::string TickLabel(std::int64_t value) {
  const std::string s = Decimal(value);
  const std::size_t cut = s.size() >= 2 ? s.size() - 2 : 0;
  return s.substr(0, cut) + "." + s.substr(cut);
}

void DrawTick(int x, int yEnd, std::int64_t value) {
  platform::DrawRelativeLine(x, yEnd, 0, kTickLength);
  const std::string label = TickLabel(value);
  platform::DrawText(x - platform::TextWidth(label) / 2, yEnd + kTickLabelGap, label);
}

}  // namespace

void DrawResultsChart(RunState& s) {
  SortResultsAscending(s.ResultList);
  const std::int64_t n = static_cast<std::int64_t>(s.ResultList.size());

  // A list too long for any image fails like an image that cannot be made
  // (and, like it, discards the old image 1).
  const std::int64_t height =
      std::min<std::int64_t>(kRowHeight * n + kExtraHeight, std::numeric_limits<int>::max());
  if (!platform::CreateImage(kMapImage, kChartWidth, static_cast<int>(height))) return;

  platform::BeginDrawing(kMapImage);
  platform::ChooseFont(kLabelFont);
  platform::FloodFill(0, 0, s.Palette[kOutlinePaletteSlot], s.Palette[kBackgroundPaletteSlot]);

  // Labels. The list is ascending as text, so the first line holds the
  // smallest time and max ends as the last time below 6000 after the first.
  std::int32_t minTime = 0;
  std::int32_t maxTime = 0;
  int widest = 0;
  int y = kTopMargin;
  for (std::size_t i = 0; i < s.ResultList.size(); ++i, y += kRowHeight) {
    const std::string& line = s.ResultList[i];
    const std::int32_t t = ResultLineTime(line);
    if (i == 0) {
      minTime = t;
    } else if (t < kNoLapTime) {
      maxTime = t;
    }
    const std::string label = RowLabel(line, t);
    platform::DrawText(kLabelX, y, label, s.Palette[kLabelPaletteSlot]);
    widest = std::max(widest, platform::TextWidth(label));
  }

  // Axes.
  const int x0 = widest + kAxisGap;
  const int yEnd = static_cast<int>(kRowHeight * n + kTopMargin);
  const int axisLength = kAxisRight - x0;
  platform::DrawLine(x0, kTopMargin, x0, yEnd);
  platform::DrawRelativeLine(x0, yEnd, axisLength, 0);

  // Bounds: whole or half seconds around the times.
  const std::int32_t lo = minTime / kHundredths * kHundredths;
  s.ChartMin = (minTime - lo < kLowerBoundRoom) ? lo - kHalfSecond : lo;
  s.ChartMax = maxTime / kHundredths * kHundredths + kHundredths;
  const std::int64_t span = static_cast<std::int64_t>(s.ChartMax) - s.ChartMin;

  DrawTick(x0, yEnd, s.ChartMin);
  DrawTick(x0 + axisLength, yEnd, s.ChartMax);
  DrawTick(x0 + axisLength / 2, yEnd, s.ChartMin + span / 2);

  // Bars: only for real lap times; a line without one keeps its label row.
  y = kTopMargin;
  for (const std::string& line : s.ResultList) {
    const std::int32_t t = ResultLineTime(line);
    if (t > 0 && t < kNoLapTime && span != 0) {
      const double length = static_cast<double>(axisLength) *
                            (static_cast<double>(t) - s.ChartMin) / static_cast<double>(span);
      const double clamped = std::clamp(std::trunc(length), -kBarLengthLimit, kBarLengthLimit);
      platform::DrawBox(x0, y, static_cast<int>(clamped), kBarHeight, kBarColour);
    }
    y += kRowHeight;
  }

  platform::EndDrawing();
  ui::ShowImage(kTrackMapView, kMapImage);

  // As with the text report: no hotlap folder, no file (and no status text).
  if (!s.HotlapFolder.empty() &&
      platform::SaveImagePng(kMapImage, s.HotlapFolder + s.TrackBaseName + ".png")) {
    DrawProgressBar(s, s.EntryNumber, s.EntryNumber, s.TrackBaseName + ".txt/png saved");
  }
}
