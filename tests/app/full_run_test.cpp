// A whole run over a three-entry hotlap folder, driven as the organiser does
// it: Load, Next, a penalty on the last entry, End, Google, Clip. The report
// file is checked byte for byte against the text spelled out here.
#include <string>
#include <vector>

#include "tests/app/app_fixture.h"
#include "tests/fixtures/car_file_writer.h"
#include "tests/fixtures/game_file_writer.h"
#include "tests/fixtures/screenshot_writer.h"
#include "tests/fixtures/temp_dir.h"
#include "tests/fixtures/track_file_writer.h"

namespace {

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

class FullRun : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    s.StartDirectory = dir.path();
    hotlap = dir.MakeFolder("hotlap");
    dir.WriteFile("hotlap/Ref.car", fixtures::MakeReferenceCarFile(
                                        fixtures::MakeCarBlock("Car", 42), 500, 5000));
    AddEntry("Anna", 4523, 42, true);
    AddEntry("Bert", 999, 42, true);
    AddEntry("Carl", 4601, 99, false);  // another car, no screenshot
    dir.WriteFile("google_charts.txt", std::string("https://chart.example/chart?\n"
                                                   "&cht=bhs&\n"
                                                   "chs=600x\n"));
    ui::headless::SetChooserAnswer(dir.path() + "hotlap");
  }

  void AddEntry(const std::string& name, std::int16_t time, std::uint32_t carSeed,
                bool screenshot) {
    fixtures::TrackFilePlan t;
    t.ghostTime = time;
    t.ghostDriver = name;
    t.ghostCarSeed = carSeed;
    dir.WriteFile("hotlap/" + name + "/" + name + ".trk", fixtures::WriteTrackFile(t));
    dir.WriteFile("hotlap/" + name + "/" + name + ".gam",
                  fixtures::WriteGameFile(fixtures::GameFilePlan{}));
    if (screenshot) {
      dir.WriteFile("hotlap/" + name + "/shot.bmp",
                    fixtures::EncodeBmp24(fixtures::SolidPicture(64, 48, platform::Rgb(9, 99, 199))));
    }
  }

  // The log of one entry as the checker writes it (R is 4120 for these files).
  static std::string EntryLog(const std::string& name, const std::string& time,
                              const std::string& carResult, bool screenshot) {
    std::vector<std::string> lines = {" "};
    if (!screenshot) lines.push_back("Screen fehlt");
    const std::vector<std::string> rest = {
        name + ".trk  (static): 4120 Bytes",
        "# Objecte: 0",
        " ",
        "1.: " + time + " " + name,
        " ",
        "Car 1:Car" + carResult,
        "Ghost = 120",
        " ",
        name + ".gam",
        "Trackname in gam (120): Oval.trk",
        "T/C/F/D/S:  100 / 100 / 40 / 100 / 100",
        " ",
    };
    lines.insert(lines.end(), rest.begin(), rest.end());
    return Lines(lines) + kDashLine;
  }

  fixtures::TempDir dir;
  std::string hotlap;
};

TEST_F(FullRun, ReportChartAndClipboard) {
  PressStepButton(s);  // Load: Anna
  EXPECT_EQ(ui::Text(kLogEditor), EntryLog("Anna", "4523", " ok", true));
  EXPECT_EQ(ui::ShownImage(kScreenshotView), kScreenshotImage);
  EXPECT_EQ(ui::ControlRect(kScreenshotView), (ui::Rect{5, 5, 480, 360}));
  EXPECT_EQ(ui::ShownImage(kTrackMapView), kMapImage);
  EXPECT_EQ(ui::ShownImage(kSettingsView), kSettingsPanelImage);
  EXPECT_EQ(ui::ShownImage(kProgressView), kProgressImage);

  PressStepButton(s);  // Next: Bert
  PressStepButton(s);  // Next: Carl
  EXPECT_EQ(ui::ShownImage(kScreenshotView), kPlaceholderImage);
  EXPECT_EQ(ui::ControlRect(kScreenshotView), (ui::Rect{5, 5, 32, 32}));
  PressActionButton(s);  // Penalty with the field's 6000
  PressStepButton(s);    // End
  ASSERT_EQ(s.EntryNumber, kEndEntryNumber);

  std::string carl = EntryLog("Carl", "4601", " not found!!", false);
  for (std::size_t at = carl.find("4601"); at != std::string::npos; at = carl.find("4601")) {
    carl.replace(at, 4, "6000");
  }
  for (std::size_t at = carl.find("Carl"); at != std::string::npos;
       at = carl.find("Carl", at + 7)) {
    carl.replace(at, 4, "Carl ##");
  }
  const std::string expected =
      Lines({"1 - 0999 Bert", "2 - 4523 Anna", "3 - 6000 Carl ##", "", "Track><Games: ok", "",
             "Car: Ref.car", kDashLine}) +
      EntryLog("Anna", "4523", " ok", true) + EntryLog("Bert", "999", " ok", true) + carl;
  EXPECT_EQ(fixtures::ReadText(hotlap + "Carl.txt"), expected);
  EXPECT_EQ(ui::Text(kLogEditor), expected);
  EXPECT_FALSE(ui::ControlExists(kScreenshotView));
  EXPECT_FALSE(ui::ControlExists(kSettingsView));
  EXPECT_EQ(ui::ControlRect(kLogEditor), (ui::Rect{5, 10, 480, 628}));

  // The chart: 450 × (30 × 3 + 80), saved beside the report.
  EXPECT_EQ(platform::ImageWidth(kMapImage), 450);
  EXPECT_EQ(platform::ImageHeight(kMapImage), 170);
  EXPECT_FALSE(fixtures::ReadBytes(hotlap + "Carl.png").empty());
  EXPECT_EQ(ui::Text(kStepButton), "End");
  EXPECT_EQ(ui::Text(kActionButton), "Google");

  PressActionButton(s);  // Google
  EXPECT_EQ(ui::Text(kActionButton), "Clip");
  PressActionButton(s);  // Clip
  const std::string joined =
      "https://chart.example/chart?&cht=bhs&chs=600x150&chds=9.00,46.00"
      "&chd=t:9.99,45.23,46.00&chxt=x,y&chxl=0:|9.00|27.50|46.00"
      "|1:|Carl (60.00)|Anna (45.23)|Bert (9.99)";
  EXPECT_EQ(ui::ClipboardText(), joined);
  EXPECT_EQ(ui::Text(kPenaltyField), std::to_string(joined.size()) + " Byte");

  PressStepButton(s);
  EXPECT_TRUE(s.QuitRequested);
}

}  // namespace
