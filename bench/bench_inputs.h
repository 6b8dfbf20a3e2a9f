// The inputs of the benchmarks, made by our own test-file writers
// (tests/fixtures): a heavy entry, the worst cases of the reference car
// check, and a hotlap folder of 98 ordinary entries for End.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/raster.h"

namespace bench {

// A screenshot-like picture: sky with clouds, hills, grass, a road with kerbs
// and a fine grain over everything, so that its JPEG has the entropy of a real
// photograph of a screen rather than of flat colour.
platform::Image MakeNaturalPicture(int width, int height, std::uint32_t seed);

// The ghost's car block of every benchmark track file unless a case says
// otherwise.
std::vector<std::uint8_t> StandardCarBlock();

// One heavy track file of exactly 2,000,000 bytes (the room of TrackData):
// a terrain of many short runs covering all 262,144 map pixels, a height map
// with lakes, 4,000 objects of every drawn type (turned and filled
// rectangles at all angles, thin outlines, markers, dots) and 30,000 ghost
// points on a closed lap. The ghost word is 32,767, the largest the signed
// 16-bit word holds, so the checker visits 16,384 of the 30,000 points.
struct HeavyTrack {
  std::vector<std::uint8_t> bytes;
  std::size_t terrainWords = 0;
  std::size_t objects = 0;
  std::size_t ghostPointsWritten = 0;
  std::size_t ghostPointsVisited = 0;
};
HeavyTrack MakeHeavyTrackFile();

// A game file of layout 120 for track `trackName`; entries of one
// competition share `identitySeed`.
std::vector<std::uint8_t> MakeGameFile(const std::string& trackName, int identitySeed);

// The reference car check at its worst: a small valid track file whose ghost
// car block is `block`, and a 99,999-byte reference car file.
struct CarCase {
  std::string name;
  std::vector<std::uint8_t> block;  // the 1,344 bytes searched for
  std::vector<std::uint8_t> track;
  std::size_t blockOffset = 0;  // where `block` stands in `track` (R + 1449)
  std::vector<std::uint8_t> car;
};
// no_match: random car bytes without the block; match_at_end: the block
// occupies the last 1,344 bytes; suffix_partials / prefix_partials: car bytes
// all 'a' and a block of 1,343 'a' with one other byte at its start / end, so
// that a comparison running from the block's end / start matches 1,343
// bytes at every one of the 98,656 positions before it fails.
std::vector<CarCase> MakeCarCases();

constexpr std::size_t kCarFileLength = 99'999;

// The name of the heavy entry's and of End's track files, without extension.
inline const std::string kTrackName = "Winterring";

}  // namespace bench
