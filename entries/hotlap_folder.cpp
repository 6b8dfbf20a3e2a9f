// ChooseHotlapFolder: the hotlap folder, its entry folders and the reference
// car file.
//
// A hotlap folder holds one entry folder per driver and, beside them, the
// competition's reference car file (extension "car", any case). The car file
// is kept as raw bytes in CarBuffer; DecodeTrackFile searches it later for the
// car block of each ghost lap.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "entries/entries.h"
#include "platform/files.h"
#include "platform/ui.h"

namespace {

// The text after the last "." of a file name; empty when it has no ".".
std::string ExtensionOf(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// Loads the reference car file into CarBuffer when it is shorter than
// kCarFileLimit. CarBuffer has room for kCarBufferRoom bytes; one byte of it
// stays unused, so the largest accepted file has kCarFileLimit − 1 bytes.
void LoadReferenceCar(RunState& s, const std::string& path) {
  s.ReferenceCarLoaded = false;
  const platform::FileRead read =
      platform::ReadFileInto(path, CarBuffer(s), kCarBufferRoom - 1, /*readOnlyIfFits=*/true);
  if (!read.opened) return;
  s.CarLength = static_cast<std::int32_t>(
      std::min<std::int64_t>(read.length, std::numeric_limits<std::int32_t>::max()));
  if (s.CarLength >= kCarFileLimit) return;  // too long: nothing was read
  // A file that could not be read whole (a read error, or it shrank while we
  // read) is not a reference anyone can rely on.
  s.ReferenceCarLoaded = read.bytesRead == static_cast<std::size_t>(s.CarLength);
}

}  // namespace

void ChooseHotlapFolder(RunState& s) {
  ui::ClearText(kLogEditor);
  s.EntryList.clear();

  std::string chosen = ui::ChooseFolder("Directory", s.StartDirectory);
  if (!chosen.empty() && chosen.back() != platform::kPathSeparator) {
    chosen.push_back(platform::kPathSeparator);
  }
  s.HotlapFolder = chosen;
  if (s.HotlapFolder.empty()) return;

  // The listing comes sorted byte-wise by name, so EntryList has that order.
  std::vector<platform::FolderEntry> listing;
  if (!platform::ListFolder(s.HotlapFolder, listing)) return;

  std::optional<std::string> carFileName;
  std::size_t entryFolders = 0;
  for (const platform::FolderEntry& entry : listing) {
    if (entry.isFolder) {
      // EntryNumber is a signed 8-bit number whose 99 marks the End press, so
      // a run can show at most kMaxEntries entries.
      if (entryFolders < kMaxEntries) s.EntryList.push_back(entry.name);
      ++entryFolders;
    } else if (LowerAscii(ExtensionOf(entry.name)) == "car") {
      carFileName = entry.name;
      ui::AppendLine(kLogEditor, "Car: " + entry.name);
    }
  }
  if (entryFolders > kMaxEntries) {
    ui::AppendLine(kLogEditor, "Nur die ersten " + Decimal(static_cast<long long>(kMaxEntries)) +
                                   " von " + Decimal(static_cast<long long>(entryFolders)) +
                                   " Ordnern werden geprueft");
  }

  if (carFileName) LoadReferenceCar(s, s.HotlapFolder + *carFileName);
  if (!s.ReferenceCarLoaded) ui::AppendLine(kLogEditor, "no car!");
}
