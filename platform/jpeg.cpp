// JPEG decoding through libjpeg. libjpeg reports errors by calling
// error_exit, which by default prints and exits; here it jumps back to the
// decoding frame instead and prints nothing. A truncated file (libjpeg would
// pad it with a fake end marker and go on) counts as a failure.
#include <csetjmp>
#include <cstdio>
#include <new>

#include <jpeglib.h>
#include <jerror.h>  // after jpeglib.h, which it needs

#include "platform/raster.h"

namespace platform {

namespace {

// A progressive file may hold any number of scans, each re-reading the whole
// picture; past this many the file is refused (libjpeg-turbo's own fuzzers
// stop at the same count).
constexpr int kMaxScans = 100;
// Largest amount of memory libjpeg may take for one picture (the coefficient
// buffers of a progressive file of the largest accepted size fit).
constexpr long kMaxDecoderMemory = 1024L * 1024 * 1024;

struct Decoder {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr err;
  jpeg_progress_mgr progress;
  std::jmp_buf jump;
};

Decoder& DecoderOf(j_common_ptr cinfo) {
  // cinfo is the first member of Decoder.
  return *reinterpret_cast<Decoder*>(cinfo);
}

[[noreturn]] void OnError(j_common_ptr cinfo) { std::longjmp(DecoderOf(cinfo).jump, 1); }

void OnOutput(j_common_ptr) {}

// Warnings come at level -1. Two of them mean the picture's data ended early:
// the file itself ended (libjpeg pads it with a fake end marker), or the
// compressed data stopped at a marker before the last block (libjpeg fills
// the rest grey, which also lets a small file claim a huge picture and keep
// the decoder busy). Both fail. Other corrupt-data warnings still give a
// whole picture and are tolerated; trace messages are dropped.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level < 0) {
    const int code = cinfo->err->msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER) std::longjmp(DecoderOf(cinfo).jump, 1);
    ++cinfo->err->num_warnings;
  }
}

void OnProgress(j_common_ptr cinfo) {
  if (cinfo->is_decompressor &&
      reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans) {
    std::longjmp(DecoderOf(cinfo).jump, 1);
  }
}

bool SideFits(JDIMENSION side) { return side >= 1 && side <= static_cast<JDIMENSION>(kMaxImageSide); }

// Converts one output row (3 or 4 components) into RGB.
void StoreRow(const JSAMPLE* src, int components, bool invertedCmyk, int width, std::uint8_t* dst) {
  for (int x = 0; x < width; ++x, dst += 3) {
    const JSAMPLE* p = src + x * components;
    if (components == 3) {
      dst[0] = p[0];
      dst[1] = p[1];
      dst[2] = p[2];
    } else {
      // Adobe writes CMYK inverted (255 = no ink); the others do not.
      int c = p[0], m = p[1], y = p[2], k = p[3];
      if (!invertedCmyk) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
      }
      dst[0] = static_cast<std::uint8_t>((c * k + 127) / 255);
      dst[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
      dst[2] = static_cast<std::uint8_t>((y * k + 127) / 255);
    }
  }
}

// The whole libjpeg run. Every object libjpeg touches lives in `d` (owned by
// the caller), and this frame holds no C++ object with a destructor, so the
// jump back out of libjpeg's frames leaves nothing behind; `row` is volatile
// because it changes after setjmp.
bool Decode(Decoder& d, const std::uint8_t* bytes, std::size_t size, int minWidth, int minHeight,
            Image& out, std::vector<JSAMPLE>& rowBuffer) {
  d.cinfo.err = jpeg_std_error(&d.err);
  d.err.error_exit = OnError;
  d.err.output_message = OnOutput;
  d.err.emit_message = OnMessage;
  if (setjmp(d.jump)) {
    jpeg_destroy_decompress(&d.cinfo);
    return false;
  }
  jpeg_create_decompress(&d.cinfo);
  d.cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
  d.progress.progress_monitor = OnProgress;
  d.cinfo.progress = &d.progress;
  jpeg_mem_src(&d.cinfo, bytes, static_cast<unsigned long>(size));
  if (jpeg_read_header(&d.cinfo, TRUE) != JPEG_HEADER_OK || !SideFits(d.cinfo.image_width) ||
      !SideFits(d.cinfo.image_height)) {
    jpeg_destroy_decompress(&d.cinfo);
    return false;
  }
  bool invertedCmyk = false;
  switch (d.cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
      d.cinfo.out_color_space = JCS_RGB;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      d.cinfo.out_color_space = JCS_CMYK;
      invertedCmyk = d.cinfo.saw_Adobe_marker;
      break;
    default:
      jpeg_destroy_decompress(&d.cinfo);
      return false;
  }
  // The strongest reduction n/8 whose output still covers the wanted size.
  d.cinfo.scale_denom = 8;
  d.cinfo.scale_num = 8;
  if (minWidth > 0 && minHeight > 0) {
    for (unsigned num = 1; num <= 8; ++num) {
      d.cinfo.scale_num = num;
      jpeg_calc_output_dimensions(&d.cinfo);
      if (d.cinfo.output_width >= static_cast<JDIMENSION>(minWidth) &&
          d.cinfo.output_height >= static_cast<JDIMENSION>(minHeight)) {
        break;
      }
    }
  }
  jpeg_start_decompress(&d.cinfo);
  const int width = static_cast<int>(d.cinfo.output_width);
  const int height = static_cast<int>(d.cinfo.output_height);
  const int components = d.cinfo.output_components;
  if (!SideFits(d.cinfo.output_width) || !SideFits(d.cinfo.output_height) ||
      (components != 3 && components != 4)) {
    jpeg_destroy_decompress(&d.cinfo);
    return false;
  }
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  try {
    rowBuffer.resize(static_cast<std::size_t>(width) * components);
    // The picture grows row by row, so a lying header over a few bytes of
    // data fails before the whole picture is ever allocated.
    out.rgb.clear();
    out.rgb.reserve(stride * 16);
  } catch (const std::bad_alloc&) {
    jpeg_destroy_decompress(&d.cinfo);
    return false;
  }
  volatile int row = 0;
  while (row < height) {
    JSAMPROW line = rowBuffer.data();
    if (jpeg_read_scanlines(&d.cinfo, &line, 1) != 1) {
      jpeg_destroy_decompress(&d.cinfo);
      return false;
    }
    try {
      out.rgb.resize(out.rgb.size() + stride);
    } catch (const std::bad_alloc&) {
      jpeg_destroy_decompress(&d.cinfo);
      return false;
    }
    StoreRow(rowBuffer.data(), components, invertedCmyk, width,
             out.rgb.data() + static_cast<std::size_t>(row) * stride);
    row = row + 1;
  }
  jpeg_finish_decompress(&d.cinfo);
  jpeg_destroy_decompress(&d.cinfo);
  out.width = width;
  out.height = height;
  return true;
}

bool DecodeAt(const std::uint8_t* bytes, std::size_t size, int minWidth, int minHeight,
              Image& out) {
  if (bytes == nullptr || size == 0) return false;
  Decoder d{};
  std::vector<JSAMPLE> rowBuffer;
  Image decoded;
  if (!Decode(d, bytes, size, minWidth, minHeight, decoded, rowBuffer)) return false;
  out = std::move(decoded);
  return true;
}

}  // namespace

bool DecodeJpeg(const std::uint8_t* bytes, std::size_t size, Image& out) {
  return DecodeAt(bytes, size, 0, 0, out);
}

bool DecodeJpegReduced(const std::uint8_t* bytes, std::size_t size, int minWidth, int minHeight,
                       Image& out) {
  if (minWidth < 1 || minHeight < 1) return DecodeJpeg(bytes, size, out);
  return DecodeAt(bytes, size, minWidth, minHeight, out);
}

}  // namespace platform
