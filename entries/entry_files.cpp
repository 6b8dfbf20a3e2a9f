// LoadEntryFiles: the next entry folder's track file, game file and
// screenshot.
//
// Files are told by the last three characters of their names, in any case:
// "trk" a track file, "gam" a game file, "jpg" or "bmp" a screenshot. The
// track file goes whole into TrackData; the game file is only found here
// (ReportGameFile reads it); the screenshot is shown at 480 × 360.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/progress_bar.h"
#include "entries/entries.h"
#include "platform/files.h"
#include "platform/raster.h"
#include "platform/ui.h"

namespace {

constexpr int kScreenshotWidth = 480;
constexpr int kScreenshotHeight = 360;

// The last three characters of `name` in lower case; empty for a shorter
// name, which then matches no kind.
std::string LastThreeLower(const std::string& name) {
  if (name.size() < 3) return {};
  std::string tail = name.substr(name.size() - 3);
  for (char& c : tail) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return tail;
}

// Finds the three kinds among the files of the entry folder; a later name of
// a kind replaces an earlier one. An unlistable folder finds nothing.
void FindEntryFiles(RunState& s) {
  std::vector<platform::FolderEntry> listing;
  if (!platform::ListFolder(s.EntryFolderPath, listing)) return;
  for (const platform::FolderEntry& entry : listing) {
    if (entry.isFolder) continue;
    const std::string kind = LastThreeLower(entry.name);
    if (kind == "trk") {
      s.TrackFileName = entry.name;
    } else if (kind == "gam") {
      s.GameFileName = entry.name;
    } else if (kind == "jpg" || kind == "bmp") {
      s.ScreenshotFileName = entry.name;
    }
  }
}

// Reads the track file into TrackData. A file longer than TrackData's room is
// refused whole (a cut track file would be decoded as if it were complete),
// and so is one that cannot be opened or read whole: in each case TrackData
// keeps its bytes, DataLength stays 0, and the entry counts as having no
// track file, so no earlier entry's bytes get decoded in its name.
void LoadTrackFile(RunState& s, const std::string& entryName) {
  s.DataFilePath = s.EntryFolderPath + *s.TrackFileName;
  const platform::FileRead read = platform::ReadFileInto(s.DataFilePath, TrackData(s),
                                                         kTrackDataRoom, /*readOnlyIfFits=*/true);
  const bool tooLong = read.opened && static_cast<std::uint64_t>(read.length) > kTrackDataRoom;
  if (read.opened && !tooLong && read.bytesRead == static_cast<std::size_t>(read.length)) {
    s.DataLength = static_cast<std::int32_t>(read.length);
    return;
  }
  const std::string fileName = *s.TrackFileName;
  s.TrackFileName.reset();
  ui::ShowImage(kTrackMapView, kPlaceholderImage);
  ui::AppendLine(kLogEditor, "Track fehlt in:");
  ui::AppendLine(kLogEditor, entryName);
  if (tooLong) {
    ui::AppendLine(kLogEditor, "Track zu gross: " + fileName + " (" + Decimal(read.length) +
                                   " Bytes, hoechstens " +
                                   Decimal(static_cast<long long>(kTrackDataRoom)) + ")");
  } else {
    ui::AppendLine(kLogEditor, "Track nicht lesbar: " + fileName);
  }
}

}  // namespace

void LoadEntryFiles(RunState& s) {
  ui::ClearText(kLogEditor);
  // Lets the window system handle one pending message (a repaint, say); the
  // event itself is not acted on.
  (void)ui::WaitEvent(100);
  ui::AppendLine(kLogEditor, " ");
  s.TrackFileName.reset();
  s.GameFileName.reset();
  s.ScreenshotFileName.reset();

  const long long next = static_cast<long long>(s.EntryCursor) + 1;
  if (next < 0 || next >= static_cast<long long>(s.EntryList.size())) return;
  s.EntryCursor = static_cast<int>(next);
  const std::string entryName = s.EntryList[static_cast<std::size_t>(next)];

  DrawProgressBar(s, s.EntryNumber, static_cast<std::int16_t>(s.EntryList.size()), entryName);
  s.EntryFolderPath = s.HotlapFolder + entryName + platform::kPathSeparator;
  FindEntryFiles(s);

  s.DataLength = 0;
  if (s.TrackFileName) {
    LoadTrackFile(s, entryName);
  } else {
    ui::ShowImage(kTrackMapView, kPlaceholderImage);
    ui::AppendLine(kLogEditor, "Track fehlt in:");
    ui::AppendLine(kLogEditor, entryName);
  }

  if (s.ScreenshotFileName) {
    // A JPEG is decoded at a reduced size where that still covers 480 × 360,
    // then area-averaged to exactly that size; the aspect is not kept.
    if (platform::LoadImageResized(kScreenshotImage, s.EntryFolderPath + *s.ScreenshotFileName,
                                   kScreenshotWidth, kScreenshotHeight)) {
      ui::ShowImage(kScreenshotView, kScreenshotImage);
    } else {
      // An unreadable picture is not logged; the placeholder tells the
      // organiser that nothing could be shown.
      ui::ShowImage(kScreenshotView, kPlaceholderImage);
    }
  } else {
    ui::ShowImage(kScreenshotView, kPlaceholderImage);
    ui::AppendLine(kLogEditor, "Screen fehlt");
  }
}
