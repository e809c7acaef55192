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

template <typename F>
std::string recordOf(F raise, const char* procedure = "Proc", const char* className = "cClass") {
    try {
        raise();
    } catch (...) {
        return errorRecord(procedure, className);
    }
    return "nothing was thrown";
}

TEST(ErrorMessage, FieldsOfBothTagStylesAreTheSame) {
    for (const std::string r : {"3078#Table not found # BuildReports # cRptBuilder #",
                                "3078#Table not found#BuildReports#cRptBuilder#"}) {
        const char* expected[] = {"", "3078", "Table not found", "BuildReports", "cRptBuilder",
                                  "", ""};
        for (int i = 0; i <= 6; ++i)
            EXPECT_EQ(ErrorField(r, i), expected[i]) << r << " field " << i;
    }
    EXPECT_EQ(ErrorField("no separator at all", 1), "no separator at all");
    EXPECT_EQ(ErrorField("no separator at all", 2), "");
}

TEST(ErrorMessage, RecordsFromTheExceptionBeingHandledAndTheirMessage) {
    test::ThreadStateGuard guard;
    EXPECT_EQ(recordOf([] { throw rt::Error(rt::err::kTableNotFound, "No table 'tblX'"); },
                       "getStudyList", "cORVProject"),
              "3078#No table 'tblX'#getStudyList#cORVProject#");
    const std::string internal = std::to_string(rt::err::kInternal);
    EXPECT_EQ(recordOf([] { throw std::runtime_error("boom"); }), internal + "#boom#Proc#cClass#");
    EXPECT_EQ(ErrorField(recordOf([] { throw std::bad_alloc(); }), 1),
              std::to_string(rt::err::kOutOfMemory));

    threadState().res.gXstrError = "Error";
    threadState().res.gXstrMethod = "Procedure";
    threadState().res.gXstrModule = "Module";
    EXPECT_EQ(FormatErrorMessage("91#Object not set # SaveDocument # FrmReportViewer #"),
              "Error 91 - Object not set\r\nProcedure - SaveDocument\r\nModule - FrmReportViewer");
    // Fewer fields leave lines empty; a "#" inside a description shifts the following fields.
    EXPECT_EQ(FormatErrorMessage("5#Invalid procedure call"),
              "Error 5 - Invalid procedure call\r\nProcedure - \r\nModule - ");
    EXPECT_EQ(FormatErrorMessage("13#Type mismatch in item #3#AssignProperties#cORVCalculator#"),
              "Error 13 - Type mismatch in item\r\nProcedure - 3\r\nModule - AssignProperties");
}

}  // namespace
}  // namespace qvc
