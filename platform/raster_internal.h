// Shared between the raster, codec and text files of this folder only: the
// drawing state of the image being drawn on, and the BMP reader's entry point.
#pragma once

#include "platform/raster.h"

namespace platform::internal {

// What BeginDrawing sets up and EndDrawing ends.
struct DrawState {
  int image = -1;           // the number given to BeginDrawing; -1 when not drawing
  Colour front = 0;         // black
  Colour back = 0xFFFFFF;   // white
  bool transparentText = false;
  int font = 0;             // 0: no font chosen
};

DrawState& Drawing();
// The image being drawn on, or nullptr when none is begun or it does not exist.
Image* DrawTarget();

// Writes one pixel; (x, y) must lie inside the image.
inline void PutPixel(Image& im, int x, int y, Colour c) {
  std::uint8_t* p = im.rgb.data() + (static_cast<std::size_t>(y) * im.width + x) * 3;
  p[0] = static_cast<std::uint8_t>(RedOf(c));
  p[1] = static_cast<std::uint8_t>(GreenOf(c));
  p[2] = static_cast<std::uint8_t>(BlueOf(c));
}

}  // namespace platform::internal
