#include "ChartSamples.h"

#include <algorithm>
#include <cmath>

#include "qvc/graph/Palette.h"

namespace qvc::test {

using namespace qvc::graph;

std::string money(double value) {
    long long v = std::llround(std::fabs(value));
    std::string digits = std::to_string(v);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out += ',';
        }
        out += digits[i];
    }
    return (value < 0 ? "-$" : "$") + out;
}

Chart summaryBars(int cases) {
    Chart c;
    c.kind = ChartKind::Bar;
    c.title = "First Cost ($)";
    c.widthPt = 235;
    c.heightPt = cases <= 6 ? 185 : (cases <= 12 ? 255 : 325);
    Subset s{"First cost", Colour{130, 130, 255}, {}};
    double maxValue = 0;
    for (int i = 0; i < cases; ++i) {
        double v = 250000.0 + 137000.0 * ((i * 7) % cases);
        c.pointLabels.push_back(cases <= 3 ? std::string("Case ") + char('A' + i)
                                           : "Alternative " + std::to_string(i + 1));
        s.values.push_back(v);
        c.valueAnnotations.push_back(money(v));
        maxValue = std::max(maxValue, v);
    }
    c.subsets.push_back(s);
    c.yMin = 0;
    c.yMax = maxValue * 1.5;
    c.fontScale = cases <= 6 ? 1.0 : (cases <= 12 ? 0.95 : 0.8);
    return c;
}

Chart cashFlowStack(int years) {
    Chart c;
    c.kind = ChartKind::StackedBar;
    c.title = "Before-Tax Cash Flow [Heat pump with gas backup]";
    c.xAxisLabel = "Year";
    c.yAxisLabel = "Cash Flow ($)";
    c.showLegend = true;
    Subset inv{"Investment Cost", Colour{130, 130, 255}, {}};
    Subset op{"Operating Cost", Colour{151, 6, 46}, {}};
    double largest = 0;
    for (int y = 0; y < years; ++y) {
        c.pointLabels.push_back(std::to_string(y));
        double i = y == 0 ? 1450000.0 : (y % 20 == 0 ? 380000.0 : (y % 10 == 0 ? 95000.0 : 0.0));
        double o = y == 0 ? 0.0 : 61000.0 * std::pow(1.02, y);
        inv.values.push_back(std::round(i));
        op.values.push_back(std::round(o));
        largest = std::max({largest, std::round(i), std::round(o)});
    }
    c.subsets = {inv, op};
    c.yMin = 0;
    c.yMax = largest * 1.2;
    c.barFill = 0.7;
    return c;
}

Chart profileLines(int cases, int years) {
    Chart c;
    c.kind = ChartKind::Line;
    c.xAxisLabel = "Year";
    c.yAxisLabel = "Cumulative Present Worth ($)";
    c.showLegend = true;
    for (int y = 0; y <= years; ++y) {
        c.pointLabels.push_back(std::to_string(y));
    }
    double largest = 0;
    for (int k = 0; k < cases; ++k) {
        Subset s{"Case " + std::to_string(k + 1), seriesPalette()[k % kSeriesColours], {}};
        double sum = 0;
        for (int y = 0; y <= years; ++y) {
            sum += y == 0 ? 300000.0 + 40000.0 * k : (52000.0 - 1500.0 * k) * std::pow(0.95, y);
            s.values.push_back(std::round(sum));
            largest = std::max(largest, std::round(sum));
        }
        c.subsets.push_back(s);
    }
    c.yMin = 0;
    c.yMax = largest * 1.2;
    return c;
}

}  // namespace qvc::test
