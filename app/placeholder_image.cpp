#include "app/placeholder_image.h"

#include <cmath>

namespace {

constexpr int kSide = 32;
constexpr int kRowBytes = kSide * 3;                     // 96, already a multiple of 4
constexpr int kPixelOffset = 14 + 40;                    // file header + info header
constexpr int kFileSize = kPixelOffset + kSide * kRowBytes;  // 3,126

struct Rgb8 {
  std::uint8_t r, g, b;
};

void Put16(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
  v[at] = static_cast<std::uint8_t>(x);
  v[at + 1] = static_cast<std::uint8_t>(x >> 8);
}
void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
  Put16(v, at, x & 0xFFFF);
  Put16(v, at + 2, x >> 16);
}

// The picture: a small open-wheel racing car seen from above, its nose
// towards the top-right corner, on a mottled grey ground. u runs along the
// car (front positive), v across it.
Rgb8 PixelAt(int x, int y) {
  const double cx = x - 15.5;
  const double cy = y - 15.5;
  const double u = (cx - cy) / std::sqrt(2.0);
  const double v = (cx + cy) / std::sqrt(2.0);
  const double au = std::fabs(u);
  const double av = std::fabs(v);

  const Rgb8 red{210, 20, 20};
  const Rgb8 white{245, 245, 245};
  const Rgb8 wheel{28, 28, 32};
  if (u >= 9.5 && u <= 11.5 && av <= 6.0) return red;    // front wing
  if (u <= -9.5 && u >= -11.5 && av <= 5.0) return red;  // rear wing
  if (((u >= 4.5 && u <= 8.0) || (u <= -4.5 && u >= -8.0)) && av >= 3.0 && av <= 5.5) {
    return wheel;
  }
  if (au <= 1.6 && av <= 1.0) return Rgb8{40, 40, 70};   // cockpit
  if ((au <= 9.5 && av <= 2.0) || (u > 9.5 && u <= 12.5 && av <= 1.0)) return white;

  // Deterministic mottling of the ground.
  // Unsigned arithmetic: the products wrap by design.
  std::uint32_t h =
      (static_cast<std::uint32_t>(x) * 73856093u) ^ (static_cast<std::uint32_t>(y) * 19349663u);
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  const auto grey = static_cast<std::uint8_t>(112 + (h % 40));
  return Rgb8{grey, grey, static_cast<std::uint8_t>(grey + 4)};
}

std::vector<std::uint8_t> BuildBmp() {
  std::vector<std::uint8_t> v(kFileSize, 0);
  // File header: "BM", file size, two reserved words, pixel array offset.
  v[0] = 'B';
  v[1] = 'M';
  Put32(v, 2, kFileSize);
  Put32(v, 10, kPixelOffset);
  // Information header: size, width, height (positive: bottom row first),
  // planes, bits per pixel, no compression, image size, resolution, colours.
  Put32(v, 14, 40);
  Put32(v, 18, kSide);
  Put32(v, 22, kSide);
  Put16(v, 26, 1);
  Put16(v, 28, 24);
  Put32(v, 34, kSide * kRowBytes);
  for (int row = 0; row < kSide; ++row) {
    const int y = kSide - 1 - row;  // stored bottom row first
    for (int x = 0; x < kSide; ++x) {
      const Rgb8 c = PixelAt(x, y);
      const std::size_t at = kPixelOffset + static_cast<std::size_t>(row) * kRowBytes + x * 3;
      v[at] = c.b;  // BMP pixels are blue, green, red
      v[at + 1] = c.g;
      v[at + 2] = c.r;
    }
  }
  return v;
}

}  // namespace

const std::vector<std::uint8_t>& PlaceholderBmp() {
  static const std::vector<std::uint8_t> bmp = BuildBmp();
  return bmp;
}
