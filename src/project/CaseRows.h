#pragma once
// How each of the four item lists of a design case maps to its table: which
// properties decide whether a row is filled, which columns are written, and
// the statements that select, add and delete its rows.

#include <cstdint>
#include <string>

#include "qvc/cDesignCase.h"
#include "qvc/dao/Recordset.h"
#include "qvc/runtime/DynArray.h"
#include "qvc/runtime/Value.h"

namespace qvc {

enum class CaseList { Investment, Loan, Annual, Other };

struct CaseListInfo {
    CaseList list;
    int16_t capacity;
    const char* table;      // e.g. "tblInvestmentCost"
    const char* keyColumn;  // spelling used in the statements
};

const CaseListInfo& caseListInfo(CaseList list);
inline constexpr CaseList kAllCaseLists[] = {CaseList::Investment, CaseList::Loan, CaseList::Annual,
                                             CaseList::Other};

// A row is filled when its name without surrounding blanks is not empty or its
// amount is not 0 (name-or-amount test); the amount test looks at the amount only.
bool rowHasNameOrAmount(const cDesignCase& c, CaseList list, int16_t i);
bool rowHasAmount(const cDesignCase& c, CaseList list, int16_t i);
int32_t rowKey(const cDesignCase& c, CaseList list, int16_t i);

// Writes row i of the list into the recordset's current new or edited row.
void writeCaseRow(dao::Recordset& rs, const cDesignCase& c, CaseList list, int16_t i,
                  int32_t caseId);

// Fills row i of the list from column i of the array read from the database
// (fields 1..n in the order of the list's properties, the key last).
void readCaseRow(cDesignCase& c, CaseList list, int16_t i, const rt::DynArray2<rt::Value>& arr);

}  // namespace qvc
