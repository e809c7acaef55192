// Annual and other (non-annual) operating costs (parts "ann" and "other" of the
// engine assignment).

#include <algorithm>

#include "calc/EngineAssignment.h"
#include "qvc/runtime/Rounding.h"

namespace qvc::calc {
namespace {

constexpr double kMaxAmount = 9999999;
constexpr double kMaxRatePercent = 50;
constexpr double kMaxAnnualYears = 50;
constexpr double kMaxIntervalOnce = 50;

void zeroAnnualItem(tavlo::IAlternative& alt, int16_t item) {
    alt.setAnnualCost(item, 0.0);
    alt.setAnnualStartYear(item, 1);
    alt.setAnnualYears(item, 2);
    alt.setAnnualEscalation(item, 0.0);
}

}  // namespace

void EngineAssignment::annualCosts(int16_t position) {
    const int16_t type = typeOfAnalysis();
    const int16_t years = analysisLength();
    const bool simple = isSimpleFamily(type);
    tavlo::IAlternative& alt = alternative(position);
    const auto& ann = state_.arrAnOpCost;
    const ResourceTexts& res = state_.res;

    if (!ann.isDimensioned()) {
        zeroAnnualItem(alt, 1);
        if (simple)
            zeroAnnualItem(alt, 2);
        return;
    }
    for (long k = 1; k <= ann.ubound(2); ++k) {
        const int16_t item = itemIndex(k);
        const rt::Value& cost = ann(2, k);
        if (inRange(cost, 0.0, kMaxAmount, {res.gXstrDCTableOpAnnCost, k, res.gXstrDCColCost}))
            alt.setAnnualCost(item, cost.toDouble());
        if (simple) {
            // The simple analyses run every annual cost over the whole study.
            alt.setAnnualStartYear(item, 1);
            alt.setAnnualYears(item, years);
        } else {
            const rt::Value& start = ann(3, k);
            if (inRange(start, 1.0, static_cast<double>(years),
                        {res.gXstrDCTableOpAnnCost, k, res.gXstrDCColStartYear}))
                alt.setAnnualStartYear(item, start.toInt16());
            const rt::Value& count = ann(4, k);
            if (inRange(count, 1.0, kMaxAnnualYears,
                        {res.gXstrDCTableOpAnnCost, k, res.gXstrDCColNoOfYears}))
                alt.setAnnualYears(item, count.toInt16());
        }
        const rt::Value& escalation = ann(5, k);
        if (inRange(escalation, 0.0, kMaxRatePercent,
                    {res.gXstrDCTableOpAnnCost, k, res.gXstrDCColEscRate}))
            alt.setAnnualEscalation(item, escalation.toDouble() / 100.0);
    }
}

void EngineAssignment::otherCosts(int16_t position) {
    const int16_t type = typeOfAnalysis();
    if (type != 0 && type != 1)
        return;
    const int16_t years = analysisLength();
    tavlo::IAlternative& alt = alternative(position);
    const auto& other = state_.arrOtherCost;
    const ResourceTexts& res = state_.res;

    if (!other.isDimensioned()) {
        alt.setOtherCost(1, 0.0);
        alt.setOtherEscalation(1, 0.0);
        alt.setOtherStartYear(1, 1);
        alt.setOtherTimes(1, 1);
        alt.setOtherInterval(1, 1);
        return;
    }
    for (long k = 1; k <= other.ubound(2); ++k) {
        const int16_t item = itemIndex(k);
        const rt::Value& cost = other(2, k);
        if (inRange(cost, 0.0, kMaxAmount, {res.gXstrDCTableNonOpCost, k, res.gXstrDCColCost}))
            alt.setOtherCost(item, cost.toDouble());

        const rt::Value& escalation = other(6, k);
        if (inRange(escalation, 0.0, kMaxRatePercent,
                    {res.gXstrDCTableNonOpCost, k, res.gXstrDCColEscRate}))
            alt.setOtherEscalation(item, escalation.toDouble() / 100.0);

        const rt::Value& start = other(3, k);
        if (inRange(start, 1.0, static_cast<double>(years),
                    {res.gXstrDCTableNonOpCost, k, res.gXstrDCColYearFirstIncurred}))
            alt.setOtherStartYear(item, start.toInt16());

        // Occurrences that fit from the start year to the end of the study.
        const std::optional<double> s = numberOf(start);
        const rt::Value& times = other(4, k);
        Bound mostTimes;
        if (s)
            mostTimes = std::max(1.0, rt::RoundHalfEven(years - (*s - 1)));
        if (inRange(times, 1.0, mostTimes,
                    {res.gXstrDCTableNonOpCost, k, res.gXstrDCColTimesOccur}))
            alt.setOtherTimes(item, times.toInt16());

        // The longest interval that still fits every occurrence in; an item that
        // occurs once may name any interval.
        const std::optional<double> t = numberOf(times);
        const rt::Value& interval = other(5, k);
        Bound longest;
        if (t && *t == 1)
            longest = kMaxIntervalOnce;
        else if (t && *t < 1)
            longest = 1.0;
        else if (t && s)
            longest = std::max(1.0, rt::RoundHalfEven((years - *s) / (*t - 1)));
        if (inRange(interval, 1.0, longest,
                    {res.gXstrDCTableNonOpCost, k, res.gXstrDCColYearsBetCost}))
            alt.setOtherInterval(item, interval.toInt16());
    }
}

}  // namespace qvc::calc
