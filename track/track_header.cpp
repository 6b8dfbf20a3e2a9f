#include <algorithm>
#include <cstring>

#include "platform/ui.h"
#include "track/track.h"
#include "track/track_file.h"

namespace track {

std::string FileNameOf(const std::string& path) {
  const auto cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string TrackNameOf(const std::string& path) {
  const std::string name = FileNameOf(path);
  return name.size() <= 4 ? std::string() : name.substr(0, name.size() - 4);
}

}  // namespace track

namespace {

using namespace track;

bool HeaderAccepted(const ByteView& v) {
  const std::int16_t version = v.S16(kVersionWord);
  const bool knownVersion =
      version == kVersion105 || version == kVersion110 || version == kVersion120;
  return knownVersion && v.Text(kMagic, 2) == kMagicText;
}

std::string ReadTextField(const ByteView& v, std::int64_t offset) {
  return TrimSpaces(v.Text(offset, kTextFieldWidth));
}

// True when the ghost's CarBlock (wholly inside the loaded bytes) stands
// somewhere in the reference car bytes. A block reaching past the loaded
// bytes is never compared: its missing part is not the car.
bool GhostCarInReference(const RunState& s, const ByteView& v, std::int64_t blockOffset) {
  if (!s.ReferenceCarLoaded) return false;
  if (!v.InRange(blockOffset, kCarBlockSize)) return false;
  const std::int64_t carLength =
      std::min<std::int64_t>(s.CarLength, static_cast<std::int64_t>(kCarBufferRoom));
  if (carLength < kCarBlockSize) return false;
  const std::uint8_t* block = v.data + blockOffset;
  const std::uint8_t* car = CarBuffer(s);
  // memmem (a two-way search in glibc) compares a small multiple of CarLength
  // bytes whatever the bytes are. A scan that compares from the block's end
  // (Boyer-Moore-Horspool) is quadratic here: a block of one odd byte and
  // 1,343 equal ones against a car file of those equal bytes matches 1,343
  // bytes at every position before it fails, about 130 million comparisons.
  return memmem(car, static_cast<std::size_t>(carLength), block, kCarBlockSize) != nullptr;
}

}  // namespace

void DecodeTrackFile(RunState& s) {
  s.TrackHeaderInvalid = false;
  const ByteView v = TrackBytes(s);
  if (!HeaderAccepted(v)) {
    s.TrackHeaderInvalid = true;
    return;
  }

  TrackLayoutRecord& t = s.TrackLayout;
  t.Scale = v.U8(kScale);
  t.WaterLevel = v.U8(kWaterLevel);
  const std::int64_t n = v.S32(kTerrainCount);
  const std::int64_t r = v.S32(kRecordOffset);
  ui::AppendLine(kLogEditor, FileNameOf(s.DataFilePath) + "  (static): " + Decimal(r) + " Bytes");

  t.TerrainWordCount = ClampOffset(n + 1);
  t.HeightMapOffset = ClampOffset(kHeightMapBase + 2 * n);
  t.ObjectSectionOffset = ClampOffset(kObjectSectionBase + 2 * n);
  t.ObjectCount = v.S16(t.ObjectSectionOffset);
  ui::AppendLine(kLogEditor, "# Objecte: " + Decimal(t.ObjectCount));
  ui::AppendLine(kLogEditor, " ");

  s.RecordTime = v.S16(r + kRecordTime);
  s.RecordDriver = ReadTextField(v, r + kRecordDriver);
  s.GhostTime = v.S16(r + kGhostTime);
  s.GhostDriver = ReadTextField(v, r + kGhostDriver);
  ui::AppendLine(kLogEditor, "1.: " + Decimal(s.GhostTime) + " " + s.GhostDriver);
  ui::AppendLine(kLogEditor, " ");

  s.CarNames[0] = ReadTextField(v, r + kRecordCar);
  s.CarNames[1] = ReadTextField(v, r + kGhostCar);

  const bool found = GhostCarInReference(s, v, r + kGhostCar);
  ui::AppendLine(kLogEditor, "Car 1:" + s.CarNames[1] + (found ? " ok" : " not found!!"));

  t.RecordBlockOffset = static_cast<std::int32_t>(r);
  t.GhostSectionOffset = ClampOffset(r + kGhostSection);
  t.GhostPointCount = static_cast<std::int16_t>(v.S16(t.GhostSectionOffset) / 2);
}
