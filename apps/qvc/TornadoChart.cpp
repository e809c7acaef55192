#include "TornadoChart.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

#include "ProjectSession.h"
#include "SensitivityText.h"
#include "qvc/graph/Palette.h"
#include "qvc/runtime/NumberFormat.h"

namespace qvc::cli {

namespace {

struct Bar {
    const SensitivityFactorResult* factor;
    double low;
    double high;
    double swing;
};

// The calculated factors, largest swing first; those that leave the TPW where
// it is (the factors of other cases) only when `keepUnmoved`, else counted.
std::vector<Bar> bars(const SensitivityResult& r, size_t preferred, bool keepUnmoved,
                      size_t& unmoved) {
    const double base = r.base.totalPresentWorth[preferred];
    std::vector<Bar> list;
    unmoved = 0;
    for (const SensitivityFactorResult& f : r.factors) {
        if (!f.low.calculated && !f.high.calculated)
            continue;
        // A side that was not calculated stays at the base: no bar there.
        const double low = f.low.calculated ? f.low.totalPresentWorth[preferred] : base;
        const double high = f.high.calculated ? f.high.totalPresentWorth[preferred] : base;
        const double swing = std::max(std::fabs(high - low),
                                      std::max(std::fabs(low - base), std::fabs(high - base)));
        if (keepUnmoved || swing > 1e-6 * std::max(1.0, std::fabs(base)))
            list.push_back({&f, low, high, swing});
        else
            ++unmoved;
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const Bar& a, const Bar& b) { return a.swing > b.swing; });
    return list;
}

std::string caseLabel(const SensitivityResult& r, size_t i) {
    const std::string& name = r.caseShortTitles[i].empty() ? r.caseTitles[i] : r.caseShortTitles[i];
    return name.empty() ? fmt::format("case {}", r.caseIds[i])
                        : fmt::format("case {} ({})", r.caseIds[i], name);
}

}  // namespace

graph::Chart tornadoChart(const SensitivityResult& r, size_t maxBars) {
    const auto it = std::find(r.caseIds.begin(), r.caseIds.end(), r.base.preferredCaseId);
    if (!r.base.calculated || it == r.caseIds.end())
        throw CommandError("the study as stored cannot be calculated, so there is no chart");
    const auto preferred = static_cast<size_t>(it - r.caseIds.begin());
    size_t still = 0;
    std::vector<Bar> list = bars(r, preferred, false, still);
    const bool noneMoves = list.empty();
    if (noneMoves)  // show them all, as the lines they are
        list = bars(r, preferred, true, still);
    if (list.empty())
        throw CommandError("no factor could be calculated, so there is no chart");
    const size_t all = list.size();
    list.resize(std::min(all, maxBars));

    graph::Chart c;
    c.kind = graph::ChartKind::Tornado;
    c.title = "Total present worth of " + caseLabel(r, preferred);
    if (all > list.size())
        c.title += fmt::format(": the {} largest of {} swings", list.size(), all);
    const auto& palette = graph::seriesPalette();
    c.subsets = {{"Low value", palette[8], {}}, {"High value", palette[1], {}}};
    for (const Bar& b : list) {
        const SensitivityFactorResult& f = *b.factor;
        c.pointLabels.push_back(fmt::format("{} ({} / {})", f.label,
                                            pointValueText(f.factor, f.low),
                                            pointValueText(f.factor, f.high)));
        c.subsets[0].values.push_back(b.low);
        c.subsets[1].values.push_back(b.high);
    }
    c.baseValue = r.base.totalPresentWorth[preferred];
    c.xAxisLabel = fmt::format("Total present worth ({}); base {}", r.currencySymbol,
                               rt::FormatNumber(c.baseValue, 0));
    if (noneMoves)
        c.xAxisLabel += "; no factor moves it";
    else if (still > 0)
        c.xAxisLabel +=
            fmt::format("; {} factor{} with no effect not shown", still, still == 1 ? "" : "s");
    c.showLegend = true;
    c.barFill = 0.6;
    c.widthPt = 480;
    c.heightPt = std::clamp(95.0 + 20.0 * static_cast<double>(list.size()), 200.0, 3000.0);
    c.dpi = 150;
    return c;
}

}  // namespace qvc::cli
