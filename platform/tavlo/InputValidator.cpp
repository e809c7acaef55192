#include "InputValidator.h"

#include <fmt/format.h>

#include <set>

namespace tavlo {

namespace {

std::string alternativeName(const Alternative& alternative, std::size_t position) {
    return fmt::format("Alternative {} (number {})", position + 1, alternative.Number());
}

// Each check returns the text of the first problem, or an empty text.
std::string studyProblem(const StudySettings& s) {
    if (s.analysisType < 0 || s.analysisType > 3) {
        return fmt::format("AnalysisType {} is not 0, 1, 2 or 3", s.analysisType);
    }
    if (s.alternativeType != 0 && s.alternativeType != 1) {
        return fmt::format("AlternativeType {} is not 0 or 1", s.alternativeType);
    }
    if (s.analysisPeriod < 0) {
        return fmt::format("AnalysisPeriod {} is negative", s.analysisPeriod);
    }
    if (s.discountRate <= -1.0) {
        return fmt::format("DiscountRate {:.15g} is not above -1", s.discountRate);
    }
    if (s.incomeTaxRate < 0.0 || s.incomeTaxRate > 1.0) {
        return fmt::format("IncomeTaxRate {:.15g} is outside 0..1", s.incomeTaxRate);
    }
    return {};
}

std::string investmentProblem(const InvestmentItem& item) {
    if (item.year < 0) {
        return fmt::format("InvestmentYear {} is negative", item.year);
    }
    if (item.escalation <= -1.0) {
        return fmt::format("InvestmentEscalation {:.15g} is not above -1", item.escalation);
    }
    if (item.usefulLife < 0) {
        return fmt::format("UsefulLife {} is negative", item.usefulLife);
    }
    if (item.depreciationMethod < 0 || item.depreciationMethod > 5) {
        return fmt::format("DepreciationMethod {} is outside 0..5", item.depreciationMethod);
    }
    if (item.depreciationLife < 0) {
        return fmt::format("DepreciationLife {} is negative", item.depreciationLife);
    }
    const bool depreciated = item.cost > 0.0 && !item.taxExempt && item.depreciationMethod != 5;
    if (depreciated && item.depreciationLife < 1) {
        return "DepreciationLife 0 leaves a depreciated item without a schedule";
    }
    if (item.loanFraction < 0.0 || item.loanFraction > 1.0) {
        return fmt::format("LoanFraction {:.15g} is outside 0..1", item.loanFraction);
    }
    if (item.paymentPlan < 0 || item.paymentPlan > 2) {
        return fmt::format("PaymentPlan {} is outside 0..2", item.paymentPlan);
    }
    if (item.loanTerm < 0) {
        return fmt::format("LoanTerm {} is negative", item.loanTerm);
    }
    if (item.loanRate <= -1.0) {
        return fmt::format("LoanRate {:.15g} is not above -1", item.loanRate);
    }
    return {};
}

std::string annualProblem(const AnnualItem& item) {
    if (item.startYear < 0) {
        return fmt::format("AnnualStartYear {} is negative", item.startYear);
    }
    if (item.years < 0) {
        return fmt::format("AnnualYears {} is negative", item.years);
    }
    if (item.escalation <= -1.0) {
        return fmt::format("AnnualEscalation {:.15g} is not above -1", item.escalation);
    }
    return {};
}

std::string otherProblem(const OtherItem& item) {
    if (item.startYear < 0) {
        return fmt::format("OtherStartYear {} is negative", item.startYear);
    }
    if (item.times < 0) {
        return fmt::format("OtherTimes {} is negative", item.times);
    }
    if (item.times > 1 && item.interval < 1) {
        return fmt::format("OtherInterval {} is below 1 for an item that occurs more than once",
                           item.interval);
    }
    if (item.escalation <= -1.0) {
        return fmt::format("OtherEscalation {:.15g} is not above -1", item.escalation);
    }
    return {};
}

template <typename Item, typename Check>
std::string listProblem(const std::vector<Item>& items, const char* kind, Check check) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::string problem = check(items[i]);
        if (!problem.empty()) {
            return fmt::format("{} item {}: {}", kind, i + 1, problem);
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
            return fmt::format("{}: Number {} is used by another alternative", name,
                               alternative.Number());
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
