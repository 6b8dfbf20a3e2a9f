#include <gtest/gtest.h>

#include "app/run_state.h"

namespace {

TEST(RunState, StartDirectoryGainsExactlyOneSeparator) {
  struct Case { const char* cwd; const char* expected; };
  for (const Case& c : {Case{"/", "/"}, Case{"/home/org", "/home/org/"}, Case{"/a/", "/a/"}}) {
    RunState s;
    InitRunState(s, c.cwd);
    EXPECT_EQ(s.StartDirectory, c.expected) << c.cwd;
  }
}

TEST(RunState, TablesAndBufferAtStartUp) {
  RunState s;
  InitRunState(s, "/");
  ASSERT_EQ(s.FileBuffer.size(), kFileBufferSize);
  for (std::uint8_t b : s.FileBuffer) ASSERT_EQ(b, 0);
  for (int i : {13, 14, 15, 19, 20, 21}) EXPECT_EQ(s.Palette[i], 0u) << i;
  EXPECT_EQ(s.Palette[16], platform::Rgb(200, 230, 239));
  for (int code : {13, 14, 15, 16, 17}) EXPECT_EQ(s.TerrainColourMap[code], 0) << code;
  EXPECT_EQ(s.TerrainColourMap[3], 154);
  EXPECT_EQ(s.LineBreak, "\r\n");
  EXPECT_EQ(s.EntryNumber, 0);
  EXPECT_EQ(kDashLine, std::string(51, '-'));
}

}  // namespace
