#include "track/track.h"

void DecodeTrackFile(RunState& /*s*/) {}
