#include "reports/reports.h"

void CopyChartText(RunState& /*s*/) {}
