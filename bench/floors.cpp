#include "bench/floors.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

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

}  // namespace bench
