// The track file's layout as the checker reads it, and small helpers shared by
// the decoding and drawing steps.
//
// All numbers are little-endian. N is the signed 32-bit word at 16, R the
// signed 32-bit word at 4. Offsets that the file itself gives (R, N, the
// object count, the ghost word) may point anywhere: every read goes through
// TrackBytes(s), a ByteView over exactly the DataLength loaded bytes, where a
// byte outside reads as zero.
#pragma once

#include <cstdint>
#include <string>

#include "app/byte_view.h"
#include "app/run_state.h"

namespace track {

// --- header ------------------------------------------------------------------
constexpr std::int64_t kVersionWord = 0;    // signed 16-bit: 261, 272 or 288
constexpr std::int64_t kMagic = 2;          // "KZ", text ending before a zero byte
constexpr std::int64_t kRecordOffset = 4;   // signed 32-bit R
constexpr std::int64_t kScale = 8;          // unsigned 8-bit
constexpr std::int64_t kWaterLevel = 9;     // unsigned 8-bit
constexpr std::int64_t kTerrainCount = 16;  // signed 32-bit N; N + 1 terrain words
constexpr std::int64_t kTerrainWords = 20;  // TerrainRun words, 2 bytes each
constexpr std::int16_t kVersion105 = 261;
constexpr std::int16_t kVersion110 = 272;
constexpr std::int16_t kVersion120 = 288;
constexpr const char* kMagicText = "KZ";

// Sections after the terrain words: HeightMapOffset = 22 + 2N,
// ObjectSectionOffset = 4118 + 2N.
constexpr std::int64_t kHeightMapBase = 22;
constexpr std::int64_t kHeightCells = 4096;  // 64 × 64 unsigned bytes
constexpr std::int64_t kObjectSectionBase = 4118;

// --- object section: signed 16-bit ObjectCount, then 8-byte records ---------
constexpr std::int64_t kFirstObject = 2;  // record k at section + 2 + 8k
constexpr std::int64_t kObjectSize = 8;
constexpr std::int64_t kObjectType = 0;   // signed 8-bit
constexpr std::int64_t kObjectX = 2;      // signed 16-bit, track units
constexpr std::int64_t kObjectY = 4;      // signed 16-bit, track units
constexpr std::int64_t kObjectAngle = 7;  // unsigned 8-bit, 1/244 turn

// --- RecordBlock, relative to R --------------------------------------------------
constexpr std::int64_t kRecordTime = 0;     // signed 16-bit, lap entry 0
constexpr std::int64_t kGhostTime = 2;      // signed 16-bit, lap entry 1
constexpr std::int64_t kRecordDriver = 14;  // 13-byte text, lap entry 0
constexpr std::int64_t kGhostDriver = 27;   // 13-byte text, lap entry 1
constexpr std::int64_t kRecordCar = 105;    // CarBlock of lap entry 0
constexpr std::int64_t kGhostCar = 1449;    // CarBlock of lap entry 1 (the ghost's car)
constexpr std::int64_t kCarBlockSize = 1344;
constexpr std::int64_t kGhostSection = 9625;  // signed 16-bit W, then the points
// A text field is read as at most this many bytes (driver fields are 13 wide,
// the car name is the start of its CarBlock).
constexpr int kTextFieldWidth = 12;

// --- ghost section, relative to GhostSectionOffset -----------------------------
constexpr std::int64_t kGhostPoints = 2;  // point j at 2 + j × stride
// Layout 120 has zero words at these offsets (bytes 2, 6 and 10 of point 0).
constexpr std::int64_t kLayoutProbe[3] = {4, 8, 12};
constexpr std::int64_t kStride120 = 20;  // X unsigned 16-bit at 0, Y at 8
constexpr std::int64_t kY120 = 8;
constexpr std::int64_t kStride110 = 12;  // X unsigned 16-bit at 0, Y at 4
constexpr std::int64_t kY110 = 4;

// --- the map picture -------------------------------------------------------------
constexpr int kMapWidth = 512;
constexpr int kMapHeight = 560;
constexpr std::size_t kBmpTemplateSize = 1334;
constexpr std::size_t kPixelArrayOffset = 1078;
constexpr std::size_t kPixelArraySize = 512 * 560;  // 286,720
constexpr std::size_t kTerrainStart = 48 * 512;     // picture row 511, the bottom terrain row
constexpr std::uint8_t kBackgroundIndex = 240;      // (0, 100, 150)

// The loaded bytes of the current entry's file.
inline ByteView TrackBytes(const RunState& s) {
  std::int64_t n = s.DataLength;
  if (n < 0) n = 0;
  if (n > static_cast<std::int64_t>(kTrackDataRoom)) n = static_cast<std::int64_t>(kTrackDataRoom);
  return ByteView{TrackData(s), n};
}

// An offset the file gives, kept in the signed 32-bit range of TrackLayout.
// Out-of-range sums are clamped, not wrapped, so a lying value can never come
// back round into the loaded bytes.
inline std::int32_t ClampOffset(std::int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(v);
}

// The part of a path after its last '\' or '/'.
std::string FileNameOf(const std::string& path);
// The file name of `path` without its last four characters; empty when the
// file name has four characters or fewer.
std::string TrackNameOf(const std::string& path);
// A lap time as the map shows it: 5432 → "54.32", 1000 → "10.00", 987 → "9.87".
std::string TimeText(std::int16_t t);

// The three texts of the map's band: time text, track name and label.
struct MapBandTexts {
  std::string time;
  std::string trackName;
  std::string label;
};
MapBandTexts ChooseMapBandTexts(const RunState& s);

// The four corners of a turned rectangle centred on (x, y) with angle byte
// `a`, half width hw and half length hl: P1, P2 (front side) and P3, P4 (back).
struct MapPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const MapPoint&, const MapPoint&) = default;
};
struct TurnedCorners {
  MapPoint p1, p2, p3, p4;
};
TurnedCorners TurnedRectangleCorners(int x, int y, std::uint8_t a, int hw, int hl);

// The colour of entry `index` of the map bitmap's palette.
platform::Colour MapPaletteColour(int index);
// Writes the 1334-byte BMP template of the map bitmap to `out`.
void WriteMapBitmapTemplate(std::uint8_t* out);

}  // namespace track
