// MarkPenalty on the log editor's text.
#include <gtest/gtest.h>

#include "game/game.h"
#include "tests/game/game_fixture.h"

namespace {

class MarkPenaltyTest : public GameTest {};

TEST_F(MarkPenaltyTest, ReplacesTheTimeAndMarksTheDriver) {
  struct Case {
    const char* what;
    std::string log;
    std::int16_t time;
    std::string driver;
    std::string penalty;
    int presses;
    std::string expected;
  };
  const Case cases[] = {
      {"ghost lap line", "1.: 4523 Max", 4523, "Max", "6000", 1, "1.: 6000 Max ##"},
      {"digits inside longer numbers and other lines",
       "1.: 4523 Max\r\nStatic size: 145230\r\nT/C/F/D/S:  45234523", 4523, "Max", "6000", 1,
       "1.: 6000 Max ##\r\nStatic size: 160000\r\nT/C/F/D/S:  60006000"},
      {"second press", "1.: 4523 Max", 4523, "Max", "6000", 2, "1.: 6000 Max ## ##"},
      {"empty penalty field", "1.: 4523 Max", 4523, "Max", "", 1, "1.:  Max ##"},
      {"empty driver", "1.: 4523 Max", 4523, "", "6000", 1, "1.: 6000 Max"},
      {"case-sensitive, inside other words",
       "1.: 4523 Max\r\nmax.gam\r\nMaxi MAX", 4523, "Max", "6000", 1,
       "1.: 6000 Max ##\r\nmax.gam\r\nMax ##i MAX"},
      {"before Load: time 0, no driver", "100 / 40\r\nx", 0, "", "6000", 1,
       "160006000 / 46000\r\nx"},
      {"non-overlapping, left to right", "111 1111", 11, "", "6000", 1, "60001 60006000"},
      {"inserted text is not searched again", "45 Ann", 45, "Ann", "4545", 1, "4545 Ann ##"},
      // The name is marked in the result of the time replacement.
      {"penalty text holding the name", "1.: 4523 Max", 4523, "Max", "Max", 1, "1.: Max ## Max ##"},
      {"negative time", "1.: -5 Max 5", -5, "Max", "6000", 1, "1.: 6000 Max ## 5"},
      {"time not in the log", "1.: 4601 Bob", 4523, "Max", "6000", 1, "1.: 4601 Bob"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    ui::SetText(kLogEditor, c.log);
    ui::SetText(kPenaltyField, c.penalty);
    s.GhostTime = c.time;
    s.GhostDriver = c.driver;
    for (int i = 0; i < c.presses; ++i) MarkPenalty(s);
    EXPECT_EQ(ui::Text(kLogEditor), c.expected);
    EXPECT_EQ(ui::Text(kPenaltyField), c.penalty);
  }
}

}  // namespace
