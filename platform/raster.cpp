// Numbered images, their loading and scaling, and the drawing primitives.
#include "platform/raster.h"

#include <algorithm>
#include <map>

#include "platform/files.h"
#include "platform/raster_internal.h"

namespace platform {

namespace {

std::map<int, Image>& Images() {
  static std::map<int, Image> images;
  return images;
}

internal::DrawState& State() {
  static internal::DrawState state;
  return state;
}

Image* FindMutable(int n) {
  auto& images = Images();
  const auto it = images.find(n);
  return it == images.end() ? nullptr : &it->second;
}

bool ValidSize(int w, int h) {
  return w >= 1 && h >= 1 && w <= kMaxImageSide && h <= kMaxImageSide;
}

// Stores `im` as image n (replacing any image n).
void Store(int n, Image&& im) { Images()[n] = std::move(im); }

// Decodes a BMP or JPEG file's bytes; a JPEG is reduced in the DCT as far as
// still covers minW × minH when those are positive.
bool DecodeFile(const std::string& path, int minW, int minH, Image& out) {
  std::string file;
  if (!ReadWholeFile(path, file)) return false;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.data());
  if (file.size() >= 2 && file[0] == 'B' && file[1] == 'M') {
    return DecodeBmp(bytes, file.size(), out);
  }
  if (minW > 0 && minH > 0) return DecodeJpegReduced(bytes, file.size(), minW, minH, out);
  return DecodeJpeg(bytes, file.size(), out);
}

// One axis of an area-averaging scale from `src` to `dst` samples. In units
// of 1/dst source samples, source sample s spans [s*dst, (s+1)*dst) and
// output sample o spans [o*src, (o+1)*src); the overlaps are exact integers
// and those of one output sample add up to `src`.
struct Span {
  int first = 0;                       // first source sample touched
  std::vector<std::int64_t> weights;   // overlap with first, first+1, ...
};

std::vector<Span> AreaSpans(int src, int dst) {
  std::vector<Span> spans(static_cast<std::size_t>(dst));
  for (int o = 0; o < dst; ++o) {
    const std::int64_t lo = static_cast<std::int64_t>(o) * src;
    const std::int64_t hi = lo + src;
    Span& span = spans[static_cast<std::size_t>(o)];
    span.first = static_cast<int>(lo / dst);
    for (std::int64_t s = span.first; s < src && s * dst < hi; ++s) {
      const std::int64_t a = std::max(lo, s * dst);
      const std::int64_t b = std::min(hi, (s + 1) * dst);
      span.weights.push_back(b - a);
    }
  }
  return spans;
}

// Pixel (x, y) of the Bresenham line from (x1, y1) through `steps` steps of
// its major axis; step i lies at i along the major axis and at
// round(i × minor / major) (halves away from the start) along the minor one.
struct LineWalk {
  std::int64_t x1, y1;
  std::int64_t adx, ady;  // absolute deltas
  int sx, sy;             // directions (-1, 0, 1)
};

void WalkLine(Image& im, const LineWalk& L, std::int64_t lastStep, Colour c) {
  const bool xMajor = L.adx >= L.ady;
  const std::int64_t major = xMajor ? L.adx : L.ady;
  const std::int64_t minor = xMajor ? L.ady : L.adx;
  const std::int64_t m0 = xMajor ? L.x1 : L.y1;
  const std::int64_t n0 = xMajor ? L.y1 : L.x1;
  const int ms = xMajor ? L.sx : L.sy;
  const int ns = xMajor ? L.sy : L.sx;
  const std::int64_t mLimit = xMajor ? im.width : im.height;
  const std::int64_t nLimit = xMajor ? im.height : im.width;
  // Only the steps whose major coordinate lies inside the image: m0 + ms*i in [0, mLimit).
  std::int64_t iFirst = 0;
  std::int64_t iLast = lastStep;
  if (ms > 0) {
    iFirst = std::max<std::int64_t>(iFirst, -m0);
    iLast = std::min<std::int64_t>(iLast, mLimit - 1 - m0);
  } else if (ms < 0) {
    iFirst = std::max<std::int64_t>(iFirst, m0 - (mLimit - 1));
    iLast = std::min<std::int64_t>(iLast, m0);
  } else if (m0 < 0 || m0 >= mLimit) {
    return;
  }
  for (std::int64_t i = iFirst; i <= iLast; ++i) {
    const std::int64_t m = m0 + ms * i;
    std::int64_t offset = 0;
    if (major > 0) {
      const __int128 num = static_cast<__int128>(2) * i * minor + major;
      offset = static_cast<std::int64_t>(num / (static_cast<__int128>(2) * major));
    }
    const std::int64_t n = n0 + ns * offset;
    if (n < 0 || n >= nLimit) continue;
    if (xMajor) {
      internal::PutPixel(im, static_cast<int>(m), static_cast<int>(n), c);
    } else {
      internal::PutPixel(im, static_cast<int>(n), static_cast<int>(m), c);
    }
  }
}

void DrawLineSteps(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                   bool withEnd, Colour c) {
  Image* im = internal::DrawTarget();
  if (im == nullptr) return;
  LineWalk L{x1, y1, x2 > x1 ? x2 - x1 : x1 - x2, y2 > y1 ? y2 - y1 : y1 - y2,
             x2 > x1 ? 1 : (x2 < x1 ? -1 : 0), y2 > y1 ? 1 : (y2 < y1 ? -1 : 0)};
  const std::int64_t steps = std::max(L.adx, L.ady);
  const std::int64_t lastStep = withEnd ? steps : steps - 1;
  if (lastStep < 0) return;
  WalkLine(*im, L, lastStep, c);
}

}  // namespace

namespace internal {
DrawState& Drawing() { return State(); }
Image* DrawTarget() {
  const int n = State().image;
  return n < 0 ? nullptr : FindMutable(n);
}
}  // namespace internal

// --- numbered images ---------------------------------------------------------

bool CreateImage(int n, int w, int h) {
  DeleteImage(n);
  if (!ValidSize(w, h)) return false;
  Image im;
  im.width = w;
  im.height = h;
  im.rgb.assign(static_cast<std::size_t>(w) * h * 3, 0);
  Store(n, std::move(im));
  return true;
}

bool LoadImage(int n, const std::string& path) {
  DeleteImage(n);
  Image im;
  if (!DecodeFile(path, 0, 0, im)) return false;
  Store(n, std::move(im));
  return true;
}

bool LoadImageResized(int n, const std::string& path, int w, int h) {
  DeleteImage(n);
  if (!ValidSize(w, h)) return false;
  Image im;
  if (!DecodeFile(path, w, h, im)) return false;
  if (im.width != w || im.height != h) im = ResizeAreaAverage(im, w, h);
  if (im.width != w || im.height != h) return false;
  Store(n, std::move(im));
  return true;
}

bool CreateImageFromBmp(int n, const std::uint8_t* bytes, std::size_t size) {
  DeleteImage(n);
  Image im;
  if (bytes == nullptr || !DecodeBmp(bytes, size, im)) return false;
  Store(n, std::move(im));
  return true;
}

void ResizeImage(int n, int w, int h) {
  Image* im = FindMutable(n);
  if (im == nullptr || !ValidSize(w, h)) return;
  if (im->width == w && im->height == h) return;
  Image scaled = ResizeAreaAverage(*im, w, h);
  if (scaled.width == w && scaled.height == h) *im = std::move(scaled);
}

bool SaveImagePng(int n, const std::string& path) {
  const Image* im = FindImage(n);
  if (im == nullptr) return false;
  std::vector<std::uint8_t> png;
  if (!EncodePng(*im, png)) return false;
  return WriteFileSafely(path, png.data(), png.size());
}

bool ImageExists(int n) { return FindImage(n) != nullptr; }

int ImageWidth(int n) {
  const Image* im = FindImage(n);
  return im == nullptr ? 0 : im->width;
}

int ImageHeight(int n) {
  const Image* im = FindImage(n);
  return im == nullptr ? 0 : im->height;
}

const Image* FindImage(int n) { return FindMutable(n); }

Colour ImagePixel(int n, int x, int y) {
  const Image* im = FindImage(n);
  if (im == nullptr || x < 0 || y < 0 || x >= im->width || y >= im->height) return 0;
  const std::uint8_t* p = im->rgb.data() + (static_cast<std::size_t>(y) * im->width + x) * 3;
  return Rgb(p[0], p[1], p[2]);
}

void DeleteImage(int n) { Images().erase(n); }

void DeleteAllImages() {
  Images().clear();
  State() = internal::DrawState{};
}

Image ResizeAreaAverage(const Image& in, int w, int h) {
  Image out;
  if (!ValidSize(w, h) || in.width < 1 || in.height < 1 ||
      in.rgb.size() != static_cast<std::size_t>(in.width) * in.height * 3) {
    return out;
  }
  if (in.width == w && in.height == h) return in;
  const std::vector<Span> xs = AreaSpans(in.width, w);
  const std::vector<Span> ys = AreaSpans(in.height, h);
  out.width = w;
  out.height = h;
  out.rgb.resize(static_cast<std::size_t>(w) * h * 3);
  // Sums of whole-row columns weighted by vertical overlap: at most
  // 255 × in.height per channel, then times the horizontal overlaps at most
  // 255 × in.height × in.width in all; 64 bits hold both.
  std::vector<std::int64_t> column(static_cast<std::size_t>(in.width) * 3);
  const std::int64_t area = static_cast<std::int64_t>(in.width) * in.height;
  for (int oy = 0; oy < h; ++oy) {
    std::fill(column.begin(), column.end(), 0);
    const Span& sy = ys[static_cast<std::size_t>(oy)];
    for (std::size_t k = 0; k < sy.weights.size(); ++k) {
      const std::uint8_t* row =
          in.rgb.data() + static_cast<std::size_t>(sy.first + static_cast<int>(k)) * in.width * 3;
      const std::int64_t wy = sy.weights[k];
      for (std::size_t i = 0; i < column.size(); ++i) column[i] += row[i] * wy;
    }
    std::uint8_t* dst = out.rgb.data() + static_cast<std::size_t>(oy) * w * 3;
    for (int ox = 0; ox < w; ++ox) {
      const Span& sx = xs[static_cast<std::size_t>(ox)];
      std::int64_t sum[3] = {0, 0, 0};
      for (std::size_t k = 0; k < sx.weights.size(); ++k) {
        const std::int64_t* c = column.data() + static_cast<std::size_t>(sx.first + static_cast<int>(k)) * 3;
        const std::int64_t wx = sx.weights[k];
        sum[0] += c[0] * wx;
        sum[1] += c[1] * wx;
        sum[2] += c[2] * wx;
      }
      for (int ch = 0; ch < 3; ++ch) {
        dst[ox * 3 + ch] = static_cast<std::uint8_t>((sum[ch] + area / 2) / area);
      }
    }
  }
  return out;
}

// --- drawing -----------------------------------------------------------------

void BeginDrawing(int n) {
  State() = internal::DrawState{};
  State().image = n;
}

// The chosen font outlives the drawing so that texts can still be measured;
// the next BeginDrawing forgets it.
void EndDrawing() {
  State().image = -1;
  State().transparentText = false;
}

void DrawBox(int x, int y, int w, int h, Colour c) {
  Image* im = internal::DrawTarget();
  if (im == nullptr) return;
  // Columns [x0, x1) and rows [y0, y1), computed on 64 bits so that no sum overflows.
  std::int64_t x0 = x, x1 = static_cast<std::int64_t>(x) + w;
  std::int64_t y0 = y, y1 = static_cast<std::int64_t>(y) + h;
  if (w < 0) std::swap(x0, x1);
  if (h < 0) std::swap(y0, y1);
  x0 = std::max<std::int64_t>(x0, 0);
  y0 = std::max<std::int64_t>(y0, 0);
  x1 = std::min<std::int64_t>(x1, im->width);
  y1 = std::min<std::int64_t>(y1, im->height);
  if (x0 >= x1 || y0 >= y1) return;
  for (std::int64_t row = y0; row < y1; ++row) {
    for (std::int64_t col = x0; col < x1; ++col) {
      internal::PutPixel(*im, static_cast<int>(col), static_cast<int>(row), c);
    }
  }
}

void DrawLine(int x1, int y1, int x2, int y2, Colour c) { DrawLineSteps(x1, y1, x2, y2, true, c); }

void DrawRelativeLine(int x, int y, int dx, int dy) {
  DrawLineSteps(x, y, static_cast<std::int64_t>(x) + dx, static_cast<std::int64_t>(y) + dy, false,
                0);
}

void Plot(int x, int y, Colour c) {
  Image* im = internal::DrawTarget();
  if (im == nullptr || x < 0 || y < 0 || x >= im->width || y >= im->height) return;
  internal::PutPixel(*im, x, y, c);
}

void FloodFill(int x, int y, Colour outline, Colour fill) {
  Image* im = internal::DrawTarget();
  if (im == nullptr || x < 0 || y < 0 || x >= im->width || y >= im->height) return;
  const int w = im->width;
  const std::size_t count = static_cast<std::size_t>(w) * im->height;
  auto colourAt = [&](std::size_t i) {
    const std::uint8_t* p = im->rgb.data() + i * 3;
    return Rgb(p[0], p[1], p[2]);
  };
  const std::size_t start = static_cast<std::size_t>(y) * w + x;
  if (colourAt(start) == outline) return;
  // A pixel is marked when it is pushed, so each enters the stack once and the
  // fill never revisits what it painted, whatever the fill colour is.
  std::vector<bool> seen(count, false);
  std::vector<std::size_t> stack;
  stack.push_back(start);
  seen[start] = true;
  auto visit = [&](std::size_t i) {
    if (!seen[i] && colourAt(i) != outline) {
      seen[i] = true;
      stack.push_back(i);
    }
  };
  while (!stack.empty()) {
    const std::size_t i = stack.back();
    stack.pop_back();
    const int px = static_cast<int>(i % w);
    const int py = static_cast<int>(i / w);
    internal::PutPixel(*im, px, py, fill);
    if (px > 0) visit(i - 1);
    if (px + 1 < w) visit(i + 1);
    if (py > 0) visit(i - w);
    if (py + 1 < im->height) visit(i + w);
  }
}

void SetTransparentText() { State().transparentText = true; }

void ChooseFont(int k) { State().font = k; }

}  // namespace platform
