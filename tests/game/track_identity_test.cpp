// CheckTrackIdentities: warnings or the confirmation in front of RunLog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/run_state.h"
#include "game/game.h"

namespace {

const std::string kRunLogBefore = "\r\n\r\n 1.: 4523 Max";

std::string Warn(const std::string& driver) {
  return "\r\nWARNING: " + driver + " Game corrupt !!!!";
}

TEST(CheckTrackIdentities, WarnsAboutEveryEntryWhoseTrackNoOtherRaced) {
  struct Case {
    const char* what;
    std::vector<std::string> identities;  // entries 1..n
    std::vector<std::string> drivers;
    std::string prefix;                   // what comes in front of RunLog
  };
  const std::string a = " 01 02", b = " 0A 0B", c = " FF FF";
  const Case cases[] = {
      {"no entries", {}, {}, "\r\nTrack><Games: ok"},
      {"one entry", {a}, {"Ann"}, Warn("Ann")},
      {"two different", {a, b}, {"Ann", "Bob"}, Warn("Bob") + Warn("Ann")},
      {"two equal", {a, a}, {"Ann", "Bob"}, "\r\nTrack><Games: ok"},
      {"1 = 3, 2 differs", {a, b, a}, {"Ann", "Bob", "Cy"}, Warn("Bob")},
      {"two pairs", {a, b, b, a}, {"Ann", "Bob", "Cy", "Dan"}, "\r\nTrack><Games: ok"},
      {"all different", {a, b, c}, {"Ann", "Bob", "Cy"}, Warn("Cy") + Warn("Bob") + Warn("Ann")},
      {"case matters", {" 0a", " 0A"}, {"Ann", "Bob"}, Warn("Bob") + Warn("Ann")},
      // No game file: empty identity and driver.
      {"one without game file", {a, "", a}, {"Ann", "", "Cy"}, "\r\nWARNING:  Game corrupt !!!!"},
      {"two without game files", {a, "", ""}, {"Ann", "", ""}, Warn("Ann")},
      {"without game file, alone", {""}, {""}, Warn("")},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    RunState s;
    InitRunState(s, "/");
    s.RunLog = kRunLogBefore;
    for (std::size_t i = 0; i < k.identities.size(); ++i) {
      s.EntryList.push_back("entry" + std::to_string(i + 1));
      s.TrackIdTable[i + 1] = k.identities[i];
      s.DriverTable[i + 1] = k.drivers[i];
    }
    CheckTrackIdentities(s);
    EXPECT_EQ(s.RunLog, k.prefix + kRunLogBefore);
  }
}

TEST(CheckTrackIdentities, ComparesNoSlotBeyond101) {
  RunState s;
  InitRunState(s, "/");
  for (int i = 1; i <= 150; ++i) s.EntryList.push_back("e" + std::to_string(i));
  for (int i = 1; i <= 101; ++i) {
    s.TrackIdTable[i] = " 01";
    s.DriverTable[i] = "D" + std::to_string(i);
  }
  s.TrackIdTable[101] = " 02";
  CheckTrackIdentities(s);
  // Entries 1 to 101 are compared: 101 is the only one of its track.
  EXPECT_EQ(s.RunLog, Warn("D101"));
}

}  // namespace
