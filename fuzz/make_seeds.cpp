// Writes the seed corpora of the fuzz targets: make-fuzz-seeds <folder> puts
// <folder>/track, game, bmp, jpeg and entry in place, each holding a few
// valid files from our own test-file writers that between them reach every
// branch the checker takes on good input (every object pass, both ghost
// layouts, both game layouts, every BMP depth, baseline, progressive and
// grey JPEGs). The fuzzer mutates from there.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/fixtures/game_file_writer.h"
#include "tests/fixtures/jpeg_writer.h"
#include "tests/fixtures/screenshot_writer.h"
#include "tests/fixtures/track_file_writer.h"
#include "tests/platform/bmp_builder.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

int written = 0;

void Write(const fs::path& folder, const std::string& name, const Bytes& bytes) {
  fs::create_directories(folder);
  std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  ++written;
}

// A track with something for every drawing step: terrain runs of several
// codes, water cells, objects of every drawn type, both lap entries and a
// ghost lap of `points` points round the map.
fixtures::TrackFilePlan RichTrack(fixtures::GhostLayout layout, int points) {
  fixtures::TrackFilePlan t;
  for (int i = 0; i < 96; ++i) t.terrain.push_back(fixtures::TerrainWord(i % 16, 1200 + 37 * i));
  t.waterLevel = 60;
  for (int i = 0; i < 4096; ++i) t.heights.push_back(static_cast<std::uint8_t>((i * 7) % 120));
  const std::int8_t types[] = {10, 9, 17, 18, 1, 2, 3, 23, 0, 5};
  for (int i = 0; i < 10; ++i) {
    fixtures::TrackObjectPlan o;
    o.type = types[i];
    o.x = static_cast<std::int16_t>(100 + 80 * i);
    o.y = static_cast<std::int16_t>(900 - 70 * i);
    o.angle = static_cast<std::uint8_t>(24 * i);
    t.objects.push_back(o);
  }
  t.afterObjects = {1, 2, 3, 4, 5, 6, 7, 8};
  t.recordTime = 4398;
  t.recordDriver = "Anna";
  t.ghostTime = 4523;
  t.ghostDriver = " Max Racer ";
  t.ghostLayout = layout;
  for (int j = 0; j < points; ++j) {
    fixtures::GhostPointPlan p;
    p.x = static_cast<std::uint16_t>(2000 + (j * 997) % 26000);
    p.y = static_cast<std::uint16_t>(3000 + (j * 613) % 24000);
    t.ghostPoints.push_back(p);
  }
  return t;
}

std::vector<std::pair<std::string, Bytes>> TrackSeeds() {
  std::vector<std::pair<std::string, Bytes>> seeds;
  seeds.emplace_back("default.trk", fixtures::WriteTrackFile({}));
  seeds.emplace_back("rich-120.trk",
                     fixtures::WriteTrackFile(RichTrack(fixtures::GhostLayout::k120, 40)));
  fixtures::TrackFilePlan t110 = RichTrack(fixtures::GhostLayout::k110, 25);
  t110.version = 261;
  seeds.emplace_back("rich-110-v261.trk", fixtures::WriteTrackFile(t110));
  fixtures::TrackFilePlan record = RichTrack(fixtures::GhostLayout::k120, 3);
  record.version = 288;
  record.ghostTime = 6000;
  record.scale = 50;
  seeds.emplace_back("record-only-v288.trk", fixtures::WriteTrackFile(record));
  fixtures::TrackFilePlan noLap;
  noLap.scale = 0;
  noLap.ghostDriver = "Nobody";
  seeds.emplace_back("scale0-no-lap.trk", fixtures::WriteTrackFile(noLap));
  // Offsets the file gives that point past its end.
  fixtures::TrackFilePlan lying = RichTrack(fixtures::GhostLayout::k120, 5);
  lying.recordOffset = 60000;
  lying.objectCount = 3000;
  lying.ghostWord = 30000;
  seeds.emplace_back("lying-offsets.trk", fixtures::WriteTrackFile(lying));
  return seeds;
}

std::vector<std::pair<std::string, Bytes>> GameSeeds() {
  std::vector<std::pair<std::string, Bytes>> seeds;
  seeds.emplace_back("default-120.gam", fixtures::WriteGameFile({}));
  fixtures::GameFilePlan g110;
  g110.version = 272;
  g110.carCount = 2;
  g110.trackIndex = 3;
  g110.tableSize = 5;
  g110.trackName = "  Long Oval  ";
  g110.tyres = 150;
  g110.speed = -20;
  seeds.emplace_back("three-cars-110.gam", fixtures::WriteGameFile(g110));
  fixtures::GameFilePlan g120;
  g120.carCount = 4;
  g120.trackIndex = 1;
  g120.tableSize = 2;
  g120.trackName = std::string(39, 'N');
  g120.fuelMass = 200;
  g120.damage = 0;
  seeds.emplace_back("four-cars-120.gam", fixtures::WriteGameFile(g120));
  fixtures::GameFilePlan counted;
  counted.carCount = -1;  // layout 120 takes it as 1
  counted.trackIndex = -1;
  seeds.emplace_back("negative-index.gam", fixtures::WriteGameFile(counted));
  return seeds;
}

std::vector<std::pair<std::string, Bytes>> BmpSeeds() {
  std::vector<std::pair<std::string, Bytes>> seeds;
  const platform::Image gradient = fixtures::MakePicture(
      19, 7, [](int x, int y) { return platform::Rgb(13 * x, 30 * y, 200 - 9 * x); });
  seeds.emplace_back("rgb24.bmp", fixtures::EncodeBmp24(gradient));
  seeds.emplace_back("rgb24-top-down.bmp", fixtures::EncodeBmp24(gradient, true));
  const platform::Image few = fixtures::MakePicture(
      9, 5, [](int x, int y) { return platform::Rgb(x % 3 * 100, y % 2 * 200, 50); });
  seeds.emplace_back("pal8.bmp", fixtures::EncodeBmp8(few));
  const platform::Image many = fixtures::MakePicture(
      20, 20, [](int x, int y) { return platform::Rgb(12 * x, 12 * y, x * y % 256); });
  seeds.emplace_back("pal8-332.bmp", fixtures::EncodeBmp8(many, true));
  for (const int bpp : {1, 4}) {
    bmp_builder::Bmp b;
    b.width = 13;
    b.height = 6;
    b.bpp = bpp;
    for (int i = 0; i < (1 << bpp); ++i) b.palette.push_back(platform::Rgb(17 * i, 255 - 17 * i, 90));
    for (int i = 0; i < b.width * b.height; ++i) b.pixels.push_back(static_cast<std::uint32_t>(i % (1 << bpp)));
    seeds.emplace_back("pal" + std::to_string(bpp) + ".bmp", bmp_builder::Build(b));
  }
  bmp_builder::Bmp core;
  core.width = 5;
  core.height = 4;
  core.bpp = 8;
  core.infoSize = 12;
  for (int i = 0; i < 256; ++i) core.palette.push_back(platform::Rgb(i, i, 255 - i));
  for (int i = 0; i < 20; ++i) core.pixels.push_back(static_cast<std::uint32_t>(i * 12));
  seeds.emplace_back("core8.bmp", bmp_builder::Build(core));
  bmp_builder::Bmp fields;
  fields.width = 6;
  fields.height = 3;
  fields.bpp = 32;
  fields.compression = 3;
  fields.masks = {0x0000F800u, 0x000007E0u, 0x0000001Fu};
  for (int i = 0; i < 18; ++i) fields.pixels.push_back(static_cast<std::uint32_t>(i * 3641));
  seeds.emplace_back("bitfields32.bmp", bmp_builder::Build(fields));
  bmp_builder::Bmp plain32;
  plain32.width = 4;
  plain32.height = 4;
  plain32.bpp = 32;
  for (int i = 0; i < 16; ++i) plain32.pixels.push_back(0xFF000000u | static_cast<std::uint32_t>(i * 0x10305));
  seeds.emplace_back("rgb32.bmp", bmp_builder::Build(plain32));
  return seeds;
}

std::vector<std::pair<std::string, Bytes>> JpegSeeds() {
  std::vector<std::pair<std::string, Bytes>> seeds;
  const platform::Image small = fixtures::MakePicture(
      33, 17, [](int x, int y) { return platform::Rgb(7 * x, 15 * y, (x ^ y) * 8); });
  seeds.emplace_back("baseline.jpg", fixtures::EncodeJpeg(small, {80, false, false}));
  seeds.emplace_back("progressive.jpg", fixtures::EncodeJpeg(small, {80, true, false}));
  seeds.emplace_back("grey.jpg", fixtures::EncodeJpeg(small, {60, false, true}));
  // Just large enough that DecodeJpegReduced takes the scale 1/2 (481 × 361).
  // Larger seeds would only slow the fuzzer: the decoding inside libjpeg is
  // not instrumented, so their size reaches no code a small one does not.
  const platform::Image screen = fixtures::MakePicture(
      961, 721, [](int x, int y) { return platform::Rgb(x / 4, y / 3, 128); });
  seeds.emplace_back("screen-961x721.jpg", fixtures::EncodeJpeg(screen, {5, false, false}));
  return seeds;
}

Bytes EntryInput(const Bytes& track, const Bytes& game) {
  Bytes b;
  const std::uint32_t n = static_cast<std::uint32_t>(track.size());
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
  b.insert(b.end(), track.begin(), track.end());
  b.insert(b.end(), game.begin(), game.end());
  return b;
}

std::vector<std::pair<std::string, Bytes>> EntrySeeds() {
  const Bytes rich = fixtures::WriteTrackFile(RichTrack(fixtures::GhostLayout::k120, 40));
  fixtures::TrackFilePlan t110 = RichTrack(fixtures::GhostLayout::k110, 12);
  t110.version = 288;
  const Bytes track110 = fixtures::WriteTrackFile(t110);
  const Bytes game = fixtures::WriteGameFile({});
  fixtures::GameFilePlan g110;
  g110.version = 272;
  g110.carCount = 2;
  g110.trackIndex = 1;
  const Bytes game110 = fixtures::WriteGameFile(g110);
  std::vector<std::pair<std::string, Bytes>> seeds;
  seeds.emplace_back("rich.entry", EntryInput(rich, game));
  seeds.emplace_back("layouts-110.entry", EntryInput(track110, game110));
  seeds.emplace_back("default.entry", EntryInput(fixtures::WriteTrackFile({}), game));
  seeds.emplace_back("empty-track.entry", EntryInput({}, game));
  seeds.emplace_back("empty-game.entry", EntryInput(rich, {}));
  return seeds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
    return 2;
  }
  const fs::path root = argv[1];
  for (const auto& [name, bytes] : TrackSeeds()) Write(root / "track", name, bytes);
  for (const auto& [name, bytes] : GameSeeds()) Write(root / "game", name, bytes);
  for (const auto& [name, bytes] : BmpSeeds()) Write(root / "bmp", name, bytes);
  for (const auto& [name, bytes] : JpegSeeds()) Write(root / "jpeg", name, bytes);
  for (const auto& [name, bytes] : EntrySeeds()) Write(root / "entry", name, bytes);
  std::printf("%d seed files in %s\n", written, root.string().c_str());
  return 0;
}
