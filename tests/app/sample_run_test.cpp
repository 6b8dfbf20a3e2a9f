// The bundled sample hotlap folder, written by make-sample, run headless from
// Load to End: every entry's log as the checker gives it, the warning for the
// entry that raced another track, the ranking and both report files.
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "tests/app/app_fixture.h"
#include "tests/fixtures/headless_run.h"
#include "tests/fixtures/temp_dir.h"

namespace {

struct SampleEntry {
  std::string folder;
  std::string result;  // the line "1.: time driver"
  std::string car;     // the line "Car 1:..."
  bool screenshot;
  int layout;
};

const std::vector<SampleEntry> kSample = {
    {"Anna Berg", "1.: 4487 Anna Berg", "Car 1:Formula ok", true, 120},
    {"JoergH", "1.: 4512 J\xF6rg Haas", "Car 1:Formula ok", true, 120},
    {"Kenji_Sato", "1.: 4633 Kenji Sato", "Car 1:Rally GT not found!!", true, 120},
    {"Marco", "1.: 4398 Marco Rossi", "Car 1:Formula ok", true, 110},
    {"Pierre", "1.: 4571 Pierre D.", "Car 1:Formula ok", false, 120},
    {"Tom Walker", "1.: 4702 Tom Walker", "Car 1:Formula ok", true, 120},
};

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  for (const std::string& l : lines) {
    if (l == line) return true;
  }
  return false;
}

using SampleRun = AppTest;

TEST_F(SampleRun, LoadToEndOverTheSampleFolder) {
  fixtures::TempDir dir;
  const std::string command = std::string(THC_MAKE_SAMPLE) + " '" + dir.path() + "' > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string hotlap = dir.path() + "hotlap/";
  ui::headless::SetChooserAnswer(hotlap);

  PressStepButton(s);  // Load
  EXPECT_EQ(s.RunLog, "\r\n\r\nCar: Formula.car\r\n" + kDashLine + "\r\n");
  ASSERT_EQ(s.EntryList.size(), kSample.size());
  for (std::size_t i = 0; i < kSample.size(); ++i) {
    const SampleEntry& e = kSample[i];
    SCOPED_TRACE(e.folder);
    EXPECT_EQ(s.EntryList[i], e.folder);
    const std::vector<std::string> lines = fixtures::LogLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.front(), " ");
    EXPECT_EQ(lines.back(), kDashLine);
    EXPECT_EQ(lines[1] == "Screen fehlt", !e.screenshot);
    EXPECT_TRUE(Contains(lines, "Lakeside.trk  (static): 32242 Bytes"));
    EXPECT_TRUE(Contains(lines, e.result));
    EXPECT_TRUE(Contains(lines, e.car));
    EXPECT_TRUE(Contains(lines, "Ghost = " + std::to_string(e.layout)));
    const std::string track = e.folder == "Tom Walker" ? "Harbour" : "Lakeside";
    EXPECT_TRUE(Contains(lines, "Trackname in gam (" + std::to_string(e.layout) + "): " + track +
                                    ".trk"));
    EXPECT_EQ(ui::ShownImage(kTrackMapView), kMapImage);
    EXPECT_EQ(ui::ShownImage(kScreenshotView), e.screenshot ? kScreenshotImage : kPlaceholderImage);
    // The map of every entry: the circuit, water and the ghost path are on it.
    std::map<platform::Colour, int> colours;
    for (int y = 0; y < 512; y += 2) {
      for (int x = 0; x < 512; x += 2) ++colours[platform::ImagePixel(kMapImage, x, y)];
    }
    EXPECT_GT(colours[platform::Rgb(0, 64, 255)], 100) << "water";
    EXPECT_GT(colours[platform::Rgb(0, 0, 255)], 100) << "ghost";
    EXPECT_GT(colours[platform::Rgb(158, 158, 158)], 100) << "road (terrain code 0)";
    if (i + 1 < kSample.size()) PressStepButton(s);
  }

  PressStepButton(s);  // End
  const std::string report = fixtures::ReadText(hotlap + "Lakeside.txt");
  EXPECT_EQ(report.rfind(
                "1 - 4398 Marco Rossi\r\n2 - 4487 Anna Berg\r\n3 - 4512 J\xF6rg Haas\r\n"
                "4 - 4571 Pierre D.\r\n5 - 4633 Kenji Sato\r\n6 - 4702 Tom Walker\r\n\r\n"
                "WARNING: Tom Walker Game corrupt !!!!\r\n\r\nCar: Formula.car\r\n",
                0),
            0u);
  EXPECT_EQ(report, ui::Text(kLogEditor));
  EXPECT_FALSE(fixtures::ReadBytes(hotlap + "Lakeside.png").empty());
}

}  // namespace
