#include <gtest/gtest.h>

#include "TestSupport.h"
#include "common/StudySettings.h"
#include "qvc/runtime/ErrorNumbers.h"

using namespace qvc;

TEST(StudySettings, ReadsEverySlotWritesTheSameTextsBackAndRefusesNonNumbers) {
    const StudyArray stored = {"Office Plant", "Three options", "0",    "1",    "2026",
                               "25",           "7.25",          "True", "26.5", "EUR"};
    const StudySettings s = StudySettings::fromStudyArray(stored);
    EXPECT_EQ(s.typeOfAlternatives, 1);
    EXPECT_EQ(s.baseYear, 2026);
    EXPECT_EQ(s.lifeCycle, 25);
    EXPECT_DOUBLE_EQ(s.discountRate, 7.25);
    EXPECT_TRUE(s.calculateIncomeTaxes);
    EXPECT_DOUBLE_EQ(s.incomeTaxRate, 26.5);
    EXPECT_EQ(s.toStudyArray(), stored);

    StudyArray other = stored;
    // Only "True" turns income taxes on; whole numbers round half to even.
    other[StudyField::CalcIncomeTaxes] = "true";
    other[StudyField::LifeCycle] = "24.5";
    const StudySettings u = StudySettings::fromStudyArray(other);
    EXPECT_FALSE(u.calculateIncomeTaxes);
    EXPECT_EQ(u.lifeCycle, 24);

    other[StudyField::LifeCycle] = "40000";
    EXPECT_EQ(test::errorNumberOf([&] { StudySettings::fromStudyArray(other); }),
              rt::err::kOverflow);
    other = stored;
    other[StudyField::DiscountRate] = "7 %";
    EXPECT_EQ(test::errorNumberOf([&] { StudySettings::fromStudyArray(other); }),
              rt::err::kTypeMismatch);
}
