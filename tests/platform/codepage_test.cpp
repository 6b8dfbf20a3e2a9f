#include <gtest/gtest.h>

#include <string>

#include "platform/codepage.h"

namespace {

TEST(Codepage, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::string utf8 = platform::Cp1252ToUtf8(all);
  EXPECT_EQ(platform::Utf8ToCp1252(utf8), all);
  // Each byte is one character: no two bytes share a code point.
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(platform::Utf8ToCp1252(platform::Cp1252ToUtf8(one)), one) << b;
  }
}

TEST(Codepage, MapsTheWindowsCharacters) {
  const struct {
    const char* cp1252;
    const char* utf8;
  } cases[] = {
      {"\x80", "\u20AC"},        // euro sign
      {"\x9F", "\u0178"},        // Y with diaeresis
      {"\x93x\x94", "\u201Cx\u201D"},
      {"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},  // undefined: C1 controls
      {"M\xFC" "ller \xA0\xE9", "M\u00FCller \u00A0\u00E9"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::Cp1252ToUtf8(c.cp1252), c.utf8) << c.utf8;
    EXPECT_EQ(platform::Utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
  }
}

TEST(Codepage, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(platform::Utf8ToCp1252("a\u4E2Db\U0001F600c"), "a?b?c");
  // Malformed UTF-8 (a lone continuation byte, a cut sequence, an overlong
  // form) gives one '?' per bad byte and never reads past the end.
  EXPECT_EQ(platform::Utf8ToCp1252("\x80x"), "?x");
  EXPECT_EQ(platform::Utf8ToCp1252("x\xE2\x82"), "x??");
  EXPECT_EQ(platform::Utf8ToCp1252("\xC0\xAF"), "??");
}

}  // namespace
