#pragma once
// Opens, closes and reads the project database for the project component and
// the calculator. The open database is the per-thread `gdbProject`, so every
// caller opens and closes around each operation.
//
// Every operation empties ErrorText first; a failure ends the operation and
// leaves "number#description#operation#cDBoperations #" there.

#include <cstdint>
#include <memory>
#include <string>

#include "qvc/dao/Recordset.h"
#include "qvc/runtime/DynArray.h"
#include "qvc/runtime/Value.h"

namespace qvc {

class cDBoperations {
  public:
    using RecordsetPtr = std::unique_ptr<dao::Recordset>;

    // Opens the project database for reading, or does nothing while the
    // thread has a write transaction open (reads then see its changes).
    void openDB();
    // Closes it; does nothing while a write transaction is open.
    void closeDB();
    // The study's row; the database stays open for the caller to close.
    RecordsetPtr getStudyRecords(int16_t StudyID);
    // Studies left-joined with their cases (StudyID 0: every study).
    RecordsetPtr getProjectDetails(int16_t StudyID);
    // The copy counter of a case (CaseID != 0) or of a study, plus 1; 0 on failure.
    int16_t getNoOfCopies(int32_t StudyID, int32_t CaseID);
    void getCaseIDs(int16_t StudyID, rt::DynArray<int16_t>& lCaseIDArr);
    void getCaseRecords(int16_t StudyID, int16_t CaseID, rt::DynArray<std::string>& arrCaseGen,
                        rt::DynArray2<rt::Value>& arrInvCosts, rt::DynArray2<rt::Value>& arrLoan,
                        rt::DynArray2<rt::Value>& arrAnOpCost,
                        rt::DynArray2<rt::Value>& arrOtherCost);

    const std::string& ErrorText() const { return errorText_; }

    // The project database file for a work folder.
    static std::string projectFile(const std::string& workPath);

  private:
    void fail(const char* operation);
    std::string errorText_;
};

// True when the dynamic array has bounds.
template <typename Array>
bool IsArrayDimensioned(const Array& arr) {
    return arr.isDimensioned();
}

// Closes the result set ignoring any error and releases it.
void CloseRecordset(std::unique_ptr<dao::Recordset>& rs);
// Closes the thread's project database ignoring any error and releases it;
// does nothing while a write transaction is open.
void CloseDatabase();
// A result set counts as empty only when it is at its beginning and its end at once.
bool isEmptyResult(const dao::Recordset& rs);

}  // namespace qvc
