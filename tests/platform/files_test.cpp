#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"
#include "tests/fixtures/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
  return names;
}

TEST(ListFolder, SortsByteWiseAndTellsFoldersFromFiles) {
  fixtures::TempDir dir;
  dir.WriteFile("b.trk", "x");
  dir.WriteFile("B.car", "x");
  dir.WriteFile("\xE4rger.txt", "x");  // a high byte sorts after every ASCII name
  dir.MakeFolder("a entry");
  dir.MakeFolder("Zeta");
  fs::create_directory_symlink(dir.path() + "Zeta", dir.path() + "link-to-folder");
  fs::create_symlink(dir.path() + "missing", dir.path() + "link-dangling");

  for (const std::string& folder : {dir.path(), dir.path().substr(0, dir.path().size() - 1)}) {
    std::vector<platform::FolderEntry> entries;
    ASSERT_TRUE(platform::ListFolder(folder, entries)) << folder;
    std::vector<std::pair<std::string, bool>> got;
    for (const auto& e : entries) got.emplace_back(e.name, e.isFolder);
    const std::vector<std::pair<std::string, bool>> want = {
        {"B.car", false},         {"Zeta", true},          {"a entry", true},
        {"b.trk", false},         {"link-dangling", false}, {"link-to-folder", true},
        {"\xE4rger.txt", false},
    };
    EXPECT_EQ(got, want);
  }
}

TEST(ListFolder, EmptyFolderGivesNoEntries) {
  fixtures::TempDir dir;
  std::vector<platform::FolderEntry> entries = {{"stale", false}};
  EXPECT_TRUE(platform::ListFolder(dir.path(), entries));
  EXPECT_TRUE(entries.empty());
}

TEST(ListFolder, FailsOnWhatIsNotAListableFolder) {
  fixtures::TempDir dir;
  const std::string file = dir.WriteFile("file.txt", "x");
  for (const std::string& path : {dir.path() + "missing/", file, file + "/"}) {
    std::vector<platform::FolderEntry> entries;
    EXPECT_FALSE(platform::ListFolder(path, entries)) << path;
    EXPECT_TRUE(entries.empty());
  }
}

TEST(ReadFileInto, ReadsUpToTheRoomAndReportsTheLength) {
  fixtures::TempDir dir;
  const std::string path = dir.WriteFile("data.bin", std::string("0123456789"));
  const struct {
    std::size_t room;
    bool onlyIfFits;
    std::size_t bytesRead;
  } cases[] = {
      {16, false, 10}, {10, false, 10}, {4, false, 4},  // capped at the room
      {16, true, 10},  {10, true, 10},  {4, true, 0},   // too long: nothing read
      {0, false, 0},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> dest(16, 0xEE);
    const platform::FileRead r = platform::ReadFileInto(path, dest.data(), c.room, c.onlyIfFits);
    EXPECT_TRUE(r.opened);
    EXPECT_EQ(r.length, 10);
    EXPECT_EQ(r.bytesRead, c.bytesRead) << c.room << " " << c.onlyIfFits;
    for (std::size_t i = 0; i < dest.size(); ++i) {
      const std::uint8_t want = i < c.bytesRead ? static_cast<std::uint8_t>('0' + i) : 0xEE;
      ASSERT_EQ(dest[i], want) << "byte " << i << " room " << c.room;
    }
  }
}

TEST(ReadFileInto, RefusesMissingFilesAndFolders) {
  fixtures::TempDir dir;
  const std::string folder = dir.MakeFolder("sub");
  std::uint8_t dest[4] = {1, 2, 3, 4};
  for (const std::string& path : {dir.path() + "missing.trk", folder, std::string()}) {
    const platform::FileRead r = platform::ReadFileInto(path, dest, sizeof dest);
    EXPECT_FALSE(r.opened) << path;
    EXPECT_EQ(r.bytesRead, 0u);
  }
  EXPECT_EQ(dest[0], 1);
}

TEST(ReadWholeFile, ReadsEveryByteOrFails) {
  fixtures::TempDir dir;
  std::string bytes(70000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
  const std::string path = dir.WriteFile("t.txt", bytes);
  std::string out = "old";
  ASSERT_TRUE(platform::ReadWholeFile(path, out));
  EXPECT_EQ(out, bytes);

  ASSERT_TRUE(platform::ReadWholeFile(dir.WriteFile("empty", ""), out));
  EXPECT_EQ(out, "");
  EXPECT_FALSE(platform::ReadWholeFile(dir.path() + "missing", out));
  EXPECT_FALSE(platform::ReadWholeFile(dir.path(), out));
}

TEST(WriteFileSafely, CreatesAndReplacesLeavingNoTemporaryFile) {
  fixtures::TempDir dir;
  const std::string path = dir.path() + "Track.txt";
  ASSERT_TRUE(platform::WriteFileSafely(path, std::string("first\r\n")));
  EXPECT_EQ(fixtures::ReadText(path), "first\r\n");
  ASSERT_TRUE(platform::WriteFileSafely(path, std::string("second")));
  EXPECT_EQ(fixtures::ReadText(path), "second");
  ASSERT_TRUE(platform::WriteFileSafely(path, nullptr, 0));
  EXPECT_EQ(fixtures::ReadText(path), "");
  EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"Track.txt"});

  // A new file gets the ordinary mode of a new file, not mkstemp's 0600.
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
}

TEST(WriteFileSafely, LeavesEverythingAsItWasWhenItCannotWrite) {
  fixtures::TempDir dir;
  const std::string folderTarget = dir.MakeFolder("Track.png");
  dir.WriteFile("Track.png/inside", "kept");
  const std::string missingFolder = dir.path() + "missing/Track.txt";

  for (const std::string& path :
       {folderTarget.substr(0, folderTarget.size() - 1), folderTarget, missingFolder}) {
    EXPECT_FALSE(platform::WriteFileSafely(path, std::string("new"))) << path;
  }
  EXPECT_EQ(fixtures::ReadText(folderTarget + "inside"), "kept");
  EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"Track.png"});
  EXPECT_EQ(NamesIn(folderTarget), std::vector<std::string>{"inside"});
}

TEST(WorkingDirectory, IsTheProcessesCurrentFolder) {
  EXPECT_EQ(platform::WorkingDirectory(), fs::current_path().string());
}

}  // namespace
