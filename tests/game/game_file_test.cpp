// ReportGameFile over game files written by our own writer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "game/game.h"
#include "tests/fixtures/game_file_writer.h"
#include "tests/fixtures/temp_dir.h"
#include "tests/game/game_fixture.h"

namespace {

using fixtures::GameFilePlan;
using Lines = std::vector<std::string>;

const std::string kDefaultIdentity = " 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10";

class ReportGameFileTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    s.EntryNumber = 1;
    s.GhostDriver = "Max";
    s.EntryFolderPath = dir.path();
    s.GameFileName = "race.gam";
  }

  void Run(const GameFilePlan& g) {
    dir.WriteFile("race.gam", fixtures::WriteGameFile(g));
    ReportGameFile(s);
  }

  // The five lines of a readable game file.
  static Lines Report(const std::string& trackLine, const std::string& settings) {
    return {" ", "race.gam", trackLine, "T/C/F/D/S:  " + settings, " "};
  }

  bool TablesUntouched() const {
    return std::all_of(s.TrackIdTable.begin(), s.TrackIdTable.end(),
                       [](const std::string& t) { return t.empty(); }) &&
           std::all_of(s.DriverTable.begin(), s.DriverTable.end(),
                       [](const std::string& t) { return t.empty(); });
  }

  fixtures::TempDir dir;
};

TEST_F(ReportGameFileTest, ReadableFileLogsFiveLinesAndStoresIdentityAndDriver) {
  Run(GameFilePlan{});
  EXPECT_EQ(LogLines(),
            Report("Trackname in gam (120): Oval.trk", "100 / 100 / 40 / 100 / 100"));
  EXPECT_EQ(s.TrackIdTable[1], kDefaultIdentity);
  EXPECT_EQ(s.DriverTable[1], "Max");
  EXPECT_EQ(s.DataFilePath, dir.path() + "race.gam");
  EXPECT_EQ(s.DataLength, static_cast<std::int32_t>(fixtures::WriteGameFile(GameFilePlan{}).size()));
  EXPECT_EQ(ui::ShownImage(kSettingsView), kSettingsPanelImage);
  EXPECT_TRUE(s.TrackIdTable[0].empty() && s.TrackIdTable[2].empty());
}

// Where the track section starts. The writer is told the offset outright, so
// that the expected value does not come from its own arithmetic.
TEST_F(ReportGameFileTest, TrackSectionStartByLayoutAndCarCount) {
  struct Case {
    int version;
    int count;
    std::int64_t section;
    const char* trackLine;
  };
  const Case cases[] = {
      {288, 0, 1626, "Trackname in gam (120): Oval.trk"},
      {288, 7, 1626, "Trackname in gam (120): Oval.trk"},
      {288, -1, 1626, "Trackname in gam (120): Oval.trk"},
      {288, 1, 1626, "Trackname in gam (120): Oval.trk"},
      {288, 2, 3123, "Trackname in gam (120): Oval.trk"},
      {288, 6, 129 + 6 * 1497, "Trackname in gam (120): Oval.trk"},
      {272, 1, 1531, "Trackname in gam (110): Oval.trk"},
      {0, 1, 1531, "Trackname in gam (110): Oval.trk"},
      {-288, 1, 1531, "Trackname in gam (110): Oval.trk"},
      {272, 0, 82, "Trackname in gam (110): Oval.trk"},
      {272, 3, 82 + 3 * 1449, "Trackname in gam (110): Oval.trk"},
      // Layout 110 takes any count as read; 7 is not adjusted.
      {272, 7, 82 + 7 * 1449, "Trackname in gam (110): Oval.trk"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.version) + " count " + std::to_string(c.count));
    SetUp();
    GameFilePlan g;
    g.version = c.version;
    g.carCount = c.count;
    g.trackSectionStart = c.section;
    Run(g);
    EXPECT_EQ(LogLines(), Report(c.trackLine, "100 / 100 / 40 / 100 / 100"));
    EXPECT_EQ(s.TrackIdTable[1], kDefaultIdentity);
  }
}

TEST_F(ReportGameFileTest, TrackIndexSelectsTheEntry) {
  struct Case {
    int index;
    std::int64_t entryAt;  // offset from S
    std::string identity;
  };
  const Case cases[] = {
      {0, 8, kDefaultIdentity},
      {2, 120, kDefaultIdentity},
      // Signed: -1 reaches back into the last car slot. The index byte itself
      // (S + 4) is identity byte 12 there.
      {-1, -48, " 01 02 03 04 05 06 07 08 09 0A 0B 0C FF 0E 0F 10"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    SetUp();
    GameFilePlan g;
    g.trackIndex = c.index;
    g.tableSize = 4;
    ASSERT_EQ(fixtures::GameTrackEntryOffset(g), 1626 + c.entryAt);
    Run(g);
    EXPECT_EQ(LogLines()[2], "Trackname in gam (120): Oval.trk");
    EXPECT_EQ(s.TrackIdTable[1], c.identity);
  }
}

TEST_F(ReportGameFileTest, TrackNameAndIdentityText) {
  struct Case {
    std::string stored;
    std::array<std::uint8_t, 16> identity;
    std::string trackLine;
    std::string identityText;
  };
  std::string zeros;
  for (int i = 0; i < 16; ++i) zeros += " 00";
  const Case cases[] = {
      {std::string(39, 'N'), {}, "Trackname in gam (120): " + std::string(39, 'N') + ".trk", zeros},
      {"  Oval  ", {0, 31, 160, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
       "Trackname in gam (120): Oval.trk", " 00 1F A0 FF FF FF FF FF FF FF FF FF FF FF FF FF"},
      // Only the space character is trimmed.
      {"\tOval ", {0xAB, 0xCD}, "Trackname in gam (120): \tOval.trk",
       " AB CD 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
      {"Big Oval", {}, "Trackname in gam (120): Big Oval.trk", zeros},
      {"", {}, "Trackname in gam (120): .trk", zeros},
      {"    ", {}, "Trackname in gam (120): .trk", zeros},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    SetUp();
    GameFilePlan g;
    g.trackName = c.stored;
    g.identity = c.identity;
    Run(g);
    EXPECT_EQ(LogLines()[2], c.trackLine);
    EXPECT_EQ(s.TrackIdTable[1], c.identityText);
  }
}

TEST_F(ReportGameFileTest, SettingsInReportOrderAndSigned) {
  struct Case {
    int tyres, consumption, damage, fuelMass, speed;
    const char* line;
  };
  const Case cases[] = {
      {100, 100, 100, 40, 100, "100 / 100 / 40 / 100 / 100"},
      // Fuel mass (offset 16) is reported before damage (offset 15).
      {1, 2, 3, 4, 5, "1 / 2 / 4 / 3 / 5"},
      {0, 127, 128, 200, 255, "0 / 127 / -56 / -128 / -1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    SetUp();
    GameFilePlan g;
    g.tyres = c.tyres;
    g.consumption = c.consumption;
    g.damage = c.damage;
    g.fuelMass = c.fuelMass;
    g.speed = c.speed;
    Run(g);
    EXPECT_EQ(LogLines()[3], std::string("T/C/F/D/S:  ") + c.line);
  }
}

TEST_F(ReportGameFileTest, BarsAreDrawnForTheSignedValues) {
  GameFilePlan g;
  g.fuelMass = 200;  // -56 of 200: w = -70, left of the bar track
  g.tyres = 50;      // 50 of 100: 125 pixels
  Run(g);
  ASSERT_TRUE(platform::ImageExists(kSettingsPanelImage));
  const platform::Colour fill = s.Palette[17];
  const platform::Colour panel = s.Palette[18];
  // Rows: tyres y = 28, fuel mass (bar 3) y = 68. The bottom pixel row of a
  // bar lies below the text.
  EXPECT_EQ(platform::ImagePixel(kSettingsPanelImage, 274, 45), fill);
  EXPECT_EQ(platform::ImagePixel(kSettingsPanelImage, 275, 45), s.Palette[16]);
  EXPECT_EQ(platform::ImagePixel(kSettingsPanelImage, 80, 85), fill);
  EXPECT_EQ(platform::ImagePixel(kSettingsPanelImage, 149, 85), fill);
  EXPECT_EQ(platform::ImagePixel(kSettingsPanelImage, 79, 85), panel);
  EXPECT_EQ(ui::ShownImage(kSettingsView), kSettingsPanelImage);
}

TEST_F(ReportGameFileTest, NoGameFileLogsGameFehltAndShowsAnEmptyPanel) {
  s.GameFileName.reset();
  ReportGameFile(s);
  EXPECT_EQ(ui::Text(kLogEditor), "Game fehlt");
  ASSERT_EQ(platform::ImageWidth(kSettingsPanelImage), 480);
  ASSERT_EQ(platform::ImageHeight(kSettingsPanelImage), 140);
  EXPECT_EQ(platform::ImagePixel(kSettingsPanelImage, 200, 30), s.Palette[18]);
  EXPECT_EQ(ui::ShownImage(kSettingsView), kSettingsPanelImage);
  EXPECT_TRUE(TablesUntouched());
}

TEST_F(ReportGameFileTest, UnopenableFileChangesNothing) {
  // The previous entry's panel stays on show.
  DrawSettingsBar(s, 0, 0, 0, "clear", "");
  DrawSettingsBar(s, 1, 100, 100, "", "");
  ui::ShowImage(kSettingsView, kSettingsPanelImage);
  s.DataFilePath = "track.trk";
  s.DataLength = 1234;
  s.GameFileName = "gone.gam";  // listed, but not there any more
  ReportGameFile(s);
  EXPECT_EQ(ui::Text(kLogEditor), "");
  EXPECT_EQ(platform::ImagePixel(kSettingsPanelImage, 160, 30), s.Palette[17]);
  EXPECT_EQ(s.DataFilePath, "track.trk");
  EXPECT_EQ(s.DataLength, 1234);
  EXPECT_TRUE(TablesUntouched());
}

// A track entry not wholly inside the bytes read: no name and no identity,
// the line "Track fehlt in gam (<layout>)", settings still reported; the
// driver is stored so that the warning at End names the entry.
TEST_F(ReportGameFileTest, TrackEntryOutsideTheFile) {
  struct Case {
    const char* what;
    GameFilePlan g;
    const char* trackLine;
    const char* settings;
  };
  std::vector<Case> cases;
  {
    GameFilePlan g;
    g.length = fixtures::GameTrackEntryOffset(g) + 55;  // one byte short
    cases.push_back({"last identity byte cut off", g, "Track fehlt in gam (120)",
                     "100 / 100 / 40 / 100 / 100"});
  }
  {
    GameFilePlan g;
    g.trackIndex = 127;
    g.length = 1626 + 8 + 56;  // the table's first entry, not entry 127
    cases.push_back({"index past the table", g, "Track fehlt in gam (120)",
                     "100 / 100 / 40 / 100 / 100"});
  }
  {
    GameFilePlan g;
    g.version = 272;
    g.carCount = -1;  // S = 82 - 1449, before the file's start
    cases.push_back({"layout 110 negative count", g, "Track fehlt in gam (110)",
                     "100 / 100 / 40 / 100 / 100"});
  }
  {
    GameFilePlan g;
    g.length = 14;  // the version word and the tyres byte only
    g.tyres = 77;
    cases.push_back({"header cut short", g, "Track fehlt in gam (120)", "77 / 0 / 0 / 0 / 0"});
  }
  {
    GameFilePlan g;
    g.length = 0;
    cases.push_back({"empty file", g, "Track fehlt in gam (110)", "0 / 0 / 0 / 0 / 0"});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    // What the track file left in TrackData: a whole game file of another
    // track. None of it may show through.
    GameFilePlan stale;
    stale.trackName = "Stale";
    stale.tyres = 11;
    stale.consumption = 12;
    stale.damage = 13;
    stale.fuelMass = 14;
    stale.speed = 15;
    const auto staleBytes = fixtures::WriteGameFile(stale);
    std::memcpy(TrackData(s), staleBytes.data(), staleBytes.size());
    for (std::size_t i = staleBytes.size(); i < 20000; ++i) TrackData(s)[i] = 0x4E;
    Run(c.g);
    EXPECT_EQ(LogLines(), Report(c.trackLine, c.settings));
    EXPECT_EQ(s.TrackIdTable[1], "");
    EXPECT_EQ(s.DriverTable[1], "Max");
    EXPECT_EQ(s.DataLength, static_cast<std::int32_t>(fixtures::WriteGameFile(c.g).size()));
    EXPECT_EQ(ui::ShownImage(kSettingsView), kSettingsPanelImage);
  }
}

TEST_F(ReportGameFileTest, FileLongerThanTheRoomIsReadUpToIt) {
  MapBitmap(s)[0] = 0x5A;
  GameFilePlan g;
  g.length = static_cast<std::int64_t>(kTrackDataRoom) + 100;
  Run(g);
  EXPECT_EQ(s.DataLength, static_cast<std::int32_t>(kTrackDataRoom));
  EXPECT_EQ(LogLines(), Report("Trackname in gam (120): Oval.trk", "100 / 100 / 40 / 100 / 100"));
  EXPECT_EQ(MapBitmap(s)[0], 0x5A);

}

TEST_F(ReportGameFileTest, EntryNumberWithoutASlotStoresNothing) {
  for (int number : {-1, -128, 102, 127}) {
    SCOPED_TRACE(number);
    SetUp();
    s.EntryNumber = static_cast<std::int8_t>(number);
    Run(GameFilePlan{});
    EXPECT_EQ(LogLines()[2], "Trackname in gam (120): Oval.trk");
    EXPECT_TRUE(TablesUntouched());
  }
  SetUp();
  s.EntryNumber = 101;
  Run(GameFilePlan{});
  EXPECT_EQ(s.TrackIdTable[101], kDefaultIdentity);
  EXPECT_EQ(s.DriverTable[101], "Max");
}

}  // namespace
