#include "app/run_state.h"

#include "platform/files.h"

namespace {

using platform::Rgb;

// Palette slots 0 to 18; 19 to 21 stay black.
constexpr std::array<platform::Colour, 19> kPaletteStart = {
    Rgb(160, 160, 160), Rgb(180, 180, 180), Rgb(144, 220, 96),  Rgb(190, 200, 128),
    Rgb(150, 140, 100), Rgb(190, 180, 160), Rgb(240, 220, 210), Rgb(246, 251, 254),
    Rgb(220, 231, 240), Rgb(255, 255, 255), Rgb(255, 255, 0),   Rgb(255, 0, 0),
    Rgb(63, 63, 63),    Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(0, 0, 0),
    Rgb(200, 230, 239), Rgb(160, 180, 200), Rgb(212, 208, 200),
};

// Terrain code 0 to 15 -> index into the map bitmap's 256-colour palette;
// slots 16 and 17 stay 0.
constexpr std::array<std::int32_t, 16> kTerrainStart = {
    23, 26, 42, 154, 59, 83, 89, 104, 100, 242, 245, 244, 9, 0, 0, 0,
};

}  // namespace

void InitRunState(RunState& s, const std::string& workingDirectory) {
  s = RunState{};
  for (std::size_t i = 0; i < kPaletteStart.size(); ++i) s.Palette[i] = kPaletteStart[i];
  for (std::size_t i = 0; i < kTerrainStart.size(); ++i) s.TerrainColourMap[i] = kTerrainStart[i];
  s.StartDirectory = workingDirectory;
  if (s.StartDirectory.empty() || s.StartDirectory.back() != platform::kPathSeparator) {
    s.StartDirectory.push_back(platform::kPathSeparator);
  }
  s.FileBuffer.assign(kFileBufferSize, 0);
  s.LineBreak = "\r\n";
}

std::string Decimal(long long n) { return std::to_string(n); }
