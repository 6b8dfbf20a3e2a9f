// Shared set-up of the track tests: a fresh run state over the headless UI
// with the log editor and the map view, and readers of what the steps left.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "app/run_state.h"
#include "platform/raster.h"
#include "platform/ui.h"
#include "platform/ui_headless.h"
#include "tests/fixtures/headless_run.h"
#include "tests/fixtures/track_file_writer.h"
#include "track/track.h"

namespace tracktest {

struct TrackRun {
  RunState s;
  TrackRun() {
    ui::headless::Reset();
    platform::DeleteAllImages();
    InitRunState(s, "/");
    ui::OpenMainWindow(kMainWindow, "test", 0, 0, 1000, 1000);
    ui::CreateTextEditor(kLogEditor, kMainWindow, 0, 0, 100, 100);
    ui::CreateImageView(kTrackMapView, kMainWindow, 0, 0, 512, 560);
  }
  // Loads `bytes` as the entry's track file. The bytes after them in
  // TrackData are set to `stale` first, as an earlier, longer file would have
  // left them: a step that reads past the loaded bytes then shows it.
  void Load(const std::vector<std::uint8_t>& bytes, const std::string& path = "/h/e/Test.trk",
            std::uint8_t stale = 0) {
    std::memset(TrackData(s), stale, kTrackDataRoom);
    fixtures::LoadTrackBytes(s, bytes, path);
  }
  // As Load, with the stale bytes a repeated pattern starting right after
  // the loaded ones.
  void LoadWithStale(const std::vector<std::uint8_t>& bytes,
                     const std::vector<std::uint8_t>& pattern) {
    Load(bytes);
    if (pattern.empty()) return;
    std::uint8_t* d = TrackData(s);
    for (std::size_t i = bytes.size(), k = 0; i < kTrackDataRoom; ++i, ++k) {
      d[i] = pattern[k % pattern.size()];
    }
  }
  void Load(const fixtures::TrackFilePlan& t, const std::string& path = "/h/e/Test.trk") {
    Load(fixtures::WriteTrackFile(t), path);
  }
  // Decoding and the whole map pipeline, as the entry pipeline runs them.
  void DecodeAndDraw() {
    DecodeTrackFile(s);
    if (s.TrackHeaderInvalid) return;
    DrawTerrainMap(s);
    DrawWater(s);
    DrawTrackObjects(s);
    DrawGhostLap(s);
  }
};

// The log editor's lines.
inline std::vector<std::string> LogLines() { return fixtures::LogLines(); }

inline platform::Colour MapPixel(int x, int y) { return platform::ImagePixel(kMapImage, x, y); }

// The map image's pixels, to compare a whole picture before and after a step.
inline std::vector<std::uint8_t> MapPixels() {
  const platform::Image* im = platform::FindImage(kMapImage);
  return im ? im->rgb : std::vector<std::uint8_t>{};
}

constexpr platform::Colour kBackground = platform::Rgb(0, 100, 150);

}  // namespace tracktest
