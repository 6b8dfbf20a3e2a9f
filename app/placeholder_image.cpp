#include "app/placeholder_image.h"

const std::vector<std::uint8_t>& PlaceholderBmp() {
  static const std::vector<std::uint8_t> bmp;
  return bmp;
}
