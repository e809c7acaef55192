// Design case operations of cORVProject: add (entered or imported), read, update.

#include "common/ThreadState.h"

#include <fmt/format.h>
#include "project/CaseRows.h"
#include "project/ProjectOperation.h"
#include "project/cDBoperations.h"
#include "qvc/cORVProject.h"
#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/Like.h"

namespace qvc {
namespace {

using rt::Value;

// Adds the case row and returns the key the database gave it.
int32_t addCaseRow(dao::Database& db, int16_t iStudyID, const cDesignCase& c) {
    auto rs = db.OpenRecordset("SELECT * FROM tblDesignCase WHERE 0 = 1");
    rs->AddNew();
    rs->setField("sCaseTitle", Value(c.CaseTitle));
    rs->setField("sCaseShortTitle", Value(c.CaseShortTitle));
    rs->setField("sCaseDescription", Value(c.CaseDes));
    rs->setField("iCaseCopy", Value(int16_t{0}));
    rs->setField("iStudyId", Value(iStudyID));
    rs->setField("bCaseArchive", Value(false));
    rs->Update();
    const auto caseId = static_cast<int32_t>(rs->LastInsertedKey());
    CloseRecordset(rs);
    return caseId;
}

void addItemRow(dao::Database& db, const std::string& selection, const cDesignCase& c,
                CaseList list, int16_t i, int32_t caseId) {
    auto rs = db.OpenRecordset(selection);
    rs->AddNew();
    writeCaseRow(*rs, c, list, i, caseId);
    rs->Update();
    CloseRecordset(rs);
}

std::string wholeTable(CaseList list) {
    return std::string("SELECT * FROM ") + caseListInfo(list).table;
}
std::string emptySelection(CaseList list) {
    return wholeTable(list) + " WHERE 0 = 1";
}

// How many rows of each list addCaseDetails examines for a type of analysis.
struct RowLimits {
    int16_t rows[4] = {0, 0, 0, 0};
    bool amountOnly = false;
};

RowLimits rowLimitsFor(int16_t analysisType) {
    RowLimits limits;
    const std::string typeText = fmt::format("{}", analysisType);
    // The investment and loan lists test the type's text, the annual and other
    // lists its value; for a 16-bit type both mean 0 or 1.
    const bool fullByText = rt::Like(typeText, "[0,1]");
    const bool fullByValue = analysisType >= 0 && analysisType <= 1;
    if (fullByText) {
        limits.rows[0] = cDesignCase::kInvestments;
        limits.rows[1] = cDesignCase::kLoans;
    }
    if (fullByValue) {
        limits.rows[2] = cDesignCase::kAnnualCosts;
        limits.rows[3] = cDesignCase::kOtherCosts;
    }
    if (analysisType == 2 || analysisType == 3) {
        limits.rows[0] = 1;
        limits.rows[1] = 1;
        limits.rows[2] = 2;
        limits.rows[3] = 0;
        limits.amountOnly = true;
    }
    return limits;
}

const char* listName(CaseList list) {
    switch (list) {
        case CaseList::Investment:
            return "investment";
        case CaseList::Loan:
            return "loan";
        case CaseList::Annual:
            return "annual operating cost";
        case CaseList::Other:
            return "other operating cost";
    }
    return "item";
}

// Raises 5 naming the list, the row and the key when a row key is not the key
// of one of the case's own rows in that list.
void checkRowKeys(dao::Database& db, const cDesignCase& c, int32_t caseId) {
    for (CaseList list : kAllCaseLists) {
        const CaseListInfo& info = caseListInfo(list);
        for (int16_t i = 1; i <= info.capacity; ++i) {
            const int32_t key = rowKey(c, list, i);
            if (key == 0)
                continue;
            auto rs = db.OpenRecordset(
                fmt::format("SELECT iCaseId FROM {} WHERE {}={}", info.table, info.keyColumn, key));
            const bool ours = !isEmptyResult(*rs) && rs->field(0).toDouble() == caseId;
            CloseRecordset(rs);
            if (!ours)
                throw rt::Error(rt::err::kInvalidProcedureCall,
                                fmt::format("The {} row {} has the key {}, which is not a row "
                                            "of case {}; nothing was changed",
                                            listName(list), i, key, caseId));
        }
    }
}

}  // namespace

void cORVProject::addCaseDetails(int16_t iStudyID, const cDesignCase& oCaseDetails) {
    ProjectOperation op(*this, "addCaseDetails");
    try {
        if (!op.openForWrite())
            return;
        dao::Database& db = op.database();
        const int32_t caseId = addCaseRow(db, iStudyID, oCaseDetails);
        const RowLimits limits = rowLimitsFor(oCaseDetails.AnalysisType);
        for (CaseList list : kAllCaseLists) {
            const int16_t rows = limits.rows[static_cast<int>(list)];
            for (int16_t i = 1; i <= rows; ++i) {
                bool filled = limits.amountOnly ? rowHasAmount(oCaseDetails, list, i)
                                                : rowHasNameOrAmount(oCaseDetails, list, i);
                if (filled) {
                    addItemRow(db, wholeTable(list), oCaseDetails, list, i, caseId);
                } else if (list == CaseList::Loan && !limits.amountOnly) {
                    break;  // the loan list ends at its first empty row
                }
            }
        }
        op.close();
        m_lastAddedCaseID = caseId;
    } catch (...) {
        op.fail();
        CloseDatabase();
    }
}

void cORVProject::addCaseDetailsWEX(int16_t iStudyID, const cDesignCase& oCaseDetails,
                                    int16_t& iCaseID, std::string& sCaseTitle) {
    ProjectOperation op(*this, "addCaseDetailsWEX");
    try {
        if (!op.openForWrite())
            return;
        dao::Database& db = op.database();
        const int32_t caseId = addCaseRow(db, iStudyID, oCaseDetails);
        for (CaseList list : kAllCaseLists) {
            const std::string selection =
                list == CaseList::Investment ? wholeTable(list) : emptySelection(list);
            // For the simple types the imported other costs start one row later.
            const bool shifted = list == CaseList::Other &&
                                 rt::Like(fmt::format("{}", oCaseDetails.AnalysisType), "[2,3]");
            const int16_t capacity = caseListInfo(list).capacity;
            for (int16_t i = 1; i <= capacity; ++i) {
                if (!rowHasNameOrAmount(oCaseDetails, list, i))
                    continue;
                auto rs = db.OpenRecordset(selection);
                rs->AddNew();
                if (shifted)
                    ++i;
                writeCaseRow(*rs, oCaseDetails, list, i, caseId);
                rs->Update();
                CloseRecordset(rs);
            }
        }
        const int16_t newId = Value(caseId).toInt16();
        op.close();
        m_lastAddedCaseID = caseId;
        iCaseID = newId;
        sCaseTitle = rt::Trim(oCaseDetails.CaseTitle);
    } catch (...) {
        op.fail();
        CloseDatabase();
    }
}

void cORVProject::getCaseDetails(int16_t intStudyId, int16_t intCaseID,
                                 cDesignCase& objDesignCase) {
    ProjectOperation op(*this, "getCaseDetails");
    ThreadState& s = threadState();
    try {
        op.db().getCaseRecords(intStudyId, intCaseID, s.arrCaseGen, s.arrInvCosts, s.arrLoan,
                               s.arrAnOpCost, s.arrOtherCost);
        if (!op.db().ErrorText().empty()) {
            op.errorText() = op.db().ErrorText();
            return;
        }
        if (IsArrayDimensioned(s.arrCaseGen)) {
            objDesignCase.CaseTitle = s.arrCaseGen(1);
            objDesignCase.CaseShortTitle = s.arrCaseGen(2);
            objDesignCase.CaseDes = s.arrCaseGen(3);
        }
        const rt::DynArray2<Value>* arrays[] = {&s.arrInvCosts, &s.arrLoan, &s.arrAnOpCost,
                                                &s.arrOtherCost};
        for (CaseList list : kAllCaseLists) {
            const auto& arr = *arrays[static_cast<int>(list)];
            if (!IsArrayDimensioned(arr))
                continue;
            const long last = std::min<long>(arr.ubound(2), caseListInfo(list).capacity);
            for (long i = 1; i <= last; ++i)
                readCaseRow(objDesignCase, list, static_cast<int16_t>(i), arr);
        }
        s.arrCaseGen.erase();
        s.arrInvCosts.erase();
        s.arrLoan.erase();
        s.arrAnOpCost.erase();
        s.arrOtherCost.erase();
    } catch (...) {
        op.fail();
    }
}

void cORVProject::updateCaseDetails(int32_t lStudyID, int32_t lCaseID,
                                    const cDesignCase& objDesignCase) {
    ProjectOperation op(*this, "updateCaseDetails");
    std::unique_ptr<dao::Recordset> rs;
    try {
        if (!op.openForWrite())
            return;
        dao::Database& db = op.database();
        rs = db.OpenRecordset(fmt::format("SELECT * FROM tblDesignCase WHERE iCaseId={}", lCaseID));
        if (isEmptyResult(*rs)) {
            CloseRecordset(rs);
            op.close();
            return;  // no such case: nothing to write
        }
        // Every row key must name a row of this case before anything is
        // written: a key of another case's row would change or delete it.
        checkRowKeys(db, objDesignCase, lCaseID);
        rs->Edit();
        rs->setField("sCaseTitle", Value(objDesignCase.CaseTitle));
        rs->setField("sCaseShortTitle", Value(objDesignCase.CaseShortTitle));
        rs->setField("sCaseDescription", Value(objDesignCase.CaseDes));
        rs->setField("iCaseCopy", Value(int16_t{0}));
        rs->setField("iStudyId", Value(lStudyID));
        rs->setField("bCaseArchive", Value(false));
        rs->Update();
        CloseRecordset(rs);

        const std::string ofCase = fmt::format(" AND iCaseId={}", lCaseID);
        for (CaseList list : kAllCaseLists) {
            const CaseListInfo& info = caseListInfo(list);
            for (int16_t i = 1; i <= info.capacity; ++i) {
                const int32_t key = rowKey(objDesignCase, list, i);
                const bool filled = rowHasNameOrAmount(objDesignCase, list, i);
                const std::string byKey = fmt::format("{}={}{}", info.keyColumn, key, ofCase);
                if (key != 0 && !filled) {
                    db.Execute(std::string("DELETE FROM ") + info.table + " WHERE " + byKey);
                } else if (filled) {
                    rs = db.OpenRecordset(key != 0 ? wholeTable(list) + " WHERE " + byKey
                                                   : emptySelection(list));
                    if (key != 0) {
                        rs->Edit();
                    } else {
                        rs->AddNew();
                    }
                    writeCaseRow(*rs, objDesignCase, list, i, lCaseID);
                    rs->Update();
                    CloseRecordset(rs);
                }
            }
        }
        op.close();
    } catch (...) {
        CloseRecordset(rs);
        op.fail();
        CloseDatabase();
    }
}

}  // namespace qvc
