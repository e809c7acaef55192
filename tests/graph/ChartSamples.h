#pragma once
// Charts shaped like the ones the reports draw, and PNG bytes read back with
// cairo's loader, which rejects a file whose chunk CRCs or zlib stream are wrong.

#include <cstdint>
#include <vector>

#include "qvc/graph/Chart.h"

namespace qvc::test {

graph::Chart summaryBars(int cases);              // the life-cycle summary's bars
graph::Chart cashFlowStack(int years);            // two subsets stacked, legend
graph::Chart profileLines(int cases, int years);  // one present-worth line per case

struct DecodedPng {
    bool ok = false;  // the loader accepted the file
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;  // row after row, 0x00RRGGBB
};
DecodedPng decodePng(const std::vector<uint8_t>& png);

}  // namespace qvc::test
