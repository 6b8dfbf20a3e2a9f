// The roads by which an entrant's bytes reach the checker, shared by the fuzz
// targets (fuzz/*_fuzzer.cpp) and the tests that replay the inputs kept in
// tests/bad/ (tests/hostile/). A kept input must go through exactly the road
// on which the fuzzer found it, so both sides call these functions.
//
// Under AddressSanitizer the bytes of FileBuffer that the current files did
// not fill are poisoned while an input runs: TrackData after the loaded
// bytes, CarBuffer after the reference car, MapBitmap after the map bitmap.
// FileBuffer is one block, so without this a read past a file's end but
// inside the block would go unseen. Without AddressSanitizer the guards do
// nothing.
#pragma once

#include <sanitizer/asan_interface.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "app/entry_pipeline.h"
#include "app/main_window.h"
#include "app/placeholder_image.h"
#include "app/run_state.h"
#include "entries/entries.h"
#include "game/game.h"
#include "platform/raster.h"
#include "platform/ui.h"
#include "platform/ui_headless.h"
#include "tests/fixtures/car_file_writer.h"
#include "tests/fixtures/track_file_writer.h"

namespace harness {

// Poisons [begin, begin + size) for its lifetime.
class PoisonGuard {
 public:
  PoisonGuard(const std::uint8_t* begin, std::size_t size) : begin_(begin), size_(size) {
    ASAN_POISON_MEMORY_REGION(begin_, size_);
  }
  ~PoisonGuard() { ASAN_UNPOISON_MEMORY_REGION(begin_, size_); }
  PoisonGuard(const PoisonGuard&) = delete;
  PoisonGuard& operator=(const PoisonGuard&) = delete;

 private:
  const std::uint8_t* begin_;
  std::size_t size_;
};

// Poisons what lies after the first `trackBytes` of TrackData, after the
// first `carBytes` of CarBuffer, and after the map bitmap (its 1,078-byte
// header and 512 × 560 pixels).
class FileBufferGuard {
 public:
  FileBufferGuard(RunState& s, std::size_t trackBytes, std::size_t carBytes)
      : track_(TrackData(s) + std::min(trackBytes, kTrackDataRoom),
               kTrackDataRoom - std::min(trackBytes, kTrackDataRoom)),
        map_(MapBitmap(s) + kMapBitmapUsed, kMapBitmapRoom - kMapBitmapUsed),
        car_(CarBuffer(s) + std::min(carBytes, kCarBufferRoom),
             kCarBufferRoom - std::min(carBytes, kCarBufferRoom)) {}

 private:
  static constexpr std::size_t kMapBitmapUsed = 1078 + 512 * 560;
  PoisonGuard track_;
  PoisonGuard map_;
  PoisonGuard car_;
};

// The reference car of every road: the car block that the track file
// writer puts into a default track file as the ghost's car, inside a file of
// 4,000 bytes, so the fuzzer can reach the " ok" branch of the car check.
inline const std::vector<std::uint8_t>& ReferenceCar() {
  static const std::vector<std::uint8_t> car =
      fixtures::MakeReferenceCarFile(fixtures::MakeCarBlock("Car", 2), 1000, 4000);
  return car;
}

inline void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (size > 0) out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// A start-up's state without a window system: fresh RunState fields (the
// FileBuffer block is kept from the last input, since obtaining and zeroing
// 3,000,000 bytes per input would cost more than the input itself), the
// headless UI and image registry reset, the two fonts (loaded once), the
// placeholder picture and the main window with its controls.
inline void ResetHeadless(RunState& s) {
  static const RunState pristine = [] {
    RunState p;
    InitRunState(p, "/");
    p.FileBuffer.clear();
    p.FileBuffer.shrink_to_fit();
    return p;
  }();
  std::vector<std::uint8_t> buffer = std::move(s.FileBuffer);
  s = pristine;
  if (buffer.size() == kFileBufferSize) {
    s.FileBuffer = std::move(buffer);
  } else {
    s.FileBuffer.assign(kFileBufferSize, 0);
  }

  ui::headless::Reset();
  platform::DeleteAllImages();
  if (platform::FontCellHeight(kMapFont) == 0) {
    platform::LoadFont(kMapFont, "Lucida Console:spacing=mono", 12, 96);
  }
  if (platform::FontCellHeight(kLabelFont) == 0) {
    platform::LoadFont(kLabelFont, "Arial:bold", 10, 96);
  }
  const std::vector<std::uint8_t>& placeholder = PlaceholderBmp();
  platform::CreateImageFromBmp(kPlaceholderImage, placeholder.data(), placeholder.size());
  OpenMainWindow(s);
}

// --- the track road: DecodeTrackFile and the four drawing steps ---------------
constexpr char kTrackPath[] = "/hotlap/Fuzz Entry/Fuzz.trk";

// `size` must not exceed kTrackDataRoom (the loader refuses longer files).
inline void RunTrackBytes(RunState& s, const std::uint8_t* data, std::size_t size) {
  ResetHeadless(s);
  const std::vector<std::uint8_t>& car = ReferenceCar();
  std::memcpy(CarBuffer(s), car.data(), car.size());
  s.CarLength = static_cast<std::int32_t>(car.size());
  s.ReferenceCarLoaded = true;
  if (size > 0) std::memcpy(TrackData(s), data, size);
  s.DataLength = static_cast<std::int32_t>(size);
  s.DataFilePath = kTrackPath;
  s.TrackFileName = "Fuzz.trk";
  s.EntryNumber = 1;

  FileBufferGuard guard(s, size, car.size());
  RunTrackSteps(s);
}

// --- the game road: ReportGameFile on a file in an entry folder ---------------
// `entryFolder` ends in a separator; the file `fileName` in it holds
// `fileSize` bytes.
inline void RunGameFile(RunState& s, const std::string& entryFolder, const std::string& fileName,
                        std::size_t fileSize) {
  ResetHeadless(s);
  s.EntryFolderPath = entryFolder;
  s.GameFileName = fileName;
  s.GhostDriver = "Fuzzer";
  s.EntryNumber = 1;
  FileBufferGuard guard(s, fileSize, 0);
  ReportGameFile(s);
}

// --- the picture loaders ---------------------------------------------------------
// The size a decoded picture is scaled to: 1 to 61 by 1 to 47 pixels, chosen
// by the input's length.
inline int ScaleWidthFor(std::size_t size) { return 1 + static_cast<int>(size % 61); }
inline int ScaleHeightFor(std::size_t size) { return 1 + static_cast<int>(size / 61 % 47); }

// Each of these returns false when the loaders contradict each other (a
// fault of its own, which the fuzz targets turn into a crash).
inline bool RunBmpBytes(const std::uint8_t* data, std::size_t size) {
  platform::Image direct;
  const bool decoded = platform::DecodeBmp(data, size, direct);
  const bool created = platform::CreateImageFromBmp(kScreenshotImage, data, size);
  if (decoded != created) return false;
  if (created) {
    if (platform::ImageWidth(kScreenshotImage) != direct.width ||
        platform::ImageHeight(kScreenshotImage) != direct.height ||
        direct.rgb.size() != static_cast<std::size_t>(direct.width) * direct.height * 3) {
      return false;
    }
    // LoadEntryFiles scales a screenshot to 480 × 360 next. The scale to a
    // fixed size costs far more than the decoding and its loops do not
    // depend on the bytes, so here it goes to a small size taken from the
    // input's length instead: the spans for every ratio get tried, cheaply.
    const int w = ScaleWidthFor(size);
    const int h = ScaleHeightFor(size);
    platform::ResizeImage(kScreenshotImage, w, h);
    if (platform::ImageWidth(kScreenshotImage) != w ||
        platform::ImageHeight(kScreenshotImage) != h) {
      return false;
    }
  }
  platform::DeleteImage(kScreenshotImage);
  return true;
}

inline bool RunJpegBytes(const std::uint8_t* data, std::size_t size) {
  platform::Image full;
  const bool fullOk = platform::DecodeJpeg(data, size, full);
  if (fullOk && full.rgb.size() != static_cast<std::size_t>(full.width) * full.height * 3) {
    return false;
  }
  platform::Image reduced;
  if (platform::DecodeJpegReduced(data, size, 480, 360, reduced)) {
    if (reduced.rgb.size() != static_cast<std::size_t>(reduced.width) * reduced.height * 3) {
      return false;
    }
    // At least 480 × 360, or the full size when no reduction covers that.
    if (fullOk && !(reduced.width >= 480 && reduced.height >= 360) &&
        !(reduced.width == full.width && reduced.height == full.height)) {
      return false;
    }
    const int w = ScaleWidthFor(size);
    const int h = ScaleHeightFor(size);
    const platform::Image scaled = platform::ResizeAreaAverage(reduced, w, h);
    if (scaled.width != w || scaled.height != h ||
        scaled.rgb.size() != static_cast<std::size_t>(w) * h * 3) {
      return false;
    }
  }
  return true;
}

// --- the whole entry: the Load press over a hotlap folder of one entry ---------
// An input is a 4-byte little-endian length L, then the track file (the next
// L bytes, or all that is left), then the game file (the rest).
struct EntryParts {
  const std::uint8_t* track = nullptr;
  std::size_t trackSize = 0;
  const std::uint8_t* game = nullptr;
  std::size_t gameSize = 0;
};

inline EntryParts SplitEntry(const std::uint8_t* data, std::size_t size) {
  EntryParts p;
  std::size_t length = 0;
  std::size_t at = 0;
  for (; at < 4 && at < size; ++at) length |= static_cast<std::size_t>(data[at]) << (8 * at);
  const std::size_t rest = size - at;
  p.track = data + at;
  p.trackSize = std::min(length, rest);
  p.game = p.track + p.trackSize;
  p.gameSize = rest - p.trackSize;
  return p;
}

// The name of the one entry folder.
constexpr char kEntryFolderName[] = "Fuzz Entry";

// Lays out `hotlapFolder` (an existing folder, ending in a separator): "Ref.car", and the entry folder
// with "Fuzz.trk" and "Fuzz.gam" from the input; then presses Load, which
// chooses the folder, loads the reference car and runs RunEntryPipeline on
// the one entry.
inline void RunEntryBytes(RunState& s, const std::string& hotlapFolder, const std::uint8_t* data,
                          std::size_t size) {
  const EntryParts p = SplitEntry(data, size);
  const std::string entry = hotlapFolder + kEntryFolderName + "/";
  const std::vector<std::uint8_t>& car = ReferenceCar();
  std::error_code ec;
  if (!std::filesystem::exists(hotlapFolder + "Ref.car", ec)) {
    std::filesystem::create_directories(entry, ec);
    WriteBytes(hotlapFolder + "Ref.car", car.data(), car.size());
  }
  WriteBytes(entry + "Fuzz.trk", p.track, p.trackSize);
  WriteBytes(entry + "Fuzz.gam", p.game, p.gameSize);

  ResetHeadless(s);
  ui::headless::SetChooserAnswer(hotlapFolder);
  // Every byte a file can put into TrackData lies below the longer file's end.
  const std::size_t loaded = std::max(p.trackSize, p.gameSize);
  FileBufferGuard guard(s, loaded, car.size());
  PressStepButton(s);
}

}  // namespace harness
