// Numbered images and the drawing primitives: registry rules, box extents,
// line end points, flood fill bounds and clipping at every edge.
#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>

#include "platform/raster.h"
#include "platform/ui_headless.h"
#include "tests/platform/bmp_builder.h"

namespace {

using platform::Colour;
using platform::Rgb;
using Pixels = std::set<std::pair<int, int>>;

constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kBlue = Rgb(0, 0, 255);

class RasterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::headless::Reset();
    platform::DeleteAllImages();
  }
  void TearDown() override { platform::DeleteAllImages(); }
};

// Every pixel of image n that has colour c.
Pixels PixelsOf(int n, Colour c) {
  Pixels out;
  for (int y = 0; y < platform::ImageHeight(n); ++y) {
    for (int x = 0; x < platform::ImageWidth(n); ++x) {
      if (platform::ImagePixel(n, x, y) == c) out.insert({x, y});
    }
  }
  return out;
}

Pixels Rect(int x0, int y0, int x1, int y1) {  // inclusive corners
  Pixels out;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) out.insert({x, y});
  }
  return out;
}

TEST_F(RasterTest, CreateMakesBlackImageAndFailureLeavesNone) {
  ASSERT_TRUE(platform::CreateImage(3, 7, 4));
  EXPECT_TRUE(platform::ImageExists(3));
  EXPECT_EQ(platform::ImageWidth(3), 7);
  EXPECT_EQ(platform::ImageHeight(3), 4);
  EXPECT_EQ(PixelsOf(3, 0).size(), 28u);
  ASSERT_NE(platform::FindImage(3), nullptr);
  EXPECT_EQ(platform::FindImage(3)->rgb.size(), 7u * 4 * 3);

  // A failed create under a used number still discards the old image.
  for (auto [w, h] : {std::pair{0, 4}, {4, 0}, {-1, 4}, {platform::kMaxImageSide + 1, 1}}) {
    ASSERT_TRUE(platform::CreateImage(3, 7, 4));
    EXPECT_FALSE(platform::CreateImage(3, w, h)) << w << " x " << h;
    EXPECT_FALSE(platform::ImageExists(3));
    EXPECT_EQ(platform::FindImage(3), nullptr);
    EXPECT_EQ(platform::ImageWidth(3), 0);
  }
}

TEST_F(RasterTest, PixelQueriesOutsideOrAbsentGiveZero) {
  ASSERT_TRUE(platform::CreateImage(1, 3, 2));
  platform::BeginDrawing(1);
  platform::DrawBox(0, 0, 3, 2, kWhite);
  platform::EndDrawing();
  EXPECT_EQ(platform::ImagePixel(1, 2, 1), kWhite);
  for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, -1}, {0, 2}, {INT_MIN, INT_MAX}}) {
    EXPECT_EQ(platform::ImagePixel(1, x, y), 0u) << x << "," << y;
  }
  EXPECT_EQ(platform::ImagePixel(2, 0, 0), 0u);
  platform::DeleteImage(1);
  EXPECT_FALSE(platform::ImageExists(1));
}

TEST_F(RasterTest, DrawingNeedsABegunExistingImage) {
  ASSERT_TRUE(platform::CreateImage(1, 4, 4));
  platform::DrawBox(0, 0, 4, 4, kWhite);  // not begun
  platform::Plot(1, 1, kWhite);
  platform::BeginDrawing(2);              // does not exist
  platform::DrawBox(0, 0, 4, 4, kWhite);
  platform::DrawLine(0, 0, 3, 3, kWhite);
  platform::FloodFill(0, 0, kRed, kWhite);
  platform::EndDrawing();
  platform::BeginDrawing(1);
  platform::EndDrawing();
  platform::Plot(2, 2, kWhite);           // after the end
  EXPECT_EQ(PixelsOf(1, 0).size(), 16u);
}

struct BoxCase {
  int x, y, w, h;
  Pixels expected;
};

TEST_F(RasterTest, BoxCoversItsExtentInEveryDirectionAndClips) {
  const BoxCase cases[] = {
      {2, 1, 3, 2, Rect(2, 1, 4, 2)},
      {5, 4, -3, -2, Rect(2, 2, 4, 3)},      // extends left and up from (x, y)
      {5, 1, -2, 3, Rect(3, 1, 4, 3)},
      {1, 5, 2, -1, Rect(1, 4, 2, 4)},
      {3, 3, 0, 5, {}},
      {3, 3, 5, 0, {}},
      {-2, -3, 4, 5, Rect(0, 0, 1, 1)},      // top-left corner
      {18, 10, 10, 10, Rect(18, 10, 19, 11)},  // bottom-right corner
      {INT_MIN, INT_MIN, INT_MAX, INT_MAX, {}},  // ends at (-2, -2)
      {INT_MAX, INT_MAX, INT_MIN, INT_MIN, Rect(0, 0, 19, 11)},
      {-5, 2, INT_MAX, 1, Rect(0, 2, 19, 2)},
      {INT_MAX, 0, 1, 12, {}},
      {20, 12, -1, -1, Rect(19, 11, 19, 11)},
      {0, 0, 20, 12, Rect(0, 0, 19, 11)},
  };
  for (const BoxCase& c : cases) {
    ASSERT_TRUE(platform::CreateImage(1, 20, 12));
    platform::BeginDrawing(1);
    platform::DrawBox(c.x, c.y, c.w, c.h, kWhite);
    platform::EndDrawing();
    EXPECT_EQ(PixelsOf(1, kWhite), c.expected) << c.x << "," << c.y << " " << c.w << "x" << c.h;
  }
}

TEST_F(RasterTest, BoxOfNegativeWidthCoversTheColumnsBeforeX) {
  ASSERT_TRUE(platform::CreateImage(1, 200, 3));
  platform::BeginDrawing(1);
  platform::DrawBox(150, 0, -70, 1, kWhite);
  platform::EndDrawing();
  EXPECT_EQ(PixelsOf(1, kWhite), Rect(80, 0, 149, 0));
}

struct LineCase {
  int x1, y1, x2, y2;
  Pixels expected;
};

TEST_F(RasterTest, LineDrawsBothEndPoints) {
  const LineCase cases[] = {
      {1, 1, 1, 1, {{1, 1}}},
      {1, 2, 5, 2, Rect(1, 2, 5, 2)},
      {5, 2, 1, 2, Rect(1, 2, 5, 2)},
      {3, 6, 3, 1, Rect(3, 1, 3, 6)},
      {0, 0, 4, 4, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}},
      {4, 0, 0, 4, {{4, 0}, {3, 1}, {2, 2}, {1, 3}, {0, 4}}},
      // Slope 1/3: each pixel's row is the true row rounded.
      {0, 0, 6, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}, {6, 2}}},
      {0, 6, 2, 0, {{0, 6}, {0, 5}, {1, 4}, {1, 3}, {1, 2}, {2, 1}, {2, 0}}},
  };
  for (const LineCase& c : cases) {
    ASSERT_TRUE(platform::CreateImage(1, 8, 8));
    platform::BeginDrawing(1);
    platform::DrawLine(c.x1, c.y1, c.x2, c.y2, kWhite);
    platform::EndDrawing();
    EXPECT_EQ(PixelsOf(1, kWhite), c.expected)
        << c.x1 << "," << c.y1 << " - " << c.x2 << "," << c.y2;
  }
}

TEST_F(RasterTest, LineDefaultsToBlackAndClipsHugeCoordinates) {
  ASSERT_TRUE(platform::CreateImage(1, 8, 6));
  platform::BeginDrawing(1);
  platform::DrawBox(0, 0, 8, 6, kWhite);
  platform::DrawLine(0, 0, 3, 0);
  platform::EndDrawing();
  EXPECT_EQ(PixelsOf(1, 0), Rect(0, 0, 3, 0));

  const LineCase cases[] = {
      {INT_MIN, 2, INT_MAX, 2, Rect(0, 2, 7, 2)},
      {4, INT_MAX, 4, INT_MIN, Rect(4, 0, 4, 5)},
      {INT_MIN, INT_MIN, INT_MAX, INT_MAX,
       {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}}},
      {INT_MAX, INT_MIN, INT_MAX, INT_MAX, {}},
      {-3, 9, -1, -20, {}},
      {-2, 1, 10, 1, Rect(0, 1, 7, 1)},
  };
  for (const LineCase& c : cases) {
    ASSERT_TRUE(platform::CreateImage(1, 8, 6));
    platform::BeginDrawing(1);
    platform::DrawLine(c.x1, c.y1, c.x2, c.y2, kWhite);
    platform::EndDrawing();
    EXPECT_EQ(PixelsOf(1, kWhite), c.expected)
        << c.x1 << "," << c.y1 << " - " << c.x2 << "," << c.y2;
  }
}

TEST_F(RasterTest, RelativeLineIsBlackAndLeavesOutItsEndPoint) {
  const LineCase cases[] = {  // x, y, dx, dy
      {2, 1, 0, 5, Rect(2, 1, 2, 5)},
      {6, 3, -4, 0, Rect(3, 3, 6, 3)},
      {1, 1, 3, 3, {{1, 1}, {2, 2}, {3, 3}}},
      {4, 4, 0, 0, {}},
      {2, 2, 0, 1, {{2, 2}}},
      {5, 0, INT_MAX, 0, Rect(5, 0, 7, 0)},
      {INT_MAX, 1, INT_MIN, 0, Rect(0, 1, 7, 1)},  // the end lies at -1
  };
  for (const LineCase& c : cases) {
    ASSERT_TRUE(platform::CreateImage(1, 8, 8));
    platform::BeginDrawing(1);
    platform::DrawBox(0, 0, 8, 8, kWhite);
    platform::DrawRelativeLine(c.x1, c.y1, c.x2, c.y2);
    platform::EndDrawing();
    EXPECT_EQ(PixelsOf(1, 0), c.expected) << c.x1 << "," << c.y1 << " by " << c.x2 << "," << c.y2;
  }
}

TEST_F(RasterTest, PlotClips) {
  ASSERT_TRUE(platform::CreateImage(1, 3, 3));
  platform::BeginDrawing(1);
  for (auto [x, y] : {std::pair{-1, 1}, {3, 1}, {1, -1}, {1, 3}, {INT_MIN, INT_MAX}, {2, 0}}) {
    platform::Plot(x, y, kWhite);
  }
  platform::EndDrawing();
  EXPECT_EQ(PixelsOf(1, kWhite), (Pixels{{2, 0}}));
}

// An 8 × 8 white picture cut by an 8-connected blue anti-diagonal from
// (0, 7) to (7, 0), with a red pixel in the upper-left triangle.
void DrawDiagonalFixture() {
  ASSERT_TRUE(platform::CreateImage(1, 8, 8));
  platform::BeginDrawing(1);
  platform::DrawBox(0, 0, 8, 8, kWhite);
  platform::DrawLine(0, 7, 7, 0, kBlue);
  platform::Plot(2, 1, kRed);
  platform::EndDrawing();
}

TEST_F(RasterTest, FloodFillDoesNotLeakThroughADiagonalOutline) {
  DrawDiagonalFixture();
  platform::BeginDrawing(1);
  platform::FloodFill(0, 0, kBlue, Rgb(0, 255, 0));
  platform::EndDrawing();
  Pixels above;
  Pixels below;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      if (x + y < 7) above.insert({x, y});
      if (x + y > 7) below.insert({x, y});
    }
  }
  // The red pixel is not the outline colour, so it is filled as well.
  EXPECT_EQ(PixelsOf(1, Rgb(0, 255, 0)), above);
  EXPECT_EQ(PixelsOf(1, kWhite), below);
  EXPECT_EQ(PixelsOf(1, kBlue).size(), 8u);
}

TEST_F(RasterTest, FloodFillStartingOnTheOutlineOrOutsideFillsNothing) {
  DrawDiagonalFixture();
  platform::BeginDrawing(1);
  platform::FloodFill(3, 4, kBlue, kRed);  // on the diagonal
  platform::FloodFill(-1, 0, kBlue, kRed);
  platform::FloodFill(0, INT_MAX, kBlue, kRed);
  platform::EndDrawing();
  EXPECT_EQ(PixelsOf(1, kRed), (Pixels{{2, 1}}));
}

TEST_F(RasterTest, FloodFillEndsWhenFillEqualsTheRegionOrOutlineColour) {
  DrawDiagonalFixture();
  platform::BeginDrawing(1);
  platform::FloodFill(7, 7, kBlue, kWhite);  // white over white
  platform::FloodFill(7, 7, kBlue, kBlue);   // becomes outline itself
  platform::EndDrawing();
  EXPECT_EQ(PixelsOf(1, kBlue).size(), 8u + 28u);

  // A fresh black image with no outline anywhere fills whole (the chart's first step).
  ASSERT_TRUE(platform::CreateImage(2, 5, 3));
  platform::BeginDrawing(2);
  platform::FloodFill(0, 0, Rgb(1, 2, 3), kWhite);
  platform::EndDrawing();
  EXPECT_EQ(PixelsOf(2, kWhite).size(), 15u);
}

TEST_F(RasterTest, CreateFromBmpUsesOnlyTheFieldsThatDescribeThePixels) {
  // The track map's layout: 8-bit, 256-entry palette, bogus size fields,
  // held in a larger buffer than the bitmap needs.
  bmp_builder::Bmp m;
  m.width = 512;
  m.height = 560;
  m.bpp = 8;
  m.fileSizeField = 1334;
  m.imageSizeField = 256;
  for (int i = 0; i < 256; ++i) m.palette.push_back(Rgb(i, 255 - i, i / 2));
  m.pixels.assign(512 * 560, 240);
  m.pixels[0] = 7;                  // (0, 0)
  m.pixels[559 * 512 + 511] = 3;    // (511, 559)
  m.pixels[511 * 512 + 10] = 200;   // (10, 511)
  std::vector<std::uint8_t> bytes = bmp_builder::Build(m);
  ASSERT_EQ(bytes.size(), 1078u + 286720u);
  bytes.resize(900000, 0);

  ASSERT_TRUE(platform::CreateImageFromBmp(1, bytes.data(), bytes.size()));
  EXPECT_EQ(platform::ImageWidth(1), 512);
  EXPECT_EQ(platform::ImageHeight(1), 560);
  EXPECT_EQ(platform::ImagePixel(1, 0, 0), Rgb(7, 248, 3));
  EXPECT_EQ(platform::ImagePixel(1, 511, 559), Rgb(3, 252, 1));
  EXPECT_EQ(platform::ImagePixel(1, 10, 511), Rgb(200, 55, 100));
  EXPECT_EQ(platform::ImagePixel(1, 1, 0), Rgb(240, 15, 120));
  // Pixel (x, y) is the byte at 1078 + (559 − y) × 512 + x.
  EXPECT_EQ(bytes[1078 + (559 - 511) * 512 + 10], 200);
}

TEST_F(RasterTest, CreateFromBmpReads24BitAndFailureDiscardsTheOldImage) {
  bmp_builder::Bmp m;
  m.width = 3;
  m.height = 2;
  m.bpp = 24;
  m.pixels = {kRed, kWhite, Rgb(1, 2, 3), kBlue, 0, Rgb(9, 8, 7)};
  const std::vector<std::uint8_t> bytes = bmp_builder::Build(m);
  ASSERT_TRUE(platform::CreateImageFromBmp(5, bytes.data(), bytes.size()));
  EXPECT_EQ(platform::ImagePixel(5, 0, 0), kRed);
  EXPECT_EQ(platform::ImagePixel(5, 2, 0), Rgb(1, 2, 3));
  EXPECT_EQ(platform::ImagePixel(5, 0, 1), kBlue);
  EXPECT_EQ(platform::ImagePixel(5, 2, 1), Rgb(9, 8, 7));

  EXPECT_FALSE(platform::CreateImageFromBmp(5, bytes.data(), bytes.size() - 4));
  EXPECT_FALSE(platform::ImageExists(5));
  EXPECT_FALSE(platform::CreateImageFromBmp(5, nullptr, 0));
}

TEST_F(RasterTest, ResizeScalesByAreaAndKeepsTheSameSize) {
  ASSERT_TRUE(platform::CreateImage(1, 4, 2));
  platform::BeginDrawing(1);
  platform::DrawBox(0, 0, 1, 2, kWhite);      // column 0 white
  platform::DrawBox(1, 0, 1, 1, Rgb(100, 0, 0));
  platform::EndDrawing();
  const std::vector<std::uint8_t> before = platform::FindImage(1)->rgb;
  platform::ResizeImage(1, 4, 2);
  EXPECT_EQ(platform::FindImage(1)->rgb, before);

  platform::ResizeImage(1, 2, 1);
  ASSERT_EQ(platform::ImageWidth(1), 2);
  ASSERT_EQ(platform::ImageHeight(1), 1);
  // Left output pixel averages columns 0 and 1 of both rows: (255+255+100+0)/4.
  EXPECT_EQ(platform::ImagePixel(1, 0, 0), Rgb(153, 128, 128));
  EXPECT_EQ(platform::ImagePixel(1, 1, 0), 0u);

  platform::ResizeImage(1, 0, 5);  // refused; the image stays
  EXPECT_EQ(platform::ImageWidth(1), 2);
}

TEST_F(RasterTest, AreaAverageCoversFractionalSourcePixels) {
  platform::Image in;
  in.width = 3;
  in.height = 1;
  in.rgb = {0, 0, 0, 90, 90, 90, 240, 240, 240};
  // 3 → 2: each output pixel covers 1.5 source pixels.
  const platform::Image down = platform::ResizeAreaAverage(in, 2, 1);
  ASSERT_EQ(down.rgb.size(), 6u);
  EXPECT_EQ(down.rgb[0], 30);   // (0 + 0.5 × 90) / 1.5
  EXPECT_EQ(down.rgb[3], 190);  // (0.5 × 90 + 240) / 1.5
  // 3 → 6: each source pixel doubles; 3 → 4 mixes at the borders.
  const platform::Image up = platform::ResizeAreaAverage(in, 6, 2);
  ASSERT_EQ(up.rgb.size(), 36u);
  EXPECT_EQ(up.rgb[2 * 3], 90);
  EXPECT_EQ(up.rgb[3 * 3], 90);
  EXPECT_EQ(up.rgb[(6 + 5) * 3], 240);
  const platform::Image four = platform::ResizeAreaAverage(in, 4, 1);
  ASSERT_EQ(four.rgb.size(), 12u);
  EXPECT_EQ(four.rgb[1 * 3], 60);   // [0.75, 1.5): (0.25 × 0 + 0.5 × 90) / 0.75
  EXPECT_EQ(four.rgb[2 * 3], 140);  // [1.5, 2.25): (0.5 × 90 + 0.25 × 240) / 0.75
}

}  // namespace
