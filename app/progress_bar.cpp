#include "app/progress_bar.h"

#include "platform/raster.h"
#include "platform/ui.h"

namespace {

constexpr int kWidth = 512;
constexpr int kHeight = 30;
constexpr std::size_t kMaxTextLength = 50;
// Positions from this on carry a closing message that stands alone.
constexpr std::int16_t kMessagePosition = 99;

}  // namespace

std::string ProgressBarText(std::int16_t position, std::int16_t total, const std::string& text) {
  std::string shown = text;
  if (position < kMessagePosition) {
    shown = Decimal(position) + " / " + Decimal(total) + " " + text;
  }
  if (shown.size() > kMaxTextLength) shown = shown.substr(0, kMaxTextLength - 3) + "...";
  return shown;
}

void DrawProgressBar(const RunState& s, std::int16_t position, std::int16_t total,
                     const std::string& text) {
  if (!platform::CreateImage(kProgressImage, kWidth, kHeight)) return;
  platform::BeginDrawing(kProgressImage);
  platform::SetTransparentText();
  platform::ChooseFont(kLabelFont);
  platform::DrawBox(0, 0, kWidth, kHeight, s.Palette[16]);

  const std::string shown = ProgressBarText(position, total, text);

  // Callers pass a total of at least 1; a zero total draws no bar rather
  // than dividing by zero.
  const auto barWidth =
      static_cast<std::int16_t>(total != 0 ? position * kWidth / total : 0);
  platform::DrawBox(0, 0, barWidth, kHeight, s.Palette[17]);

  const auto textWidth = static_cast<std::int16_t>(platform::TextWidth(shown));
  platform::DrawText(kWidth / 2 - textWidth / 2, 5, shown, s.Palette[13]);
  platform::EndDrawing();
  ui::ShowImage(kProgressView, kProgressImage);
}
