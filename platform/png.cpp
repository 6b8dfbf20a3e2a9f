// PNG encoding through libpng's classic API, the only one that lets us choose
// the row filter: 8-bit RGB, not interlaced, filter None on every row,
// compression level 9. libpng's errors jump back here and print nothing.
#include <csetjmp>
#include <new>

#include <png.h>

#include "platform/raster.h"

namespace platform {

namespace {

struct Encoder {
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::vector<std::uint8_t>* out = nullptr;
};

[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

void OnWrite(png_structp png, png_bytep data, png_size_t length) {
  auto* e = static_cast<Encoder*>(png_get_io_ptr(png));
  try {
    e->out->insert(e->out->end(), data, data + length);
  } catch (const std::bad_alloc&) {
    png_error(png, "out of memory");  // jumps; no exception crosses libpng
  }
}

void OnFlush(png_structp) {}

// The whole libpng run. The libpng objects live in `e` (owned by the caller)
// and this frame holds nothing with a destructor, so the jump out of libpng's
// frames is safe.
bool Encode(Encoder& e, const Image& image) {
  e.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (e.png == nullptr) return false;
  e.info = png_create_info_struct(e.png);
  if (e.info == nullptr) {
    png_destroy_write_struct(&e.png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(e.png))) {
    png_destroy_write_struct(&e.png, &e.info);
    return false;
  }
  png_set_write_fn(e.png, &e, OnWrite, OnFlush);
  png_set_IHDR(e.png, e.info, static_cast<png_uint_32>(image.width),
               static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(e.png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(e.png, 9);
  png_write_info(e.png, e.info);
  const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
  for (int y = 0; y < image.height; ++y) {
    // libpng only reads the row it is given.
    png_write_row(e.png, const_cast<png_bytep>(image.rgb.data() + y * stride));
  }
  png_write_end(e.png, e.info);
  png_destroy_write_struct(&e.png, &e.info);
  return true;
}

}  // namespace

bool EncodePng(const Image& image, std::vector<std::uint8_t>& out) {
  out.clear();
  if (image.width < 1 || image.height < 1 || image.width > kMaxImageSide ||
      image.height > kMaxImageSide ||
      image.rgb.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
    return false;
  }
  Encoder e;
  e.out = &out;
  if (Encode(e, image)) return true;
  out.clear();
  return false;
}

}  // namespace platform
