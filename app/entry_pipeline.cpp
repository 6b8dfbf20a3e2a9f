#include "app/entry_pipeline.h"

void RunEntryPipeline(RunState& /*s*/) {}
