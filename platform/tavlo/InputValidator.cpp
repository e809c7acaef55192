#include "InputValidator.h"

#include <set>
#include <sstream>

namespace tavlo {

namespace {

std::string number(double value) {
    std::ostringstream text;
    text.precision(15);
    text << value;
    return text.str();
}

std::string alternativeName(const Alternative& alternative, std::size_t position) {
    return "Alternative " + std::to_string(position + 1) + " (number " +
           std::to_string(alternative.Number()) + ")";
}

// Each check returns the text of the first problem, or an empty text.
std::string studyProblem(const StudySettings& s) {
    if (s.analysisType < 0 || s.analysisType > 3) {
        return "AnalysisType " + std::to_string(s.analysisType) + " is not 0, 1, 2 or 3";
    }
    if (s.alternativeType != 0 && s.alternativeType != 1) {
        return "AlternativeType " + std::to_string(s.alternativeType) + " is not 0 or 1";
    }
    if (s.analysisPeriod < 0) {
        return "AnalysisPeriod " + std::to_string(s.analysisPeriod) + " is negative";
    }
    if (s.discountRate <= -1.0) {
        return "DiscountRate " + number(s.discountRate) + " is not above -1";
    }
    if (s.incomeTaxRate < 0.0 || s.incomeTaxRate > 1.0) {
        return "IncomeTaxRate " + number(s.incomeTaxRate) + " is outside 0..1";
    }
    return {};
}

std::string investmentProblem(const InvestmentItem& item) {
    if (item.year < 0) {
        return "InvestmentYear " + std::to_string(item.year) + " is negative";
    }
    if (item.escalation <= -1.0) {
        return "InvestmentEscalation " + number(item.escalation) + " is not above -1";
    }
    if (item.usefulLife < 0) {
        return "UsefulLife " + std::to_string(item.usefulLife) + " is negative";
    }
    if (item.depreciationMethod < 0 || item.depreciationMethod > 5) {
        return "DepreciationMethod " + std::to_string(item.depreciationMethod) + " is outside 0..5";
    }
    if (item.depreciationLife < 0) {
        return "DepreciationLife " + std::to_string(item.depreciationLife) + " is negative";
    }
    const bool depreciated = item.cost > 0.0 && !item.taxExempt && item.depreciationMethod != 5;
    if (depreciated && item.depreciationLife < 1) {
        return "DepreciationLife 0 leaves a depreciated item without a schedule";
    }
    if (item.loanFraction < 0.0 || item.loanFraction > 1.0) {
        return "LoanFraction " + number(item.loanFraction) + " is outside 0..1";
    }
    if (item.paymentPlan < 0 || item.paymentPlan > 2) {
        return "PaymentPlan " + std::to_string(item.paymentPlan) + " is outside 0..2";
    }
    if (item.loanTerm < 0) {
        return "LoanTerm " + std::to_string(item.loanTerm) + " is negative";
    }
    if (item.loanRate <= -1.0) {
        return "LoanRate " + number(item.loanRate) + " is not above -1";
    }
    return {};
}

std::string annualProblem(const AnnualItem& item) {
    if (item.startYear < 0) {
        return "AnnualStartYear " + std::to_string(item.startYear) + " is negative";
    }
    if (item.years < 0) {
        return "AnnualYears " + std::to_string(item.years) + " is negative";
    }
    if (item.escalation <= -1.0) {
        return "AnnualEscalation " + number(item.escalation) + " is not above -1";
    }
    return {};
}

std::string otherProblem(const OtherItem& item) {
    if (item.startYear < 0) {
        return "OtherStartYear " + std::to_string(item.startYear) + " is negative";
    }
    if (item.times < 0) {
        return "OtherTimes " + std::to_string(item.times) + " is negative";
    }
    if (item.times > 1 && item.interval < 1) {
        return "OtherInterval " + std::to_string(item.interval) +
               " is below 1 for an item that occurs more than once";
    }
    if (item.escalation <= -1.0) {
        return "OtherEscalation " + number(item.escalation) + " is not above -1";
    }
    return {};
}

template <typename Item, typename Check>
std::string listProblem(const std::vector<Item>& items, const char* kind, Check check) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::string problem = check(items[i]);
        if (!problem.empty()) {
            return std::string(kind) + " item " + std::to_string(i + 1) + ": " + problem;
        }
    }
    return {};
}

}  // namespace

std::optional<std::string> firstInputProblem(const StudySettings& study,
                                             const AlternativeList& alternatives) {
    if (std::string problem = studyProblem(study); !problem.empty()) {
        return problem;
    }
    if (alternatives.size() == 0) {
        return "There are no alternatives to calculate";
    }
    std::set<int16_t> numbers;
    for (std::size_t p = 0; p < alternatives.size(); ++p) {
        const Alternative& alternative = alternatives.at(p);
        const std::string name = alternativeName(alternative, p);
        if (alternative.Number() < 1) {
            return name + ": Number is not set (it must be 1 or more)";
        }
        if (!numbers.insert(alternative.Number()).second) {
            return name + ": Number " + std::to_string(alternative.Number()) +
                   " is used by another alternative";
        }
        const AlternativeInputs& in = alternative.inputs();
        for (const std::string& problem :
             {listProblem(in.investments, "investment", investmentProblem),
              listProblem(in.annual, "annual", annualProblem),
              listProblem(in.other, "non-annual", otherProblem)}) {
            if (!problem.empty()) {
                return name + ", " + problem;
            }
        }
    }
    if (study.alternativeType == 1 && numbers.count(1) == 0) {
        return "Independent alternatives need an alternative with Number 1 as the base case";
    }
    return std::nullopt;
}

}  // namespace tavlo
