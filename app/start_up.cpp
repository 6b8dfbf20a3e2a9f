#include "app/start_up.h"

bool StartUp(RunState& /*s*/, std::string& /*error*/) { return true; }
void ShutDown(RunState& /*s*/) {}
