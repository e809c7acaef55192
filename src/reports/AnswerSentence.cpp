#include "reports/AnswerSentence.h"

#include "reports/MoneyText.h"
#include "reports/ReportLines.h"
#include "reports/ResultCases.h"
#include "tavlo/IAlternative.h"
#include "tavlo/IComparison.h"

namespace qvc::reports {

namespace {

bool independentCode(const std::string& subCode) {
    return subCode == "LS3" || subCode == "LS4" || subCode == "LS6";
}

std::string studyYears(const ReportInputs& in) {
    return formatNumber(in.study.lifeCycle, 0);
}

std::string independentAnswer(const ReportInputs& in, const tavlo::IComparisons& comparisons) {
    const ResourceTexts& res = in.texts;
    int32_t base = 1;
    std::string winners;
    for (int16_t k = 1; k <= comparisons.Count(); ++k) {
        const tavlo::IComparison& c = comparisons.Item(k);
        base = c.BaseCase();
        if (c.Winner() == c.Challenger() && c.Challenger() != c.BaseCase())
            winners += (winners.empty() ? "" : ", ") + caseTitle(in, c.Challenger());
    }
    if (winners.empty())
        return fillIn(res.gXstrLSAnswerNoneBeatBase, {{"base", caseTitle(in, base)}});
    return fillIn(res.gXstrLSAnswerBeatBase, {{"base", caseTitle(in, base)}, {"cases", winners}});
}

std::string exclusiveAnswer(const ReportInputs& in, const tavlo::IAlternatives& alternatives,
                            const tavlo::IComparisons& comparisons) {
    const ResourceTexts& res = in.texts;
    const int16_t last = comparisons.Count();
    if (last == 0) {
        const int16_t only = alternatives.Count() > 0 ? rankOrder(alternatives).front() : 1;
        return fillIn(res.gXstrLSAnswerOnlyCase,
                      {{"case", caseTitle(in, only)},
                       {"tpw", moneyText(in, alternatives.Item(only).TotalPresentWorth())}});
    }
    const int16_t preferred = comparisons.Item(last).Winner();
    // The next best case: the first one after the preferred case in rank order.
    int16_t next = 0;
    for (const int16_t position : rankOrder(alternatives))
        if (position != preferred) {
            next = position;
            break;
        }
    const double tpw = alternatives.Item(preferred).TotalPresentWorth();
    const double nextTpw = alternatives.Item(next).TotalPresentWorth();
    return fillIn(res.gXstrLSAnswerPreferred,
                  {{"case", caseTitle(in, preferred)},
                   {"tpw", moneyText(in, tpw)},
                   {"years", studyYears(in)},
                   {"savings", moneyText(in, moneyWhole(nextTpw) - moneyWhole(tpw))},
                   {"next", caseTitle(in, next)}});
}

}  // namespace

std::string fillIn(std::string pattern,
                   std::initializer_list<std::pair<const char*, std::string>> values) {
    // One pass over the pattern, so a value that holds "{...}" itself (a case
    // title may) is never filled in again.
    std::string out;
    size_t at = 0;
    while (at < pattern.size()) {
        const size_t open = pattern.find('{', at);
        const size_t close = open == std::string::npos ? open : pattern.find('}', open);
        if (close == std::string::npos) {
            out += pattern.substr(at);
            break;
        }
        out += pattern.substr(at, open - at);
        const std::string name = pattern.substr(open + 1, close - open - 1);
        const std::string* value = nullptr;
        for (const auto& [key, text] : values)
            if (name == key)
                value = &text;
        out += value ? *value : pattern.substr(open, close - open + 1);
        at = close + 1;
    }
    return out;
}

std::string answerSentence(const ReportInputs& in, const std::string& subCode) {
    const tavlo::IAlternatives& alternatives = resultAlternatives(in);
    const tavlo::IComparisons& comparisons = resultComparisons(in);
    if (independentCode(subCode))
        return independentAnswer(in, comparisons);
    if (subCode == "LS7") {
        const int16_t last = comparisons.Count();
        const int16_t preferred = last > 0 ? comparisons.Item(last).Winner() : int16_t{1};
        return fillIn(in.texts.gXstrLSAnswerPayback, {{"case", caseTitle(in, preferred)}});
    }
    return exclusiveAnswer(in, alternatives, comparisons);
}

}  // namespace qvc::reports
