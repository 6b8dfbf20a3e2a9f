// How fast an organiser gets through a competition: one heavy entry through
// the whole pipeline and its two big parts, the reference car check at its
// worst, and End for 98 entries, each beside the floor the libraries set for
// the same bytes (libjpeg's full-size decode, glibc's memmem, libpng at level
// 9). Runs over the headless UI backend; the ratios are printed at the end.
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "app/entry_pipeline.h"
#include "app/main_window.h"
#include "app/start_up.h"
#include "bench/bench_inputs.h"
#include "bench/floors.h"
#include "bench/ratio_report.h"
#include "game/game.h"
#include "platform/raster.h"
#include "platform/ui.h"
#include "platform/ui_headless.h"
#include "reports/reports.h"
#include "tests/fixtures/car_file_writer.h"
#include "tests/fixtures/jpeg_writer.h"
#include "tests/fixtures/temp_dir.h"
#include "tests/fixtures/track_file_writer.h"
#include "track/track.h"

namespace {

constexpr int kScreenshotWidth = 1920;
constexpr int kScreenshotHeight = 1080;
constexpr int kEndEntries = 98;

// Everything the benchmarks read, made once before the first one runs.
struct Inputs {
  fixtures::TempDir dir;

  // The heavy entry: HeavyFolder/"Heavy Entry"/ with track, game file and
  // screenshot; the reference car holds the ghost's car in its last bytes.
  bench::HeavyTrack heavy;
  std::string heavyFolder;
  std::string heavyTrackPath;
  std::string heavyShotPath;
  std::vector<std::uint8_t> heavyJpeg;
  std::vector<std::uint8_t> heavyCar;

  std::vector<bench::CarCase> carCases;

  // End for 98 entries: what the run had built when the last entry was left.
  struct EndRun {
    std::string hotlapFolder;
    std::vector<std::string> entryList;
    std::string trackBaseName;
    std::array<std::string, 102> trackIds;
    std::array<std::string, 102> drivers;
    std::string runLog;
  } end;
};

Inputs* g_inputs = nullptr;

// A fresh run as start-up leaves it, with the main window open on the
// headless backend. Null (and the benchmark skipped) when start-up fails.
std::unique_ptr<RunState> FreshRun(benchmark::State& st) {
  ui::headless::Reset();
  platform::DeleteAllImages();
  auto s = std::make_unique<RunState>();
  std::string error;
  if (!StartUp(*s, error)) {
    st.SkipWithError(("start-up failed: " + error).c_str());
    return nullptr;
  }
  OpenMainWindow(*s);
  return s;
}

bool LogHas(const std::string& text) { return ui::Text(kLogEditor).find(text) != std::string::npos; }

// --- input making --------------------------------------------------------------

void MakeHeavyEntry(Inputs& in) {
  in.heavy = bench::MakeHeavyTrackFile();
  in.heavyJpeg = fixtures::EncodeJpeg(
      bench::MakeNaturalPicture(kScreenshotWidth, kScreenshotHeight, 11), {/*quality=*/90});
  in.heavyFolder = in.dir.MakeFolder("heavy");
  in.heavyTrackPath =
      in.dir.WriteFile("heavy/Heavy Entry/" + bench::kTrackName + ".trk", in.heavy.bytes);
  in.dir.WriteFile("heavy/Heavy Entry/" + bench::kTrackName + ".gam",
                   bench::MakeGameFile(bench::kTrackName, 1));
  in.heavyShotPath = in.dir.WriteFile("heavy/Heavy Entry/Screenshot.jpg", in.heavyJpeg);
  in.heavyCar = fixtures::MakeReferenceCarFile(
      bench::StandardCarBlock(), bench::kCarFileLength - fixtures::kCarBlockSize,
      bench::kCarFileLength);
}

// Writes a hotlap folder of 98 ordinary entries and runs the program over it
// as an organiser would (Load, then Next for each entry, two penalties on the
// way), keeping what End starts from.
bool MakeEndRun(Inputs& in) {
  const std::string folder = in.dir.MakeFolder("competition");
  const std::vector<std::uint8_t> block = bench::StandardCarBlock();
  in.dir.WriteFile("competition/Reference.car",
                   fixtures::MakeReferenceCarFile(block, 20'000, 60'000));
  const std::vector<std::uint8_t> shot =
      fixtures::EncodeJpeg(bench::MakeNaturalPicture(640, 360, 5), {/*quality=*/85});
  for (int i = 1; i <= kEndEntries; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "Entry %02d", i);
    fixtures::TrackFilePlan t;
    t.version = 288;
    for (int w = 0; w < 2048; ++w) t.terrain.push_back(fixtures::TerrainWord(w % 13, 128));
    for (int k = 0; k < 60; ++k) {
      t.objects.push_back({static_cast<std::int8_t>(k % 2 ? 1 : 17),
                           static_cast<std::int16_t>(100 + 13 * k),
                           static_cast<std::int16_t>(500 + 5 * k), 0,
                           static_cast<std::uint8_t>(k * 7), 0});
    }
    t.ghostTime = static_cast<std::int16_t>(i % 23 == 0 ? 6000 : 4400 + (i * 37) % 1500);
    t.recordTime = t.ghostTime;
    t.ghostDriver = std::string("Driver ") + std::to_string(i);
    t.recordDriver = t.ghostDriver;
    t.ghostCarBlock = (i % 31 == 0) ? fixtures::MakeCarBlock("Tuned", 9) : block;
    for (int j = 0; j < 600; ++j) {
      t.ghostPoints.push_back({static_cast<std::uint16_t>(3000 + 12 * j),
                               static_cast<std::uint16_t>(4000 + 9 * j)});
    }
    const std::string base = std::string("competition/") + name + "/";
    in.dir.WriteFile(base + bench::kTrackName + ".trk", fixtures::WriteTrackFile(t));
    // Entry 17 raced another track: End reports its game as corrupt.
    in.dir.WriteFile(base + bench::kTrackName + ".gam",
                     bench::MakeGameFile(bench::kTrackName, i == 17 ? 2 : 1));
    in.dir.WriteFile(base + "Screenshot.jpg", shot);
  }

  ui::headless::Reset();
  platform::DeleteAllImages();
  RunState s;
  std::string error;
  if (!StartUp(s, error)) {
    std::fprintf(stderr, "End for 98 entries: start-up failed: %s\n", error.c_str());
    return false;
  }
  OpenMainWindow(s);
  ui::headless::SetChooserAnswer(folder);
  PressStepButton(s);  // Load: the first entry
  while (s.EntryNumber < kEndEntries) {
    if (s.EntryNumber == 5 || s.EntryNumber == 40) PressActionButton(s);  // "6000" penalty
    PressStepButton(s);  // Next
  }
  in.end.hotlapFolder = s.HotlapFolder;
  in.end.entryList = s.EntryList;
  in.end.trackBaseName = s.TrackBaseName;
  in.end.trackIds = s.TrackIdTable;
  in.end.drivers = s.DriverTable;
  // End's first step: the last entry's log joins RunLog.
  in.end.runLog = s.RunLog + ui::Text(kLogEditor);
  ShutDown(s);

  std::size_t resultLines = 0;
  for (std::size_t p = in.end.runLog.find("1.: "); p != std::string::npos;
       p = in.end.runLog.find("1.: ", p + 1)) {
    ++resultLines;
  }
  if (in.end.entryList.size() != kEndEntries || resultLines != kEndEntries) {
    std::fprintf(stderr,
                 "End for 98 entries: the run saw %zu entries and %zu result lines "
                 "(operations not all in yet?)\n",
                 in.end.entryList.size(), resultLines);
  }
  return true;
}

// --- 1. one heavy entry ----------------------------------------------------------

void HeavyEntryPipeline(benchmark::State& st) {
  auto s = FreshRun(st);
  if (!s) return;
  s->HotlapFolder = g_inputs->heavyFolder;
  s->EntryList = {"Heavy Entry"};
  fixtures::LoadReferenceCarBytes(*s, g_inputs->heavyCar);
  for (auto _ : st) {
    s->EntryCursor = -1;
    s->EntryNumber = 1;
    RunEntryPipeline(*s);
  }
  const bool complete = LogHas("Car 1:Formula T ok") && LogHas("Ghost = 120") &&
                        platform::ImageWidth(kScreenshotImage) == 480 &&
                        platform::ImageExists(kMapImage);
  st.SetLabel(complete ? "track 2,000,000 B, JPEG 1920x1080" : "INCOMPLETE: a step did nothing");
}

void HeavyTrackPart(benchmark::State& st) {
  auto s = FreshRun(st);
  if (!s) return;
  fixtures::LoadTrackBytes(*s, g_inputs->heavy.bytes, g_inputs->heavyTrackPath);
  fixtures::LoadReferenceCarBytes(*s, g_inputs->heavyCar);
  for (auto _ : st) {
    ui::ClearText(kLogEditor);
    DecodeTrackFile(*s);
    DrawTerrainMap(*s);
    DrawWater(*s);
    DrawTrackObjects(*s);
    DrawGhostLap(*s);
  }
  st.SetLabel(LogHas("Ghost = 120") ? "decode + terrain + water + objects + ghost"
                                    : "INCOMPLETE: no ghost line");
}

// The five steps of the track part one by one, each on the picture the steps
// before it leave, to see which one dominates.
void HeavyTrackStep(benchmark::State& st, int step) {
  auto s = FreshRun(st);
  if (!s) return;
  fixtures::LoadTrackBytes(*s, g_inputs->heavy.bytes, g_inputs->heavyTrackPath);
  fixtures::LoadReferenceCarBytes(*s, g_inputs->heavyCar);
  DecodeTrackFile(*s);
  DrawTerrainMap(*s);
  DrawWater(*s);
  for (auto _ : st) {
    switch (step) {
      case 0:
        ui::ClearText(kLogEditor);
        DecodeTrackFile(*s);
        break;
      case 1:
        DrawTerrainMap(*s);
        break;
      case 2:
        DrawWater(*s);
        break;
      case 3:
        // Objects fill regions of the picture: each round starts from the
        // picture terrain and water leave.
        st.PauseTiming();
        DrawTerrainMap(*s);
        DrawWater(*s);
        st.ResumeTiming();
        DrawTrackObjects(*s);
        break;
      default:
        ui::ClearText(kLogEditor);
        DrawGhostLap(*s);
        break;
    }
  }
}

void HeavyScreenshotPart(benchmark::State& st) {
  platform::DeleteAllImages();
  for (auto _ : st) {
    benchmark::DoNotOptimize(
        platform::LoadImageResized(kScreenshotImage, g_inputs->heavyShotPath, 480, 360));
  }
  const bool ok = platform::ImageWidth(kScreenshotImage) == 480 &&
                  platform::ImageHeight(kScreenshotImage) == 360;
  st.SetLabel(ok ? "LoadImageResized to 480x360" : "INCOMPLETE: no 480x360 picture");
}

// libjpeg alone at scale_num/8: 8 is the floor of the screenshot part; the
// reduced scales show what each reduction saves (entropy decoding, the same
// at every scale, stays; 1/8 is nearly nothing else).
void LibjpegDecode(benchmark::State& st, unsigned scaleNum) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kScreenshotWidth) * kScreenshotHeight *
                                   3);
  std::size_t decoded = 0;
  for (auto _ : st) {
    decoded = bench::DecodeJpegAtScale(g_inputs->heavyJpeg, scaleNum, pixels);
    benchmark::DoNotOptimize(pixels.data());
  }
  if (decoded == 0) st.SkipWithError("libjpeg did not decode the screenshot");
  st.SetLabel("libjpeg " + std::to_string(scaleNum) + "/8 of 1920x1080, " +
              std::to_string(g_inputs->heavyJpeg.size()) + " B");
}

// The program's own full-size decode (platform::DecodeJpeg) of the same bytes.
void PlatformDecodeJpeg(benchmark::State& st) {
  platform::Image picture;
  bool ok = false;
  for (auto _ : st) {
    ok = platform::DecodeJpeg(g_inputs->heavyJpeg.data(), g_inputs->heavyJpeg.size(), picture);
    benchmark::DoNotOptimize(picture.rgb.data());
  }
  if (!ok) st.SkipWithError("platform::DecodeJpeg failed");
}

// --- 2. the reference car check ---------------------------------------------------

void CarCheck(benchmark::State& st, const bench::CarCase* c, bool withCar) {
  auto s = FreshRun(st);
  if (!s) return;
  fixtures::LoadTrackBytes(*s, c->track);
  if (withCar) fixtures::LoadReferenceCarBytes(*s, c->car);
  for (auto _ : st) {
    ui::ClearText(kLogEditor);
    DecodeTrackFile(*s);
  }
  const bool expectFound = withCar && c->name == "match_at_end";
  const bool right = LogHas(expectFound ? " ok" : " not found!!");
  st.SetLabel(right ? (withCar ? "DecodeTrackFile, car 99,999 B" : "DecodeTrackFile, no car")
                    : "WRONG RESULT of the car check");
}

// memmem over the very bytes the check reads: the car in CarBuffer, the
// ghost's block inside the track file in TrackData.
void FloorMemmem(benchmark::State& st, const bench::CarCase* c) {
  auto s = FreshRun(st);
  if (!s) return;
  fixtures::LoadTrackBytes(*s, c->track);
  fixtures::LoadReferenceCarBytes(*s, c->car);
  const std::uint8_t* block = TrackData(*s) + c->blockOffset;
  bool found = false;
  for (auto _ : st) {
    found = bench::ContainsByMemmem(CarBuffer(*s), static_cast<std::size_t>(s->CarLength), block,
                                    fixtures::kCarBlockSize);
    benchmark::DoNotOptimize(found);
  }
  st.SetLabel(found ? "memmem: found" : "memmem: not found");
}

// The standard library's searchers over the same bytes, for comparison.
void OtherSearch(benchmark::State& st, const bench::CarCase* c, bool horspool) {
  auto s = FreshRun(st);
  if (!s) return;
  fixtures::LoadTrackBytes(*s, c->track);
  fixtures::LoadReferenceCarBytes(*s, c->car);
  const std::uint8_t* block = TrackData(*s) + c->blockOffset;
  const std::size_t carLength = static_cast<std::size_t>(s->CarLength);
  bool found = false;
  for (auto _ : st) {
    found = horspool
                ? bench::ContainsByHorspool(CarBuffer(*s), carLength, block, fixtures::kCarBlockSize)
                : bench::ContainsByBoyerMoore(CarBuffer(*s), carLength, block,
                                              fixtures::kCarBlockSize);
    benchmark::DoNotOptimize(found);
  }
}

// --- 3. End for 98 entries -------------------------------------------------------

// Puts the state of the run back to where the End press finds it, with the
// controls that WriteResultsReport removes.
void RestoreEndRun(RunState& s) {
  const Inputs::EndRun& e = g_inputs->end;
  OpenMainWindow(s);
  s.HotlapFolder = e.hotlapFolder;
  s.EntryList = e.entryList;
  s.TrackBaseName = e.trackBaseName;
  s.TrackIdTable = e.trackIds;
  s.DriverTable = e.drivers;
  s.RunLog = e.runLog;
  s.ResultList.clear();
  s.ChartText.clear();
  s.EntryNumber = kEndEntryNumber;
}

void EndFor98(benchmark::State& st) {
  auto s = FreshRun(st);
  if (!s) return;
  for (auto _ : st) {
    st.PauseTiming();
    RestoreEndRun(*s);
    st.ResumeTiming();
    CheckTrackIdentities(*s);
    WriteResultsReport(*s);
    DrawResultsChart(*s);
  }
  const bool complete = s->ResultList.size() == kEndEntries &&
                        platform::ImageHeight(kMapImage) == 30 * kEndEntries + 80;
  st.SetLabel(complete ? "identities + ranking + .txt + chart + .png"
                       : "INCOMPLETE: " + std::to_string(s->ResultList.size()) + " results");
}

// End's three operations one by one, each on the state the ones before it
// leave: 0 CheckTrackIdentities, 1 WriteResultsReport, 2 DrawResultsChart.
void EndStep(benchmark::State& st, int step) {
  auto s = FreshRun(st);
  if (!s) return;
  for (auto _ : st) {
    st.PauseTiming();
    RestoreEndRun(*s);
    if (step > 0) CheckTrackIdentities(*s);
    if (step > 1) WriteResultsReport(*s);
    st.ResumeTiming();
    if (step == 0) CheckTrackIdentities(*s);
    if (step == 1) WriteResultsReport(*s);
    if (step == 2) DrawResultsChart(*s);
  }
}

// The chart End draws, drawn once.
bool DrawEndChart(benchmark::State& st, platform::Image& pixels) {
  auto s = FreshRun(st);
  if (!s) return false;
  RestoreEndRun(*s);
  CheckTrackIdentities(*s);
  WriteResultsReport(*s);
  DrawResultsChart(*s);
  const platform::Image* chart = platform::FindImage(kMapImage);
  if (chart == nullptr) {
    st.SkipWithError("no chart image");
    return false;
  }
  pixels = *chart;
  return true;
}

void FloorPngChart(benchmark::State& st) {
  platform::Image pixels;
  if (!DrawEndChart(st, pixels)) return;
  std::vector<std::uint8_t> png;
  for (auto _ : st) {
    platform::EncodePng(pixels, png);
    benchmark::DoNotOptimize(png.data());
  }
  st.counters["png_bytes"] = static_cast<double>(png.size());
  st.SetLabel("libpng level 9, filter None, " + std::to_string(pixels.width) + "x" +
              std::to_string(pixels.height));
}

// The same chart at other zlib settings, for comparison (not what the
// program is asked to write).
void OtherPngChart(benchmark::State& st, int level, int strategy) {
  platform::Image pixels;
  if (!DrawEndChart(st, pixels)) return;
  std::vector<std::uint8_t> png;
  std::size_t size = 0;
  for (auto _ : st) {
    size = bench::EncodePngWith(pixels.rgb.data(), pixels.width, pixels.height, level, strategy,
                                png);
    benchmark::DoNotOptimize(png.data());
  }
  if (size == 0) st.SkipWithError("libpng failed");
  st.counters["png_bytes"] = static_cast<double>(size);
}

void Register() {
  using benchmark::kMicrosecond;
  using benchmark::kMillisecond;
  benchmark::RegisterBenchmark("heavy_entry/pipeline", HeavyEntryPipeline)
      ->Unit(kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("heavy_entry/track_part", HeavyTrackPart)
      ->Unit(kMillisecond)
      ->UseRealTime();
  static const char* const kSteps[] = {"decode", "terrain", "water", "objects", "ghost"};
  for (int step = 0; step < 5; ++step) {
    benchmark::RegisterBenchmark((std::string("heavy_entry/track_step/") + kSteps[step]).c_str(),
                                 HeavyTrackStep, step)
        ->Unit(kMillisecond)
        ->UseRealTime();
  }
  benchmark::RegisterBenchmark("heavy_entry/screenshot_part", HeavyScreenshotPart)
      ->Unit(kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("floor/jpeg_full_decode", LibjpegDecode, 8u)
      ->Unit(kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("floor/platform_decode_jpeg", PlatformDecodeJpeg)
      ->Unit(kMillisecond)
      ->UseRealTime();
  for (unsigned num : {4u, 3u, 2u, 1u}) {
    benchmark::RegisterBenchmark(("libjpeg/scale_" + std::to_string(num) + "_8").c_str(),
                                 LibjpegDecode, num)
        ->Unit(kMillisecond)
        ->UseRealTime();
  }

  benchmark::RegisterBenchmark("car_check/header_only", CarCheck, &g_inputs->carCases.front(),
                               false)
      ->Unit(kMicrosecond)
      ->UseRealTime();
  for (const bench::CarCase& c : g_inputs->carCases) {
    benchmark::RegisterBenchmark(("car_check/" + c.name).c_str(), CarCheck, &c, true)
        ->Unit(kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("floor/memmem/" + c.name).c_str(), FloorMemmem, &c)
        ->Unit(kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("other/horspool/" + c.name).c_str(), OtherSearch, &c, true)
        ->Unit(kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("other/boyer_moore/" + c.name).c_str(), OtherSearch, &c, false)
        ->Unit(kMicrosecond)
        ->UseRealTime();
  }

  benchmark::RegisterBenchmark("end_98/end", EndFor98)->Unit(kMillisecond)->UseRealTime();
  static const char* const kEndSteps[] = {"identities", "report", "chart"};
  for (int step = 0; step < 3; ++step) {
    benchmark::RegisterBenchmark((std::string("end_98/step/") + kEndSteps[step]).c_str(), EndStep,
                                 step)
        ->Unit(kMillisecond)
        ->UseRealTime();
  }
  benchmark::RegisterBenchmark("floor/png_chart", FloorPngChart)
      ->Unit(kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("other/png_chart_level6", OtherPngChart, 6, bench::kLibpngStrategy)
      ->Unit(kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("other/png_chart_level9_rle", OtherPngChart, 9,
                               bench::kRleStrategy)
      ->Unit(kMillisecond)
      ->UseRealTime();
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  // The headless backend: no window system is needed.
  ui::Init(argc, argv);

  std::fprintf(stderr, "Making the inputs...\n");
  Inputs inputs;
  g_inputs = &inputs;
  MakeHeavyEntry(inputs);
  inputs.carCases = bench::MakeCarCases();
  if (!MakeEndRun(inputs)) return 1;
  std::fprintf(stderr,
               "Heavy entry: track %zu B (%zu terrain words, %zu objects, %zu ghost points of "
               "which %zu visited), screenshot %dx%d JPEG %zu B\n",
               inputs.heavy.bytes.size(), inputs.heavy.terrainWords, inputs.heavy.objects,
               inputs.heavy.ghostPointsWritten, inputs.heavy.ghostPointsVisited, kScreenshotWidth,
               kScreenshotHeight, inputs.heavyJpeg.size());
  std::fprintf(stderr, "End: RunLog of %zu bytes over %d entries\n", inputs.end.runLog.size(),
               kEndEntries);

  Register();
  std::vector<bench::RatioTarget> ratios = {
      {"screenshot part / libjpeg full-size decode", "heavy_entry/screenshot_part",
       "floor/jpeg_full_decode", 1.0},
      {"screenshot part / platform::DecodeJpeg", "heavy_entry/screenshot_part",
       "floor/platform_decode_jpeg", 1.0},
  };
  for (const bench::CarCase& c : inputs.carCases) {
    ratios.push_back(
        {"car check " + c.name + " / memmem", "car_check/" + c.name, "floor/memmem/" + c.name, 1.5});
  }
  // The search's own share: DecodeTrackFile less the same call without a car.
  for (const bench::CarCase& c : inputs.carCases) {
    ratios.push_back({"car search alone " + c.name + " / memmem", "car_check/" + c.name,
                      "floor/memmem/" + c.name, 0, "car_check/header_only"});
  }
  for (const bench::CarCase& c : inputs.carCases) {
    ratios.push_back({"Horspool " + c.name + " / memmem", "other/horspool/" + c.name,
                      "floor/memmem/" + c.name, 0});
  }
  ratios.push_back({"End for 98 entries / libpng of the chart", "end_98/end", "floor/png_chart", 0});

  ratios.push_back({"heavy entry pipeline / libjpeg full-size decode", "heavy_entry/pipeline",
                    "floor/jpeg_full_decode", 0});
  const std::vector<bench::LimitTarget> limits = {
      {"track part of the heavy entry", "heavy_entry/track_part", 100},
      {"End for 98 entries", "end_98/end", 100},
      {"End for 98 entries less its PNG encoding", "end_98/end", 100, "floor/png_chart"},
  };
  const int code = bench::RunAndReport(ratios, limits);
  benchmark::Shutdown();
  ui::headless::Reset();
  platform::DeleteAllImages();
  return code;
}
