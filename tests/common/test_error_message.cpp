#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "CommonTestSupport.h"
#include "common/ErrorMessage.h"
#include "common/ErrorRecord.h"
#include "common/ThreadState.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc {
namespace {

class ErrorMessage : public ::testing::Test {
  protected:
    ErrorMessage() {
        threadState().res.gXstrError = "Error";
        threadState().res.gXstrMethod = "Procedure";
        threadState().res.gXstrModule = "Module";
    }
    test::ThreadStateGuard guard_;
};

template <typename F>
std::string recordOf(F raise, const char* procedure, const char* className) {
    try {
        raise();
    } catch (...) {
        return errorRecord(procedure, className);
    }
    return "nothing was thrown";
}

TEST_F(ErrorMessage, FieldsOfBothTagStylesAreTheSame) {
    const std::string classStyle = "3078#Table not found # BuildReports # cRptBuilder #";
    const std::string formStyle = "3078#Table not found#BuildReports#cRptBuilder#";
    for (const std::string& r : {classStyle, formStyle}) {
        EXPECT_EQ(ErrorField(r, 1), "3078");
        EXPECT_EQ(ErrorField(r, 2), "Table not found");
        EXPECT_EQ(ErrorField(r, 3), "BuildReports");
        EXPECT_EQ(ErrorField(r, 4), "cRptBuilder");
        EXPECT_EQ(ErrorField(r, 5), "");  // after the trailing "#"
        EXPECT_EQ(ErrorField(r, 6), "");
        EXPECT_EQ(ErrorField(r, 0), "");
        EXPECT_EQ(ErrorField(r, -3), "");
    }
    EXPECT_EQ(ErrorField("", 1), "");
    EXPECT_EQ(ErrorField("no separator at all", 1), "no separator at all");
    EXPECT_EQ(ErrorField("no separator at all", 2), "");
    EXPECT_EQ(ErrorField("##", 2), "");
}

TEST_F(ErrorMessage, RecordFromTheExceptionBeingHandled) {
    std::string r = recordOf([] { throw rt::Error(rt::err::kTableNotFound, "No table 'tblX'"); },
                             "getStudyList", "cORVProject");
    EXPECT_EQ(r, "3078#No table 'tblX'#getStudyList#cORVProject#");

    r = recordOf([] { throw std::runtime_error("boom"); }, "Proc", "cClass");
    EXPECT_EQ(ErrorField(r, 1), std::to_string(rt::err::kInternal));
    EXPECT_EQ(ErrorField(r, 2), "boom");
    EXPECT_EQ(ErrorField(r, 4), "cClass");

    r = recordOf([] { throw 42; }, "Proc", "cClass");
    EXPECT_EQ(ErrorField(r, 1), std::to_string(rt::err::kInternal));
    EXPECT_EQ(ErrorField(r, 3), "Proc");

    r = recordOf([] { throw std::bad_alloc(); }, "Proc", "cClass");
    EXPECT_EQ(ErrorField(r, 1), std::to_string(rt::err::kOutOfMemory));
}

TEST_F(ErrorMessage, HashInsideADescriptionShiftsTheFollowingFields) {
    std::string r = recordOf([] { throw rt::Error(13, "Type mismatch in item #3 of the list"); },
                             "AssignProperties", "cORVCalculator");
    EXPECT_EQ(r, "13#Type mismatch in item #3 of the list#AssignProperties#cORVCalculator#");
    EXPECT_EQ(ErrorField(r, 2), "Type mismatch in item");
    EXPECT_EQ(ErrorField(r, 3), "3 of the list");
    EXPECT_EQ(ErrorField(r, 4), "AssignProperties");
    EXPECT_EQ(ErrorField(r, 5), "cORVCalculator");
    EXPECT_EQ(FormatErrorMessage(r),
              "Error 13 - Type mismatch in item\r\n"
              "Procedure - 3 of the list\r\n"
              "Module - AssignProperties");
}

TEST_F(ErrorMessage, FormattedMessageVariants) {
    EXPECT_EQ(FormatErrorMessage(""), "");
    EXPECT_EQ(FormatErrorMessage("91#Object not set # SaveDocument # FrmReportViewer #"),
              "Error 91 - Object not set\r\nProcedure - SaveDocument\r\nModule - FrmReportViewer");
    // Fewer than four fields leave the missing lines empty after their dashes.
    EXPECT_EQ(FormatErrorMessage("5#Invalid procedure call"),
              "Error 5 - Invalid procedure call\r\nProcedure - \r\nModule - ");
    EXPECT_EQ(FormatErrorMessage("just a text"),
              "Error just a text - \r\nProcedure - \r\nModule - ");

    // The labels are resource texts: without loaded texts they are empty.
    resetThreadState();
    EXPECT_EQ(FormatErrorMessage("7#Out of memory#Load#cX#"),
              " 7 - Out of memory\r\n - Load\r\n - cX");
}

}  // namespace
}  // namespace qvc
