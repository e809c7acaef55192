#include <gtest/gtest.h>

#include "qvc/cDesignCase.h"
#include "qvc/cStudy.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc {
namespace {

int errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const rt::Error& e) {
        return e.number();
    }
    return 0;
}

TEST(DesignCaseRecord, FreshObjectIsEmptyAndIndexesOutsideEachListFail) {
    cDesignCase c;
    for (int16_t i = 1; i <= 20; ++i) {
        EXPECT_EQ(c.InvItemName(i), "");
        EXPECT_EQ(c.InvCost(i), 0.0);
        EXPECT_FALSE(c.InvTaxExempt(i));
        EXPECT_EQ(c.InvItemPK(i), 0);
        EXPECT_EQ(c.AnnOpCostStartYear(i), 0);
        EXPECT_EQ(c.OtherItemPK(i), 0);
    }
    EXPECT_EQ(c.LoanItemName(5), "");
    const int sub = rt::err::kSubscriptOutOfRange;
    EXPECT_EQ(errorOf([&] { c.LoanItemName(6); }), sub);
    EXPECT_EQ(errorOf([&] { c.setLoanPercent(6, 1.0); }), sub);
    EXPECT_EQ(errorOf([&] { c.InvItemName(0); }), sub);
    EXPECT_EQ(errorOf([&] { c.setInvCost(-1, 1.0); }), sub);
    EXPECT_EQ(errorOf([&] { c.setAnnOpCost(21, 1.0); }), sub);
    EXPECT_EQ(errorOf([&] { c.OtherOpCostInterval(21); }), sub);
    EXPECT_EQ(errorOf([&] { c.setOtherItemPK(0, 1); }), sub);
}

TEST(DesignCaseRecord, SettingOneElementLeavesEveryOtherUnchanged) {
    cDesignCase c;
    c.setInvCost(3, 1500.0);
    c.setInvItemName(20, "Roof");
    c.setLoanItemName(5, "Bank");
    for (int16_t i = 1; i <= 20; ++i) {
        EXPECT_EQ(c.InvCost(i), i == 3 ? 1500.0 : 0.0);
        EXPECT_EQ(c.AnnOpCost(i), 0.0);
        EXPECT_EQ(c.OtherOpCost(i), 0.0);
        EXPECT_EQ(c.InvItemName(i), i == 20 ? "Roof" : "");
    }
    EXPECT_EQ(c.LoanItemName(5), "Bank");
    EXPECT_EQ(c.LoanPercent(3), 0.0);
    // A failed set changes nothing.
    EXPECT_NE(errorOf([&] { c.setInvCost(21, 9.0); }), 0);
    EXPECT_EQ(c.InvCost(20), 0.0);
}

}  // namespace
}  // namespace qvc
