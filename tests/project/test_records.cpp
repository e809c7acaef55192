// The design case record: every list starts empty, holds exactly its rows
// (20 of each, 5 loans), and an element set changes only itself.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "qvc/cDesignCase.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc {
namespace {

using test::errorNumberOf;

TEST(DesignCaseRecord, ListsHoldTheirRowsAndIndexesOutsideFail) {
    cDesignCase c;
    c.setInvCost(3, 1500.0);
    c.setInvItemName(20, "Roof");
    c.setLoanItemName(5, "Bank");
    for (int16_t i = 1; i <= 20; ++i) {
        EXPECT_EQ(c.InvCost(i), i == 3 ? 1500.0 : 0.0);
        EXPECT_EQ(c.InvItemName(i), i == 20 ? "Roof" : "");
        EXPECT_FALSE(c.InvTaxExempt(i));
        EXPECT_EQ(c.AnnOpCost(i), 0.0);
        EXPECT_EQ(c.OtherItemPK(i), 0);
    }
    EXPECT_EQ(c.LoanItemName(5), "Bank");
    EXPECT_EQ(c.LoanPercent(3), 0.0);
    const int sub = rt::err::kSubscriptOutOfRange;
    EXPECT_EQ(errorNumberOf([&] { c.LoanItemName(6); }), sub);
    EXPECT_EQ(errorNumberOf([&] { c.setLoanPercent(6, 1.0); }), sub);
    EXPECT_EQ(errorNumberOf([&] { c.InvItemName(0); }), sub);
    EXPECT_EQ(errorNumberOf([&] { c.setInvCost(-1, 1.0); }), sub);
    EXPECT_EQ(errorNumberOf([&] { c.setAnnOpCost(21, 1.0); }), sub);
    EXPECT_EQ(errorNumberOf([&] { c.OtherOpCostInterval(21); }), sub);
    EXPECT_EQ(errorNumberOf([&] { c.setOtherItemPK(0, 1); }), sub);
    // A failed set changes nothing.
    EXPECT_EQ(errorNumberOf([&] { c.setInvCost(21, 9.0); }), sub);
    EXPECT_EQ(c.InvCost(20), 0.0);
}

}  // namespace
}  // namespace qvc
