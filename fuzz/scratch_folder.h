// A scratch folder for the fuzz targets that go through real files: on the
// memory file system when there is one, removed when the process ends.
#pragma once

#include <cstdlib>
#include <random>
#include <filesystem>
#include <string>
#include <system_error>

namespace harness {

// A fresh folder named after `purpose`, ending in a separator.
inline const std::string& ScratchFolder(const std::string& purpose) {
  // Held on the heap and never freed, so that the removal at exit still has
  // it after the static objects are gone.
  static const std::string* const folder = [&purpose] {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path base = "/dev/shm";
    if (!fs::is_directory(base, ec)) base = fs::temp_directory_path(ec);
    std::random_device random;
    const fs::path p = base / ("thc-fuzz-" + purpose + "-" + std::to_string(random()));
    fs::remove_all(p, ec);
    fs::create_directories(p, ec);
    std::atexit([] {
      std::error_code e;
      fs::remove_all(fs::path(*folder), e);
    });
    return new std::string(p.string() + "/");
  }();
  return *folder;
}

}  // namespace harness
