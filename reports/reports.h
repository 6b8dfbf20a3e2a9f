// The results: ranking and text report, chart image, chart request, clipboard.
#pragma once

#include "app/run_state.h"

void WriteResultsReport(RunState& s);
void DrawResultsChart(RunState& s);
void ComposeChartText(RunState& s);
void CopyChartText(RunState& s);
