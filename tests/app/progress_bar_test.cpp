#include "app/progress_bar.h"

#include "tests/app/app_fixture.h"

namespace {

TEST(ProgressBarText, PrefixAndCut) {
  const std::string name47(47 - 7, 'n');  // "1 / 12 " is 7 characters
  struct Case {
    std::int16_t position, total;
    std::string text, expected;
  };
  const Case table[] = {
      {3, 12, "Miller", "3 / 12 Miller"},
      {99, 99, "Oval.txt/png saved", "Oval.txt/png saved"},
      {1, 12, name47 + "abc", "1 / 12 " + name47 + "abc"},        // 50: whole
      {1, 12, name47 + "abcd", "1 / 12 " + name47 + "..."},       // 51: cut
      {99, 99, std::string(51, 'x'), std::string(47, 'x') + "..."},
  };
  for (const Case& c : table) {
    EXPECT_EQ(ProgressBarText(c.position, c.total, c.text), c.expected);
  }
}

using ProgressBar = AppTest;

TEST_F(ProgressBar, BarLengthTruncates) {
  struct Case {
    std::int16_t position, total;
    int barEnd;  // first column past the bar
  };
  for (const Case& c : {Case{1, 3, 170}, Case{3, 12, 128}, Case{99, 99, 512}, Case{0, 5, 0}}) {
    SCOPED_TRACE(c.position);
    DrawProgressBar(s, c.position, c.total, "");
    ASSERT_EQ(platform::ImageWidth(kProgressImage), 512);
    ASSERT_EQ(platform::ImageHeight(kProgressImage), 30);
    // Row 1 lies above the text, which starts at y = 5.
    if (c.barEnd > 0) {
      EXPECT_EQ(platform::ImagePixel(kProgressImage, c.barEnd - 1, 1), s.Palette[17]);
    }
    if (c.barEnd < 512) {
      EXPECT_EQ(platform::ImagePixel(kProgressImage, c.barEnd, 1), s.Palette[16]);
    }
    EXPECT_EQ(ui::ShownImage(kProgressView), kProgressImage);
  }
}

TEST_F(ProgressBar, TextIsCentredInBlack) {
  DrawProgressBar(s, 99, 99, "WWWW");
  const int tw = [] {
    platform::CreateImage(50, 1, 1);
    platform::BeginDrawing(50);
    platform::ChooseFont(kLabelFont);
    const int w = platform::TextWidth("WWWW");
    platform::EndDrawing();
    return w;
  }();
  ASSERT_GT(tw, 0);
  int dark = 0, left = 512, right = -1;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 512; ++x) {
      if (platform::ImagePixel(kProgressImage, x, y) == 0) {
        ++dark;
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
  }
  EXPECT_GT(dark, 0);
  EXPECT_GE(left, 256 - tw / 2);
  EXPECT_LT(right, 256 - tw / 2 + tw);
}

}  // namespace
