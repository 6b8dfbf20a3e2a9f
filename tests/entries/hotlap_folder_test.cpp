#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/run_state.h"
#include "entries/entries.h"
#include "platform/raster.h"
#include "platform/ui_headless.h"
#include "tests/fixtures/car_file_writer.h"
#include "tests/fixtures/headless_run.h"
#include "tests/fixtures/temp_dir.h"

namespace {

class HotlapFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fixtures::StartHeadlessRun(s);
  }
  void TearDown() override { platform::DeleteAllImages(); }

  // Chooses `folder` (the temp folder unless told otherwise) and runs the step.
  void Choose(const std::string& folder) {
    ui::headless::SetChooserAnswer(folder);
    ChooseHotlapFolder(s);
  }
  void ChooseTemp() { Choose(dir.path()); }
  std::string Log() const { return ui::Text(kLogEditor); }

  RunState s;
  fixtures::TempDir dir;
};

// The limit sits at the room of CarBuffer less one byte: the last byte of
// CarBuffer is never written, and a refused file leaves CarBuffer as it was.
TEST_F(HotlapFolderTest, CarFileIsLoadedOnlyWhenShorterThanTheLimit) {
  struct Case {
    std::size_t length;
    bool loaded;
    const char* log;
  };
  const Case cases[] = {
      {0, true, "Car: Formula.car"},
      {1344, true, "Car: Formula.car"},
      {99'999, true, "Car: Formula.car"},
      {100'000, false, "Car: Formula.car\r\nno car!"},
      {250'000, false, "Car: Formula.car\r\nno car!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    SetUp();
    fixtures::TempDir folder;
    const std::vector<std::uint8_t> bytes = fixtures::CarFileFill(c.length, 11);
    folder.WriteFile("Formula.car", bytes);
    std::fill_n(CarBuffer(s), kCarBufferRoom, std::uint8_t{0xAA});

    Choose(folder.path());

    EXPECT_EQ(s.ReferenceCarLoaded, c.loaded);
    EXPECT_EQ(s.CarLength, static_cast<std::int32_t>(c.length));
    EXPECT_EQ(Log(), c.log);
    const std::uint8_t* car = CarBuffer(s);
    if (c.loaded) {
      EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), car));
    } else {
      EXPECT_EQ(car[0], 0xAA);
    }
    EXPECT_EQ(car[kCarBufferRoom - 1], 0xAA);
  }
}

TEST_F(HotlapFolderTest, EveryCarFileIsLoggedAndTheLastListedIsLoaded) {
  dir.WriteFile("A.car", fixtures::CarFileFill(2000, 1));
  const std::vector<std::uint8_t> last = fixtures::CarFileFill(1500, 2);
  dir.WriteFile("B.CAR", last);

  ChooseTemp();

  EXPECT_EQ(Log(), "Car: A.car\r\nCar: B.CAR");
  EXPECT_TRUE(s.ReferenceCarLoaded);
  EXPECT_EQ(s.CarLength, 1500);
  EXPECT_TRUE(std::equal(last.begin(), last.end(), CarBuffer(s)));
}

TEST_F(HotlapFolderTest, CarFileThatCannotBeOpenedIsLoggedAndNotLoaded) {
  ASSERT_EQ(::symlink((dir.path() + "nowhere").c_str(), (dir.path() + "Formula.car").c_str()), 0);
  ChooseTemp();
  EXPECT_EQ(Log(), "Car: Formula.car\r\nno car!");
  EXPECT_FALSE(s.ReferenceCarLoaded);
  EXPECT_EQ(s.CarLength, 0);
}

// The extension is the text after the last "."; its case does not matter.
TEST_F(HotlapFolderTest, CarFilesAreToldByTheirExtensionInAnyCase) {
  struct Case {
    const char* name;
    bool isCar;
  };
  const Case cases[] = {
      {"ROUTE.CAR", true}, {"route.Car", true},   {".car", true},  {"a.b.car", true},
      {"car", false},      {"x.cars", false},     {"x.ca", false}, {"x.car.bak", false},
      {"xcar", false},     {"Formula_car", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    fixtures::TempDir folder;
    folder.WriteFile(c.name, fixtures::CarFileFill(100, 3));

    Choose(folder.path());

    EXPECT_EQ(s.ReferenceCarLoaded, c.isCar);
    EXPECT_EQ(Log(), c.isCar ? "Car: " + std::string(c.name) : std::string("no car!"));
    EXPECT_TRUE(s.EntryList.empty());
  }
}

TEST_F(HotlapFolderTest, SubFoldersAreEntriesInByteOrderAndFilesAreNot) {
  for (const char* name : {"bob", "Anna", "x.car", "Zoe Miller", "\xE9mile", "_team"}) {
    dir.MakeFolder(name);
  }
  dir.WriteFile("notes.txt", "x");
  dir.WriteFile("Carl", "a file, not an entry");

  ChooseTemp();

  EXPECT_EQ(s.EntryList, (std::vector<std::string>{"Anna", "Zoe Miller", "_team", "bob", "x.car",
                                                   "\xE9mile"}));
  EXPECT_EQ(Log(), "no car!");  // the folder x.car is no car file
  EXPECT_FALSE(s.ReferenceCarLoaded);
}

TEST_F(HotlapFolderTest, ChooserOpensAtStartDirectoryAndTheAnswerGainsOneSeparator) {
  s.StartDirectory = "/home/organiser/";
  dir.MakeFolder("Anna");
  for (const std::string& answer : {dir.path(), dir.path().substr(0, dir.path().size() - 1)}) {
    SCOPED_TRACE(answer);
    Choose(answer);
    EXPECT_EQ(ui::headless::LastChooserTitle(), "Directory");
    EXPECT_EQ(ui::headless::LastChooserStart(), "/home/organiser/");
    EXPECT_EQ(s.HotlapFolder, dir.path());
    EXPECT_EQ(s.EntryList, std::vector<std::string>{"Anna"});
  }
}

// Neither a cancelled chooser nor a folder that cannot be listed logs
// anything, not even "no car!"; both clear what the log and EntryList held.
TEST_F(HotlapFolderTest, CancelledChooserAndUnlistableFolderLogNothing) {
  struct Case {
    std::string answer;
    std::string hotlapFolder;
  };
  const Case cases[] = {
      {"", ""},
      {dir.path() + "missing", dir.path() + "missing/"},
      {dir.WriteFile("plain-file", "x"), dir.path() + "plain-file/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    ui::AppendLine(kLogEditor, "old line");
    s.EntryList = {"old entry"};

    Choose(c.answer);

    EXPECT_EQ(Log(), "");
    EXPECT_TRUE(s.EntryList.empty());
    EXPECT_EQ(s.HotlapFolder, c.hotlapFolder);
    EXPECT_FALSE(s.ReferenceCarLoaded);
  }
}

// EntryNumber 99 marks End, so at most 98 entries can be shown: the first 98
// in listing order are kept and the log says how many were left out.
TEST_F(HotlapFolderTest, OnlyTheFirst98EntryFoldersAreKept) {
  struct Case {
    int folders;
    const char* log;
  };
  const Case cases[] = {
      {98, "Car: Formula.car"},
      {99, "Car: Formula.car\r\nNur die ersten 98 von 99 Ordnern werden geprueft"},
      {130, "Car: Formula.car\r\nNur die ersten 98 von 130 Ordnern werden geprueft"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folders);
    SetUp();
    fixtures::TempDir folder;
    for (int i = 1; i <= c.folders; ++i) folder.MakeFolder("driver" + std::to_string(100 + i));
    folder.WriteFile("Formula.car", fixtures::CarFileFill(3000, 4));

    Choose(folder.path());

    ASSERT_EQ(s.EntryList.size(), 98u);
    EXPECT_EQ(s.EntryList.front(), "driver101");
    EXPECT_EQ(s.EntryList.back(), "driver198");
    EXPECT_EQ(Log(), c.log);
    EXPECT_TRUE(s.ReferenceCarLoaded);
  }
}

}  // namespace
