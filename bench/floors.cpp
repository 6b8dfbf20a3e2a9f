#include "bench/floors.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <functional>

#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

namespace bench {

namespace {

struct Decoder {
  jpeg_decompress_struct cinfo;  // first member: the error handler finds us through it
  jpeg_error_mgr err;
  std::jmp_buf jump;
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<Decoder*>(cinfo)->jump, 1);
}
void OnOutput(j_common_ptr) {}

// No object with a destructor lives in this frame, so the jump back out of
// libjpeg leaves nothing behind.
std::size_t Decode(Decoder& d, const std::uint8_t* bytes, std::size_t size, unsigned scaleNum,
                   std::uint8_t* out, std::size_t room) {
  d.cinfo.err = jpeg_std_error(&d.err);
  d.err.error_exit = OnError;
  d.err.output_message = OnOutput;
  if (setjmp(d.jump)) {
    jpeg_destroy_decompress(&d.cinfo);
    return 0;
  }
  jpeg_create_decompress(&d.cinfo);
  jpeg_mem_src(&d.cinfo, bytes, static_cast<unsigned long>(size));
  jpeg_read_header(&d.cinfo, TRUE);
  d.cinfo.out_color_space = JCS_RGB;
  d.cinfo.scale_num = scaleNum;
  d.cinfo.scale_denom = 8;
  jpeg_start_decompress(&d.cinfo);
  const std::size_t stride =
      static_cast<std::size_t>(d.cinfo.output_width) * d.cinfo.output_components;
  if (stride * d.cinfo.output_height > room) {
    jpeg_destroy_decompress(&d.cinfo);
    return 0;
  }
  while (d.cinfo.output_scanline < d.cinfo.output_height) {
    JSAMPROW row = out + stride * d.cinfo.output_scanline;
    jpeg_read_scanlines(&d.cinfo, &row, 1);
  }
  const std::size_t pixels =
      static_cast<std::size_t>(d.cinfo.output_width) * d.cinfo.output_height;
  jpeg_finish_decompress(&d.cinfo);
  jpeg_destroy_decompress(&d.cinfo);
  return pixels;
}

}  // namespace

std::size_t DecodeJpegAtScale(const std::vector<std::uint8_t>& jpeg, unsigned scaleNum,
                              std::vector<std::uint8_t>& pixels) {
  Decoder d{};
  return Decode(d, jpeg.data(), jpeg.size(), scaleNum, pixels.data(), pixels.size());
}

bool ContainsByMemmem(const std::uint8_t* haystack, std::size_t haystackSize,
                      const std::uint8_t* needle, std::size_t needleSize) {
  return memmem(haystack, haystackSize, needle, needleSize) != nullptr;
}

bool ContainsByHorspool(const std::uint8_t* haystack, std::size_t haystackSize,
                        const std::uint8_t* needle, std::size_t needleSize) {
  const std::boyer_moore_horspool_searcher searcher(needle, needle + needleSize);
  return std::search(haystack, haystack + haystackSize, searcher) != haystack + haystackSize;
}

bool ContainsByBoyerMoore(const std::uint8_t* haystack, std::size_t haystackSize,
                          const std::uint8_t* needle, std::size_t needleSize) {
  const std::boyer_moore_searcher searcher(needle, needle + needleSize);
  return std::search(haystack, haystack + haystackSize, searcher) != haystack + haystackSize;
}

namespace {

static_assert(kRleStrategy == Z_RLE);

struct PngWriter {
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::vector<std::uint8_t>* out = nullptr;
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnPngWarning(png_structp, png_const_charp) {}
void OnPngWrite(png_structp png, png_bytep data, png_size_t length) {
  auto* w = static_cast<PngWriter*>(png_get_io_ptr(png));
  w->out->insert(w->out->end(), data, data + length);
}
void OnPngFlush(png_structp) {}

// The libpng objects live in `w`; this frame holds nothing with a destructor.
bool WritePng(PngWriter& w, const std::uint8_t* rgb, int width, int height, int level,
              int strategy) {
  w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
  if (w.png == nullptr) return false;
  w.info = png_create_info_struct(w.png);
  if (w.info == nullptr || setjmp(png_jmpbuf(w.png))) {
    png_destroy_write_struct(&w.png, &w.info);
    return false;
  }
  png_set_write_fn(w.png, &w, OnPngWrite, OnPngFlush);
  png_set_IHDR(w.png, w.info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(w.png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(w.png, level);
  if (strategy >= 0) png_set_compression_strategy(w.png, strategy);
  png_write_info(w.png, w.info);
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  for (int y = 0; y < height; ++y) {
    png_write_row(w.png, const_cast<png_bytep>(rgb + static_cast<std::size_t>(y) * stride));
  }
  png_write_end(w.png, w.info);
  png_destroy_write_struct(&w.png, &w.info);
  return true;
}

}  // namespace

std::size_t EncodePngWith(const std::uint8_t* rgb, int width, int height, int level, int strategy,
                          std::vector<std::uint8_t>& out) {
  out.clear();
  PngWriter w;
  w.out = &out;
  return WritePng(w, rgb, width, height, level, strategy) ? out.size() : 0;
}

}  // namespace bench
