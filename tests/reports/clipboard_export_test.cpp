#include <gtest/gtest.h>

#include <string>

#include "tests/reports/reports_fixture.h"

namespace {

using CopyChartTextTest = ReportsTest;

TEST_F(CopyChartTextTest, JoinsTheEditorsLines) {
  struct Case {
    const char* what;
    std::string editor;
    std::string clipboard;
  };
  const Case table[] = {
      {"lines joined, an address with h whole", "https://c/chart?\r\nchs=600x150\r\n&chd=t:1",
       "https://c/chart?chs=600x150&chd=t:1"},
      {"first character replaced by h", "&chds=45.00,47.00\r\n&chxt=x,y", "hchds=45.00,47.00&chxt=x,y"},
      {"empty editor", "", "h"},
      {"first line of one character", "a\r\nbc", "h"},
      {"empty first line", "\r\nbc", "h"},
      {"a middle line of one character is copied", "ab\r\nc\r\nde", "hbcde"},
      {"an empty middle line ends the copy", "ab\r\n\r\ncd", "hb"},
      {"a final line break changes nothing", "ab\r\ncd\r\n", "hbcd"},
  };
  for (const Case& c : table) {
    SCOPED_TRACE(c.what);
    ui::headless::TypeText(kLogEditor, c.editor);
    CopyChartText(s);
    EXPECT_EQ(s.ChartText, c.clipboard);
    EXPECT_EQ(ui::ClipboardText(), c.clipboard);
    EXPECT_EQ(ui::Text(kPenaltyField), std::to_string(c.clipboard.size()) + " Byte");
  }
}

TEST_F(CopyChartTextTest, CopiesTheComposedRequestWithTheUsersEdits) {
  fixtures::TempDir start;
  start.WriteFile("google_charts.txt", "https://c/chart?\nchs=600x\n&cht=bhs\n");
  s.StartDirectory = start.path();
  s.ResultList = {"4523 Alice", "4601 Bob", "6000 Carl ##"};
  s.ChartMin = 4500;
  s.ChartMax = 4700;
  ComposeChartText(s);
  CopyChartText(s);
  const std::string line =
      "https://c/chart?chs=600x150&cht=bhs&chds=45.00,47.00&chd=t:45.23,46.01,47.00"
      "&chxt=x,y&chxl=0:|45.00|46.00|47.00|1:|Carl (60.00)|Bob (46.01)|Alice (45.23)";
  EXPECT_EQ(ui::ClipboardText(), line);
  EXPECT_EQ(s.ChartText, line);
  EXPECT_EQ(ui::Text(kPenaltyField), std::to_string(line.size()) + " Byte");

  // Every press takes the editor's text as it is now.
  ui::headless::TypeText(kLogEditor, "https://c/chart?\r\n&chtt=Final");
  CopyChartText(s);
  EXPECT_EQ(ui::ClipboardText(), "https://c/chart?&chtt=Final");
}

TEST_F(CopyChartTextTest, UnavailableClipboardStillShowsTheLength) {
  ASSERT_TRUE(ui::SetClipboardText("before"));
  ui::headless::SetClipboardAvailable(false);
  ui::headless::TypeText(kLogEditor, "https://c/chart?\r\n&cht=bhs");
  CopyChartText(s);
  EXPECT_EQ(ui::ClipboardText(), "before");
  EXPECT_EQ(s.ChartText, "https://c/chart?&cht=bhs");
  EXPECT_EQ(ui::Text(kPenaltyField), "24 Byte");
}

}  // namespace
