// Hostile entries: every file in a hotlap folder comes from an entrant and
// may be damaged or made to hurt. Each row lays out a hotlap folder, drives
// the run the way the organiser does (Load with the chooser's answer, Next
// for every entry, End) and states what the program logs and shows for it.
//
// While a run goes, FileBuffer is poisoned past the longest file of the
// folder and past the reference car (harness::FileBufferGuard), so in the
// sanitizer build a read beyond the loaded bytes fails the row even where it
// would stay inside FileBuffer.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cctype>
#include <climits>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "fuzz/harness.h"
#include "tests/fixtures/car_file_writer.h"
#include "tests/fixtures/game_file_writer.h"
#include "tests/fixtures/jpeg_writer.h"
#include "tests/fixtures/screenshot_writer.h"
#include "tests/fixtures/temp_dir.h"
#include "tests/fixtures/track_file_writer.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// --- files of a good entry ---------------------------------------------------------

fixtures::TrackFilePlan GoodTrack() {
  fixtures::TrackFilePlan t;
  t.recordTime = 4400;
  t.recordDriver = "Ann";
  t.ghostTime = 4523;
  t.ghostDriver = "Max";
  t.waterLevel = 5;
  t.heightFill = 50;
  t.objects = {{10, 300, 400, 0}, {17, 500, 500, 30}, {1, 600, 300, 90}};
  t.ghostPoints = {{3000, 3000}, {6000, 9000}, {9000, 4000}};
  return t;
}

Bytes Track(const fixtures::TrackFilePlan& t) { return fixtures::WriteTrackFile(t); }
Bytes GoodGame() { return fixtures::WriteGameFile({}); }
Bytes Screenshot() {
  return fixtures::EncodeJpeg(fixtures::SolidPicture(64, 48, platform::Rgb(40, 90, 160)));
}
// The ghost's car block of GoodTrack (the writer's default) inside a car file.
Bytes ReferenceCar() {
  return fixtures::MakeReferenceCarFile(fixtures::MakeCarBlock("Car", 2), 100, 3000);
}

// "ref.car" and the entry folder `entry` with Oval.trk, Oval.gam and shot.jpg.
void LayGoodEntry(const fixtures::TempDir& d, const std::string& entry = "A") {
  d.WriteFile("ref.car", ReferenceCar());
  d.WriteFile(entry + "/Oval.trk", Track(GoodTrack()));
  d.WriteFile(entry + "/Oval.gam", GoodGame());
  d.WriteFile(entry + "/shot.jpg", Screenshot());
}

// Log line 1 of GoodTrack under the file name `file`; R is where the writer
// put the RecordBlock (it depends on the object count).
std::string GoodStaticLine(const std::string& file = "Oval.trk") {
  fixtures::TrackFileOffsets o;
  fixtures::WriteTrackFile(GoodTrack(), &o);
  return file + "  (static): " + Decimal(static_cast<long long>(o.recordBlock)) + " Bytes";
}

Bytes Patched(Bytes b, std::size_t at, std::uint32_t v) {
  fixtures::Put32(b, at, v);
  return b;
}

// --- one run ---------------------------------------------------------------------

struct RunResult {
  std::string loadLog;                 // ChooseHotlapFolder's lines (head of RunLog)
  std::vector<std::string> entryLogs;  // the log editor after each entry
  std::vector<int> mapViewShows;       // TrackMapView's picture after each entry
  std::vector<int> shotViewShows;      // ScreenshotView's picture after each entry
  std::string runLog;                  // RunLog after End
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t p = 0;
  for (;;) {
    const std::size_t q = text.find("\r\n", p);
    lines.push_back(text.substr(p, q == std::string::npos ? std::string::npos : q - p));
    if (q == std::string::npos) return lines;
    p = q + 2;
  }
}

// Every line of `expected` appears as a whole line of `text`, in this order.
::testing::AssertionResult HasLinesInOrder(const std::string& text,
                                           const std::vector<std::string>& expected) {
  const std::vector<std::string> lines = Lines(text);
  auto at = lines.begin();
  for (const std::string& e : expected) {
    at = std::find(at, lines.end(), e);
    if (at == lines.end()) {
      return ::testing::AssertionFailure() << "no line \"" << e << "\" (in order) in:\n" << text;
    }
    ++at;
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult HasNoLine(const std::string& text, const std::string& line) {
  const std::vector<std::string> lines = Lines(text);
  if (std::find(lines.begin(), lines.end(), line) == lines.end()) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "unexpected line \"" << line << "\" in:\n" << text;
}

// The last three characters of a file name in lower case.
std::string KindOf(const fs::path& p) {
  std::string name = p.filename().string();
  name = name.size() < 3 ? std::string() : name.substr(name.size() - 3);
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

// The most bytes a file of the folder can put into TrackData: the longest
// track or game file (links followed), up to TrackData's room.
std::size_t LongestFile(const std::string& folder) {
  std::uintmax_t longest = 0;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(folder, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    std::error_code e;
    const std::string kind = KindOf(it->path());
    if ((kind == "trk" || kind == "gam") && fs::is_regular_file(fs::status(it->path(), e))) {
      longest = std::max(longest, fs::file_size(it->path(), e));
    }
  }
  return static_cast<std::size_t>(std::min<std::uintmax_t>(longest, kTrackDataRoom));
}

// The most bytes a reference car file of the folder can put into CarBuffer:
// the longest file directly in it whose extension is "car" in any case,
// when it is short enough to be loaded.
std::size_t LongestCarFile(const std::string& folder) {
  std::uintmax_t longest = 0;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder, ec)) {
    std::string ext = e.path().extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::error_code e2;
    if (ext != ".car" || !fs::is_regular_file(fs::status(e.path(), e2))) continue;
    const std::uintmax_t size = fs::file_size(e.path(), e2);
    if (size < static_cast<std::uintmax_t>(kCarFileLimit)) longest = std::max(longest, size);
  }
  return static_cast<std::size_t>(longest);
}

// Load, Next for every entry, End; `beforePress` runs before each press
// after Load (the End press too).
RunResult RunToEnd(RunState& s, const std::string& folder,
                   const std::function<void(const RunState&)>& beforePress = nullptr) {
  RunResult r;
  harness::FileBufferGuard guard(s, LongestFile(folder), LongestCarFile(folder));
  ui::headless::SetChooserAnswer(folder);
  PressStepButton(s);
  r.loadLog = s.RunLog;
  for (int presses = 0; s.EntryNumber != kEndEntryNumber && presses < 200; ++presses) {
    r.entryLogs.push_back(ui::Text(kLogEditor));
    r.mapViewShows.push_back(ui::ShownImage(kTrackMapView));
    r.shotViewShows.push_back(ui::ShownImage(kScreenshotView));
    if (beforePress) beforePress(s);
    PressStepButton(s);
  }
  r.runLog = s.RunLog;
  return r;
}

// --- the table -----------------------------------------------------------------------

struct HostileCase {
  const char* name;
  std::function<void(const fixtures::TempDir&)> lay;
  std::vector<std::string> loadLog;   // lines of ChooseHotlapFolder's log, in order
  std::vector<std::string> entryLog;  // lines of the first entry's log, in order
  std::vector<std::string> absent;    // lines the first entry's log must not hold
  std::function<void(const RunState&, const RunResult&, const fixtures::TempDir&)> check;
};

constexpr platform::Colour kWater = platform::Rgb(0, 64, 255);

fixtures::TrackFilePlan With(const std::function<void(fixtures::TrackFilePlan&)>& change) {
  fixtures::TrackFilePlan t = GoodTrack();
  change(t);
  return t;
}

void LayWithTrack(const fixtures::TempDir& d, const Bytes& track) {
  LayGoodEntry(d);
  d.WriteFile("A/Oval.trk", track);
}
void LayWithGame(const fixtures::TempDir& d, const Bytes& game) {
  LayGoodEntry(d);
  d.WriteFile("A/Oval.gam", game);
}
void LayWithScreenshot(const fixtures::TempDir& d, const std::string& name, const Bytes& shot) {
  LayGoodEntry(d);
  fs::remove(d.path() + "A/shot.jpg");
  d.WriteFile("A/" + name, shot);
}

// A tiny BMP whose width and height fields claim `w` and `h`.
Bytes BmpClaiming(std::int32_t w, std::int32_t h) {
  Bytes b = fixtures::EncodeBmp24(fixtures::SolidPicture(4, 4, platform::Rgb(1, 2, 3)));
  b = Patched(b, 18, static_cast<std::uint32_t>(w));
  return Patched(b, 22, static_cast<std::uint32_t>(h));
}

const std::string kGoodGameLines[] = {"Oval.gam", "Trackname in gam (120): Oval.trk",
                                      "T/C/F/D/S:  100 / 100 / 40 / 100 / 100"};

std::vector<HostileCase> Cases() {
  std::vector<HostileCase> cases;

  cases.push_back({"a good entry (the baseline)", [](const auto& d) { LayGoodEntry(d); },
                   {"Car: ref.car"},
                   {" ", GoodStaticLine(), "# Objecte: 3", " ", "1.: 4523 Max", " ", "Car 1:Car ok",
                    "Ghost = 120", " ", kGoodGameLines[0], kGoodGameLines[1], kGoodGameLines[2], " ",
                    kDashLine},
                   {"no car!", "Screen fehlt", "Track fehlt in:"},
                   [](const RunState& s, const RunResult& r, const fixtures::TempDir& d) {
                     EXPECT_EQ(r.mapViewShows[0], kMapImage);
                     EXPECT_EQ(r.shotViewShows[0], kScreenshotImage);
                     EXPECT_NE(s.RunLog.find("1 - 4523 Max"), std::string::npos);
                     EXPECT_TRUE(fs::is_regular_file(d.path() + "Oval.txt"));
                     EXPECT_TRUE(fs::is_regular_file(d.path() + "Oval.png"));
                   }});

  // --- offsets in the track file that point past it, or before it -------------
  // The RecordBlock's fields read as zeros. The program's decision: no line
  // says so, and the lap reads as a time of 0 by nobody (see the report).
  cases.push_back({"R past the end of the track file",
                   [](const auto& d) {
                     LayWithTrack(d, Track(With([](auto& t) { t.recordOffset = 5'000'000; })));
                   },
                   {},
                   {"Oval.trk  (static): 5000000 Bytes", "# Objecte: 3", "1.: 0 ",
                    "Car 1: not found!!", "Ghost = 120", kGoodGameLines[1]},
                   {"1.: 4523 Max"},
                   [](const RunState& s, const RunResult&, const fixtures::TempDir&) {
                     EXPECT_NE(s.RunLog.find("1 - 0\r\n"), std::string::npos);
                   }});
  cases.push_back({"R negative (INT32_MIN)",
                   [](const auto& d) {
                     LayWithTrack(d, Track(With([](auto& t) { t.recordOffset = INT32_MIN; })));
                   },
                   {},
                   {"Oval.trk  (static): -2147483648 Bytes", "1.: 0 ", "Car 1: not found!!",
                    "Ghost = 120", kGoodGameLines[1]},
                   {},
                   nullptr});
  // Heights past the file read as 0, below any water level: all water.
  cases.push_back({"N past the end of the track file",
                   [](const auto& d) {
                     LayWithTrack(d, Track(With([](auto& t) {
                       t.terrainCount = 3'000'000;
                       t.waterLevel = 10;
                     })));
                   },
                   {},
                   {"# Objecte: 0", "1.: 4523 Max", "Car 1:Car ok", "Ghost = 120"},
                   {},
                   [](const RunState&, const RunResult& r, const fixtures::TempDir&) {
                     EXPECT_EQ(r.mapViewShows[0], kMapImage);
                   }});
  cases.push_back({"N negative (INT32_MIN)",
                   [](const auto& d) {
                     LayWithTrack(d, Track(With([](auto& t) { t.terrainCount = INT32_MIN; })));
                   },
                   {},
                   {"# Objecte: 0", "1.: 4523 Max", "Car 1:Car ok", "Ghost = 120"},
                   {},
                   nullptr});
  cases.push_back({"ObjectCount past the end (32767)",
                   [](const auto& d) {
                     LayWithTrack(d, Track(With([](auto& t) { t.objectCount = 32767; })));
                   },
                   {},
                   {"# Objecte: 32767", "1.: 4523 Max", "Car 1:Car ok", "Ghost = 120"},
                   {},
                   nullptr});
  cases.push_back({"ObjectCount negative (-32768)",
                   [](const auto& d) {
                     LayWithTrack(d, Track(With([](auto& t) { t.objectCount = -32768; })));
                   },
                   {},
                   {"# Objecte: -32768", "1.: 4523 Max", "Ghost = 120"},
                   {},
                   nullptr});
  cases.push_back({"ghost word past the end (32767)",
                   [](const auto& d) {
                     LayWithTrack(d, Track(With([](auto& t) { t.ghostWord = 32767; })));
                   },
                   {},
                   {"1.: 4523 Max", "Ghost = 120", kGoodGameLines[1]},
                   {},
                   nullptr});
  cases.push_back({"ghost word negative (-32768)",
                   [](const auto& d) {
                     LayWithTrack(d, Track(With([](auto& t) { t.ghostWord = -32768; })));
                   },
                   {},
                   {"1.: 4523 Max", "Ghost = 120", kGoodGameLines[1]},
                   {},
                   nullptr});
  // Scale divides object sizes and ghost coordinates: with 0 no rectangle and
  // no ghost point is drawn, the rest of the entry as usual.
  cases.push_back({"Scale 0",
                   [](const auto& d) { LayWithTrack(d, Track(With([](auto& t) { t.scale = 0; }))); },
                   {},
                   {"1.: 4523 Max", "Car 1:Car ok", "Ghost = 120", kGoodGameLines[1]},
                   {},
                   [](const RunState&, const RunResult& r, const fixtures::TempDir&) {
                     EXPECT_EQ(r.mapViewShows[0], kMapImage);
                   }});

  // --- game file offsets past it, or before it ------------------------------------
  cases.push_back({"game car count past the end (layout 110, 100 cars, 2000 bytes)",
                   [](const auto& d) {
                     fixtures::GameFilePlan g;
                     g.version = 272;
                     g.carCount = 100;
                     g.length = 2000;
                     LayWithGame(d, fixtures::WriteGameFile(g));
                   },
                   {},
                   {"1.: 4523 Max", "Oval.gam", "Track fehlt in gam (110)",
                    "T/C/F/D/S:  100 / 100 / 40 / 100 / 100"},
                   {},
                   nullptr});
  cases.push_back({"game car count negative (layout 110, -128)",
                   [](const auto& d) {
                     fixtures::GameFilePlan g;
                     g.version = 272;
                     g.carCount = -128;
                     LayWithGame(d, fixtures::WriteGameFile(g));
                   },
                   {},
                   {"Oval.gam", "Track fehlt in gam (110)"},
                   {},
                   nullptr});
  cases.push_back({"game track index past the end (127)",
                   [](const auto& d) {
                     fixtures::GameFilePlan g;
                     g.trackIndex = 127;
                     g.length = fixtures::GameTrackSectionStart(g) + 8 + 56;
                     LayWithGame(d, fixtures::WriteGameFile(g));
                   },
                   {},
                   {"Oval.gam", "Track fehlt in gam (120)"},
                   {},
                   nullptr});
  cases.push_back({"game track index negative (-128)",
                   [](const auto& d) {
                     fixtures::GameFilePlan g;
                     g.trackIndex = -128;
                     LayWithGame(d, fixtures::WriteGameFile(g));
                   },
                   {},
                   {"Oval.gam", "Track fehlt in gam (120)"},
                   {},
                   nullptr});

  // --- screenshots that claim what they do not hold ----------------------------------
  // A picture that does not load is not logged; the placeholder shows instead.
  const auto placeholderShown = [](const RunState&, const RunResult& r, const fixtures::TempDir&) {
    EXPECT_EQ(r.shotViewShows[0], kPlaceholderImage);
  };
  cases.push_back({"BMP claiming 100000 x 100000 pixels",
                   [](const auto& d) { LayWithScreenshot(d, "shot.bmp", BmpClaiming(100000, 100000)); },
                   {},
                   {"1.: 4523 Max", kGoodGameLines[1]},
                   {"Screen fehlt"},
                   placeholderShown});
  cases.push_back({"BMP claiming 16384 x 16384 pixels over 64 bytes",
                   [](const auto& d) { LayWithScreenshot(d, "shot.bmp", BmpClaiming(16384, 16384)); },
                   {},
                   {"1.: 4523 Max"},
                   {"Screen fehlt"},
                   placeholderShown});
  cases.push_back({"BMP claiming a negative width",
                   [](const auto& d) { LayWithScreenshot(d, "shot.bmp", BmpClaiming(-4, 4)); },
                   {},
                   {"1.: 4523 Max"},
                   {"Screen fehlt"},
                   placeholderShown});
  cases.push_back({"BMP claiming a height of INT32_MIN",
                   [](const auto& d) { LayWithScreenshot(d, "shot.bmp", BmpClaiming(4, INT32_MIN)); },
                   {},
                   {"1.: 4523 Max"},
                   {"Screen fehlt"},
                   placeholderShown});

  // --- empty files of every kind ----------------------------------------------------------
  // An empty track file fails the header check: no track line, no map.
  cases.push_back({"0-byte track file",
                   [](const auto& d) { LayWithTrack(d, {}); },
                   {},
                   {" ", kGoodGameLines[0], kGoodGameLines[1], kDashLine},
                   {"Track fehlt in:", "1.: 0 ", "Ghost = 120"},
                   [](const RunState&, const RunResult& r, const fixtures::TempDir&) {
                     EXPECT_NE(r.mapViewShows[0], kMapImage);
                   }});
  // An empty game file is layout 110 with every setting 0 and no track entry.
  cases.push_back({"0-byte game file",
                   [](const auto& d) { LayWithGame(d, {}); },
                   {},
                   {"1.: 4523 Max", "Oval.gam", "Track fehlt in gam (110)",
                    "T/C/F/D/S:  0 / 0 / 0 / 0 / 0"},
                   {"Game fehlt"},
                   nullptr});
  // An empty car file is a loaded reference of 0 bytes, which holds no car.
  cases.push_back({"0-byte reference car file",
                   [](const auto& d) {
                     LayGoodEntry(d);
                     d.WriteFile("ref.car", Bytes{});
                   },
                   {"Car: ref.car"},
                   {"1.: 4523 Max", "Car 1:Car not found!!"},
                   {},
                   [](const RunState& s, const RunResult& r, const fixtures::TempDir&) {
                     EXPECT_TRUE(HasNoLine(r.loadLog, "no car!"));
                     EXPECT_TRUE(s.ReferenceCarLoaded);
                     EXPECT_EQ(s.CarLength, 0);
                   }});
  cases.push_back({"0-byte JPEG screenshot",
                   [](const auto& d) { LayWithScreenshot(d, "shot.jpg", {}); },
                   {},
                   {"1.: 4523 Max"},
                   {"Screen fehlt"},
                   placeholderShown});
  cases.push_back({"0-byte BMP screenshot",
                   [](const auto& d) { LayWithScreenshot(d, "shot.bmp", {}); },
                   {},
                   {"1.: 4523 Max"},
                   {"Screen fehlt"},
                   placeholderShown});

  // --- files too long for their room ----------------------------------------------------
  cases.push_back({"track file of 2,000,001 bytes",
                   [](const auto& d) {
                     LayGoodEntry(d);
                     fs::remove(d.path() + "A/Oval.trk");
                     fixtures::TrackFilePlan t = GoodTrack();
                     t.fileLength = kTrackDataRoom + 1;
                     d.WriteFile("A/big.trk", Track(t));
                   },
                   {},
                   {" ", "Track fehlt in:", "A",
                    "Track zu gross: big.trk (2000001 Bytes, hoechstens 2000000)", kGoodGameLines[1]},
                   {"1.: 4523 Max"},
                   nullptr});
  cases.push_back({"track file of exactly 2,000,000 bytes",
                   [](const auto& d) {
                     fixtures::TrackFilePlan t = GoodTrack();
                     t.fileLength = kTrackDataRoom;
                     LayWithTrack(d, Track(t));
                   },
                   {},
                   {GoodStaticLine(), "1.: 4523 Max", "Car 1:Car ok", "Ghost = 120"},
                   {"Track fehlt in:"},
                   nullptr});
  // The game file is read up to TrackData's room; its fields lie far below.
  cases.push_back({"game file of 2,000,001 bytes",
                   [](const auto& d) {
                     fixtures::GameFilePlan g;
                     g.length = kTrackDataRoom + 1;
                     LayWithGame(d, fixtures::WriteGameFile(g));
                   },
                   {},
                   {"1.: 4523 Max", kGoodGameLines[0], kGoodGameLines[1], kGoodGameLines[2]},
                   {},
                   nullptr});
  // Sparse files: huge on paper, nothing on disk. None may be read whole.
  cases.push_back({"track, game, screenshot and reference car of 64 GiB each",
                   [](const auto& d) {
                     for (const char* name : {"A/big.trk", "A/big.gam", "A/big.jpg", "big.car"}) {
                       fs::resize_file(d.WriteFile(name, GoodGame()), std::uintmax_t{64} << 30);
                     }
                   },
                   {"Car: big.car", "no car!"},
                   {" ", "Track fehlt in:", "A",
                    "Track zu gross: big.trk (68719476736 Bytes, hoechstens 2000000)", "big.gam",
                    kGoodGameLines[1], kGoodGameLines[2]},
                   {"Screen fehlt"},
                   placeholderShown});

  // --- files that are no files --------------------------------------------------------------
  cases.push_back({"a folder named x.trk",
                   [](const auto& d) {
                     LayGoodEntry(d);
                     fs::remove(d.path() + "A/Oval.trk");
                     d.MakeFolder("A/x.trk");
                   },
                   {},
                   {" ", "Track fehlt in:", "A", kGoodGameLines[1]},
                   {"Track nicht lesbar: x.trk"},
                   [](const RunState&, const RunResult& r, const fixtures::TempDir&) {
                     EXPECT_EQ(r.mapViewShows[0], kPlaceholderImage);
                   }});
  cases.push_back({"a dangling link named x.trk",
                   [](const auto& d) {
                     LayGoodEntry(d);
                     fs::remove(d.path() + "A/Oval.trk");
                     fs::create_symlink(d.path() + "nowhere.trk", d.path() + "A/x.trk");
                   },
                   {},
                   {" ", "Track fehlt in:", "A", "Track nicht lesbar: x.trk", kGoodGameLines[1]},
                   {},
                   nullptr});
  // A device file gives bytes for ever; it must not be read at all. A game
  // file that cannot be opened ends its step without a line.
  cases.push_back({"track, game, screenshot and car linked to /dev/zero",
                   [](const auto& d) {
                     d.MakeFolder("A");
                     for (const char* name : {"A/x.trk", "A/x.gam", "A/x.jpg", "zero.car"}) {
                       fs::create_symlink("/dev/zero", d.path() + name);
                     }
                   },
                   {"Car: zero.car", "no car!"},
                   {" ", "Track fehlt in:", "A", "Track nicht lesbar: x.trk", kDashLine},
                   {"x.gam", "Game fehlt", "Screen fehlt"},
                   placeholderShown});
  cases.push_back({"an entry folder that is a dangling link, beside a good one",
                   [](const auto& d) {
                     LayGoodEntry(d);
                     fs::create_symlink(d.path() + "gone", d.path() + "B");
                   },
                   {},
                   {"1.: 4523 Max"},
                   {},
                   [](const RunState& s, const RunResult& r, const fixtures::TempDir&) {
                     EXPECT_EQ(s.EntryList, std::vector<std::string>{"A"});
                     EXPECT_EQ(r.entryLogs.size(), 1u);
                   }});

  // --- names ---------------------------------------------------------------------------------
  // Spaces and bytes above 127 (Windows-1252 letters, no UTF-8) pass through
  // to the log and name the report files.
  cases.push_back({"names with spaces and bytes above 127",
                   [](const auto& d) {
                     d.WriteFile("Wagen \xE4.car", ReferenceCar());
                     const std::string entry = " Team \xC4\xE9 1 ";
                     fixtures::TrackFilePlan t = GoodTrack();
                     t.ghostDriver = "J\xF6rg Z";
                     d.WriteFile(entry + "/Mon Circuit \xE9t\xE9.trk", Track(t));
                     d.WriteFile(entry + "/Spiel \xFC.gam", GoodGame());
                     d.WriteFile(entry + "/Bild \xE4.jpg", Screenshot());
                   },
                   {"Car: Wagen \xE4.car"},
                   {GoodStaticLine("Mon Circuit \xE9t\xE9.trk"),
                    "1.: 4523 J\xF6rg Z", "Car 1:Car ok", "Spiel \xFC.gam", kGoodGameLines[1]},
                   {"no car!", "Screen fehlt"},
                   [](const RunState& s, const RunResult& r, const fixtures::TempDir& d) {
                     EXPECT_EQ(s.EntryList, std::vector<std::string>{" Team \xC4\xE9 1 "});
                     EXPECT_EQ(r.shotViewShows[0], kScreenshotImage);
                     const std::string report = fixtures::ReadText(d.path() + "Mon Circuit \xE9t\xE9.txt");
                     EXPECT_NE(report.find("1 - 4523 J\xF6rg Z"), std::string::npos);
                     EXPECT_TRUE(fs::is_regular_file(d.path() + "Mon Circuit \xE9t\xE9.png"));
                   }});

  // The ranking takes every "1.:" of the log, wherever it stands: a driver
  // name can carry a result of its own, which then ranks (see the report).
  cases.push_back({"a driver name that holds a result mark",
                   [](const auto& d) {
                     LayWithTrack(d, Track(With([](auto& t) { t.ghostDriver = "1.: 0 Eve"; })));
                   },
                   {},
                   {"1.: 4523 1.: 0 Eve", "Car 1:Car ok"},
                   {},
                   [](const RunState& s, const RunResult&, const fixtures::TempDir&) {
                     // The name comes back in the identity warning (one entry
                     // alone always gets one) and ranks from there too.
                     EXPECT_TRUE(HasLinesInOrder(
                         s.RunLog, {"1 - 0 Eve", "2 - 0 Eve Game corrupt !!!!", "3 - 4523 1.: 0 Eve"}));
                   }});
  cases.push_back({"a PNG named shot.jpg",
                   [](const auto& d) {
                     const std::string png = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR";
                     LayWithScreenshot(d, "shot.jpg", Bytes(png.begin(), png.end()));
                   },
                   {},
                   {"1.: 4523 Max"},
                   {"Screen fehlt"},
                   placeholderShown});

  // --- reports that cannot be written -------------------------------------------------------
  // The report names are taken by folders: nothing is written, nothing of
  // the folders is touched, the run ends as usual.
  cases.push_back({"report and chart names taken by folders",
                   [](const auto& d) {
                     LayGoodEntry(d);
                     d.WriteFile("Oval.txt/keep", std::string("old"));
                     d.WriteFile("Oval.png/keep", std::string("old"));
                   },
                   {},
                   {"1.: 4523 Max"},
                   {},
                   [](const RunState& s, const RunResult&, const fixtures::TempDir& d) {
                     EXPECT_EQ(s.EntryNumber, kEndEntryNumber);
                     EXPECT_NE(s.RunLog.find("1 - 4523 Max"), std::string::npos);
                     EXPECT_EQ(fixtures::ReadText(d.path() + "Oval.txt/keep"), "old");
                     EXPECT_EQ(fixtures::ReadText(d.path() + "Oval.png/keep"), "old");
                     std::error_code ec;
                     for (const auto& e : fs::directory_iterator(d.path(), ec)) {
                       EXPECT_NE(e.path().filename().string().rfind(".thc-write-", 0), 0u)
                           << "temporary file left: " << e.path();
                     }
                   }});
  return cases;
}

class HostileEntries : public ::testing::Test {
 protected:
  void SetUp() override { harness::ResetHeadless(s); }
  RunState s;
};

TEST_F(HostileEntries, EachCaseEndsAsDecided) {
  for (const HostileCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    harness::ResetHeadless(s);
    fixtures::TempDir dir;
    c.lay(dir);
    const RunResult r = RunToEnd(s, dir.path());
    EXPECT_EQ(s.EntryNumber, kEndEntryNumber);
    EXPECT_TRUE(HasLinesInOrder(r.loadLog, c.loadLog));
    ASSERT_FALSE(r.entryLogs.empty());
    EXPECT_TRUE(HasLinesInOrder(r.entryLogs[0], c.entryLog));
    for (const std::string& line : c.absent) EXPECT_TRUE(HasNoLine(r.entryLogs[0], line));
    if (c.check) c.check(s, r, dir);
  }
}

// 99 entry folders: the run takes the first 98 (EntryNumber's 99 marks End),
// says so, shows each of them and reaches End.
TEST_F(HostileEntries, NinetyNineEntryFoldersRunTheFirstNinetyEight) {
  fixtures::TempDir dir;
  LayGoodEntry(dir, "E00");
  for (int i = 1; i < 99; ++i) {
    dir.MakeFolder("E" + std::string(i < 10 ? "0" : "") + std::to_string(i));
  }
  LayGoodEntry(dir, "E97");
  LayGoodEntry(dir, "E98");
  const RunResult r = RunToEnd(s, dir.path());
  EXPECT_TRUE(HasLinesInOrder(r.loadLog, {"Car: ref.car", "Nur die ersten 98 von 99 Ordnern werden geprueft"}));
  ASSERT_EQ(r.entryLogs.size(), 98u);
  EXPECT_TRUE(HasLinesInOrder(r.entryLogs[0], {"1.: 4523 Max", kDashLine}));
  EXPECT_TRUE(HasLinesInOrder(r.entryLogs[50], {"Track fehlt in:", "E50", "Screen fehlt", "Game fehlt"}));
  EXPECT_TRUE(HasLinesInOrder(r.entryLogs[97], {"1.: 4523 Max", kDashLine}));
  EXPECT_EQ(s.EntryNumber, kEndEntryNumber);
  EXPECT_EQ(s.EntryList.back(), "E97");
  // Both laps are ranked; E98 never ran.
  EXPECT_TRUE(HasLinesInOrder(s.RunLog, {"1 - 4523 Max", "2 - 4523 Max"}));
  EXPECT_EQ(s.RunLog.find("3 - "), std::string::npos);
}

// The hotlap folder vanishes before End: the reports cannot be written, the
// run still ends, and nothing is made in its place.
TEST_F(HostileEntries, HotlapFolderRemovedBeforeEnd) {
  fixtures::TempDir dir;
  LayGoodEntry(dir);
  const RunResult r = RunToEnd(s, dir.path(), [&](const RunState&) { fs::remove_all(dir.path()); });
  EXPECT_EQ(s.EntryNumber, kEndEntryNumber);
  EXPECT_NE(s.RunLog.find("1 - 4523 Max"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir.path()));
}

// An entry folder that is there at Load but gone at its turn cannot be
// listed: it shows as an entry without files.
TEST_F(HostileEntries, EntryFolderGoneBeforeItsTurn) {
  fixtures::TempDir dir;
  LayGoodEntry(dir, "A");
  LayGoodEntry(dir, "B");
  const RunResult r = RunToEnd(s, dir.path(), [&](const RunState& st) {
    if (st.EntryNumber == 1) fs::remove_all(dir.path() + "B");
  });
  ASSERT_EQ(r.entryLogs.size(), 2u);
  EXPECT_TRUE(HasLinesInOrder(r.entryLogs[0], {"1.: 4523 Max", kDashLine}));
  EXPECT_TRUE(HasLinesInOrder(r.entryLogs[1],
                              {" ", "Track fehlt in:", "B", "Screen fehlt", "Game fehlt", kDashLine}));
  EXPECT_EQ(r.mapViewShows[1], kPlaceholderImage);
  EXPECT_EQ(r.shotViewShows[1], kPlaceholderImage);
  EXPECT_EQ(s.EntryNumber, kEndEntryNumber);
}

// A FIFO under a file's name blocks an open until a writer comes; the
// program must refuse it unopened. Should it wait after all, a watchdog
// writes to each FIFO after five seconds so the test fails instead of hanging.
TEST_F(HostileEntries, FifosUnderFileNamesDoNotBlock) {
  fixtures::TempDir dir;
  dir.MakeFolder("A");
  const std::vector<std::string> fifos = {dir.path() + "A/x.trk", dir.path() + "A/x.gam",
                                          dir.path() + "A/x.jpg", dir.path() + "fifo.car"};
  for (const std::string& f : fifos) ASSERT_EQ(::mkfifo(f.c_str(), 0600), 0) << f;

  std::mutex m;
  std::condition_variable done;
  bool finished = false;
  std::atomic<bool> hung{false};
  std::thread watchdog([&] {
    std::unique_lock<std::mutex> lock(m);
    while (!done.wait_for(lock, std::chrono::seconds(5), [&] { return finished; })) {
      hung = true;
      // A writer's open releases a reader that waits in open; without a
      // reader the non-blocking open fails at once and nothing happens.
      for (const std::string& f : fifos) {
        const int fd = ::open(f.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
      }
    }
  });
  const RunResult r = RunToEnd(s, dir.path());
  {
    std::lock_guard<std::mutex> lock(m);
    finished = true;
  }
  done.notify_all();
  watchdog.join();

  EXPECT_FALSE(hung) << "an open of a FIFO waited for a writer";
  EXPECT_TRUE(HasLinesInOrder(r.loadLog, {"Car: fifo.car", "no car!"}));
  ASSERT_EQ(r.entryLogs.size(), 1u);
  EXPECT_TRUE(HasLinesInOrder(r.entryLogs[0],
                              {" ", "Track fehlt in:", "A", "Track nicht lesbar: x.trk", kDashLine}));
  EXPECT_TRUE(HasNoLine(r.entryLogs[0], "x.gam"));
  EXPECT_TRUE(HasNoLine(r.entryLogs[0], "Screen fehlt"));
  EXPECT_EQ(r.shotViewShows[0], kPlaceholderImage);
}

}  // namespace
