#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "CommonTestSupport.h"
#include "common/ErrorMessage.h"
#include "common/ErrorRecord.h"
#include "common/StudySettings.h"
#include "common/ThreadState.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc {
namespace {

template <typename F>
std::string recordOf(F raise) {
    try {
        raise();
    } catch (...) {
        return errorRecord("Proc", "cClass");
    }
    return "nothing was thrown";
}

TEST(ErrorMessage, RecordsFromTheExceptionBeingHandledAndTheirMessage) {
    test::ThreadStateGuard guard;
    const std::string internal = std::to_string(rt::err::kInternal);
    EXPECT_EQ(recordOf([] { throw std::runtime_error("boom"); }), internal + "#boom#Proc#cClass#");
    EXPECT_EQ(ErrorField(recordOf([] { throw std::bad_alloc(); }), 1),
              std::to_string(rt::err::kOutOfMemory));
    threadState().res.gXstrError = "Error";
    threadState().res.gXstrMethod = "Procedure";
    threadState().res.gXstrModule = "Module";
    // Both tag styles (with and without spaces around "#") give the same fields.
    EXPECT_EQ(FormatErrorMessage("91#Object not set # SaveDocument # FrmReportViewer #"),
              "Error 91 - Object not set\r\nProcedure - SaveDocument\r\nModule - FrmReportViewer");
    // Fewer fields leave lines empty; a "#" inside a description shifts the following fields.
    EXPECT_EQ(FormatErrorMessage("5#Invalid procedure call"),
              "Error 5 - Invalid procedure call\r\nProcedure - \r\nModule - ");
    EXPECT_EQ(FormatErrorMessage("13#Type mismatch in item #3#AssignProperties#cORVCalculator#"),
              "Error 13 - Type mismatch in item\r\nProcedure - 3\r\nModule - AssignProperties");
}

TEST(StudySettings, ReadsEverySlotWritesTheSameTextsBackAndRefusesNonNumbers) {
    const StudyArray stored = {"Office Plant", "Three options", "0",    "1",    "2026",
                               "25",           "7.25",          "True", "26.5", "EUR"};
    const StudySettings s = StudySettings::fromStudyArray(stored);
    EXPECT_EQ(s.lifeCycle, 25);
    EXPECT_DOUBLE_EQ(s.discountRate, 7.25);
    EXPECT_TRUE(s.calculateIncomeTaxes);
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

}  // namespace
}  // namespace qvc
