// Offsets of the game's saved game file ("gam"). Multi-byte values are
// little-endian. The file is a header, N car slots, then the track section;
// only the fields named here are read.
#pragma once

#include <cstdint>

namespace gamefile {

// --- header (offsets from the start of the file, the same in both layouts) ---
constexpr std::int64_t kVersionWord = 0;  // 16-bit signed; 288 selects layout 120
constexpr std::int16_t kVersion120 = 288;  // hexadecimal 0120
constexpr std::int64_t kTyres = 13;        // 8-bit signed, percent
constexpr std::int64_t kConsumption = 14;  // 8-bit signed, percent
constexpr std::int64_t kDamage = 15;       // 8-bit signed, percent
constexpr std::int64_t kFuelMass = 16;     // 8-bit signed, kg
constexpr std::int64_t kSpeed = 21;        // 8-bit signed, percent

// Each car slot is a layout-specific part followed by the 1,344-byte car block
// that a track file embeds as well. The slots are stepped over, never read.
constexpr std::int64_t kCarBlockSize = 1344;

struct Layout {
  int number;                 // what the log shows: 120 or 110
  std::int64_t headerSize;    // offset of the first car slot
  std::int64_t carCountAt;    // 8-bit signed car count N
  std::int64_t carSlotSize;
  bool countOneOutside1To6;   // layout 120 takes a count outside 1..6 as 1
};

constexpr Layout kLayout120{120, 129, 125, 153 + kCarBlockSize, true};
constexpr Layout kLayout110{110, 82, 78, 105 + kCarBlockSize, false};

// --- track section (offsets from its start S = headerSize + N * carSlotSize) ---
constexpr std::int64_t kTrackIndex = 4;   // 8-bit signed track index k
constexpr std::int64_t kTrackTable = 8;   // entry k at S + 8 + k * 56
constexpr std::int64_t kTrackEntrySize = 56;

// --- track entry (offsets from the entry's start) ---
constexpr std::int64_t kTrackName = 0;   // 39 bytes, ends at the first zero byte
constexpr int kTrackNameWidth = 39;
// byte 39 is not read
constexpr std::int64_t kTrackIdentity = 40;  // 16 unsigned bytes, in file order
constexpr int kTrackIdentitySize = 16;

}  // namespace gamefile
