// DrawSettingsBar on the pixels of SettingsPanel (image 21).
#include <gtest/gtest.h>

#include "game/game.h"
#include "tests/game/game_fixture.h"

namespace {

constexpr int kPanel = kSettingsPanelImage;

class SettingsPanelTest : public GameTest {
 protected:
  platform::Colour Px(int x, int y) const { return platform::ImagePixel(kPanel, x, y); }
  platform::Colour Panel() const { return s.Palette[18]; }
  platform::Colour Track() const { return s.Palette[16]; }
  platform::Colour Fill() const { return s.Palette[17]; }
};

TEST_F(SettingsPanelTest, ClearingMakesAPanelOfThePanelColour) {
  platform::CreateImage(kPanel, 10, 10);  // an earlier image 21 is replaced
  DrawSettingsBar(s, 0, 0, 0, "clear", "");
  ASSERT_EQ(platform::ImageWidth(kPanel), 480);
  ASSERT_EQ(platform::ImageHeight(kPanel), 140);
  for (int y = 0; y < 140; ++y) {
    for (int x = 0; x < 480; ++x) ASSERT_EQ(Px(x, y), Panel()) << x << "," << y;
  }
  // Clearing again wipes the rows drawn since.
  DrawSettingsBar(s, 1, 100, 100, "Tyres:", "100 %");
  DrawSettingsBar(s, 0, 0, 0, "clear", "");
  EXPECT_EQ(Px(200, 30), Panel());
}

TEST_F(SettingsPanelTest, RowBeforeAnyClearingDrawsNothing) {
  DrawSettingsBar(s, 1, 50, 100, "Tyres:", "50 %");
  EXPECT_FALSE(platform::ImageExists(kPanel));
}

// Fill widths, checked along the bottom pixel row of bar 1 (y = 28 + 17),
// which no text reaches, with empty texts.
TEST_F(SettingsPanelTest, FillWidth) {
  struct Case {
    int value, maximum;
    int fillFrom, fillTo;  // inclusive; fillFrom > fillTo: no fill
  };
  const Case cases[] = {
      {50, 100, 150, 274},
      {40, 200, 150, 199},
      {3, 200, 150, 152},  // 3.75 truncates to 3
      {127, 100, 150, 466},
      {100, 100, 150, 399},
      {-56, 200, 80, 149},
      {-3, 200, 147, 149},  // -3.75 truncates toward zero: -3
      {-1, 200, 149, 149},  // -1.25 gives -1
      {-127, 100, -167, 149},  // clipped at x = 0
      {0, 100, 1, 0},
      {1, 200, 150, 150},  // 1.25 truncates to 1
      {5, 0, 1, 0},  // a maximum of 0 has no fill
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.value) + "/" + std::to_string(c.maximum));
    DrawSettingsBar(s, 0, 0, 0, "clear", "");
    DrawSettingsBar(s, 1, static_cast<std::int16_t>(c.value), static_cast<std::int16_t>(c.maximum),
                    "", "");
    for (int y : {28, 45}) {
      for (int x = 0; x < 480; ++x) {
        platform::Colour want = Panel();
        if (x >= 150 && x <= 399) want = Track();
        if (x >= c.fillFrom && x <= c.fillTo) want = Fill();
        ASSERT_EQ(Px(x, y), want) << "x " << x << " y " << y;
      }
    }
    EXPECT_EQ(Px(200, 27), Panel());
    EXPECT_EQ(Px(200, 46), Panel());
  }
}

TEST_F(SettingsPanelTest, RowsOneToFiveCoverY28To125) {
  DrawSettingsBar(s, 0, 0, 0, "clear", "");
  for (std::int16_t bar = 1; bar <= 5; ++bar) DrawSettingsBar(s, bar, 0, 100, "", "");
  for (int y = 0; y < 140; ++y) {
    // Rows are 18 high, 20 apart: two panel rows between them.
    const bool inRow = y >= 28 && y <= 125 && (y - 28) % 20 < 18;
    EXPECT_EQ(Px(300, y), inRow ? Track() : Panel()) << y;
  }
}

// The label at (10, y) and the value text at 275 - width / 2 (halved with
// truncation: a text 61 pixels wide starts at x = 245), both black and
// transparent over what lies below. Compared with the same drawing made
// directly on a second image, for an even and an odd text width.
TEST_F(SettingsPanelTest, LabelAndValueTextPositions) {
  DrawSettingsBar(s, 0, 0, 0, "clear", "");
  std::string evenText, oddText;
  platform::BeginDrawing(kPanel);
  platform::ChooseFont(kLabelFont);
  for (const char* t : {"100 %", "40 kg", "-56 kg", "50 %", "3 %", "127 %", "1 %", "7 kg", "0 %"}) {
    const int w = platform::TextWidth(t);
    std::string& slot = w % 2 == 0 ? evenText : oddText;
    if (w > 0 && slot.empty()) slot = t;
  }
  platform::EndDrawing();
  if (evenText.empty() && oddText.empty()) GTEST_SKIP() << "no text drawing available";

  for (const std::string& text : {evenText, oddText}) {
    if (text.empty()) continue;
    SCOPED_TRACE(text);
    DrawSettingsBar(s, 0, 0, 0, "clear", "");
    DrawSettingsBar(s, 2, 50, 100, "Consumption:", text);

    constexpr int kReference = 30;
    platform::CreateImage(kReference, 480, 140);
    platform::BeginDrawing(kReference);
    platform::DrawBox(0, 0, 480, 140, Panel());
    platform::SetTransparentText();
    platform::ChooseFont(kLabelFont);
    platform::DrawText(10, 48, "Consumption:", 0);
    platform::DrawBox(150, 48, 250, 18, Track());
    platform::DrawBox(150, 48, 125, 18, Fill());
    const int tw = platform::TextWidth(text);
    platform::DrawText(275 - tw / 2, 48, text, 0);
    platform::EndDrawing();

    int differing = 0;
    bool ink = false;
    for (int y = 0; y < 140; ++y) {
      for (int x = 0; x < 480; ++x) {
        if (Px(x, y) != platform::ImagePixel(kReference, x, y)) ++differing;
        if (x >= 200 && x < 350 && Px(x, y) == 0) ink = true;
      }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_TRUE(ink) << "the value text left no black pixel on the bar";
  }
}

}  // namespace
