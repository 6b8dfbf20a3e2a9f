#include "entries/entries.h"

void ChooseHotlapFolder(RunState& /*s*/) {}
