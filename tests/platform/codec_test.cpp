// The picture codecs: our BMP reader over every supported layout and over
// hostile headers, JPEG decoding (full and DCT-reduced) through libjpeg, PNG
// encoding (checked chunk by chunk with zlib) and the numbered loaders.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <jpeglib.h>
#include <zlib.h>

#include "platform/raster.h"
#include "platform/ui_headless.h"
#include "tests/fixtures/jpeg_writer.h"
#include "tests/fixtures/screenshot_writer.h"
#include "tests/fixtures/temp_dir.h"
#include "tests/platform/bmp_builder.h"

namespace {

using bmp_builder::Bmp;
using platform::Colour;
using platform::Image;
using platform::Rgb;

class CodecTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::headless::Reset();
    platform::DeleteAllImages();
  }
  void TearDown() override { platform::DeleteAllImages(); }
};

Colour PixelOf(const Image& im, int x, int y) {
  const std::uint8_t* p = im.rgb.data() + (static_cast<std::size_t>(y) * im.width + x) * 3;
  return Rgb(p[0], p[1], p[2]);
}

std::vector<Colour> AllPixels(const Image& im) {
  std::vector<Colour> out;
  for (int y = 0; y < im.height; ++y) {
    for (int x = 0; x < im.width; ++x) out.push_back(PixelOf(im, x, y));
  }
  return out;
}

// Runs `decode` and checks that it fails without writing to stdout or stderr.
template <typename Decode>
void ExpectSilentFailure(Decode decode, const std::string& what) {
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  const bool ok = decode();
  const std::string out = testing::internal::GetCapturedStdout();
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(ok) << what;
  EXPECT_EQ(out, "") << what;
  EXPECT_EQ(err, "") << what;
}

// A smooth 3-channel picture: gradients and a slow wave, no sharp edges.
Image SmoothPicture(int w, int h) {
  return fixtures::MakePicture(w, h, [w, h](int x, int y) {
    return Rgb(40 + 170 * x / w, 30 + 190 * y / h, 128 + ((x + y) * 60 / (w + h)));
  });
}

// --- BMP -------------------------------------------------------------------------

constexpr Colour kA = Rgb(200, 10, 30);
constexpr Colour kB = Rgb(5, 160, 250);
constexpr Colour kC = Rgb(90, 90, 0);

struct BmpLayout {
  const char* name;
  int bpp;
  bool topDown;
  int infoSize;
};

// A 5 × 3 picture (odd width, so every depth's rows need padding) whose
// pixel (x, y) is palette entry (x + 2y) mod 3 of {kA, kB, kC}.
Bmp AsymmetricBmp(const BmpLayout& l) {
  const Colour colours[3] = {kA, kB, kC};
  Bmp m;
  m.width = 5;
  m.height = 3;
  m.bpp = l.bpp;
  m.topDown = l.topDown;
  m.infoSize = l.infoSize;
  if (l.bpp <= 8) m.palette = {kA, kB, kC};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      const int k = (x + 2 * y) % 3;
      if (l.bpp <= 8) {
        m.pixels.push_back(static_cast<std::uint32_t>(k));
      } else if (l.bpp == 24) {
        m.pixels.push_back(colours[k]);
      } else {  // 32-bit B, G, R, unused
        const Colour c = colours[k];
        m.pixels.push_back(static_cast<std::uint32_t>(platform::BlueOf(c)) |
                           (static_cast<std::uint32_t>(platform::GreenOf(c)) << 8) |
                           (static_cast<std::uint32_t>(platform::RedOf(c)) << 16) | 0xAB000000u);
      }
    }
  }
  return m;
}

TEST_F(CodecTest, BmpDecodesEveryDepthBottomUpAndTopDown) {
  const BmpLayout layouts[] = {
      {"1-bit", 1, false, 40},      {"4-bit", 4, false, 40},   {"8-bit", 8, false, 40},
      {"24-bit", 24, false, 40},    {"32-bit", 32, false, 40}, {"1-bit top-down", 1, true, 40},
      {"4-bit top-down", 4, true, 40}, {"8-bit top-down", 8, true, 40},
      {"24-bit top-down", 24, true, 40}, {"32-bit top-down", 32, true, 40},
      {"8-bit V5 header", 8, false, 124}, {"24-bit V4 header", 24, true, 108},
      {"8-bit core header", 8, false, 12}, {"24-bit core header", 24, false, 12},
  };
  const Colour colours[3] = {kA, kB, kC};
  for (const BmpLayout& l : layouts) {
    Bmp m = AsymmetricBmp(l);
    if (l.bpp == 1) {  // two colours only: entry (x + 2y) mod 2
      m.palette = {kA, kB};
      for (int i = 0; i < 15; ++i) m.pixels[i] = static_cast<std::uint32_t>((i % 5 + 2 * (i / 5)) % 2);
    }
    const std::vector<std::uint8_t> bytes = bmp_builder::Build(m);
    Image im;
    ASSERT_TRUE(platform::DecodeBmp(bytes.data(), bytes.size(), im)) << l.name;
    ASSERT_EQ(im.width, 5) << l.name;
    ASSERT_EQ(im.height, 3) << l.name;
    ASSERT_EQ(im.rgb.size(), 45u) << l.name;
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) {
        const Colour want = l.bpp == 1 ? colours[(x + 2 * y) % 2] : colours[(x + 2 * y) % 3];
        EXPECT_EQ(PixelOf(im, x, y), want) << l.name << " at " << x << "," << y;
      }
    }
  }
}

TEST_F(CodecTest, BmpBitfieldsShortPaletteAndUnpaddedLastRow) {
  // 32-bit BI_BITFIELDS with the channels in unusual places.
  Bmp m;
  m.width = 2;
  m.height = 1;
  m.bpp = 32;
  m.compression = 3;
  m.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};  // R low, B high
  m.pixels = {0x00332211, 0xFF0000FF};
  std::vector<std::uint8_t> bytes = bmp_builder::Build(m);
  Image im;
  ASSERT_TRUE(platform::DecodeBmp(bytes.data(), bytes.size(), im));
  EXPECT_EQ(PixelOf(im, 0, 0), Rgb(0x11, 0x22, 0x33));
  EXPECT_EQ(PixelOf(im, 1, 0), Rgb(0xFF, 0, 0));

  // Indices beyond a 2-entry palette are black; an overstated count of
  // colours is held to the entries before the pixel array.
  Bmp p;
  p.width = 3;
  p.height = 1;
  p.bpp = 8;
  p.palette = {kA, kB};
  p.pixels = {1, 2, 255};
  for (const std::uint32_t used : {2u, 0xFFFFFFFFu}) {
    p.coloursUsed = used;
    bytes = bmp_builder::Build(p);
    ASSERT_TRUE(platform::DecodeBmp(bytes.data(), bytes.size(), im)) << used;
    EXPECT_EQ(AllPixels(im), (std::vector<Colour>{kB, 0, 0})) << used;
  }

  // A 24-bit picture whose last row lacks its padding still decodes (the
  // data of every pixel is there); one byte less fails.
  Bmp q = AsymmetricBmp({"24", 24, false, 40});
  bytes = bmp_builder::Build(q);
  bytes.resize(bytes.size() - 1);  // 5 × 3 = 15 bytes per row + 1 padding
  ASSERT_TRUE(platform::DecodeBmp(bytes.data(), bytes.size(), im));
  EXPECT_EQ(PixelOf(im, 4, 2), kC);  // (4 + 4) mod 3
  bytes.resize(bytes.size() - 1);
  EXPECT_FALSE(platform::DecodeBmp(bytes.data(), bytes.size(), im));
}

struct HostileBmp {
  const char* name;
  std::size_t offset;  // a field to overwrite
  int bytes;           // 2 or 4; 0 truncates the file to `offset` bytes instead
  std::uint32_t value;
};

TEST_F(CodecTest, BmpHostileHeadersFailCleanly) {
  const Bmp base = AsymmetricBmp({"8", 8, false, 40});
  const HostileBmp cases[] = {
      {"empty file", 0, 0, 0},
      {"signature only", 2, 0, 0},
      {"file header only", 14, 0, 0},
      {"info header cut", 30, 0, 0},
      {"palette cut", 60, 0, 0},
      {"pixel data cut", 1078 - 1024 + 12 + 20, 0, 0},  // 3 entries of palette, then 20 of 24 pixel bytes
      {"not BM", 0, 2, 0x4D42 ^ 0x0101},
      {"width 0", 18, 4, 0},
      {"height 0", 22, 4, 0},
      {"negative width", 18, 4, static_cast<std::uint32_t>(-5)},
      {"height INT32_MIN", 22, 4, 0x80000000u},
      {"width 100000", 18, 4, 100000},
      {"height 100000", 22, 4, 100000},
      {"height -100000", 22, 4, static_cast<std::uint32_t>(-100000)},
      {"width 16385", 18, 4, 16385},
      {"2 bits per pixel", 28, 2, 2},
      {"16 bits per pixel", 28, 2, 16},
      {"RLE8", 30, 4, 1},
      {"bitfields on 8-bit", 30, 4, 3},
      {"info header size 1000", 14, 4, 1000},
      {"info header size 20", 14, 4, 20},
      {"pixel offset past the end", 10, 4, 0xFFFFFFFFu},
      {"pixel offset near the end", 10, 4, 90},
  };
  for (const HostileBmp& c : cases) {
    std::vector<std::uint8_t> bytes = bmp_builder::Build(base);
    if (c.bytes == 0) {
      bytes.resize(c.offset);
    } else if (c.bytes == 2) {
      bmp_builder::Put16(bytes, c.offset, c.value);
    } else {
      bmp_builder::Put32(bytes, c.offset, c.value);
    }
    ExpectSilentFailure(
        [&] {
          Image im;
          return platform::DecodeBmp(bytes.data(), bytes.size(), im);
        },
        c.name);
  }
  // A header claiming 100000 × 100000 over a few bytes, through the loader.
  std::vector<std::uint8_t> big = bmp_builder::Build(base);
  bmp_builder::Put32(big, 18, 100000);
  bmp_builder::Put32(big, 22, 100000);
  ASSERT_TRUE(platform::CreateImage(7, 2, 2));
  EXPECT_FALSE(platform::CreateImageFromBmp(7, big.data(), big.size()));
  EXPECT_FALSE(platform::ImageExists(7));
}

// --- JPEG ------------------------------------------------------------------------

int MaxChannelDifference(const Image& a, const Image& b) {
  int worst = 0;
  for (std::size_t i = 0; i < a.rgb.size() && i < b.rgb.size(); ++i) {
    worst = std::max(worst, std::abs(a.rgb[i] - b.rgb[i]));
  }
  return worst;
}

TEST_F(CodecTest, JpegDecodesColourGreyAndProgressiveFiles) {
  // Left half one colour, right half another: 32 × 16, blocks of 8 stay flat.
  const Image picture = fixtures::MakePicture(32, 16, [](int x, int) {
    return x < 16 ? Rgb(200, 40, 40) : Rgb(30, 90, 220);
  });
  struct Case {
    const char* name;
    fixtures::JpegOptions options;
  } cases[] = {
      {"baseline", {95, false, false}},
      {"progressive", {95, true, false}},
      {"greyscale", {95, false, true}},
  };
  for (const Case& c : cases) {
    const std::vector<std::uint8_t> jpg = fixtures::EncodeJpeg(picture, c.options);
    ASSERT_FALSE(jpg.empty()) << c.name;
    Image im;
    ASSERT_TRUE(platform::DecodeJpeg(jpg.data(), jpg.size(), im)) << c.name;
    EXPECT_EQ(im.width, 32) << c.name;
    EXPECT_EQ(im.height, 16) << c.name;
    ASSERT_EQ(im.rgb.size(), 32u * 16 * 3) << c.name;
    const Colour left = PixelOf(im, 3, 8);
    const Colour right = PixelOf(im, 28, 8);
    if (c.options.grayscale) {
      EXPECT_EQ(platform::RedOf(left), platform::GreenOf(left)) << c.name;
      EXPECT_EQ(platform::GreenOf(right), platform::BlueOf(right)) << c.name;
      EXPECT_GT(platform::RedOf(left), platform::RedOf(right) - 40) << c.name;
    } else {
      EXPECT_NEAR(platform::RedOf(left), 200, 6) << c.name;
      EXPECT_NEAR(platform::BlueOf(left), 40, 6) << c.name;
      EXPECT_NEAR(platform::RedOf(right), 30, 6) << c.name;
      EXPECT_NEAR(platform::BlueOf(right), 220, 6) << c.name;
    }
  }
}

// Sets a big-endian 16-bit value.
void PutBig16(std::vector<std::uint8_t>& b, std::size_t at, int v) {
  b[at] = static_cast<std::uint8_t>(v >> 8);
  b[at + 1] = static_cast<std::uint8_t>(v);
}

// Offset of the first byte after the marker FF `code`, or 0.
std::size_t MarkerAt(const std::vector<std::uint8_t>& b, std::uint8_t code) {
  for (std::size_t i = 0; i + 1 < b.size(); ++i) {
    if (b[i] == 0xFF && b[i + 1] == code) return i + 2;
  }
  return 0;
}

// Encodes `components` samples per pixel (rows from the top) in `space`
// straight through libjpeg, optionally with our own scan script; the
// writer of the fixtures covers only RGB input. libjpeg's default error
// handler is fine here: these inputs are valid.
std::vector<std::uint8_t> EncodeSamples(const std::vector<std::uint8_t>& samples, int width,
                                        int height, int components, J_COLOR_SPACE space,
                                        const jpeg_scan_info* script = nullptr, int scans = 0) {
  jpeg_error_mgr err;
  jpeg_compress_struct cinfo;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = components;
  cinfo.in_color_space = space;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 95, TRUE);
  if (script != nullptr) {
    cinfo.scan_info = script;
    cinfo.num_scans = scans;
  }
  jpeg_start_compress(&cinfo, TRUE);
  const std::size_t stride = static_cast<std::size_t>(width) * components;
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<std::uint8_t*>(samples.data() + cinfo.next_scanline * stride);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<std::uint8_t> out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

// A JPEG of many progressive scans: the DC of all components, then every
// AC coefficient of every component in a scan of its own (3 + 3 × 63).
std::vector<std::uint8_t> ManyScanJpeg(const Image& picture, int* scans) {
  static jpeg_scan_info script[3 + 3 * 63];
  int n = 0;
  script[n++] = {3, {0, 1, 2, 0}, 0, 0, 0, 0};
  for (int k = 1; k <= 63; ++k) {
    for (int c = 0; c < 3; ++c) script[n++] = {1, {c, 0, 0, 0}, k, k, 0, 0};
  }
  *scans = n;
  return EncodeSamples(picture.rgb, picture.width, picture.height, 3, JCS_RGB, script, n);
}

TEST_F(CodecTest, JpegCmykBecomesRgb) {
  // 16 × 8: left half magenta, right half dark grey, as Adobe-style CMYK in
  // which 255 means no ink (libjpeg writes the Adobe marker for CMYK).
  std::vector<std::uint8_t> samples;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) {
      const std::uint8_t left[4] = {255, 0, 255, 255};   // magenta ink only
      const std::uint8_t right[4] = {255, 255, 255, 64}; // much black ink
      const std::uint8_t* p = x < 8 ? left : right;
      samples.insert(samples.end(), p, p + 4);
    }
  }
  const std::vector<std::uint8_t> jpg = EncodeSamples(samples, 16, 8, 4, JCS_CMYK);
  ASSERT_FALSE(jpg.empty());
  Image im;
  ASSERT_TRUE(platform::DecodeJpeg(jpg.data(), jpg.size(), im));
  ASSERT_EQ(im.rgb.size(), 16u * 8 * 3);
  const Colour left = PixelOf(im, 2, 4);
  const Colour right = PixelOf(im, 13, 4);
  EXPECT_NEAR(platform::RedOf(left), 255, 4);
  EXPECT_NEAR(platform::GreenOf(left), 0, 4);
  EXPECT_NEAR(platform::BlueOf(left), 255, 4);
  for (int channel : {platform::RedOf(right), platform::GreenOf(right), platform::BlueOf(right)}) {
    EXPECT_NEAR(channel, 64, 4);
  }
}

TEST_F(CodecTest, JpegHostileFilesFailCleanlyAndSilently) {
  const Image picture = SmoothPicture(64, 48);
  const std::vector<std::uint8_t> good = fixtures::EncodeJpeg(picture);
  ASSERT_GT(good.size(), 200u);
  const std::size_t sof = MarkerAt(good, 0xC0);  // length(2) precision(1) height(2) width(2)
  ASSERT_NE(sof, 0u);

  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Case> cases;
  cases.push_back({"empty", {}});
  cases.push_back({"SOI only", {0xFF, 0xD8}});
  cases.push_back({"not a JPEG", {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}});
  cases.push_back({"truncated in the header", {good.begin(), good.begin() + sof + 4}});
  cases.push_back({"truncated in the data", {good.begin(), good.begin() + good.size() / 2}});
  cases.push_back({"end marker missing", {good.begin(), good.end() - 2}});
  {
    std::vector<std::uint8_t> b = good;
    b[sof + 2] = 12;  // precision 12 bits
    cases.push_back({"12-bit precision", b});
  }
  {
    std::vector<std::uint8_t> b = good;
    PutBig16(b, sof + 5, 0);
    cases.push_back({"width 0", b});
  }
  {
    std::vector<std::uint8_t> b = good;
    PutBig16(b, sof + 3, 20000);
    PutBig16(b, sof + 5, 20000);
    cases.push_back({"20000 × 20000", b});
  }
  {
    std::vector<std::uint8_t> b = good;
    PutBig16(b, sof + 3, 16000);
    PutBig16(b, sof + 5, 16000);
    cases.push_back({"16000 × 16000 over a few bytes", b});
  }
  {
    std::vector<std::uint8_t> b = good;
    const std::size_t dqt = MarkerAt(b, 0xDB);
    ASSERT_NE(dqt, 0u);
    b[dqt - 1] = 0xFE;  // the quantisation tables become a comment
    cases.push_back({"quantisation tables missing", b});
  }
  int scans = 0;
  const std::vector<std::uint8_t> many = ManyScanJpeg(picture, &scans);
  ASSERT_GT(scans, 100);
  cases.push_back({"more than 100 scans", many});

  for (const Case& c : cases) {
    ExpectSilentFailure(
        [&] {
          Image im;
          return platform::DecodeJpeg(c.bytes.data(), c.bytes.size(), im);
        },
        c.name);
    ExpectSilentFailure(
        [&] {
          Image im;
          return platform::DecodeJpegReduced(c.bytes.data(), c.bytes.size(), 8, 8, im);
        },
        std::string(c.name) + " (reduced)");
  }
  // The good file and a progressive one of 10 scans decode.
  Image im;
  EXPECT_TRUE(platform::DecodeJpeg(good.data(), good.size(), im));
  const std::vector<std::uint8_t> progressive = fixtures::EncodeJpeg(picture, {90, true, false});
  EXPECT_TRUE(platform::DecodeJpeg(progressive.data(), progressive.size(), im));
}

// A 1920 × 1080 screenshot of the smooth picture, made once.
const std::vector<std::uint8_t>& FullHdJpeg() {
  static const std::vector<std::uint8_t> jpg =
      fixtures::EncodeJpeg(SmoothPicture(1920, 1080), {92, false, false});
  return jpg;
}

TEST_F(CodecTest, JpegReductionIsTheStrongestThatCoversTheWantedSize) {
  const std::vector<std::uint8_t>& jpg = FullHdJpeg();
  struct Case {
    int minW, minH, wantW, wantH;
  } cases[] = {
      {480, 360, 720, 405},     // 3/8: 2/8 would give 270 rows
      {480, 270, 480, 270},     // 2/8
      {240, 135, 240, 135},     // 1/8, the strongest
      {1, 1, 240, 135},
      {1000, 100, 1200, 675},   // 5/8
      {1920, 1080, 1920, 1080},
      {4000, 3000, 1920, 1080}, // larger than the picture: full size
  };
  for (const Case& c : cases) {
    Image im;
    ASSERT_TRUE(platform::DecodeJpegReduced(jpg.data(), jpg.size(), c.minW, c.minH, im))
        << c.minW << "x" << c.minH;
    EXPECT_EQ(im.width, c.wantW) << c.minW << "x" << c.minH;
    EXPECT_EQ(im.height, c.wantH) << c.minW << "x" << c.minH;
  }
}

TEST_F(CodecTest, ReducedLoadStaysWithinTwoLevelsOfFullDecodeAndAverage) {
  fixtures::TempDir dir;
  const std::string path = dir.WriteFile("shot.jpg", FullHdJpeg());

  ASSERT_TRUE(platform::LoadImageResized(0, path, 480, 360));
  ASSERT_EQ(platform::ImageWidth(0), 480);
  ASSERT_EQ(platform::ImageHeight(0), 360);

  ASSERT_TRUE(platform::LoadImage(4, path));
  ASSERT_EQ(platform::ImageWidth(4), 1920);
  ASSERT_EQ(platform::ImageHeight(4), 1080);
  const Image reference = platform::ResizeAreaAverage(*platform::FindImage(4), 480, 360);
  // The 3/8 DCT reduction rounds differently from the full decode: at most 2
  // levels per channel (2 occurs at about 0.1 % of the samples), and no drift
  // on average (about 0.12 levels).
  const Image& reduced = *platform::FindImage(0);
  EXPECT_LE(MaxChannelDifference(reduced, reference), 2);
  double total = 0;
  for (std::size_t i = 0; i < reduced.rgb.size(); ++i) total += std::abs(reduced.rgb[i] - reference.rgb[i]);
  EXPECT_LT(total / static_cast<double>(reduced.rgb.size()), 0.25);
}

TEST_F(CodecTest, LoadersReadBmpAndJpegFilesAndFailureLeavesNoImage) {
  fixtures::TempDir dir;
  const Image picture = fixtures::MakePicture(6, 4, [](int x, int y) { return Rgb(x * 40, y * 60, 7); });
  const std::string bmp = dir.WriteFile("a.bmp", fixtures::EncodeBmp24(picture));
  const std::string jpg = dir.WriteFile("b.jpg", fixtures::EncodeJpeg(SmoothPicture(40, 30)));
  const std::string junk = dir.WriteFile("c.jpg", std::string("BM but not really"));
  const std::string empty = dir.WriteFile("d.bmp", std::string());

  ASSERT_TRUE(platform::LoadImage(4, bmp));
  EXPECT_EQ(platform::FindImage(4)->rgb, picture.rgb);
  ASSERT_TRUE(platform::LoadImage(4, jpg));
  EXPECT_EQ(platform::ImageWidth(4), 40);

  // A BMP resized on loading equals its load followed by the area average.
  ASSERT_TRUE(platform::LoadImageResized(0, bmp, 4, 2));
  EXPECT_EQ(platform::FindImage(0)->rgb, platform::ResizeAreaAverage(picture, 4, 2).rgb);
  ASSERT_TRUE(platform::LoadImageResized(0, jpg, 480, 360));  // up-scaled
  EXPECT_EQ(platform::ImageWidth(0), 480);

  for (const std::string& path : {junk, empty, dir.path() + "missing.jpg"}) {
    ASSERT_TRUE(platform::CreateImage(4, 2, 2));
    ASSERT_TRUE(platform::CreateImage(0, 2, 2));
    ExpectSilentFailure([&] { return platform::LoadImage(4, path); }, path);
    ExpectSilentFailure([&] { return platform::LoadImageResized(0, path, 480, 360); }, path);
    EXPECT_FALSE(platform::ImageExists(4)) << path;
    EXPECT_FALSE(platform::ImageExists(0)) << path;
  }
}

// --- PNG -------------------------------------------------------------------------

std::uint32_t Big32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return (static_cast<std::uint32_t>(b[at]) << 24) | (static_cast<std::uint32_t>(b[at + 1]) << 16) |
         (static_cast<std::uint32_t>(b[at + 2]) << 8) | b[at + 3];
}

struct PngParts {
  std::vector<std::uint8_t> ihdr;
  std::vector<std::uint8_t> idat;  // all IDAT chunks joined
  bool ended = false;
};

// Splits a PNG into its chunks: signature, then length, type, data, CRC.
PngParts SplitPng(const std::vector<std::uint8_t>& png) {
  PngParts parts;
  const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_GE(png.size(), 8u);
  if (png.size() < 8 || !std::equal(signature, signature + 8, png.begin())) return parts;
  std::size_t at = 8;
  while (png.size() - at >= 12) {
    const std::uint32_t length = Big32(png, at);
    const std::string type(png.begin() + at + 4, png.begin() + at + 8);
    if (png.size() - at - 12 < length) break;
    const auto data = png.begin() + at + 8;
    if (type == "IHDR") parts.ihdr.assign(data, data + length);
    if (type == "IDAT") parts.idat.insert(parts.idat.end(), data, data + length);
    if (type == "IEND") parts.ended = true;
    at += 12 + length;
  }
  return parts;
}

void ExpectPngOf(const std::vector<std::uint8_t>& png, const Image& picture) {
  const PngParts parts = SplitPng(png);
  ASSERT_EQ(parts.ihdr.size(), 13u);
  EXPECT_EQ(Big32(parts.ihdr, 0), static_cast<std::uint32_t>(picture.width));
  EXPECT_EQ(Big32(parts.ihdr, 4), static_cast<std::uint32_t>(picture.height));
  EXPECT_EQ(parts.ihdr[8], 8);   // bit depth
  EXPECT_EQ(parts.ihdr[9], 2);   // colour type RGB
  EXPECT_EQ(parts.ihdr[10], 0);  // deflate
  EXPECT_EQ(parts.ihdr[11], 0);  // adaptive filtering method
  EXPECT_EQ(parts.ihdr[12], 0);  // not interlaced
  EXPECT_TRUE(parts.ended);
  const std::size_t stride = static_cast<std::size_t>(picture.width) * 3;
  std::vector<std::uint8_t> raw(picture.height * (stride + 1) + 1);
  uLongf rawSize = static_cast<uLongf>(raw.size());
  ASSERT_EQ(uncompress(raw.data(), &rawSize, parts.idat.data(), static_cast<uLong>(parts.idat.size())), Z_OK);
  ASSERT_EQ(rawSize, picture.height * (stride + 1));
  for (int y = 0; y < picture.height; ++y) {
    const std::uint8_t* row = raw.data() + y * (stride + 1);
    EXPECT_EQ(row[0], 0) << "filter byte of row " << y;
    EXPECT_TRUE(std::equal(row + 1, row + 1 + stride, picture.rgb.begin() + y * stride)) << "row " << y;
  }
}

TEST_F(CodecTest, PngIsRgbNotInterlacedWithFilterNoneOnEveryRow) {
  // Rows that every other filter would shrink: a horizontal and vertical ramp.
  const Image picture = fixtures::MakePicture(37, 23, [](int x, int y) {
    return Rgb(x * 7, y * 11, (x * y) % 256);
  });
  std::vector<std::uint8_t> png;
  ASSERT_TRUE(platform::EncodePng(picture, png));
  ExpectPngOf(png, picture);

  Image bad;
  EXPECT_FALSE(platform::EncodePng(bad, png));
  bad.width = 2;
  bad.height = 2;
  bad.rgb.resize(5);
  EXPECT_FALSE(platform::EncodePng(bad, png));
}

TEST_F(CodecTest, SaveImagePngWritesTheEncodedPicture) {
  fixtures::TempDir dir;
  ASSERT_TRUE(platform::CreateImage(1, 9, 5));
  platform::BeginDrawing(1);
  platform::DrawBox(2, 1, 3, 3, Rgb(250, 128, 1));
  platform::EndDrawing();
  const std::string path = dir.path() + "chart.png";
  ASSERT_TRUE(platform::SaveImagePng(1, path));
  ExpectPngOf(fixtures::ReadBytes(path), *platform::FindImage(1));

  EXPECT_FALSE(platform::SaveImagePng(2, dir.path() + "absent.png"));
  EXPECT_TRUE(fixtures::ReadBytes(dir.path() + "absent.png").empty());
  EXPECT_FALSE(platform::SaveImagePng(1, dir.path() + "no/such/folder/x.png"));
}

}  // namespace
