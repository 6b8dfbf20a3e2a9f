#include "platform/codepage.h"

namespace platform {
std::string Cp1252ToUtf8(const std::string& bytes) { return bytes; }
std::string Utf8ToCp1252(const std::string& utf8) { return utf8; }
}  // namespace platform
