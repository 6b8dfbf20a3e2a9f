#include <algorithm>
#include <cstring>

#include "platform/raster.h"
#include "platform/ui.h"
#include "track/track.h"
#include "track/track_file.h"

namespace track {

namespace {

using platform::Colour;
using platform::Rgb;

struct Ramp {
  int from, to;        // palette entries, both included
  int r0, g0, b0;      // colour of `from`
  int r1, g1, b1;      // colour of `to`
};

constexpr Ramp kRamps[] = {
    {0, 29, 0, 0, 0, 200, 200, 200},         {30, 44, 60, 100, 40, 160, 220, 100},
    {45, 59, 70, 60, 50, 160, 135, 110},     {60, 74, 100, 70, 40, 220, 180, 160},
    {75, 89, 160, 110, 90, 250, 220, 210},   {90, 104, 160, 180, 200, 245, 250, 255},
    {105, 109, 200, 200, 200, 255, 250, 245}, {110, 114, 200, 200, 0, 255, 250, 60},
    {115, 119, 200, 0, 0, 255, 60, 60},      {248, 255, 64, 160, 255, 255, 255, 255},
};

constexpr Colour kFixedEntries[8] = {  // entries 240 to 247
    Rgb(0, 100, 150), Rgb(0, 50, 75),  Rgb(255, 255, 255), Rgb(255, 100, 100),
    Rgb(255, 0, 0),   Rgb(255, 255, 0), Rgb(192, 192, 0),  Rgb(0, 255, 0),
};

// Floor division (the ramps' steps round down, also for a falling channel).
constexpr int FloorDiv(int a, int b) {
  const int q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

constexpr int RampChannel(int c0, int c1, int k, int span) {
  return c0 + FloorDiv((c1 - c0) * k, span);
}

void Put16(std::uint8_t* p, std::size_t at, std::uint16_t v) {
  p[at] = static_cast<std::uint8_t>(v & 0xFF);
  p[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::uint8_t* p, std::size_t at, std::uint32_t v) {
  Put16(p, at, static_cast<std::uint16_t>(v & 0xFFFF));
  Put16(p, at + 2, static_cast<std::uint16_t>(v >> 16));
}

constexpr platform::Colour kBandFront = Rgb(255, 255, 255);
constexpr platform::Colour kBandBack = Rgb(0, 100, 150);
constexpr platform::Colour kWater = Rgb(0, 64, 255);

}  // namespace

platform::Colour MapPaletteColour(int index) {
  for (const Ramp& r : kRamps) {
    if (index >= r.from && index <= r.to) {
      const int k = index - r.from;
      const int span = r.to - r.from;
      return Rgb(RampChannel(r.r0, r.r1, k, span), RampChannel(r.g0, r.g1, k, span),
                 RampChannel(r.b0, r.b1, k, span));
    }
  }
  if (index >= 240 && index <= 247) return kFixedEntries[index - 240];
  if (index == 154) return Rgb(190, 210, 130);
  return 0;  // not referenced by the checker
}

void WriteMapBitmapTemplate(std::uint8_t* out) {
  std::memset(out, 0, kBmpTemplateSize);
  // File header.
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, 1334);  // file size field: the template's, not the picture's
  Put32(out, 10, static_cast<std::uint32_t>(kPixelArrayOffset));
  // Information header.
  Put32(out, 14, 40);
  Put32(out, 18, kMapWidth);
  Put32(out, 22, kMapHeight);  // positive: bottom row stored first
  Put16(out, 26, 1);           // planes
  Put16(out, 28, 8);           // bits per pixel
  Put32(out, 30, 0);           // no compression
  Put32(out, 34, 256);         // image size field
  Put32(out, 46, 256);         // colours used
  Put32(out, 50, 256);         // important colours
  // Palette: blue, green, red, 0.
  for (int i = 0; i < 256; ++i) {
    const Colour c = MapPaletteColour(i);
    std::uint8_t* e = out + 54 + 4 * i;
    e[0] = static_cast<std::uint8_t>(platform::BlueOf(c));
    e[1] = static_cast<std::uint8_t>(platform::GreenOf(c));
    e[2] = static_cast<std::uint8_t>(platform::RedOf(c));
    e[3] = 0;
  }
  std::memset(out + kPixelArrayOffset, kBackgroundIndex, kBmpTemplateSize - kPixelArrayOffset);
}

std::string TimeText(std::int16_t t) {
  const std::string s = Decimal(t);
  const std::size_t lead = t > 999 ? 2 : 1;
  const std::string last = s.size() <= 2 ? s : s.substr(s.size() - 2);
  return s.substr(0, lead) + "." + last;
}

MapBandTexts ChooseMapBandTexts(const RunState& s) {
  MapBandTexts b;
  std::int16_t t;
  if (s.GhostTime < kNoLapTime) {
    t = s.GhostTime;
    b.label = s.GhostDriver + " / " + s.CarNames[1];
  } else if (s.RecordTime < kNoLapTime) {
    t = s.RecordTime;
    b.label = s.RecordDriver + " / " + s.CarNames[0];
  } else {
    t = s.RecordTime;
    b.label = "no Best Time";
  }
  b.time = TimeText(t);
  b.trackName = TrackNameOf(s.DataFilePath);
  return b;
}

}  // namespace track

using namespace track;

void DrawTerrainMap(RunState& s) {
  std::uint8_t* bmp = MapBitmap(s);
  std::uint8_t* pixels = bmp + kPixelArrayOffset;
  const std::size_t bmpSize = kPixelArrayOffset + kPixelArraySize;

  WriteMapBitmapTemplate(bmp);
  std::memset(pixels, kBackgroundIndex, kPixelArraySize);
  platform::CreateImageFromBmp(kMapImage, bmp, bmpSize);
  if (!platform::ImageExists(kMapImage)) return;

  // Terrain runs fill the pixel array upward from the bottom terrain row,
  // continuing across row ends; writes past the array are dropped. Words past
  // the loaded bytes read as zero (run 0, nothing written), so decoding stops
  // there; it also stops once the array is full.
  const ByteView v = TrackBytes(s);
  std::size_t q = kTerrainStart;
  for (std::int64_t w = 0; w < s.TrackLayout.TerrainWordCount && q < kPixelArraySize; ++w) {
    const std::int64_t at = kTerrainWords + 2 * w;
    if (at >= v.size) break;
    const std::uint16_t word = v.U16(at);
    const int code = word & 15;
    const std::size_t run = word >> 4;
    const std::size_t n = std::min(run, kPixelArraySize - q);
    std::memset(pixels + q, static_cast<std::uint8_t>(s.TerrainColourMap[code]), n);
    q += run;
  }
  platform::CreateImageFromBmp(kMapImage, bmp, bmpSize);

  platform::BeginDrawing(kMapImage);
  platform::ChooseFont(kMapFont);
  const MapBandTexts band = ChooseMapBandTexts(s);
  platform::DrawText(20, 530, band.time, kBandFront, kBandBack);
  if (!band.trackName.empty()) {
    s.TrackBaseName = band.trackName;
    platform::DrawText(90, 520, band.trackName, kBandFront, kBandBack);
  }
  platform::DrawText(90, 540, band.label, kBandFront, kBandBack);
  platform::EndDrawing();
  ui::ShowImage(kTrackMapView, kMapImage);
}

void DrawWater(RunState& s) {
  const ByteView v = TrackBytes(s);
  const std::int64_t heights = s.TrackLayout.HeightMapOffset;
  const std::uint8_t level = s.TrackLayout.WaterLevel;
  platform::BeginDrawing(kMapImage);
  for (int i = 0; i < kHeightCells; ++i) {
    if (v.U8(heights + i) < level) {
      platform::DrawBox(8 * (i % 64), 503 - 8 * (i / 64), 8, 8, kWater);
    }
  }
  platform::EndDrawing();
  ui::ShowImage(kTrackMapView, kMapImage);
}
