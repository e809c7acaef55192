#include "reports/LifeCycleSummaryGraphs.h"

#include "qvc/document/Table.h"
#include "qvc/graph/ChartRenderer.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "reports/MoneyText.h"
#include "reports/ReportLines.h"
#include "reports/ResultCases.h"
#include "reports/ResultTable.h"
#include "reports/cRptLifeCycleSummary.h"

namespace qvc {

namespace reports {

namespace {

// Bar spacing and text size grow tighter as the number of cases grows.
struct Sizing {
    double pointPaddingBar;
    double annotationTextSize;  // percent
};

Sizing sizingFor(int32_t caseCount) {
    if (caseCount <= 6)
        return {0.6, 100};
    if (caseCount <= 12)
        return {0.8, 95};
    return {1.0, 80};
}

double valueOf(SummaryChart which, const tavlo::IAlternative& a) {
    switch (which) {
        case SummaryChart::FirstCost:
            return a.FirstCost();
        case SummaryChart::AnnualOperatingCost:
            return a.AnnualOperatingCost();
        case SummaryChart::TotalPresentWorth:
            break;
    }
    return a.TotalPresentWorth();
}

const std::string& titleKey(const ResourceTexts& res, SummaryChart which) {
    switch (which) {
        case SummaryChart::FirstCost:
            return res.gXstrLSColFirstCost;
        case SummaryChart::AnnualOperatingCost:
            return res.gXstrLSColAnOpCost;
        case SummaryChart::TotalPresentWorth:
            break;
    }
    return res.gXstrLSColTPW;
}

}  // namespace

double summaryChartHeight(int32_t caseCount) {
    if (caseCount <= 6)
        return 185;
    if (caseCount <= 12)
        return 255;
    return 325;
}

graph::Chart summaryChart(const ReportInputs& in, SummaryChart which,
                          const std::vector<int16_t>& order) {
    const tavlo::IAlternatives& alternatives = resultAlternatives(in);
    const auto count = static_cast<int32_t>(order.size());
    const Sizing sizing = sizingFor(count);

    graph::Chart chart;
    chart.kind = graph::ChartKind::Bar;
    chart.title = moneyHeader(in, titleKey(in.texts, which));
    chart.fontFamily = "Arial";
    chart.fontScale = sizing.annotationTextSize / 100.0;
    chart.barBorder = {0, 0, 0};
    chart.barFill = 1.0 / (1.0 + sizing.pointPaddingBar);
    chart.widthPt = 235;
    chart.heightPt = summaryChartHeight(count);

    graph::Subset bars{"", graph::Colour{130, 130, 255}, {}};
    double largest = 0;
    for (const int16_t k : order) {
        const double value = valueOf(which, alternatives.Item(k));
        chart.pointLabels.push_back(caseShortTitle(in, k));
        bars.values.push_back(value);
        chart.valueAnnotations.push_back(moneyText(in, value));
        if (value > largest)
            largest = value;
    }
    chart.subsets.push_back(std::move(bars));
    chart.yMin = 0;
    chart.yMax = largest * 1.5;
    return chart;
}

}  // namespace reports

void cRptLifeCycleSummary::GenerateGraphs(doc::DocumentObject& docs, const std::string& subCode) {
    const ResourceTexts& res = in_.texts;
    try {
        if (subCode == "LS7")
            return;
        const graph::ChartRenderer* renderer = in_.graph;
        if (!renderer)
            throw rt::Error(rt::err::kObjectNotSet, "Object variable not set");
        const std::vector<int16_t> order = reports::rankOrder(reports::resultAlternatives(in_));
        for (const reports::SummaryChart which :
             {reports::SummaryChart::FirstCost, reports::SummaryChart::AnnualOperatingCost,
              reports::SummaryChart::TotalPresentWorth}) {
            const graph::Chart chart = reports::summaryChart(in_, which, order);
            const graph::Image image = renderer->render(chart);
            docs.InsertPicture(image.png, chart.widthPt, chart.heightPt);
        }
        docs.SetTextFlags(doc::code::kFlagEndBlock, true);
        docs.WriteDocument(-1, 0);
        docs.NewLine(1);
    } catch (...) {
        reports::writeFailureNote(docs, in_.texts,
                                  res.gXstrLSColTPW + ", " + res.gXstrLSColAnOpCost + ", " +
                                      res.gXstrLSColFirstCost + " " + res.gXstrGraphs,
                                  "GenerateGraphs", kClassName);
    }
}

}  // namespace qvc
