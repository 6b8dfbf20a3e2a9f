#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "reports/result_lines.h"
#include "tests/reports/reports_fixture.h"

namespace {

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ResultLineLess, FoldsOnlyAsciiLettersAndComparesUnsignedBytes) {
  struct Case {
    std::string a, b;
    bool less;
  };
  const Case table[] = {
      {"4523 alice", "4523 Bob", true},
      {"4523 Bob", "4523 alice", false},
      {"4523 ALICE", "4523 alice", false},  // equal under the comparison
      {"4523 alice", "4523 ALICE", false},
      {"[", "A", true},        // 'A' counts as 'a' (0x61), which is above '[' (0x5B)
      {"z", "\xE9", true},     // bytes above 127 are large, not negative
      {"\xC9", "\xE9", true},  // and are not folded
      {"", "0", true},
      {"4523", "4523 Alice", true},  // a prefix is the smaller
      {"4523 Alice", "4523", false},
      {"0999 Bob", "4523 Alice", true},
  };
  for (const Case& c : table) {
    EXPECT_EQ(ResultLineLess(c.a, c.b), c.less) << '"' << c.a << "\" < \"" << c.b << '"';
  }
}

TEST(ResultLineTime, ReadsTheLeadingInteger) {
  struct Case {
    std::string line;
    std::int32_t time;
  };
  const Case table[] = {
      {"4523 Alice", 4523},
      {"0999 Bob", 999},
      {" \t 77x", 77},
      {"-0050 Neg", -50},
      {"+12", 12},
      {"$1F Hex", 31},
      {"$ff", 255},
      {"%101 Bin", 5},
      {"%102", 2},  // a binary number ends at the first digit that is not 0 or 1
      {"-$10", -16},
      {"Bob", 0},
      {"", 0},
      {"-", 0},
      {"$", 0},
      {"12 34", 12},
      {"99999999999999999999999 Huge", kResultTimeLimit},
      {"-$FFFFFFFFFFFFFFFFFFFF", -kResultTimeLimit},
  };
  for (const Case& c : table) EXPECT_EQ(ResultLineTime(c.line), c.time) << c.line;
}

using WriteResultsReportTest = ReportsTest;

TEST_F(WriteResultsReportTest, RanksPutsTheRankingInFrontShowsAndWritesIt) {
  const std::string entries =
      "\r\n\r\nCar: Ref\r\n" + kDashLine + "\r\n" +
      "Oval\r\n1.: 4523 Alice\r\nCar OK\r\n" + kDashLine + "\r\n" +
      "Oval\r\n1.: 999 Bob\r\nCar OK\r\n" + kDashLine + "\r\n" +
      "Oval\r\n1.: 6000 Carl ##\r\nCar OK\r\n" + kDashLine + "\r\n";
  s.RunLog = entries;
  WriteResultsReport(s);

  EXPECT_EQ(s.ResultList, (std::vector<std::string>{"6000 Carl ##", "4523 Alice", "0999 Bob"}));
  const std::string expected =
      "1 - 0999 Bob\r\n2 - 4523 Alice\r\n3 - 6000 Carl ##\r\n" + entries;
  EXPECT_EQ(s.RunLog, expected);
  EXPECT_EQ(ui::Text(kLogEditor), expected);
  EXPECT_EQ(fixtures::ReadText(hotlap.path() + "Oval.txt"), expected);
}

TEST_F(WriteResultsReportTest, ScanAndRankingCases) {
  struct Case {
    const char* what;
    std::string log;
    std::string ranking;  // what the ranking puts in front of the log
  };
  const Case table[] = {
      {"equal times: the name decides, case-insensitively",
       "1.: 4523 Bob\r\n1.: 4523 alice\r\n", "1 - 4523 alice\r\n2 - 4523 Bob\r\n"},
      {"lines equal under the comparison: the later one ranks first",
       "1.: 4523 Al\r\n1.: 4523 al\r\n", "1 - 4523 al\r\n2 - 4523 Al\r\n"},
      {"three digits without a name get no 0", "1.: 999\r\n", "1 - 999\r\n"},
      {"a mark right before CR LF gives an empty line, the smallest",
       "1.: 4523 A\r\n1.:\r\n", "1 - \r\n2 - 4523 A\r\n"},
      {"a mark without a CR LF after it gives nothing", "1.: 4523 A\r\n1.: 4400 B",
       "1 - 4523 A\r\n"},
      {"the mark anywhere in a line; only spaces are trimmed",
       "x1.:   4600 X  \r\n1.:\t4601 Y\r\n", "1 - \t4601 Y\r\n2 - 4600 X\r\n"},
      {"the line ends at the first CR LF, not at a lone CR or LF",
       "1.: 4523 A\rB\nC\r\n", "1 - 4523 A\rB\nC\r\n"},
      {"a mark that starts where the previous one ends is passed over; the text after the "
       "first has a space fourth and so gains a 0",
       "1.:1.: 4523 A\r\n", "1 - 01.: 4523 A\r\n"},
      {"no mark at all", "Oval\r\nno lap\r\n", ""},
  };
  for (const Case& c : table) {
    SCOPED_TRACE(c.what);
    SetUp();
    s.RunLog = c.log;
    WriteResultsReport(s);
    EXPECT_EQ(s.RunLog, c.ranking + c.log);
    EXPECT_EQ(fixtures::ReadText(hotlap.path() + "Oval.txt"), c.ranking + c.log);
  }
}

TEST_F(WriteResultsReportTest, EnlargesTheEditorOverTheRemovedViews) {
  s.RunLog = "1.: 4523 Alice\r\n";
  WriteResultsReport(s);
  EXPECT_FALSE(ui::ControlExists(kScreenshotView));
  EXPECT_FALSE(ui::ControlExists(kSettingsView));
  EXPECT_EQ(ui::ControlRect(kLogEditor), (ui::Rect{5, 10, 480, 628}));
  EXPECT_EQ(ui::Text(kLogEditor), "1 - 4523 Alice\r\n1.: 4523 Alice\r\n");
  for (int control : {kTrackMapView, kPenaltyField, kStepButton, kActionButton, kProgressView}) {
    EXPECT_TRUE(ui::ControlExists(control)) << control;
  }
}

TEST_F(WriteResultsReportTest, EmptyLogChangesNothing) {
  s.ResultList = {"stale"};
  ui::SetText(kLogEditor, "shown");
  WriteResultsReport(s);
  EXPECT_TRUE(s.ResultList.empty());
  EXPECT_TRUE(s.RunLog.empty());
  EXPECT_TRUE(ui::ControlExists(kScreenshotView));
  EXPECT_TRUE(ui::ControlExists(kSettingsView));
  EXPECT_EQ(ui::ControlRect(kLogEditor), (ui::Rect{5, 370, 480, 195}));
  EXPECT_EQ(ui::Text(kLogEditor), "shown");
  EXPECT_TRUE(NamesIn(hotlap.path()).empty());
}

TEST_F(WriteResultsReportTest, EmptyTrackBaseNameWritesDotTxt) {
  s.TrackBaseName.clear();
  s.RunLog = "1.: 4523 Alice\r\n";
  WriteResultsReport(s);
  EXPECT_EQ(NamesIn(hotlap.path()), std::vector<std::string>{".txt"});
  EXPECT_EQ(fixtures::ReadText(hotlap.path() + ".txt"), "1 - 4523 Alice\r\n1.: 4523 Alice\r\n");
}

TEST_F(WriteResultsReportTest, UnwritableTargetLeavesTheFolderAlone) {
  hotlap.WriteFile("Oval.txt/inside", "kept");  // a folder where the report would go
  s.RunLog = "1.: 4523 Alice\r\n";
  WriteResultsReport(s);
  EXPECT_EQ(fixtures::ReadText(hotlap.path() + "Oval.txt/inside"), "kept");
  EXPECT_EQ(NamesIn(hotlap.path()), std::vector<std::string>{"Oval.txt"});
  // The step itself went through.
  EXPECT_EQ(ui::Text(kLogEditor), "1 - 4523 Alice\r\n1.: 4523 Alice\r\n");

  SetUp();
  s.HotlapFolder = hotlap.path() + "gone/";
  s.RunLog = "1.: 4523 Alice\r\n";
  WriteResultsReport(s);
  EXPECT_FALSE(std::filesystem::exists(hotlap.path() + "gone"));
  EXPECT_EQ(s.ResultList, std::vector<std::string>{"4523 Alice"});
}

// A write that fails half-way (here: the process may not make a file larger
// than a few bytes, which binds root as well) must keep the previous report
// whole and leave no temporary file behind.
TEST_F(WriteResultsReportTest, FailedWriteKeepsThePreviousReport) {
  const std::string old = "1 - 4400 Old\r\n";
  hotlap.WriteFile("Oval.txt", old);
  s.RunLog = "1.: 4523 Alice\r\n" + std::string(4096, '.') + "\r\n";

  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 64;
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  WriteResultsReport(s);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_EQ(fixtures::ReadText(hotlap.path() + "Oval.txt"), old);
  EXPECT_EQ(NamesIn(hotlap.path()), std::vector<std::string>{"Oval.txt"});
  EXPECT_EQ(s.RunLog.substr(0, 17), "1 - 4523 Alice\r\n1");
}

}  // namespace
