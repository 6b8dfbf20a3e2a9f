#include "track/track.h"

void DrawTrackObjects(RunState& /*s*/) {}
