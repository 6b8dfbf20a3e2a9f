// The game file writer is what every game file test stands on; these cases pin
// it to the layout's literal offsets, independently of the reader.
#include "tests/fixtures/game_file_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using fixtures::GameFilePlan;
using fixtures::WriteGameFile;

std::string NameAt(const std::vector<std::uint8_t>& b, std::size_t at, std::size_t n) {
  return std::string(b.begin() + static_cast<std::ptrdiff_t>(at),
                     b.begin() + static_cast<std::ptrdiff_t>(at + n));
}

TEST(GameFileWriter, HeaderFieldsAtTheirOffsets) {
  GameFilePlan g;
  g.tyres = 1;
  g.consumption = 2;
  g.damage = 3;
  g.fuelMass = 4;
  g.speed = 200;
  g.carCount = 2;
  const auto b = WriteGameFile(g);
  EXPECT_EQ(b[0], 0x20);
  EXPECT_EQ(b[1], 0x01);
  EXPECT_EQ(b[13], 1);
  EXPECT_EQ(b[14], 2);
  EXPECT_EQ(b[15], 3);
  EXPECT_EQ(b[16], 4);
  EXPECT_EQ(b[21], 0xC8);
  EXPECT_EQ(b[125], 2);
  // Unread bytes are never zero.
  EXPECT_NE(b[17], 0);
  EXPECT_NE(b[78], 0);
}

TEST(GameFileWriter, TrackSectionWhereTheLayoutPutsIt) {
  struct Case {
    int version;
    int count;
    int index;
    std::size_t entry;  // expected offset of the selected entry
  };
  const Case cases[] = {
      {288, 0, 0, 1626 + 8}, {288, 7, 0, 1626 + 8},  {288, -1, 0, 1626 + 8},
      {288, 2, 0, 3123 + 8}, {272, 1, 0, 1531 + 8},  {288, 1, 2, 1626 + 120},
  };
  for (const Case& c : cases) {
    GameFilePlan g;
    g.version = c.version;
    g.carCount = c.count;
    g.trackIndex = c.index;
    const auto b = WriteGameFile(g);
    ASSERT_GE(b.size(), c.entry + 56) << c.version << " " << c.count;
    EXPECT_EQ(NameAt(b, c.entry, 5), std::string("Oval\0", 5));
    EXPECT_EQ(b[c.entry + 40], 1);
    EXPECT_EQ(b[c.entry + 55], 16);
    EXPECT_EQ(b.size(), c.entry + 56);
    EXPECT_EQ(b[c.entry - 8 - 56 * static_cast<std::size_t>(c.index) + 4], c.index);
  }
}

TEST(GameFileWriter, OtherTableEntriesAndLengthControl) {
  GameFilePlan g;
  g.trackIndex = 1;
  g.tableSize = 3;
  g.length = 5000;
  const auto b = WriteGameFile(g);
  ASSERT_EQ(b.size(), 5000u);
  EXPECT_EQ(NameAt(b, 1634, 7), std::string("Track0\0", 7));
  EXPECT_EQ(NameAt(b, 1690, 5), std::string("Oval\0", 5));
  EXPECT_EQ(NameAt(b, 1746, 7), std::string("Track2\0", 7));
  EXPECT_EQ(b[4999], 0);

  g.length = 100;
  EXPECT_EQ(WriteGameFile(g).size(), 100u);
}

TEST(GameFileWriter, ExplicitSectionStartAndFullName) {
  GameFilePlan g;
  g.trackSectionStart = 2000;
  g.trackName = std::string(45, 'N');
  const auto b = WriteGameFile(g);
  ASSERT_EQ(b.size(), 2000u + 8 + 56);
  EXPECT_EQ(NameAt(b, 2008, 39), std::string(39, 'N'));
  EXPECT_NE(b[2008 + 39], 'N');
  EXPECT_NE(b[2008 + 39], 0);
}

}  // namespace
