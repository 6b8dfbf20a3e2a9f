#include "game/game.h"

void MarkPenalty(RunState& /*s*/) {}
