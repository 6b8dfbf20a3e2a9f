#include "game/game.h"

void DrawSettingsBar(const RunState& /*s*/, std::int16_t /*bar*/, std::int16_t /*value*/,
                     std::int16_t /*maximum*/, const std::string& /*label*/,
                     const std::string& /*valueText*/) {}
