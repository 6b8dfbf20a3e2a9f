#include <cstdio>

#include "app/byte_view.h"
#include "game/game.h"
#include "game/game_file_layout.h"
#include "platform/files.h"
#include "platform/ui.h"

namespace {

// One race setting as the report and the panel show it, in report order.
struct RaceSetting {
  std::int64_t offset;
  std::int16_t maximum;
  const char* label;
  const char* unit;
};

// Fuel mass comes before damage although its offset is the higher one.
constexpr RaceSetting kRaceSettings[] = {
    {gamefile::kTyres, 100, "Tyres:", " %"},
    {gamefile::kConsumption, 100, "Consumption:", " %"},
    {gamefile::kFuelMass, 200, "Fuelmass:", " kg"},
    {gamefile::kDamage, 100, "Damage:", " %"},
    {gamefile::kSpeed, 200, "Speed:", " %"},
};

void ClearAndShowPanel(const RunState& s) {
  DrawSettingsBar(s, 0, 0, 0, "clear", "");
  ui::ShowImage(kSettingsView, kSettingsPanelImage);
}

// " %02X" for each byte: 48 characters, beginning with a space.
std::string IdentityText(const ByteView& v, std::int64_t at) {
  std::string text;
  for (int i = 0; i < gamefile::kTrackIdentitySize; ++i) {
    char pair[4];
    std::snprintf(pair, sizeof pair, " %02X", static_cast<unsigned>(v.U8(at + i)));
    text += pair;
  }
  return text;
}

}  // namespace

void ReportGameFile(RunState& s) {
  std::string settingsText;
  if (!s.GameFileName) {
    ui::AppendLine(kLogEditor, "Game fehlt");
    ClearAndShowPanel(s);
    return;
  }

  // The game file replaces the track file in TrackData. A file longer than
  // the room is read only up to it; every read below stays inside the bytes
  // actually read.
  const std::string path = s.EntryFolderPath + *s.GameFileName;
  const platform::FileRead read = platform::ReadFileInto(path, TrackData(s), kTrackDataRoom);
  if (!read.opened) return;
  s.DataFilePath = path;
  s.DataLength = static_cast<std::int32_t>(read.bytesRead);
  const ByteView v{TrackData(s), s.DataLength};

  ui::AppendLine(kLogEditor, " ");
  ui::AppendLine(kLogEditor, *s.GameFileName);

  const gamefile::Layout& layout =
      v.S16(gamefile::kVersionWord) == gamefile::kVersion120 ? gamefile::kLayout120
                                                              : gamefile::kLayout110;
  std::int64_t carCount = v.S8(layout.carCountAt);
  if (layout.countOneOutside1To6 && (carCount < 1 || carCount > 6)) carCount = 1;
  const std::int64_t section = layout.headerSize + carCount * layout.carSlotSize;
  const std::int64_t entry = section + gamefile::kTrackTable +
                             v.S8(section + gamefile::kTrackIndex) * gamefile::kTrackEntrySize;

  // Slots exist for entry numbers 0 to 101 only.
  const bool slotOk = s.EntryNumber >= 0 &&
                      static_cast<std::size_t>(s.EntryNumber) < s.TrackIdTable.size();
  if (v.InRange(entry, gamefile::kTrackEntrySize)) {
    const std::string name =
        TrimSpaces(v.Text(entry + gamefile::kTrackName, gamefile::kTrackNameWidth)) + ".trk";
    ui::AppendLine(kLogEditor, "Trackname in gam (" + Decimal(layout.number) + "): " + name);
    if (slotOk) {
      s.TrackIdTable[s.EntryNumber] = IdentityText(v, entry + gamefile::kTrackIdentity);
      s.DriverTable[s.EntryNumber] = s.GhostDriver;
    }
  } else {
    // The track entry lies (partly) outside the file: no name and no identity
    // to show. The identity stays empty, so the check at End reports the entry
    // (unless another one lacks an identity too) under its driver's name.
    ui::AppendLine(kLogEditor, "Track fehlt in gam (" + Decimal(layout.number) + ")");
    if (slotOk) {
      s.TrackIdTable[s.EntryNumber].clear();
      s.DriverTable[s.EntryNumber] = s.GhostDriver;
    }
  }

  DrawSettingsBar(s, 0, 0, 0, "clear", "");
  std::int16_t bar = 1;
  for (const RaceSetting& setting : kRaceSettings) {
    const std::int8_t value = v.S8(setting.offset);
    DrawSettingsBar(s, bar, value, setting.maximum, setting.label, Decimal(value) + setting.unit);
    settingsText += Decimal(value);
    if (bar < 5) settingsText += " / ";
    ++bar;
  }
  ui::AppendLine(kLogEditor, "T/C/F/D/S:  " + settingsText);
  ui::AppendLine(kLogEditor, " ");
  ui::ShowImage(kSettingsView, kSettingsPanelImage);
}
