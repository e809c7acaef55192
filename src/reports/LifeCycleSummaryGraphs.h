#pragma once
// The three bar charts of the life-cycle summary: first cost, annual operating
// cost and total present worth of every design case, left to right in rank
// order, labelled with the short titles, each bar with its money text above.

#include <cstdint>
#include <vector>

#include "qvc/graph/Chart.h"
#include "reports/ReportInputs.h"

namespace qvc::reports {

enum class SummaryChart { FirstCost, AnnualOperatingCost, TotalPresentWorth };

// The picture size in points: 235 wide; 185 high for up to 6 cases, 255 for 7
// to 12, 325 for more.
double summaryChartHeight(int32_t caseCount);

// The chart for the alternatives at `order` (positions in colAlternatives,
// rank order), read from the build's results and case names. The y axis runs
// from 0 to 1.5 times the largest value (0 to 0 when no value is positive,
// which lets the renderer fit the axis to the data).
graph::Chart summaryChart(const ReportInputs& in, SummaryChart which,
                          const std::vector<int16_t>& order);

}  // namespace qvc::reports
