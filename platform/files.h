// File system services: folder listing, whole-file reads into caller memory,
// and writes that never leave a half-written file behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

constexpr char kPathSeparator = '/';

struct FolderEntry {
  std::string name;
  bool isFolder = false;
};

// Lists `folder` (a path ending in a separator or not). The result holds every
// entry except "." and "..", ordered byte-wise by name so that runs over the
// same folder repeat exactly. Returns false when the folder cannot be listed.
bool ListFolder(const std::string& folder, std::vector<FolderEntry>& out);

// The outcome of opening and reading one file.
struct FileRead {
  bool opened = false;        // the file could be opened for reading
  std::int64_t length = 0;    // its length in bytes (valid when opened)
  std::size_t bytesRead = 0;  // bytes stored into the destination
};

// Opens `path`, takes its length and reads min(length, room) bytes into
// `dest`. When `readOnlyIfFits` is set and the length exceeds `room`, nothing
// is read. Bytes of `dest` after the ones read are left untouched.
FileRead ReadFileInto(const std::string& path, std::uint8_t* dest, std::size_t room,
                      bool readOnlyIfFits = false);

// The longest file ReadWholeFile reads: 1 GiB and 64 KiB, room for the
// largest picture the decoders accept (kMaxImageSide² pixels of 4 bytes) and
// its headers. Pictures come from entrants; one that claims more is refused
// unread rather than taken into memory whole.
constexpr std::uint64_t kMaxWholeFileLength = (std::uint64_t{1} << 30) + (std::uint64_t{1} << 16);

// Reads a whole file into `out`. Returns false when it cannot be opened or
// read, or is longer than kMaxWholeFileLength.
bool ReadWholeFile(const std::string& path, std::string& out);

// Writes `bytes` to `path` through a temporary file in the same folder that is
// flushed, synced and renamed over the target; the folder is synced last. On
// any failure the temporary file is removed and an existing target is left
// exactly as it was.
bool WriteFileSafely(const std::string& path, const void* bytes, std::size_t size);
inline bool WriteFileSafely(const std::string& path, const std::string& text) {
  return WriteFileSafely(path, text.data(), text.size());
}

// The process's working directory, without a trailing separator guarantee.
std::string WorkingDirectory();

}  // namespace platform
