#include "entries/entries.h"

void LoadEntryFiles(RunState& /*s*/) {}
