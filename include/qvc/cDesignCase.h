#pragma once
// One design case: six scalar members and four fixed-capacity item lists
// (investments 1..20, loans 1..5, annual operating costs 1..20, other
// operating costs 1..20). A plain value holder: no checks of the values, no
// side effects.
//
// Indexed properties take a 1-based index; an index outside the list
// (including 0 and negatives) raises qvc::rt::Error 9 (subscript out of range)
// and leaves the object unchanged. A new object has empty names, zero amounts,
// years and keys, and False flags.
//
// The key properties (InvItemPK ...) hold the database key of the stored row,
// 0 for a row not stored yet. They are 32-bit, wider than the 16-bit keys of
// the original interface: a project whose item tables have ever held more than
// 32,767 rows of one list would otherwise have rows no case could read again.

#include <array>
#include <cstdint>
#include <string>

#include "qvc/Export.h"

namespace qvc {

#define QVC_CASE_LIST_PROPERTY(Type, Name) \
    Type Name(int16_t nIndex) const;       \
    void set##Name(int16_t nIndex, Type vNewValue);

class QVC_EXPORT cDesignCase {
  public:
    static constexpr int16_t kInvestments = 20;
    static constexpr int16_t kLoans = 5;
    static constexpr int16_t kAnnualCosts = 20;
    static constexpr int16_t kOtherCosts = 20;

    std::string CaseTitle;
    std::string CaseShortTitle;
    std::string CaseDes;
    int16_t AnalysisType = 0;
    int16_t Lifecycle = 0;
    int16_t StudyID = 0;

    // Investment costs, 1..20.
    QVC_CASE_LIST_PROPERTY(std::string, InvItemName)
    QVC_CASE_LIST_PROPERTY(double, InvCost)
    QVC_CASE_LIST_PROPERTY(int16_t, InvYear)
    QVC_CASE_LIST_PROPERTY(double, InvEscRate)
    QVC_CASE_LIST_PROPERTY(bool, InvTaxExempt)
    QVC_CASE_LIST_PROPERTY(double, SalvageValue)
    QVC_CASE_LIST_PROPERTY(int16_t, InvDepMethod)
    QVC_CASE_LIST_PROPERTY(int16_t, InvDepLife)
    QVC_CASE_LIST_PROPERTY(int16_t, InvUsefulLife)
    QVC_CASE_LIST_PROPERTY(int32_t, InvItemPK)

    // Loans, 1..5.
    QVC_CASE_LIST_PROPERTY(std::string, LoanItemName)
    QVC_CASE_LIST_PROPERTY(int16_t, LoanYear)
    QVC_CASE_LIST_PROPERTY(double, LoanTotlaInvest)
    QVC_CASE_LIST_PROPERTY(double, LoanPercent)
    QVC_CASE_LIST_PROPERTY(int16_t, LoanTerm)
    QVC_CASE_LIST_PROPERTY(double, LoanIntRate)
    QVC_CASE_LIST_PROPERTY(int16_t, LoanPayPlan)
    QVC_CASE_LIST_PROPERTY(int32_t, LoanItemPK)

    // Annual operating costs, 1..20.
    QVC_CASE_LIST_PROPERTY(std::string, AnnOpCostName)
    QVC_CASE_LIST_PROPERTY(double, AnnOpCost)
    QVC_CASE_LIST_PROPERTY(int16_t, AnnOpCostStartYear)
    QVC_CASE_LIST_PROPERTY(int16_t, AnnOpCostNumYears)
    QVC_CASE_LIST_PROPERTY(double, AnnOpCostEscRate)
    QVC_CASE_LIST_PROPERTY(int32_t, AnnItemPK)

    // Other (non-annual) operating costs, 1..20.
    QVC_CASE_LIST_PROPERTY(std::string, OtherOpCostName)
    QVC_CASE_LIST_PROPERTY(double, OtherOpCost)
    QVC_CASE_LIST_PROPERTY(int16_t, OtherOpCostStartYear)
    QVC_CASE_LIST_PROPERTY(int16_t, OtherOpCostTimes)
    QVC_CASE_LIST_PROPERTY(int16_t, OtherOpCostInterval)
    QVC_CASE_LIST_PROPERTY(double, OtherOpCostEscRate)
    QVC_CASE_LIST_PROPERTY(int32_t, OtherItemPK)

  private:
    template <typename T>
    using Items20 = std::array<T, kInvestments>;
    template <typename T>
    using Items5 = std::array<T, kLoans>;

    Items20<std::string> invItemName_{};
    Items20<double> invCost_{};
    Items20<int16_t> invYear_{};
    Items20<double> invEscRate_{};
    Items20<bool> invTaxExempt_{};
    Items20<double> salvageValue_{};
    Items20<int16_t> invDepMethod_{};
    Items20<int16_t> invDepLife_{};
    Items20<int16_t> invUsefulLife_{};
    Items20<int32_t> invItemPK_{};

    Items5<std::string> loanItemName_{};
    Items5<int16_t> loanYear_{};
    Items5<double> loanTotlaInvest_{};
    Items5<double> loanPercent_{};
    Items5<int16_t> loanTerm_{};
    Items5<double> loanIntRate_{};
    Items5<int16_t> loanPayPlan_{};
    Items5<int32_t> loanItemPK_{};

    Items20<std::string> annOpCostName_{};
    Items20<double> annOpCost_{};
    Items20<int16_t> annOpCostStartYear_{};
    Items20<int16_t> annOpCostNumYears_{};
    Items20<double> annOpCostEscRate_{};
    Items20<int32_t> annItemPK_{};

    Items20<std::string> otherOpCostName_{};
    Items20<double> otherOpCost_{};
    Items20<int16_t> otherOpCostStartYear_{};
    Items20<int16_t> otherOpCostTimes_{};
    Items20<int16_t> otherOpCostInterval_{};
    Items20<double> otherOpCostEscRate_{};
    Items20<int32_t> otherItemPK_{};
};

#undef QVC_CASE_LIST_PROPERTY

}  // namespace qvc
