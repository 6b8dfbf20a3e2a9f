#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/placeholder_image.h"
#include "app/run_state.h"
#include "entries/entries.h"
#include "platform/raster.h"
#include "platform/ui_headless.h"
#include "tests/fixtures/car_file_writer.h"
#include "tests/fixtures/headless_run.h"
#include "tests/fixtures/screenshot_writer.h"
#include "tests/fixtures/temp_dir.h"

namespace {

using Name = std::optional<std::string>;

class EntryFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fixtures::StartHeadlessRun(s);
    s.HotlapFolder = dir.path();
  }
  void TearDown() override { platform::DeleteAllImages(); }

  // Makes the state Part of Load leaves: the cursor before the first entry.
  void UseEntries(const std::vector<std::string>& names) {
    s.EntryList = names;
    s.EntryCursor = -1;
    s.EntryNumber = 0;
  }
  // The pipeline sets EntryNumber before each entry.
  void LoadNext() {
    s.EntryNumber = static_cast<std::int8_t>(s.EntryNumber + 1);
    LoadEntryFiles(s);
  }
  std::string Log() const { return ui::Text(kLogEditor); }
  std::vector<std::uint8_t> TrackBytes(std::size_t n) const {
    return std::vector<std::uint8_t>(TrackData(s), TrackData(s) + n);
  }

  RunState s;
  fixtures::TempDir dir;
};

// Files are told by the last three characters of their names, in any case;
// a later listed name of a kind wins (the listing is sorted byte-wise).
TEST_F(EntryFilesTest, FilesAreFoundByTheEndsOfTheirNames) {
  struct Case {
    std::vector<const char*> files;
    Name track, game, screenshot;
  };
  const Case cases[] = {
      {{"a.trk", "b.TRK"}, "b.TRK", {}, {}},
      {{"B.trk", "a.trk"}, "a.trk", {}, {}},  // "B" sorts before "a"
      {{"notes.xtrk", "race.gam"}, "notes.xtrk", "race.gam", {}},
      {{"trk", "gam"}, "trk", "gam", {}},
      {{"tr", "am", "x.tr"}, {}, {}, {}},
      {{"shot.jpeg", "shot.png", "track.trk.bak"}, {}, {}, {}},
      {{"shot.bmp", "shot.jpg"}, {}, {}, "shot.jpg"},
      {{"zz.bmp", "aa.JPG"}, {}, {}, "zz.bmp"},
      {{"Save1.GAM", "save2.gam", "X.Bmp"}, {}, "save2.gam", "X.Bmp"},
  };
  for (const Case& c : cases) {
    SetUp();
    fixtures::TempDir folder;
    s.HotlapFolder = folder.path();
    std::string names;
    for (const char* f : c.files) {
      folder.WriteFile(std::string("Anna/") + f, "data");
      names += std::string(f) + " ";
    }
    SCOPED_TRACE(names);
    folder.MakeFolder("Anna/sub.trk");  // sub-folders never count
    UseEntries({"Anna"});

    LoadNext();

    EXPECT_EQ(s.TrackFileName, c.track);
    EXPECT_EQ(s.GameFileName, c.game);
    EXPECT_EQ(s.ScreenshotFileName, c.screenshot);
    EXPECT_EQ(s.EntryFolderPath, folder.path() + "Anna/");
  }
}

TEST_F(EntryFilesTest, MissingFilesAreLoggedAndShownAsThePlaceholder) {
  struct Case {
    std::vector<const char*> files;
    const char* log;
    int trackView;  // -1: nothing shown by this step
  };
  const Case cases[] = {
      {{}, " \r\nTrack fehlt in:\r\nZoe Miller\r\nScreen fehlt", kPlaceholderImage},
      {{"race.gam"}, " \r\nTrack fehlt in:\r\nZoe Miller\r\nScreen fehlt", kPlaceholderImage},
      {{"Oval.trk"}, " \r\nScreen fehlt", -1},
  };
  for (const Case& c : cases) {
    SetUp();
    fixtures::TempDir folder;
    s.HotlapFolder = folder.path();
    folder.MakeFolder("Zoe Miller");
    for (const char* f : c.files) folder.WriteFile(std::string("Zoe Miller/") + f, "data");
    UseEntries({"Zoe Miller"});

    LoadNext();

    EXPECT_EQ(Log(), c.log);
    EXPECT_EQ(ui::ShownImage(kTrackMapView), c.trackView);
    EXPECT_EQ(ui::ShownImage(kScreenshotView), kPlaceholderImage);
    EXPECT_EQ(ui::ControlRect(kScreenshotView).width, 32);
  }
}

TEST_F(EntryFilesTest, UnlistableEntryFolderGivesBothLinesAndPlaceholders) {
  UseEntries({"gone"});
  LoadNext();
  EXPECT_EQ(Log(), " \r\nTrack fehlt in:\r\ngone\r\nScreen fehlt");
  EXPECT_EQ(ui::ShownImage(kTrackMapView), kPlaceholderImage);
  EXPECT_EQ(ui::ShownImage(kScreenshotView), kPlaceholderImage);
  EXPECT_FALSE(s.TrackFileName || s.GameFileName || s.ScreenshotFileName);
  EXPECT_EQ(s.EntryCursor, 0);
  EXPECT_EQ(s.EntryFolderPath, dir.path() + "gone/");
}

// The log starts anew with the single-space line; the names are absent and
// nothing else moves when EntryList has no next element.
TEST_F(EntryFilesTest, NoNextEntryLeavesOnlyTheSpaceLine) {
  UseEntries({});
  ui::AppendLine(kLogEditor, "earlier entry");
  s.TrackFileName = "old.trk";
  s.ScreenshotFileName = "old.jpg";
  s.EntryFolderPath = "/old/";

  LoadNext();

  EXPECT_EQ(Log(), " ");
  EXPECT_FALSE(s.TrackFileName || s.GameFileName || s.ScreenshotFileName);
  EXPECT_EQ(s.EntryCursor, -1);
  EXPECT_EQ(s.EntryFolderPath, "/old/");
  EXPECT_EQ(ui::ShownImage(kProgressView), -1);
  EXPECT_EQ(ui::ShownImage(kTrackMapView), -1);
  EXPECT_EQ(ui::ShownImage(kScreenshotView), -1);
}

TEST_F(EntryFilesTest, TakesExactlyOnePendingEvent) {
  UseEntries({});
  ui::headless::QueuePendingEvent(ui::Event{ui::EventKind::Other});
  ui::headless::QueuePendingEvent(ui::Event{ui::EventKind::ControlActivated, kStepButton});
  LoadNext();
  EXPECT_EQ(ui::headless::QueuedEventCount(), 1);
}

// The whole track file lands at the start of TrackData; a shorter file after
// it leaves the earlier file's tail in place.
TEST_F(EntryFilesTest, TrackFileIsReadIntoTrackDataOverTheEarlierOne) {
  const std::vector<std::uint8_t> first = fixtures::CarFileFill(5000, 21);
  const std::vector<std::uint8_t> second = fixtures::CarFileFill(1200, 22);
  dir.WriteFile("Anna/Oval.trk", first);
  dir.WriteFile("Bob/oval.TRK", second);
  UseEntries({"Anna", "Bob"});

  LoadNext();
  EXPECT_EQ(s.DataFilePath, dir.path() + "Anna/Oval.trk");
  EXPECT_EQ(s.DataLength, 5000);
  EXPECT_EQ(TrackBytes(5000), first);
  EXPECT_EQ(TrackData(s)[5000], 0);

  LoadNext();
  EXPECT_EQ(s.EntryCursor, 1);
  EXPECT_EQ(s.DataFilePath, dir.path() + "Bob/oval.TRK");
  EXPECT_EQ(s.DataLength, 1200);
  std::vector<std::uint8_t> expected = second;
  expected.insert(expected.end(), first.begin() + 1200, first.end());
  EXPECT_EQ(TrackBytes(5000), expected);
  EXPECT_EQ(ui::ShownImage(kProgressView), kProgressImage);
}

// A track file longer than TrackData's room, or one that is listed but
// cannot be read, counts as missing: TrackData keeps the earlier bytes (which
// must not be decoded in this entry's name) and a line says why.
TEST_F(EntryFilesTest, TrackFileThatCannotBeLoadedCountsAsMissing) {
  struct Case {
    const char* name;
    std::size_t length;  // 0: a link to nowhere
    const char* reason;
  };
  const Case cases[] = {
      {"Big.trk", kTrackDataRoom + 1,
       "Track zu gross: Big.trk (2000001 Bytes, hoechstens 2000000)"},
      {"Lost.trk", 0, "Track nicht lesbar: Lost.trk"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    fixtures::TempDir folder;
    s.HotlapFolder = folder.path();
    const std::vector<std::uint8_t> earlier = fixtures::CarFileFill(3000, 31);
    folder.WriteFile("Anna/Oval.trk", earlier);
    const std::string entry = folder.MakeFolder("Bob");
    if (c.length > 0) {
      folder.WriteFile(std::string("Bob/") + c.name, std::vector<std::uint8_t>(c.length, 7));
    } else {
      ASSERT_EQ(::symlink((entry + "nowhere").c_str(), (entry + c.name).c_str()), 0);
    }
    UseEntries({"Anna", "Bob"});
    LoadNext();
    ui::ShowImage(kTrackMapView, kProgressImage);  // what Anna's map would be

    LoadNext();

    EXPECT_EQ(Log(), std::string(" \r\nTrack fehlt in:\r\nBob\r\n") + c.reason +
                         "\r\nScreen fehlt");
    EXPECT_FALSE(s.TrackFileName);
    EXPECT_EQ(s.DataLength, 0);
    EXPECT_EQ(TrackBytes(3000), earlier);
    EXPECT_EQ(TrackData(s)[3000], 0);
    EXPECT_EQ(ui::ShownImage(kTrackMapView), kPlaceholderImage);
  }
}

TEST_F(EntryFilesTest, TrackFileThatFillsTrackDataExactlyIsLoaded) {
  dir.WriteFile("Anna/Oval.trk", std::vector<std::uint8_t>(kTrackDataRoom, 9));
  std::fill_n(MapBitmap(s), 16, std::uint8_t{0x55});
  UseEntries({"Anna"});
  LoadNext();
  EXPECT_EQ(s.DataLength, 2'000'000);
  EXPECT_EQ(TrackData(s)[kTrackDataRoom - 1], 9);
  EXPECT_EQ(MapBitmap(s)[0], 0x55);  // the next region is not touched
  EXPECT_EQ(Log(), " \r\nScreen fehlt");
}

// Any screenshot, JPEG or BMP of any size, is shown at 480 × 360.
TEST_F(EntryFilesTest, ScreenshotIsShownAt480By360) {
  const platform::Colour teal = platform::Rgb(0, 100, 150);
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
  };
  const Case cases[] = {
      {"shot.jpg", fixtures::EncodeJpeg(fixtures::SolidPicture(800, 600, teal))},
      {"SHOT.JPG", fixtures::EncodeJpeg(fixtures::SolidPicture(1024, 768, teal),
                                        {.quality = 75, .progressive = true})},
      {"shot.bmp", fixtures::EncodeBmp24(fixtures::SolidPicture(1024, 768, teal))},
      {"small.bmp", fixtures::EncodeBmp8(fixtures::SolidPicture(33, 17, teal))},
      {"top.bmp", fixtures::EncodeBmp24(fixtures::SolidPicture(640, 480, teal), true)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    fixtures::TempDir folder;
    s.HotlapFolder = folder.path();
    folder.WriteFile(std::string("Anna/") + c.name, c.bytes);
    UseEntries({"Anna"});

    LoadNext();

    EXPECT_EQ(Log(), " \r\nTrack fehlt in:\r\nAnna");
    EXPECT_EQ(ui::ShownImage(kScreenshotView), kScreenshotImage);
    EXPECT_EQ(ui::ControlRect(kScreenshotView).width, 480);
    EXPECT_EQ(ui::ControlRect(kScreenshotView).height, 360);
    const platform::Colour centre = platform::ImagePixel(kScreenshotImage, 240, 180);
    EXPECT_NEAR(platform::GreenOf(centre), 100, 3);
    EXPECT_NEAR(platform::BlueOf(centre), 150, 3);
  }
}

// A screenshot that is listed but cannot be loaded is not logged; the view
// shows the placeholder instead of the previous entry's screenshot.
TEST_F(EntryFilesTest, ScreenshotThatFailsToLoadShowsThePlaceholder) {
  dir.WriteFile("Anna/shot.jpg",
                fixtures::EncodeJpeg(fixtures::SolidPicture(640, 480, platform::Rgb(9, 9, 9))));
  dir.WriteFile("Anna/Oval.trk", "track");
  dir.WriteFile("Bob/Oval.trk", "track");
  dir.WriteFile("Bob/shot.jpg", "not a picture at all");
  UseEntries({"Anna", "Bob"});
  LoadNext();
  ASSERT_EQ(ui::ShownImage(kScreenshotView), kScreenshotImage);

  LoadNext();

  EXPECT_EQ(Log(), " ");
  EXPECT_EQ(s.ScreenshotFileName, Name("shot.jpg"));
  EXPECT_EQ(ui::ShownImage(kScreenshotView), kPlaceholderImage);
}

}  // namespace
