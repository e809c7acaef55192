#pragma once
// The total present worth profiles report ("TPW1" with income taxes, "TPW2"
// without): one line chart in which every design case accumulates its yearly
// present worths over the study (the last point of each line is the case's
// total present worth in whole units), then the table of the cases' totals.
// Both list the cases in rank order (the engine's Rank, 1 first); setGraph
// works the order out and keeps it for setPWtable, so call them in that order
// on the same object.
//
// The lines take their colours from a fixed table of twenty; a study with more
// design cases gets the failure note in place of the chart, and the table is
// still written. Nothing escapes: failures become the in-report failure note.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "qvc/document/DocumentObject.h"
#include "qvc/graph/Chart.h"
#include "reports/ReportGenerator.h"

namespace qvc {

class cRptTotPresWorthProfiles : public TotPresWorthGenerator {
  public:
    explicit cRptTotPresWorthProfiles(const ReportInputs& inputs) : in_(inputs) {}
    explicit cRptTotPresWorthProfiles(ReportInputs&&) = delete;

    // The twenty line colours, for subsets 1 to 20 in this order.
    static const std::array<graph::Colour, 20>& subsetColours();

    // The chart description: the rank order is worked out (and kept), then one
    // line per case, in rank order, of its cumulative present worth in whole
    // units. More than twenty cases raise 9 when the 21st asks for a colour.
    graph::Chart profileChart();

    void setGraph(doc::DocumentObject& docs) override;
    void setPWtable(doc::DocumentObject& docs, const std::string& subCode) override;

  private:
    // Positions in colAlternatives by rank (entry j-1 holds the case ranked j).
    std::vector<int16_t> m_RankOrder;
    const ReportInputs& in_;
};

}  // namespace qvc
