#include "qvc/cDesignCase.h"

#include "qvc/runtime/DynArray.h"

namespace qvc {
namespace {

template <typename T, size_t N>
T& element(std::array<T, N>& list, int16_t nIndex) {
    if (nIndex < 1 || static_cast<size_t>(nIndex) > N)
        rt::throwSubscript();
    return list[static_cast<size_t>(nIndex - 1)];
}

template <typename T, size_t N>
const T& element(const std::array<T, N>& list, int16_t nIndex) {
    if (nIndex < 1 || static_cast<size_t>(nIndex) > N)
        rt::throwSubscript();
    return list[static_cast<size_t>(nIndex - 1)];
}

}  // namespace

#define QVC_DEFINE_LIST_PROPERTY(Type, Name, member)              \
    Type cDesignCase::Name(int16_t nIndex) const {                \
        return element(member, nIndex);                           \
    }                                                             \
    void cDesignCase::set##Name(int16_t nIndex, Type vNewValue) { \
        element(member, nIndex) = std::move(vNewValue);           \
    }

QVC_DEFINE_LIST_PROPERTY(std::string, InvItemName, invItemName_)
QVC_DEFINE_LIST_PROPERTY(double, InvCost, invCost_)
QVC_DEFINE_LIST_PROPERTY(int16_t, InvYear, invYear_)
QVC_DEFINE_LIST_PROPERTY(double, InvEscRate, invEscRate_)
QVC_DEFINE_LIST_PROPERTY(bool, InvTaxExempt, invTaxExempt_)
QVC_DEFINE_LIST_PROPERTY(double, SalvageValue, salvageValue_)
QVC_DEFINE_LIST_PROPERTY(int16_t, InvDepMethod, invDepMethod_)
QVC_DEFINE_LIST_PROPERTY(int16_t, InvDepLife, invDepLife_)
QVC_DEFINE_LIST_PROPERTY(int16_t, InvUsefulLife, invUsefulLife_)
QVC_DEFINE_LIST_PROPERTY(int32_t, InvItemPK, invItemPK_)

QVC_DEFINE_LIST_PROPERTY(std::string, LoanItemName, loanItemName_)
QVC_DEFINE_LIST_PROPERTY(int16_t, LoanYear, loanYear_)
QVC_DEFINE_LIST_PROPERTY(double, LoanTotlaInvest, loanTotlaInvest_)
QVC_DEFINE_LIST_PROPERTY(double, LoanPercent, loanPercent_)
QVC_DEFINE_LIST_PROPERTY(int16_t, LoanTerm, loanTerm_)
QVC_DEFINE_LIST_PROPERTY(double, LoanIntRate, loanIntRate_)
QVC_DEFINE_LIST_PROPERTY(int16_t, LoanPayPlan, loanPayPlan_)
QVC_DEFINE_LIST_PROPERTY(int32_t, LoanItemPK, loanItemPK_)

QVC_DEFINE_LIST_PROPERTY(std::string, AnnOpCostName, annOpCostName_)
QVC_DEFINE_LIST_PROPERTY(double, AnnOpCost, annOpCost_)
QVC_DEFINE_LIST_PROPERTY(int16_t, AnnOpCostStartYear, annOpCostStartYear_)
QVC_DEFINE_LIST_PROPERTY(int16_t, AnnOpCostNumYears, annOpCostNumYears_)
QVC_DEFINE_LIST_PROPERTY(double, AnnOpCostEscRate, annOpCostEscRate_)
QVC_DEFINE_LIST_PROPERTY(int32_t, AnnItemPK, annItemPK_)

QVC_DEFINE_LIST_PROPERTY(std::string, OtherOpCostName, otherOpCostName_)
QVC_DEFINE_LIST_PROPERTY(double, OtherOpCost, otherOpCost_)
QVC_DEFINE_LIST_PROPERTY(int16_t, OtherOpCostStartYear, otherOpCostStartYear_)
QVC_DEFINE_LIST_PROPERTY(int16_t, OtherOpCostTimes, otherOpCostTimes_)
QVC_DEFINE_LIST_PROPERTY(int16_t, OtherOpCostInterval, otherOpCostInterval_)
QVC_DEFINE_LIST_PROPERTY(double, OtherOpCostEscRate, otherOpCostEscRate_)
QVC_DEFINE_LIST_PROPERTY(int32_t, OtherItemPK, otherItemPK_)

#undef QVC_DEFINE_LIST_PROPERTY

}  // namespace qvc
