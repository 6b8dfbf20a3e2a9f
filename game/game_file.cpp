#include "game/game.h"

void ReportGameFile(RunState& /*s*/) {}
