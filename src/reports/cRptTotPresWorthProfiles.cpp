#include "reports/cRptTotPresWorthProfiles.h"

#include <fmt/format.h>

#include <algorithm>
#include <optional>

#include "qvc/document/Table.h"
#include "qvc/graph/ChartRenderer.h"
#include "qvc/graph/Palette.h"
#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/Rounding.h"
#include "reports/CaseResultsTable.h"
#include "reports/MoneyText.h"
#include "reports/ReportLines.h"
#include "reports/ResultCases.h"
#include "reports/ResultTable.h"
#include "tavlo/IAlternatives.h"

namespace qvc {

namespace code = doc::code;

namespace {

constexpr const char* kClass = "cRptTotPresWorthProfiles";

constexpr double kChartWidth = 440;
constexpr double kChartHeight = 300;

// The colour of subset `s` (1-based). There are twenty; asking for another one
// fails the way a collection does for a missing member.
const graph::Colour& colourOf(size_t s) {
    const auto& colours = cRptTotPresWorthProfiles::subsetColours();
    if (s < 1 || s > colours.size())
        throw rt::Error(rt::err::kSubscriptOutOfRange, "Subscript out of range");
    return colours[s - 1];
}

}  // namespace

const std::array<graph::Colour, 20>& cRptTotPresWorthProfiles::subsetColours() {
    return graph::seriesPalette();
}

graph::Chart cRptTotPresWorthProfiles::profileChart() {
    const ResourceTexts& res = in_.texts;
    const tavlo::IAlternatives& alternatives = reports::resultAlternatives(in_);
    m_RankOrder = reports::rankOrder(alternatives);
    const int16_t years = in_.study.lifeCycle;

    graph::Chart chart;
    chart.kind = graph::ChartKind::Line;
    chart.xAxisLabel = res.gXstrADColYear;
    chart.yAxisLabel = res.gXstrTPWCumPW + " (" + in_.study.currencySymbol + ")";
    for (int16_t y = 0; y <= years; ++y)
        chart.pointLabels.push_back(fmt::format("{}", y));

    // One line per case: the running sum of its yearly present worths, each
    // rounded to a whole number first.
    double largest = 0;
    for (size_t s = 1; s <= m_RankOrder.size(); ++s) {
        const int16_t position = m_RankOrder[s - 1];
        const tavlo::IAlternative& alternative = alternatives.Item(position);
        graph::Subset subset{reports::caseShortTitle(in_, position), colourOf(s), {}};
        double running = 0;
        for (int16_t y = 0; y <= years; ++y) {
            running += rt::RoundHalfEven(alternative.PWCashFlowAt(y));
            subset.values.push_back(running);
            largest = std::max(largest, running);
        }
        chart.subsets.push_back(std::move(subset));
    }
    chart.yMin = 0;
    chart.yMax = largest * 1.2;
    chart.showLegend = true;
    chart.fontFamily = "Arial";
    chart.widthPt = kChartWidth;
    chart.heightPt = kChartHeight;
    return chart;
}

void cRptTotPresWorthProfiles::setGraph(doc::DocumentObject& docs) {
    try {
        const graph::Chart chart = profileChart();
        const graph::ChartRenderer* renderer = in_.graph;
        if (!renderer)
            throw rt::Error(rt::err::kObjectNotSet,
                            "Object variable or With block variable not set");
        const graph::Image image = renderer->render(chart);
        docs.InsertPicture(image.png, image.widthPt, image.heightPt);
        docs.SetTextFlags(code::kFlagEndBlock, true);
        docs.WriteDocument(-1, 0);
        docs.NewLine(1);
    } catch (...) {
        const ResourceTexts& res = in_.texts;
        reports::writeFailureNote(docs, in_.texts, res.gXstrTPWCumPW + " " + res.gXstrGraphs,
                                  "setGraph", kClass);
    }
}

void cRptTotPresWorthProfiles::setPWtable(doc::DocumentObject& docs, const std::string& subCode) {
    std::string title;
    try {
        const ResourceTexts& res = in_.texts;
        const tavlo::IAlternatives& alternatives = reports::resultAlternatives(in_);
        // The order is normally kept by setGraph; work it out here when the
        // chart stopped before it had it.
        if (m_RankOrder.empty())
            m_RankOrder = reports::rankOrder(alternatives);

        const bool ranked = in_.study.typeOfAlternatives == 1;
        title =
            ranked ? res.gXstrLSTableDesignCaseRankedByTPW : res.gXstrLSTableFirstCostDesignCases;
        // The chart's lines are in rank order; the table's rows follow its caption.
        const std::vector<int16_t> rows =
            ranked ? m_RankOrder : reports::firstCostOrder(alternatives);
        const bool withTaxes = subCode == "TPW1";
        const reports::CaseResultsLayout layout = reports::caseResultsLayout(in_, withTaxes);
        doc::Table table;
        table.Attach(docs);
        reports::addStyledCells(table, static_cast<int32_t>(rows.size()) + 1, layout.columns);
        reports::setRowTexts(table, 0, layout.headers);
        int32_t row = 0;
        for (const int16_t position : rows)
            reports::setRowTexts(table, ++row, reports::caseResultsRow(in_, position, withTaxes));

        docs.AddText(title, reports::kResultCellFontSize, std::nullopt, 0, std::nullopt,
                     code::kAlignLeft, code::kDefaultColour, false);
        table.InsertInto(docs);
        docs.SetTextFlags(code::kFlagEndBlock, true);
        docs.WriteDocument(-1, 0);
    } catch (...) {
        const ResourceTexts& res = in_.texts;
        reports::writeFailureNote(docs, in_.texts,
                                  res.gXstrTable + " " + title + " " + res.gXstrCanNotGen,
                                  "setPWtable", kClass);
    }
}

}  // namespace qvc
