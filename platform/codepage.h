// Windows-1252 <-> UTF-8, lossless for every byte: the five bytes that
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// control characters of the same value and back.
#pragma once

#include <string>

namespace platform {

// The Unicode code point of one Windows-1252 byte.
char32_t Cp1252CodePoint(unsigned char byte);

std::string Cp1252ToUtf8(const std::string& bytes);
// Characters without a Windows-1252 byte become '?'.
std::string Utf8ToCp1252(const std::string& utf8);

}  // namespace platform
