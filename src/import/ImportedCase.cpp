#include "import/ImportedCase.h"

namespace qvc {

ImportedCase::ImportedCase(int16_t studyId, const std::string& title,
                           const std::string& description, int16_t lifecycle) {
    case_.StudyID = studyId;
    case_.CaseTitle = title;
    case_.CaseDes = description;
    for (int16_t i = 1; i <= cDesignCase::kInvestments; ++i) {
        case_.setInvItemName(i, "");
        case_.setInvCost(i, 0.0);
        case_.setInvYear(i, 0);
        case_.setInvEscRate(i, 0.0);
        case_.setInvTaxExempt(i, false);
        case_.setInvDepMethod(i, 0);
        case_.setInvDepLife(i, 2);
        case_.setInvUsefulLife(i, 1);
        case_.setSalvageValue(i, 0.0);
    }
    for (int16_t i = 1; i <= cDesignCase::kLoans; ++i) {
        case_.setLoanItemName(i, "");
        case_.setLoanYear(i, 0);
        case_.setLoanTotlaInvest(i, 0.0);
        case_.setLoanTerm(i, 1);
        case_.setLoanIntRate(i, 0.0);
        case_.setLoanPayPlan(i, 0);
    }
    for (int16_t i = 1; i <= cDesignCase::kAnnualCosts; ++i) {
        case_.setAnnOpCostName(i, "");
        case_.setAnnOpCost(i, 0.0);
        case_.setAnnOpCostStartYear(i, 1);
        case_.setAnnOpCostNumYears(i, lifecycle);
        case_.setAnnOpCostEscRate(i, 0.0);
    }
    for (int16_t i = 1; i <= cDesignCase::kOtherCosts; ++i) {
        case_.setOtherOpCostName(i, "");
        case_.setOtherOpCost(i, 0.0);
        case_.setOtherOpCostStartYear(i, 1);
        case_.setOtherOpCostTimes(i, 1);
        case_.setOtherOpCostInterval(i, 1);
        case_.setOtherOpCostEscRate(i, 0.0);
    }
}

void ImportedCase::addAnnualCost(const std::string& name, double cost, const std::string& source) {
    if (nextAnnual_ > cDesignCase::kAnnualCosts) {
        leftOut_.push_back("annual cost " + source);
        return;
    }
    if (!name.empty())
        case_.setAnnOpCostName(nextAnnual_, name);
    case_.setAnnOpCost(nextAnnual_, cost);
    ++nextAnnual_;
}

void ImportedCase::addEquipment(const std::string& name, const std::string& source) {
    if (nextEquipment_ > cDesignCase::kInvestments) {
        leftOut_.push_back("equipment " + source);
        return;
    }
    case_.setInvItemName(nextEquipment_, name);
    ++nextEquipment_;
}

void ImportedCase::addMaintenance(const std::string& name) {
    if (nextAnnual_ > cDesignCase::kAnnualCosts) {
        leftOut_.push_back("annual cost " + name);
        return;
    }
    case_.setAnnOpCostName(nextAnnual_, name);
    case_.setAnnOpCost(nextAnnual_, 0.0);
}

std::string ImportedCase::leftOutText() const {
    if (leftOut_.empty())
        return {};
    std::string text = "Subscript out of range: a design case holds 20 items per list; left out: ";
    for (size_t i = 0; i < leftOut_.size(); ++i) {
        if (i > 0)
            text += ", ";
        text += leftOut_[i];
    }
    // The error record separates its fields with "#".
    for (char& ch : text) {
        if (ch == '#')
            ch = ' ';
    }
    return text;
}

}  // namespace qvc
