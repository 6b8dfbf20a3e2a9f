// Fonts found through fontconfig and text drawn with FreeType: the cell's
// extent, opaque and transparent modes, widths, the Windows-1252 bytes and
// clipping.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/raster.h"
#include "platform/ui_headless.h"

namespace {

using platform::Colour;
using platform::Rgb;

constexpr int kMono = 1;
constexpr int kSans = 2;
constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kWhite = Rgb(255, 255, 255);

class TextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::headless::Reset();
    platform::DeleteAllImages();
    platform::DeleteAllFonts();
    ASSERT_TRUE(platform::LoadFont(kMono, "Lucida Console:spacing=mono", 12, 96));
    ASSERT_TRUE(platform::LoadFont(kSans, "Arial:bold", 10, 96));
  }
  void TearDown() override {
    platform::DeleteAllImages();
    platform::DeleteAllFonts();
  }
};

// Draws `s` at (x, y) on a fresh red 120 × 40 image 1 with font k.
void DrawOnRed(int k, int x, int y, const std::string& s, bool transparent, Colour front = 0,
               Colour back = kWhite) {
  ASSERT_TRUE(platform::CreateImage(1, 120, 40));
  platform::BeginDrawing(1);
  platform::DrawBox(0, 0, 120, 40, kRed);
  if (transparent) platform::SetTransparentText();
  platform::ChooseFont(k);
  platform::DrawText(x, y, s, front, back);
  platform::EndDrawing();
}

struct Extent {
  int count = 0;  // pixels that differ from `background`
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
};

Extent ChangedPixels(int n, Colour background) {
  Extent e;
  for (int y = 0; y < platform::ImageHeight(n); ++y) {
    for (int x = 0; x < platform::ImageWidth(n); ++x) {
      if (platform::ImagePixel(n, x, y) == background) continue;
      ++e.count;
      e.left = std::min(e.left, x);
      e.right = std::max(e.right, x);
      e.top = std::min(e.top, y);
      e.bottom = std::max(e.bottom, y);
    }
  }
  return e;
}

int Width(int k, const std::string& s) {
  platform::BeginDrawing(1);
  platform::ChooseFont(k);
  const int w = platform::TextWidth(s);
  platform::EndDrawing();
  return w;
}

TEST_F(TextTest, FontsMatchTheirPatternsAndSize) {
  ASSERT_TRUE(platform::CreateImage(1, 4, 4));
  // The monospace fallback: every character advances alike.
  EXPECT_EQ(Width(kMono, "iiii"), Width(kMono, "WWWW"));
  EXPECT_EQ(Width(kMono, "abc"), 3 * Width(kMono, "."));
  // Arial's stand-in is proportional.
  EXPECT_LT(Width(kSans, "iiii"), Width(kSans, "WWWW"));
  // 12 pt at 96 dpi is 16 pixels, 10 pt is 13: the cells are a little taller.
  EXPECT_GE(platform::FontCellHeight(kMono), 16);
  EXPECT_LE(platform::FontCellHeight(kMono), 21);
  EXPECT_GE(platform::FontCellHeight(kSans), 13);
  EXPECT_LE(platform::FontCellHeight(kSans), 17);
  EXPECT_EQ(platform::FontCellHeight(7), 0);
  // More dots per inch, more pixels.
  ASSERT_TRUE(platform::LoadFont(3, "Arial:bold", 10, 192));
  EXPECT_GT(platform::FontCellHeight(3), platform::FontCellHeight(kSans) * 3 / 2);
  EXPECT_FALSE(platform::LoadFont(3, "Arial", 0, 96));
  EXPECT_EQ(platform::FontCellHeight(3), 0);
}

TEST_F(TextTest, WidthIsZeroForEmptyTextAndGrowsWithLength) {
  ASSERT_TRUE(platform::CreateImage(1, 4, 4));
  for (int k : {kMono, kSans}) {
    EXPECT_EQ(Width(k, ""), 0);
    const int one = Width(k, "8");
    EXPECT_GT(one, 0);
    EXPECT_EQ(Width(k, "88"), 2 * one);
    EXPECT_GT(Width(k, "3 / 12 Miller"), Width(k, "3 / 12 Mill"));
  }
}

TEST_F(TextTest, NoFontChosenDrawsNothingAndMeasuresZero) {
  ASSERT_TRUE(platform::CreateImage(1, 60, 30));
  platform::BeginDrawing(1);
  platform::ChooseFont(kSans);
  platform::EndDrawing();
  platform::BeginDrawing(1);  // forgets the font
  EXPECT_EQ(platform::TextWidth("abc"), 0);
  platform::DrawText(0, 0, "abc");
  platform::ChooseFont(9);    // never loaded
  platform::DrawText(0, 0, "abc");
  EXPECT_EQ(platform::TextWidth("abc"), 0);
  platform::EndDrawing();
  EXPECT_EQ(ChangedPixels(1, 0).count, 0);
}

TEST_F(TextTest, OpaqueTextFillsItsCellWithTheBackground) {
  const std::string s = "Hg 42";
  const int w = Width(kSans, s);
  const int h = platform::FontCellHeight(kSans);
  DrawOnRed(kSans, 10, 5, s, false);
  // Outside the cell (10..10+w-1, 5..5+h-1) nothing changed; inside no red is left.
  int insideRed = 0, outsideChanged = 0, dark = 0, mixed = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 120; ++x) {
      const Colour c = platform::ImagePixel(1, x, y);
      const bool inside = x >= 10 && x < 10 + w && y >= 5 && y < 5 + h;
      if (inside && c == kRed) ++insideRed;
      if (!inside && c != kRed) ++outsideChanged;
      if (inside && c == 0) ++dark;
      // Anti-aliased edges blend black over white: grey levels.
      if (inside && c != 0 && c != kWhite) {
        ++mixed;
        EXPECT_EQ(platform::RedOf(c), platform::GreenOf(c)) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(insideRed, 0);
  EXPECT_EQ(outsideChanged, 0);
  EXPECT_GT(dark, 10);
  EXPECT_GT(mixed, 5);
}

TEST_F(TextTest, TransparentTextChangesOnlyTheGlyphPixels) {
  const std::string s = "Hg 42";
  const int w = Width(kSans, s);
  const int h = platform::FontCellHeight(kSans);
  DrawOnRed(kSans, 10, 5, s, true, Rgb(0, 0, 255));
  const Extent e = ChangedPixels(1, kRed);
  EXPECT_GT(e.count, 20);
  EXPECT_LT(e.count, w * h / 2);  // the background between the strokes stays red
  EXPECT_GE(e.left, 10);
  EXPECT_LT(e.right, 10 + w);
  EXPECT_GE(e.top, 5);
  EXPECT_LT(e.bottom, 5 + h);
  // Blended over red by coverage: no white, every changed pixel lies between red and blue.
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 120; ++x) {
      const Colour c = platform::ImagePixel(1, x, y);
      EXPECT_EQ(platform::GreenOf(c), 0) << x << "," << y;
      EXPECT_EQ(platform::RedOf(c) + platform::BlueOf(c), 255) << x << "," << y;
    }
  }
  // The transparent mode lasts until the drawing ends.
  platform::BeginDrawing(1);
  platform::ChooseFont(kSans);
  platform::DrawText(60, 5, "x");
  platform::EndDrawing();
  EXPECT_EQ(platform::ImagePixel(1, 60, 5), kWhite);
}

TEST_F(TextTest, GlyphsSitInTheCellOnOneBaseline) {
  const int h = platform::FontCellHeight(kMono);
  DrawOnRed(kMono, 0, 0, "H", true);
  const Extent capital = ChangedPixels(1, kRed);
  DrawOnRed(kMono, 0, 0, "g", true);
  const Extent descender = ChangedPixels(1, kRed);
  DrawOnRed(kMono, 0, 7, "H", true);
  const Extent moved = ChangedPixels(1, kRed);
  EXPECT_GT(capital.top, 0);           // room above a capital for accents
  EXPECT_GT(descender.bottom, capital.bottom);
  EXPECT_LT(descender.bottom, h);
  EXPECT_EQ(moved.top, capital.top + 7);
  EXPECT_EQ(moved.bottom, capital.bottom + 7);
}

TEST_F(TextTest, BytesAreWindows1252) {
  auto pixelsOf = [](const std::string& s) {
    DrawOnRed(kSans, 2, 2, s, true);
    std::vector<Colour> out;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 40; ++x) out.push_back(platform::ImagePixel(1, x, y));
    }
    return out;
  };
  // 0x80 is the euro sign, not the undefined 0x81; 0xE9 is é, an e with an accent.
  EXPECT_NE(pixelsOf("\x80"), pixelsOf("\x81"));
  EXPECT_NE(pixelsOf("\xE9"), pixelsOf("e"));
  EXPECT_NE(pixelsOf("\x9F"), pixelsOf("\xFF"));  // Ÿ and ÿ
  EXPECT_GT(ChangedPixels(1, kRed).count, 5);
  // The euro sign is a digit-wide glyph in Liberation Sans.
  ASSERT_TRUE(platform::CreateImage(1, 4, 4));
  EXPECT_EQ(Width(kSans, "\x80"), Width(kSans, "0"));
}

TEST_F(TextTest, TextClipsAtEveryEdge) {
  const struct {
    int x, y;
    bool visible;
  } cases[] = {
      {-6, 10, true}, {110, 10, true}, {40, -8, true}, {40, 35, true},
      {INT_MIN, 0, false}, {INT_MAX, 0, false}, {0, INT_MIN, false}, {0, INT_MAX, false},
      {INT_MAX - 3, INT_MAX - 3, false}, {-1000, -1000, false},
  };
  for (const auto& c : cases) {
    for (bool transparent : {false, true}) {
      DrawOnRed(kSans, c.x, c.y, "WW", transparent);
      EXPECT_EQ(ChangedPixels(1, kRed).count > 0, c.visible)
          << c.x << "," << c.y << (transparent ? " transparent" : " opaque");
    }
  }
}

}  // namespace
