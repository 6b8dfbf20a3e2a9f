#include <gtest/gtest.h>

#include "tests/track/track_test_support.h"
#include "track/track_file.h"

namespace {

using fixtures::TrackFilePlan;
using tracktest::LogLines;
using tracktest::TrackRun;

TEST(DecodeTrackFile, HeaderCheck) {
  struct Case {
    std::uint16_t version;
    std::string magic;  // the two bytes at offset 2
    bool accepted;
  };
  const Case cases[] = {
      {272, "KZ", true},
      {261, "KZ", true},
      {288, "KZ", true},
      {261, "kz", false},
      {272, "Kz", false},
      {289, "KZ", false},
      {0x0110 | 0x8000, "KZ", false},     // the same low bits, negative word
      {272, std::string("\0Z", 2), false},
      {272, std::string("K\0", 2), false},
      {0, "", false},
  };
  for (const Case& c : cases) {
    TrackRun run;
    TrackFilePlan t;
    t.version = c.version;
    t.magic = c.magic;
    t.ghostTime = 4523;
    t.ghostDriver = "Max";
    run.Load(t);
    // What an earlier accepted file left.
    run.s.TrackHeaderInvalid = c.accepted;  // the step must set or clear it
    run.s.GhostTime = 1111;
    run.s.GhostDriver = "Old";
    run.s.RecordTime = 2222;
    run.s.RecordDriver = "Older";
    run.s.CarNames[0] = "CarA";
    run.s.CarNames[1] = "CarB";
    run.s.TrackLayout.Scale = 77;
    run.s.TrackLayout.ObjectSectionOffset = 999;

    DecodeTrackFile(run.s);
    const std::string what = std::to_string(c.version) + " " + c.magic;
    EXPECT_EQ(run.s.TrackHeaderInvalid, !c.accepted) << what;
    if (c.accepted) {
      EXPECT_EQ(run.s.GhostTime, 4523) << what;
      EXPECT_EQ(LogLines().size(), 6u) << what;
    } else {
      EXPECT_TRUE(LogLines().empty()) << what;
      EXPECT_EQ(run.s.GhostTime, 1111);
      EXPECT_EQ(run.s.GhostDriver, "Old");
      EXPECT_EQ(run.s.RecordTime, 2222);
      EXPECT_EQ(run.s.RecordDriver, "Older");
      EXPECT_EQ(run.s.CarNames[0], "CarA");
      EXPECT_EQ(run.s.CarNames[1], "CarB");
      EXPECT_EQ(run.s.TrackLayout.Scale, 77);
      EXPECT_EQ(run.s.TrackLayout.ObjectSectionOffset, 999);
    }
  }
}

TEST(DecodeTrackFile, HeaderOfAFileShorterThanFourBytesIsRejected) {
  TrackRun run;
  run.Load(std::vector<std::uint8_t>{0x10, 0x01, 'K'}, "/h/e/Test.trk", 'Z');  // 'Z' only stale
  DecodeTrackFile(run.s);
  EXPECT_TRUE(run.s.TrackHeaderInvalid);
  EXPECT_TRUE(LogLines().empty());
}

TEST(DecodeTrackFile, LogsItsSixLines) {
  TrackRun run;
  TrackFilePlan t;
  t.objects = {{10, 100, 100, 0}, {9, 200, 200, 0}};
  t.afterObjects.assign(30, 0);
  t.ghostTime = 4523;
  t.ghostDriver = "Max";
  t.ghostCarName = "Formula";
  fixtures::TrackFileOffsets o;
  const auto bytes = fixtures::WriteTrackFile(t, &o);
  run.Load(bytes, "/hot/lap/max/Monza.trk");
  fixtures::LoadReferenceCarBytes(run.s, fixtures::MakeCarBlock("Formula", t.ghostCarSeed));

  DecodeTrackFile(run.s);
  const std::vector<std::string> expected = {
      "Monza.trk  (static): " + std::to_string(o.recordBlock) + " Bytes",
      "# Objecte: 2",
      " ",
      "1.: 4523 Max",
      " ",
      "Car 1:Formula ok",
  };
  EXPECT_EQ(LogLines(), expected);
}

TEST(DecodeTrackFile, FileNameOfTheFirstLine) {
  struct Case { const char* path; const char* name; };
  for (const Case& c : {Case{"/a/b/Monza.trk", "Monza.trk"}, Case{"C:\\hot\\x\\Spa.trk", "Spa.trk"},
                        Case{"/a\\mixed/b\\Last.TRK", "Last.TRK"}, Case{"Bare.trk", "Bare.trk"},
                        Case{"/dir/", ""}}) {
    TrackRun run;
    run.Load(TrackFilePlan{}, c.path);
    DecodeTrackFile(run.s);
    const auto lines = LogLines();
    ASSERT_FALSE(lines.empty());
    const std::string r = std::to_string(run.s.TrackLayout.RecordBlockOffset);
    EXPECT_EQ(lines[0], std::string(c.name) + "  (static): " + r + " Bytes") << c.path;
  }
}

TEST(DecodeTrackFile, LapFields) {
  struct Case {
    std::int16_t ghostTime;
    std::string ghostDriverField;  // as written into the 13-byte field
    std::string ghostDriver;       // as read
    std::string resultLine;
  };
  const Case cases[] = {
      {4523, "Max", "Max", "1.: 4523 Max"},
      {-1, "Max", "Max", "1.: -1 Max"},  // the word 0xFFFF
      {-32768, "", "", "1.: -32768 "},
      {6000, "ABCDEFGHIJKLM", "ABCDEFGHIJKL", "1.: 6000 ABCDEFGHIJKL"},  // no zero byte
      {5999, "  Max  Power ", "Max  Power", "1.: 5999 Max  Power"},
      {100, "\tTab ", "\tTab", "1.: 100 \tTab"},  // only spaces are trimmed
      {7, std::string(12, ' ') + "b", "", "1.: 7 "},          // the 13th byte is never read
      {8, std::string("Jo\0hnny", 7), "Jo", "1.: 8 Jo"},
  };
  for (const Case& c : cases) {
    TrackRun run;
    TrackFilePlan t;
    t.ghostTime = c.ghostTime;
    t.ghostDriver = c.ghostDriverField;
    t.recordTime = 4000;
    t.recordDriver = " Rec ";
    t.recordCarName = " Rocket  ";
    t.ghostCarName = "ABCDEFGHIJKLMN";  // the block's first 12 bytes
    run.Load(t);
    DecodeTrackFile(run.s);
    EXPECT_EQ(run.s.GhostTime, c.ghostTime);
    EXPECT_EQ(run.s.GhostDriver, c.ghostDriver);
    EXPECT_EQ(run.s.RecordTime, 4000);
    EXPECT_EQ(run.s.RecordDriver, "Rec");
    EXPECT_EQ(run.s.CarNames[0], "Rocket");
    EXPECT_EQ(run.s.CarNames[1], "ABCDEFGHIJKL");
    const auto lines = LogLines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[3], c.resultLine);
    EXPECT_EQ(lines[5], "Car 1:ABCDEFGHIJKL not found!!");
  }
}

TEST(DecodeTrackFile, ObjectCountLine) {
  for (int count : {0, 3, -2, 32767, -32768}) {
    TrackRun run;
    TrackFilePlan t;
    t.objectCount = static_cast<std::int16_t>(count);
    run.Load(t);
    DecodeTrackFile(run.s);
    EXPECT_EQ(run.s.TrackLayout.ObjectCount, count);
    ASSERT_EQ(LogLines().size(), 6u);
    EXPECT_EQ(LogLines()[1], "# Objecte: " + std::to_string(count));
  }
}

TEST(DecodeTrackFile, TrackLayout) {
  TrackRun run;
  TrackFilePlan t;
  t.scale = 40;
  t.waterLevel = 12;
  t.terrain.assign(6, fixtures::TerrainWord(1, 1));  // N = 5
  t.objects = {{1, 0, 0, 0}};
  t.afterObjects.assign(10, 0);
  fixtures::TrackFileOffsets o;
  run.Load(fixtures::WriteTrackFile(t, &o));
  DecodeTrackFile(run.s);
  const TrackLayoutRecord& l = run.s.TrackLayout;
  EXPECT_EQ(l.Scale, 40);
  EXPECT_EQ(l.WaterLevel, 12);
  EXPECT_EQ(l.TerrainWordCount, 6);
  EXPECT_EQ(l.HeightMapOffset, 32);
  EXPECT_EQ(l.ObjectSectionOffset, 4128);
  EXPECT_EQ(l.ObjectCount, 1);
  EXPECT_EQ(l.RecordBlockOffset, 4128 + 2 + 8 + 10);
  EXPECT_EQ(l.GhostSectionOffset, 4128 + 2 + 8 + 10 + 9625);
  EXPECT_EQ(static_cast<std::size_t>(l.GhostSectionOffset), o.ghostWord);
}

TEST(DecodeTrackFile, GhostPointCountTruncatesTowardZero) {
  struct Case { std::int16_t word; std::int16_t count; };
  for (const Case& c : {Case{7, 3}, Case{-3, -1}, Case{0, 0}, Case{1, 0}, Case{-1, 0},
                        Case{-2, -1}, Case{32767, 16383}, Case{-32768, -16384}}) {
    TrackRun run;
    TrackFilePlan t;
    t.ghostWord = c.word;
    run.Load(t);
    DecodeTrackFile(run.s);
    EXPECT_EQ(run.s.TrackLayout.GhostPointCount, c.count) << c.word;
  }
}

// The reference car check: where the ghost's car block stands in the car file.
TEST(DecodeTrackFile, ReferenceCarCheck) {
  const std::vector<std::uint8_t> block = fixtures::MakeCarBlock("Formula", 42);
  auto filler = [](std::size_t n, unsigned k) {
    std::vector<std::uint8_t> b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(i * k + 3);
    return b;
  };
  auto withBlockAt = [&](std::size_t before, std::size_t after) {
    std::vector<std::uint8_t> car = filler(before, 7);
    car.insert(car.end(), block.begin(), block.end());
    const auto tailBytes = filler(after, 13);
    car.insert(car.end(), tailBytes.begin(), tailBytes.end());
    return car;
  };
  std::vector<std::uint8_t> nearMiss = withBlockAt(100, 100);
  nearMiss[100 + 1343] ^= 1;  // the block's last byte differs
  std::vector<std::uint8_t> firstHalf(block.begin(), block.begin() + 1000);

  struct Case {
    const char* what;
    bool loaded;
    std::vector<std::uint8_t> car;
    std::int32_t carLength;  // -1: the car's size
    bool found;
  };
  const std::vector<Case> cases = {
      {"at position 0", true, withBlockAt(0, 500), -1, true},
      {"ending at the last byte", true, withBlockAt(700, 0), -1, true},
      {"the whole car file", true, block, -1, true},
      {"in the middle of a large file", true, withBlockAt(90000, 5000), -1, true},
      {"last byte differs", true, nearMiss, -1, false},
      {"car file shorter than a block", true, firstHalf, -1, false},
      {"CarLength one short of the block", true, withBlockAt(0, 0), 1343, false},
      {"CarLength cuts the block's end", true, withBlockAt(10, 200), 10 + 1343, false},
      {"no reference car", false, withBlockAt(0, 0), -1, false},
  };
  for (const Case& c : cases) {
    TrackRun run;
    TrackFilePlan t;
    t.ghostCarBlock = block;
    run.Load(t);
    if (!c.car.empty()) fixtures::LoadReferenceCarBytes(run.s, c.car);
    if (c.carLength >= 0) run.s.CarLength = c.carLength;
    run.s.ReferenceCarLoaded = c.loaded;
    DecodeTrackFile(run.s);
    const auto lines = LogLines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[5], std::string("Car 1:Formula") + (c.found ? " ok" : " not found!!")) << c.what;
  }
}

// A ghost car block that is not wholly inside the loaded bytes is never found,
// even when the reference car holds its present part followed by zeros.
TEST(DecodeTrackFile, GhostCarBlockCutByTheFileEndIsNotFound) {
  const std::vector<std::uint8_t> block = fixtures::MakeCarBlock("Formula", 42);
  TrackFilePlan t;
  t.ghostCarBlock = block;
  fixtures::TrackFileOffsets o;
  auto bytes = fixtures::WriteTrackFile(t, &o);
  bytes.resize(o.recordBlock + 1449 + 1000);
  std::vector<std::uint8_t> car(block.begin(), block.begin() + 1000);
  car.resize(1344 + 100, 0);

  TrackRun run;
  run.Load(bytes);
  fixtures::LoadReferenceCarBytes(run.s, car);
  DecodeTrackFile(run.s);
  ASSERT_EQ(LogLines().size(), 6u);
  EXPECT_EQ(LogLines()[5], "Car 1:Formula not found!!");
}

TEST(TrackFile, TrackNameOfAPath) {
  struct Case { const char* path; const char* name; };
  for (const Case& c : {Case{"/h/e/Monza.trk", "Monza"}, Case{"/h/e/abcd.trk", "abcd"},
                        Case{"C:\\h\\e\\Spa.TRK", "Spa"}, Case{"/h/e/x.trk", "x"},
                        Case{"/h/e/.trk", ""}, Case{"/h/e/abcd", ""}, Case{"/h/e/Long.Name.trk", "Long.Name"},
                        Case{"/h/e/notes.xtrk", "notes."}, Case{"", ""}}) {
    EXPECT_EQ(track::TrackNameOf(c.path), c.name) << c.path;
  }
}

}  // namespace
