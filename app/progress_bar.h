// The progress bar under the track map.
#pragma once

#include <cstdint>
#include <string>

#include "app/run_state.h"

// Draws image 20 (512 × 30) and shows it in ProgressView: a bar of
// position × 512 / total pixels with the text centred over it.
// The text the bar shows: "position / total text" below position 99, the
// text alone from 99 on; cut to 47 characters and "..." beyond 50.
std::string ProgressBarText(std::int16_t position, std::int16_t total, const std::string& text);

void DrawProgressBar(const RunState& s, std::int16_t position, std::int16_t total,
                     const std::string& text);
