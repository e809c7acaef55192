#include "reports/ResultCases.h"

#include <algorithm>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::reports {

namespace {

[[noreturn]] void noResults() {
    throw rt::Error(rt::err::kObjectNotSet, "Object variable not set");
}

std::string caseText(const ReportInputs& in, int32_t position, long slot) {
    const CaseSnapshot& snapshot = in.cases.Item(position == 0 ? 1L : position);
    return snapshot.Gen(slot);
}

}  // namespace

const tavlo::IAlternatives& resultAlternatives(const ReportInputs& in) {
    const auto& alternatives = in.alternatives;
    if (!alternatives)
        noResults();
    return *alternatives;
}

const tavlo::IComparisons& resultComparisons(const ReportInputs& in) {
    const auto& comparisons = in.comparisons;
    if (!comparisons)
        noResults();
    return *comparisons;
}

std::vector<int16_t> rankOrder(const tavlo::IAlternatives& alternatives) {
    const int16_t count = alternatives.Count();
    std::vector<int16_t> numberAtRank(static_cast<size_t>(count), 0);
    for (int16_t i = 1; i <= count; ++i) {
        const tavlo::IAlternative& alternative = alternatives.Item(i);
        const int16_t rank = alternative.Rank();
        if (rank < 1 || rank > count)
            throw rt::Error(rt::err::kSubscriptOutOfRange, "Subscript out of range");
        numberAtRank[static_cast<size_t>(rank - 1)] = alternative.Number();
    }
    std::vector<int16_t> order;
    order.reserve(static_cast<size_t>(count));
    for (const int16_t number : numberAtRank)
        for (int16_t k = 1; k <= count; ++k)
            if (alternatives.Item(k).Number() == number)
                order.push_back(k);
    return order;
}

std::vector<int16_t> firstCostOrder(const tavlo::IAlternatives& alternatives) {
    std::vector<int16_t> order;
    for (int16_t i = 1; i <= alternatives.Count(); ++i)
        order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&](int16_t a, int16_t b) {
        const tavlo::IAlternative& x = alternatives.Item(a);
        const tavlo::IAlternative& y = alternatives.Item(b);
        if (x.FirstCost() != y.FirstCost())
            return x.FirstCost() < y.FirstCost();
        return x.Number() < y.Number();
    });
    return order;
}

std::string caseTitle(const ReportInputs& in, int32_t position) {
    return caseText(in, position, 1);
}

std::string caseShortTitle(const ReportInputs& in, int32_t position) {
    return caseText(in, position, 2);
}

}  // namespace qvc::reports
