#include "track/track.h"

void DrawGhostLap(RunState& /*s*/) {}
