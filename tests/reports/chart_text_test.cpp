#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/reports/reports_fixture.h"

namespace {

class ComposeChartTextTest : public ReportsTest {
 protected:
  void SetUp() override {
    ReportsTest::SetUp();
    s.StartDirectory = start.path();
    // As the chart leaves them.
    s.ResultList = {"4523 Alice", "4601 Bob", "6000 Carl ##"};
    s.ChartMin = 4500;
    s.ChartMax = 4700;
  }
  void WriteTemplate(const std::string& text) { start.WriteFile("google_charts.txt", text); }

  fixtures::TempDir start;
};

const std::string kGenerated =
    "&chds=45.00,47.00\r\n"
    "&chd=t:45.23,46.01,47.00\r\n"
    "&chxt=x,y\r\n"
    "&chxl=0:|45.00|46.00|47.00\r\n"
    "|1:|Carl (60.00)|Bob (46.01)|Alice (45.23)";

TEST_F(ComposeChartTextTest, TemplateLinesThenTheGeneratedLines) {
  WriteTemplate("https://charts.example/chart?\r\nchs=600x\r\n&cht=bhs\r\n");
  ComposeChartText(s);
  const std::string expected =
      "https://charts.example/chart?\r\nchs=600x150\r\n&cht=bhs\r\n" + kGenerated;
  EXPECT_EQ(s.ChartText, expected);
  EXPECT_EQ(ui::Text(kLogEditor), expected);
  EXPECT_EQ(s.ResultList, (std::vector<std::string>{"6000 Carl ##", "4601 Bob", "4523 Alice"}));
}

TEST_F(ComposeChartTextTest, TemplateLines) {
  struct Case {
    const char* what;
    std::string file;
    std::string lines;  // what comes before the generated lines
  };
  const Case table[] = {
      {"size line completed", "chs=600x", "chs=600x150\r\n"},
      {"size line with a height", "chs=600x400", "chs=600x400\r\n"},
      {"size line not at the start", "&chs=600x", "&chs=600x\r\n"},
      {"trimmed, then completed", "  chs=600x  \n", "chs=600x150\r\n"},
      {"compared case-sensitively", "CHS=600x\nchs=600X", "CHS=600x\r\nchs=600X\r\n"},
      {"a tab is not trimmed", "\tchs=600x", "\tchs=600x\r\n"},
      {"shortest size line", "chs=x", "chs=x150\r\n"},
      {"empty file", "", ""},
      {"empty line passed on", "a\r\n\r\nb", "a\r\n\r\nb\r\n"},
      {"blank line trimmed to empty", "a\r\n   \r\n", "a\r\n\r\n"},
      {"CR, LF and CR LF all end a line", "a\rb\nc\r\nd", "a\r\nb\r\nc\r\nd\r\n"},
      {"LF then CR are two line breaks", "a\n\rb", "a\r\n\r\nb\r\n"},
      {"a final line break adds no line", "a\n", "a\r\n"},
      {"a lone line break is one empty line", "\r\n", "\r\n"},
  };
  for (const Case& c : table) {
    SCOPED_TRACE(c.what);
    SetUp();
    WriteTemplate(c.file);
    ComposeChartText(s);
    EXPECT_EQ(s.ChartText, c.lines + kGenerated);
  }
}

TEST_F(ComposeChartTextTest, DriverWordsAndValues) {
  struct Case {
    const char* what;
    std::vector<std::string> lines;  // ascending
    std::string values;
    std::string names;
  };
  const Case table[] = {
      {"no driver name", {"999"}, "&chd=t:9.99", "|1:| (9.99)"},
      {"first word only", {"4523 Anne Marie"}, "&chd=t:45.23", "|1:|Anne (45.23)"},
      {"two spaces give an empty word", {"4523  Bob"}, "&chd=t:45.23", "|1:| (45.23)"},
      {"negative and small times",
       {"-0005 Neg", "0025 Q"},
       "&chd=t:-0.05,0.25",
       "|1:|Q (0.25)|Neg (-0.05)"},
      {"no lap shows the axis end, its name the time",
       {"4523 A", "7000 B"},
       "&chd=t:45.23,47.00",
       "|1:|B (70.00)|A (45.23)"},
  };
  for (const Case& c : table) {
    SCOPED_TRACE(c.what);
    SetUp();
    WriteTemplate("");
    s.ResultList = c.lines;
    ComposeChartText(s);
    const std::string height = std::to_string(30 * c.lines.size() + 60);
    EXPECT_EQ(s.ChartText, "&chds=45.00,47.00\r\n" + c.values +
                               "\r\n&chxt=x,y\r\n&chxl=0:|45.00|46.00|47.00\r\n" + c.names);
  }
}

TEST_F(ComposeChartTextTest, NoResultsWithTheEmptyChartsBounds) {
  WriteTemplate("chs=500x\n");
  s.ResultList.clear();
  s.ChartMin = -50;
  s.ChartMax = 100;
  ComposeChartText(s);
  EXPECT_EQ(s.ChartText,
            "chs=500x60\r\n&chds=-0.50,1.00\r\n&chd=t:\r\n&chxt=x,y\r\n"
            "&chxl=0:|-0.50|0.25|1.00\r\n|1:|");
}

TEST_F(ComposeChartTextTest, UnreadableTemplateChangesNothing) {
  ui::SetText(kLogEditor, "the report");
  const auto before = s.ResultList;
  ComposeChartText(s);  // no template file at all
  EXPECT_EQ(s.ChartText, "");
  EXPECT_EQ(ui::Text(kLogEditor), "the report");
  EXPECT_EQ(s.ResultList, before);

  start.MakeFolder("google_charts.txt");  // a folder by that name cannot be read either
  ComposeChartText(s);
  EXPECT_EQ(s.ChartText, "");
  EXPECT_EQ(ui::Text(kLogEditor), "the report");
}

// The template shipped with the program makes a complete request.
TEST_F(ComposeChartTextTest, SampleTemplateStartsWithTheAddressAndCompletesTheSize) {
  // The source tree: from the environment, or else from this file's own path.
  std::string source;
  if (const char* env = std::getenv("THC_SOURCE_DIR")) {
    source = env;
  } else {
    source = __FILE__;
    const auto cut = source.rfind("/tests/reports/");
    if (cut == std::string::npos) GTEST_SKIP() << "source folder unknown";
    source.resize(cut);
  }
  s.StartDirectory = source + "/sample/";
  ComposeChartText(s);
  ASSERT_FALSE(s.ChartText.empty());
  EXPECT_EQ(s.ChartText.front(), 'h');
  EXPECT_NE(s.ChartText.find("\r\nchs="), std::string::npos);
  EXPECT_NE(s.ChartText.find("x150\r\n"), std::string::npos);
  EXPECT_NE(s.ChartText.find("&cht=bhs\r\n"), std::string::npos);
  EXPECT_EQ(s.ChartText.find("\r\n\r\n"), std::string::npos);  // no empty line ends the copy early
  EXPECT_EQ(s.ChartText.substr(s.ChartText.size() - kGenerated.size()), kGenerated);
}

}  // namespace
