#pragma once
// Charts shaped like the ones the reports draw: the life-cycle summary bars, the
// cash-flow stacked bars and the present-worth profile lines.

#include <string>

#include "qvc/graph/Chart.h"

namespace qvc::test {

graph::Chart summaryBars(int cases);              // 235 pt wide, height by case count
graph::Chart cashFlowStack(int years);            // 440 x 300 pt, two subsets, legend
graph::Chart profileLines(int cases, int years);  // 440 x 300 pt, one line per case
std::string money(double value);                  // "$1,234,567"

}  // namespace qvc::test
