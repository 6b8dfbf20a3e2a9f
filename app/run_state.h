// RunState: the one record of a run. Everything that outlives one operation,
// or that one operation hands to another, is a field here. Field names follow
// the program's documentation of the run (PascalCase on purpose).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/raster.h"

// --- numbered objects -----------------------------------------------------------
// Windows.
constexpr int kMainWindow = 0;
constexpr int kViewerWindow = 1;
// Controls of the main window, and the viewer's picture.
constexpr int kScreenshotView = 0;
constexpr int kTrackMapView = 1;
constexpr int kLogEditor = 2;
constexpr int kPenaltyField = 5;
constexpr int kStepButton = 11;
constexpr int kActionButton = 14;
constexpr int kProgressView = 20;
constexpr int kSettingsView = 21;
constexpr int kViewerPicture = 100;
// Images.
constexpr int kScreenshotImage = 0;      // the screenshot at 480 × 360
constexpr int kMapImage = 1;             // MapImage; at End the ResultsChart
constexpr int kPlaceholderImage = 3;
constexpr int kFullScreenshotImage = 4;  // the screenshot at its stored size
constexpr int kProgressImage = 20;
constexpr int kSettingsPanelImage = 21;
// Fonts.
constexpr int kMapFont = 1;    // "Lucida Console" 12 pt
constexpr int kLabelFont = 2;  // "Arial" 10 pt bold

// --- FileBuffer regions -----------------------------------------------------------
constexpr std::size_t kFileBufferSize = 3'000'000;
constexpr std::size_t kTrackDataOffset = 0;
constexpr std::size_t kTrackDataRoom = 2'000'000;
constexpr std::size_t kMapBitmapOffset = 2'000'000;
constexpr std::size_t kMapBitmapRoom = 900'000;
constexpr std::size_t kCarBufferOffset = 2'900'000;
constexpr std::size_t kCarBufferRoom = 100'000;
// A reference car file must be shorter than this.
constexpr std::int32_t kCarFileLimit = 100'000;

// The End mark of EntryNumber; a run handles at most kMaxEntries entries.
constexpr std::int8_t kEndEntryNumber = 99;
constexpr std::size_t kMaxEntries = 98;
// A lap time of this or more means no lap.
constexpr std::int16_t kNoLapTime = 6000;

inline const std::string kDashLine(51, '-');

// Positions and values of the current track file that the map drawing reads.
// Offsets are offsets into TrackData.
struct TrackLayoutRecord {
  std::uint8_t Scale = 0;
  std::uint8_t WaterLevel = 0;
  std::int32_t TerrainWordCount = 0;
  std::int32_t HeightMapOffset = 0;
  std::int32_t ObjectSectionOffset = 0;
  std::int16_t ObjectCount = 0;
  std::int32_t RecordBlockOffset = 0;
  std::int32_t GhostSectionOffset = 0;
  std::int16_t GhostPointCount = 0;
};

struct RunState {
  std::string StartDirectory;  // ends in a separator
  std::string HotlapFolder;    // ends in a separator; empty when cancelled

  // Entry folder names; EntryCursor is the index of the current element,
  // -1 while the cursor stands before the first.
  std::vector<std::string> EntryList;
  int EntryCursor = -1;
  std::int8_t EntryNumber = 0;

  std::string EntryFolderPath;  // ends in a separator
  std::optional<std::string> TrackFileName;
  std::optional<std::string> GameFileName;
  std::optional<std::string> ScreenshotFileName;
  std::string DataFilePath;     // the file whose bytes TrackData holds
  std::int32_t DataLength = 0;  // bytes loaded into TrackData for this entry

  bool ReferenceCarLoaded = false;
  std::int32_t CarLength = 0;

  std::int16_t GhostTime = 0;
  std::string GhostDriver;
  std::int16_t RecordTime = 0;
  std::string RecordDriver;
  bool TrackHeaderInvalid = false;
  TrackLayoutRecord TrackLayout;
  std::array<std::string, 12> CarNames;
  std::string TrackBaseName;

  std::array<std::string, 102> TrackIdTable;
  std::array<std::string, 102> DriverTable;

  std::string RunLog;
  std::string LineBreak;
  std::string ChartText;
  std::vector<std::string> ResultList;
  std::int32_t ChartMin = 0;
  std::int32_t ChartMax = 0;

  std::array<platform::Colour, 22> Palette{};
  std::array<std::int32_t, 18> TerrainColourMap{};

  // One zero-filled block, obtained once; see the region constants above.
  std::vector<std::uint8_t> FileBuffer;

  bool QuitRequested = false;  // set by the last StepButton press
};

// The regions of FileBuffer. FileBuffer must have been obtained (start-up).
inline std::uint8_t* TrackData(RunState& s) { return s.FileBuffer.data() + kTrackDataOffset; }
inline std::uint8_t* MapBitmap(RunState& s) { return s.FileBuffer.data() + kMapBitmapOffset; }
inline std::uint8_t* CarBuffer(RunState& s) { return s.FileBuffer.data() + kCarBufferOffset; }
inline const std::uint8_t* TrackData(const RunState& s) {
  return s.FileBuffer.data() + kTrackDataOffset;
}
inline const std::uint8_t* CarBuffer(const RunState& s) {
  return s.FileBuffer.data() + kCarBufferOffset;
}

// Builds the state of start-up steps 1 to 10: tables, FileBuffer, StartDirectory
// from `workingDirectory` (a separator appended when missing). No platform
// object is made here.
void InitRunState(RunState& s, const std::string& workingDirectory);

// The decimal form of n: no leading zeros or spaces, "-" when negative.
std::string Decimal(long long n);
