#include "track/track.h"

void DrawTerrainMap(RunState& /*s*/) {}
void DrawWater(RunState& /*s*/) {}
