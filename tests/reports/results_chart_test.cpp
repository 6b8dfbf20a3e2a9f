#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/fixtures/png_reader.h"
#include "tests/reports/reports_fixture.h"

namespace {

using platform::Colour;
using platform::Rgb;

constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr Colour kBlue = Rgb(0, 0, 255);

class DrawResultsChartTest : public ReportsTest {
 protected:
  // Draws the chart and reads the saved file back from disk.
  platform::Image DrawAndRead() {
    DrawResultsChart(s);
    platform::Image png;
    EXPECT_TRUE(fixtures::ReadPngFile(hotlap.path() + "Oval.png", png));
    return png;
  }

  // True when the picture holds `text` drawn opaque in `colour` on white with
  // its top-left corner at (x, y): the text is drawn alone on a white
  // scratch image and compared cell for cell.
  static ::testing::AssertionResult HasTextAt(const platform::Image& picture, int x, int y,
                                              const std::string& text, Colour colour) {
    constexpr int kScratch = 61;
    const int w = LabelWidth(text);
    const int h = platform::FontCellHeight(kLabelFont);
    if (w <= 0 || h <= 0) return ::testing::AssertionFailure() << "the label font is not loaded";
    platform::CreateImage(kScratch, w, h);
    platform::BeginDrawing(kScratch);
    platform::DrawBox(0, 0, w, h, kWhite);
    platform::ChooseFont(kLabelFont);
    platform::DrawText(0, 0, text, colour);
    platform::EndDrawing();
    for (int dy = 0; dy < h; ++dy) {
      for (int dx = 0; dx < w; ++dx) {
        if (fixtures::PixelAt(picture, x + dx, y + dy) != platform::ImagePixel(kScratch, dx, dy)) {
          return ::testing::AssertionFailure()
                 << '"' << text << "\" differs at (" << x + dx << ", " << y + dy << ")";
        }
      }
    }
    return ::testing::AssertionSuccess();
  }

  static int CountBlue(const platform::Image& picture, int y) {
    int count = 0;
    for (int x = 0; x < picture.width; ++x) count += fixtures::PixelAt(picture, x, y) == kBlue;
    return count;
  }
};

TEST_F(DrawResultsChartTest, ThreeResultsRowsAxisTicksAndBars) {
  s.ResultList = {"6000 Carl ##", "4523 Alice", "4601 Bob"};  // as the ranking leaves it
  const platform::Image png = DrawAndRead();

  EXPECT_EQ(s.ResultList, (std::vector<std::string>{"4523 Alice", "4601 Bob", "6000 Carl ##"}));
  EXPECT_EQ(s.ChartMin, 4500);
  EXPECT_EQ(s.ChartMax, 4700);
  ASSERT_EQ(png.width, 450);
  ASSERT_EQ(png.height, 170);

  const std::vector<std::string> labels = {"45.23 Alice", "46.01 Bob", "60.00 Carl ##"};
  int widest = 0;
  for (const auto& label : labels) widest = std::max(widest, LabelWidth(label));
  const int x0 = widest + 30;
  const int L = 430 - x0;
  const int yEnd = 120;

  EXPECT_EQ(fixtures::PixelAt(png, 0, 0), kWhite);
  EXPECT_EQ(fixtures::PixelAt(png, 449, 169), kWhite);
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(HasTextAt(png, 20, 30 + 30 * i, labels[i], s.Palette[12]));
  }

  // The vertical axis, both ends included; it shows above and below the bars.
  EXPECT_EQ(fixtures::PixelAt(png, x0, 29), kWhite);
  for (int y : {46, 59, 119, 120}) EXPECT_EQ(fixtures::PixelAt(png, x0, y), kBlack) << y;
  // The time axis runs to x0 + L, where the right tick stands.
  for (int x : {x0 + 1, x0 + L / 3, x0 + L - 1}) EXPECT_EQ(fixtures::PixelAt(png, x, yEnd), kBlack);
  EXPECT_EQ(fixtures::PixelAt(png, x0 + L + 1, yEnd), kWhite);
  // Ticks: five pixels down from the axis.
  for (int x : {x0, x0 + L, x0 + L / 2}) {
    EXPECT_EQ(fixtures::PixelAt(png, x, yEnd + 4), kBlack) << x;
    EXPECT_EQ(fixtures::PixelAt(png, x, yEnd + 5), kWhite) << x;
    EXPECT_EQ(fixtures::PixelAt(png, x + 1, yEnd + 4), kWhite) << x;
  }
  struct Tick {
    int x;
    const char* label;
  };
  for (const Tick& t : {Tick{x0, "45.00"}, Tick{x0 + L, "47.00"}, Tick{x0 + L / 2, "46.00"}}) {
    EXPECT_TRUE(HasTextAt(png, t.x - LabelWidth(t.label) / 2, yEnd + 10, t.label, kBlack));
  }

  // Bars: from x0 over the axis, 15 rows high, length L × (t − 4500) / 200.
  struct Bar {
    int y, length;
  };
  for (const Bar& b : {Bar{30, L * 23 / 200}, Bar{60, L * 101 / 200}}) {
    SCOPED_TRACE(b.y);
    for (int y : {b.y, b.y + 14}) {
      EXPECT_EQ(fixtures::PixelAt(png, x0, y), kBlue);
      EXPECT_EQ(fixtures::PixelAt(png, x0 + b.length - 1, y), kBlue);
      EXPECT_EQ(fixtures::PixelAt(png, x0 + b.length, y), kWhite);
      EXPECT_EQ(CountBlue(png, y), b.length);
    }
    EXPECT_EQ(CountBlue(png, b.y + 15), 0);
  }
  EXPECT_EQ(CountBlue(png, 95), 0);  // the penalised row has no bar

  EXPECT_EQ(ui::ShownImage(kTrackMapView), kMapImage);
  // The status over a full bar.
  EXPECT_EQ(ui::ShownImage(kProgressView), kProgressImage);
  EXPECT_EQ(platform::ImagePixel(kProgressImage, 511, 1), s.Palette[17]);
}

TEST_F(DrawResultsChartTest, AxisBounds) {
  struct Case {
    std::vector<std::string> lines;
    std::int32_t chartMin, chartMax;
    const char* minLabel;
    const char* maxLabel;
  };
  const Case table[] = {
      {{"4505 A", "4650 B"}, 4450, 4700, "44.50", "47.00"},  // 5 past the second: half a second down
      {{"4510 A", "4650 B"}, 4500, 4700, "45.00", "47.00"},
      {{"0999 Bob", "1234 C"}, 900, 1300, "9.00", "13.00"},
      {{"4523 A"}, 4500, 100, "45.00", "1.00"},             // one line: max stays 0
      {{"4523 A", "6500 B"}, 4500, 100, "45.00", "1.00"},   // nothing below 6000 after the first
      {{"-0120 X", "0130 Y"}, -150, 200, "-1.50", "2.00"},  // truncation toward zero
  };
  for (const Case& c : table) {
    SCOPED_TRACE(c.lines.front());
    SetUp();
    s.ResultList = c.lines;
    const platform::Image png = DrawAndRead();
    EXPECT_EQ(s.ChartMin, c.chartMin);
    EXPECT_EQ(s.ChartMax, c.chartMax);
    // Below the last label row only the axes are drawn: the time axis starts
    // at x0.
    const int yEnd = 30 * static_cast<int>(c.lines.size()) + 30;
    int x0 = 0;
    while (x0 < png.width && fixtures::PixelAt(png, x0, yEnd) != kBlack) ++x0;
    EXPECT_TRUE(HasTextAt(png, x0 - LabelWidth(c.minLabel) / 2, yEnd + 10, c.minLabel, kBlack));
    EXPECT_TRUE(
        HasTextAt(png, 430 - LabelWidth(c.maxLabel) / 2, yEnd + 10, c.maxLabel, kBlack));
  }
}

TEST_F(DrawResultsChartTest, ThreeDigitTimeLabel) {
  // A second line keeps the bars to the right of the axis.
  s.ResultList = {"0999 Bob", "1050 Al"};
  const platform::Image png = DrawAndRead();
  EXPECT_TRUE(HasTextAt(png, 20, 30, "9.99 Bob", s.Palette[12]));
}

TEST_F(DrawResultsChartTest, NoResultLines) {
  const platform::Image png = DrawAndRead();
  ASSERT_EQ(png.width, 450);
  ASSERT_EQ(png.height, 80);
  EXPECT_EQ(s.ChartMin, -50);
  EXPECT_EQ(s.ChartMax, 100);
  // x0 = 30, L = 400, yEnd = 30: the vertical axis is the single pixel (30, 30).
  EXPECT_EQ(fixtures::PixelAt(png, 30, 29), kWhite);
  EXPECT_EQ(fixtures::PixelAt(png, 30, 30), kBlack);
  EXPECT_EQ(fixtures::PixelAt(png, 429, 30), kBlack);
  struct Tick {
    int x;
    const char* label;
  };
  for (const Tick& t : {Tick{30, "-.50"}, Tick{430, "1.00"}, Tick{230, ".25"}}) {
    EXPECT_EQ(fixtures::PixelAt(png, t.x, 34), kBlack) << t.x;
    EXPECT_TRUE(HasTextAt(png, t.x - LabelWidth(t.label) / 2, 40, t.label, kBlack));
  }
  for (int y = 0; y < 80; ++y) EXPECT_EQ(CountBlue(png, y), 0) << y;
}

TEST_F(DrawResultsChartTest, RowsWithoutALapTimeGetNoBar) {
  // Ascending as text: -0050, 0000, 4550, 6000, 7000.
  s.ResultList = {"7000 Big", "4550 Real", "6000 Pen", "0000 Zero", "-0050 Neg"};
  const platform::Image png = DrawAndRead();
  ASSERT_EQ(png.height, 30 * 5 + 80);
  EXPECT_EQ(s.ChartMin, -50);
  EXPECT_EQ(s.ChartMax, 4600);
  for (int row = 0; row < 5; ++row) {
    const int blue = CountBlue(png, 30 + 30 * row + 7);
    if (row == 2) {
      EXPECT_GT(blue, 0);
    } else {
      EXPECT_EQ(blue, 0) << row;
    }
  }
}

TEST_F(DrawResultsChartTest, UnsavedChartIsStillShownWithoutStatus) {
  s.HotlapFolder = hotlap.path() + "gone/";
  s.ResultList = {"4523 Alice"};
  DrawResultsChart(s);
  EXPECT_EQ(ui::ShownImage(kTrackMapView), kMapImage);
  EXPECT_EQ(platform::ImageHeight(kMapImage), 110);
  EXPECT_FALSE(platform::ImageExists(kProgressImage));
  EXPECT_FALSE(std::filesystem::exists(hotlap.path() + "gone"));
}

TEST_F(DrawResultsChartTest, ImageThatCannotBeMadeStopsTheStep) {
  s.ChartMin = 1234;
  s.ChartMax = 5678;
  platform::CreateImage(kMapImage, 512, 560);  // the last track map
  // 30 n + 80 beyond the largest picture side.
  s.ResultList.assign(platform::kMaxImageSide / 30 + 1, "4523 A");
  s.ResultList.back() = "0999 B";
  DrawResultsChart(s);
  EXPECT_EQ(s.ResultList.front(), "0999 B");  // sorted all the same
  EXPECT_EQ(s.ChartMin, 1234);
  EXPECT_EQ(s.ChartMax, 5678);
  EXPECT_FALSE(platform::ImageExists(kMapImage));
  EXPECT_FALSE(std::filesystem::exists(hotlap.path() + "Oval.png"));
  EXPECT_FALSE(platform::ImageExists(kProgressImage));
}

}  // namespace
