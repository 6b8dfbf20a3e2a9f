#include "bench/bench_inputs.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "app/run_state.h"
#include "tests/fixtures/car_file_writer.h"
#include "tests/fixtures/game_file_writer.h"
#include "tests/fixtures/screenshot_writer.h"
#include "tests/fixtures/track_file_writer.h"

namespace bench {

namespace {

constexpr double kPi = 3.14159265358979323846;

// xorshift32: deterministic, so every run benchmarks the same bytes.
struct Random {
  std::uint32_t state;
  explicit Random(std::uint32_t seed) : state(seed == 0 ? 0x9E3779B9u : seed) {}
  std::uint32_t Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }
};

// Value noise on an integer lattice, smoothly interpolated; 0 to 1.
double Lattice(int x, int y, std::uint32_t seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                    static_cast<std::uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / static_cast<double>(0xFFFFFF);
}

double SmoothNoise(double x, double y, std::uint32_t seed) {
  const int ix = static_cast<int>(std::floor(x));
  const int iy = static_cast<int>(std::floor(y));
  const double fx = x - ix;
  const double fy = y - iy;
  const double sx = fx * fx * (3 - 2 * fx);
  const double sy = fy * fy * (3 - 2 * fy);
  const double a = Lattice(ix, iy, seed) + (Lattice(ix + 1, iy, seed) - Lattice(ix, iy, seed)) * sx;
  const double b =
      Lattice(ix, iy + 1, seed) + (Lattice(ix + 1, iy + 1, seed) - Lattice(ix, iy + 1, seed)) * sx;
  return a + (b - a) * sy;
}

// Fractal noise of `octaves` layers from wavelength `scale` down; 0 to 1.
double Fractal(double x, double y, double scale, int octaves, std::uint32_t seed) {
  double sum = 0;
  double weight = 0.5;
  double total = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += weight * SmoothNoise(x / scale, y / scale, seed + static_cast<std::uint32_t>(o));
    total += weight;
    weight *= 0.5;
    scale *= 0.5;
  }
  return sum / total;
}

int Clamp255(double v) { return static_cast<int>(std::clamp(v, 0.0, 255.0)); }

}  // namespace

platform::Image MakeNaturalPicture(int width, int height, std::uint32_t seed) {
  const double w = width;
  const double h = height;
  return fixtures::MakePicture(width, height, [=](int x, int y) {
    // Grain of a photographed screen: a few levels of per-pixel noise.
    const double grain = (Lattice(x, y, seed + 99) - 0.5) * 14;
    const double horizon =
        h * (0.38 + 0.14 * Fractal(x, 0, w / 3, 4, seed + 10)) - 0.04 * h;
    if (y < horizon) {
      const double t = y / horizon;
      const double cloud = Fractal(x, y * 2.2, w / 4, 6, seed + 20);
      const double c = std::max(0.0, cloud - 0.45) * 2.2;
      const double r = 70 + 90 * t + 170 * c + grain;
      const double g = 120 + 80 * t + 130 * c + grain;
      const double b = 210 + 30 * t + 20 * c + grain;
      return platform::Rgb(Clamp255(r), Clamp255(g), Clamp255(b));
    }
    // Perspective: rows nearer the bottom are nearer the viewer.
    const double depth = (y - horizon) / (h - horizon);
    const double roadCentre = w * (0.5 + 0.25 * std::sin(depth * 2.4 + 0.6) * (1 - depth));
    const double roadHalf = w * (0.02 + 0.30 * depth);
    const double d = std::abs(x - roadCentre);
    if (d < roadHalf) {
      const double asphalt = Fractal(x, y, 6, 3, seed + 30);
      double v = 80 + 40 * asphalt + 30 * depth + grain;
      // The dashed centre line.
      if (d < roadHalf * 0.03 && std::fmod(depth * 40, 2.0) < 1.0) v = 225 + grain;
      return platform::Rgb(Clamp255(v), Clamp255(v), Clamp255(v + 4));
    }
    if (d < roadHalf * 1.12) {
      // Kerbs: red and white blocks.
      const bool red = std::fmod(depth * 60, 2.0) < 1.0;
      return red ? platform::Rgb(Clamp255(200 + grain), Clamp255(30 + grain), Clamp255(30 + grain))
                 : platform::Rgb(Clamp255(235 + grain), Clamp255(235 + grain),
                                 Clamp255(235 + grain));
    }
    const double grass = Fractal(x, y * (1.5 - depth), w / 8, 7, seed + 40);
    const double dirt = Fractal(x, y, w / 5, 3, seed + 50);
    const double r = 50 + 90 * grass + 70 * std::max(0.0, dirt - 0.6) + grain;
    const double g = 90 + 110 * grass + 30 * depth + grain;
    const double b = 30 + 40 * grass + grain;
    return platform::Rgb(Clamp255(r), Clamp255(g), Clamp255(b));
  });
}

std::vector<std::uint8_t> StandardCarBlock() { return fixtures::MakeCarBlock("Formula T", 2); }

HeavyTrack MakeHeavyTrackFile() {
  constexpr int kMapPixels = 512 * 512;
  constexpr int kObjects = 4000;
  constexpr int kGhostPoints = 30000;
  // The ghost's X and Y are in 1/29.5 pixel at Scale 100.
  constexpr double kGhostUnitsPerPixel = 29.5;

  Random rnd(20240611);
  fixtures::TrackFilePlan t;
  t.version = 288;
  t.scale = 100;
  t.waterLevel = 90;

  // Terrain: runs of 1 to 8 pixels with codes 0 to 12 until every pixel of
  // the map area is covered.
  for (int covered = 0; covered < kMapPixels;) {
    const int run = std::min(1 + rnd.Below(8), kMapPixels - covered);
    t.terrain.push_back(fixtures::TerrainWord(rnd.Below(13), run));
    covered += run;
  }

  // Heights: smooth hills; about a third of the cells lie below the water.
  t.heights.resize(4096);
  for (int i = 0; i < 4096; ++i) {
    const double v = Fractal(i % 64, i / 64, 24, 4, 77);
    t.heights[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(Clamp255(v * 255));
  }

  // Objects, as a track builder places them: filled barriers (17, 18) at all
  // angles, thin coloured outlines (1, 2, 3, 23), markers (9) and dots (10),
  // all with their centres inside the drawn area.
  static constexpr std::array<std::int8_t, 10> kTypeCycle = {17, 18, 1, 2, 3, 23, 9, 9, 10, 10};
  for (int k = 0; k < kObjects; ++k) {
    fixtures::TrackObjectPlan o;
    o.type = kTypeCycle[static_cast<std::size_t>(k) % kTypeCycle.size()];
    o.x = static_cast<std::int16_t>(70 + rnd.Below(880));
    o.y = static_cast<std::int16_t>(70 + rnd.Below(880));
    o.angle = static_cast<std::uint8_t>(rnd.Below(256));
    t.objects.push_back(o);
  }

  t.recordTime = 4490;
  t.recordDriver = "Record Holder";
  t.ghostTime = 4523;
  t.ghostDriver = "Heavy Driver";
  t.ghostCarBlock = StandardCarBlock();

  // The ghost lap: a closed loop with wiggles, points close together.
  for (int j = 0; j < kGhostPoints; ++j) {
    const double a = 2 * kPi * j / kGhostPoints;
    const double px = 256 + 190 * std::cos(a) + 30 * std::sin(3 * a) + 8 * std::sin(17 * a);
    const double py = 256 + 170 * std::sin(a) + 25 * std::cos(5 * a) + 8 * std::cos(13 * a);
    t.ghostPoints.push_back({static_cast<std::uint16_t>(px * kGhostUnitsPerPixel),
                             static_cast<std::uint16_t>(py * kGhostUnitsPerPixel)});
  }
  // 2 × 30,000 does not fit the signed 16-bit ghost word; its largest value
  // makes the checker visit points 0 to 16,383.
  t.ghostWord = 32767;
  t.fileLength = kTrackDataRoom;

  HeavyTrack heavy;
  heavy.bytes = fixtures::WriteTrackFile(t);
  heavy.terrainWords = t.terrain.size();
  heavy.objects = t.objects.size();
  heavy.ghostPointsWritten = t.ghostPoints.size();
  heavy.ghostPointsVisited = 32767 / 2 + 1;
  return heavy;
}

std::vector<std::uint8_t> MakeGameFile(const std::string& trackName, int identitySeed) {
  fixtures::GameFilePlan g;
  g.trackName = trackName;
  for (std::size_t i = 0; i < g.identity.size(); ++i) {
    g.identity[i] = static_cast<std::uint8_t>(identitySeed * 31 + static_cast<int>(i) * 7);
  }
  g.carCount = 3;
  g.tableSize = 12;
  g.trackIndex = 4;
  return fixtures::WriteGameFile(g);
}

std::vector<CarCase> MakeCarCases() {
  auto makeCase = [](const std::string& name, const std::vector<std::uint8_t>& block,
                     std::vector<std::uint8_t> car) {
    fixtures::TrackFilePlan t;
    t.ghostTime = 4523;
    t.ghostDriver = "Max";
    t.ghostCarBlock = block;
    fixtures::TrackFileOffsets where;
    CarCase c;
    c.name = name;
    c.block = block;
    c.track = fixtures::WriteTrackFile(t, &where);
    c.blockOffset = where.recordBlock + 1449;
    c.car = std::move(car);
    return c;
  };

  std::vector<CarCase> cases;
  const std::vector<std::uint8_t> standard = StandardCarBlock();
  cases.push_back(makeCase("no_match", standard, fixtures::CarFileFill(kCarFileLength)));
  cases.push_back(makeCase("match_at_end", standard,
                           fixtures::MakeReferenceCarFile(
                               standard, kCarFileLength - fixtures::kCarBlockSize, kCarFileLength)));

  const std::vector<std::uint8_t> allA(kCarFileLength, 'a');
  std::vector<std::uint8_t> oddFirst(fixtures::kCarBlockSize, 'a');
  oddFirst.front() = 'B';
  cases.push_back(makeCase("suffix_partials", oddFirst, allA));
  std::vector<std::uint8_t> oddLast(fixtures::kCarBlockSize, 'a');
  oddLast.back() = 'B';
  cases.push_back(makeCase("prefix_partials", oddLast, allA));
  return cases;
}

}  // namespace bench
