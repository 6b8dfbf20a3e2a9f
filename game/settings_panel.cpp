#include "game/game.h"
#include "platform/raster.h"

namespace {

// SettingsPanel: 480 × 140; bar b's row starts at y = 20 b + 8.
constexpr int kPanelWidth = 480;
constexpr int kPanelHeight = 140;
constexpr int kLabelX = 10;
constexpr int kTrackX = 150;
constexpr int kTrackWidth = 250;
constexpr int kRowHeight = 18;
constexpr int kValueCentreX = 275;  // the middle of the bar track

// Palette slots.
constexpr std::size_t kTextColour = 13;
constexpr std::size_t kTrackColour = 16;
constexpr std::size_t kFillColour = 17;
constexpr std::size_t kPanelColour = 18;

}  // namespace

void DrawSettingsBar(const RunState& s, std::int16_t bar, std::int16_t value,
                     std::int16_t maximum, const std::string& label,
                     const std::string& valueText) {
  if (bar == 0) {
    if (!platform::CreateImage(kSettingsPanelImage, kPanelWidth, kPanelHeight)) return;
    platform::BeginDrawing(kSettingsPanelImage);
    platform::DrawBox(0, 0, kPanelWidth, kPanelHeight, s.Palette[kPanelColour]);
    platform::EndDrawing();
    return;
  }
  // Rows go into the panel that a clearing call made; without one, nothing.
  if (!platform::ImageExists(kSettingsPanelImage)) return;

  platform::BeginDrawing(kSettingsPanelImage);
  platform::SetTransparentText();
  platform::ChooseFont(kLabelFont);
  const int y = bar * 20 + 8;
  platform::DrawText(kLabelX, y, label, s.Palette[kTextColour]);
  platform::DrawBox(kTrackX, y, kTrackWidth, kRowHeight, s.Palette[kTrackColour]);
  // 32-bit, truncating toward zero; a negative width fills to the left of the
  // track, one above 250 runs past its end. A maximum of 0 has no fill.
  if (maximum != 0) {
    const std::int32_t w = static_cast<std::int32_t>(value) * kTrackWidth / maximum;
    if (w != 0) platform::DrawBox(kTrackX, y, w, kRowHeight, s.Palette[kFillColour]);
  }
  const int x = kValueCentreX - platform::TextWidth(valueText) / 2;
  platform::DrawText(x, y, valueText, s.Palette[kTextColour]);
  platform::EndDrawing();
}
