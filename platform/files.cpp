#include "platform/files.h"

namespace platform {
bool ListFolder(const std::string&, std::vector<FolderEntry>&) { return false; }
FileRead ReadFileInto(const std::string&, std::uint8_t*, std::size_t, bool) { return {}; }
bool ReadWholeFile(const std::string&, std::string&) { return false; }
bool WriteFileSafely(const std::string&, const void*, std::size_t) { return false; }
std::string WorkingDirectory() { return "/"; }
}  // namespace platform
