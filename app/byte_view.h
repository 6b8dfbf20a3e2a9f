// Bounds-checked little-endian reads from the bytes of one loaded file.
//
// Offsets in the game's files come from the files themselves and may point
// anywhere. Every read goes through a ByteView over exactly the bytes that
// were loaded; a byte outside them reads as zero, so a lying offset can never
// reach memory outside the file, and InRange() lets a step tell whether a
// whole field is present before it relies on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct ByteView {
  const std::uint8_t* data = nullptr;
  std::int64_t size = 0;

  // True when the `count` bytes from `offset` on all lie inside the view.
  constexpr bool InRange(std::int64_t offset, std::int64_t count) const {
    return offset >= 0 && count >= 0 && offset <= size && size - offset >= count;
  }
  constexpr std::uint8_t U8(std::int64_t offset) const {
    return InRange(offset, 1) ? data[offset] : 0;
  }
  constexpr std::int8_t S8(std::int64_t offset) const {
    return static_cast<std::int8_t>(U8(offset));
  }
  constexpr std::uint16_t U16(std::int64_t offset) const {
    return static_cast<std::uint16_t>(U8(offset) | (U8(offset + 1) << 8));
  }
  constexpr std::int16_t S16(std::int64_t offset) const {
    return static_cast<std::int16_t>(U16(offset));
  }
  constexpr std::uint32_t U32(std::int64_t offset) const {
    return static_cast<std::uint32_t>(U16(offset)) |
           (static_cast<std::uint32_t>(U16(offset + 2)) << 16);
  }
  constexpr std::int32_t S32(std::int64_t offset) const {
    return static_cast<std::int32_t>(U32(offset));
  }
  // A text field of at most `width` bytes, ending before the first zero byte;
  // bytes outside the view end it as well.
  std::string Text(std::int64_t offset, int width) const {
    std::string s;
    for (int i = 0; i < width; ++i) {
      const std::uint8_t b = U8(offset + i);
      if (b == 0) break;
      s.push_back(static_cast<char>(b));
    }
    return s;
  }
};

// Removes the space character (and only that one) from both ends.
inline std::string TrimSpaces(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}
