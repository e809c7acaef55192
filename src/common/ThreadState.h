#pragma once
// Everything the component shares between its objects on one thread: the open
// project database, the path settings, the loaded study and case arrays, the
// status code and error text. One object per thread (thread_local); nothing is
// locked. Tests call resetThreadState() between cases.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "common/CaseCollection.h"
#include "common/ResourceTexts.h"
#include "qvc/dao/Database.h"
#include "qvc/runtime/DynArray.h"
#include "qvc/runtime/Value.h"

namespace tavlo {
class IAlternatives;
class IComparisons;
}  // namespace tavlo

namespace qvc {

struct ThreadState {
    // Database and paths.
    std::shared_ptr<dao::Database> gdbProject;
    // Open write transactions on gdbProject (see project/WriteTransaction.h):
    // while one is open, operations join it instead of opening and closing
    // the database themselves. `writeAbandoned` is set when a joined
    // operation failed, so that the outermost one rolls everything back.
    int writeDepth = 0;
    bool writeAbandoned = false;
    std::string StrWorkPath;
    std::string strExePath;
    std::string strJobPath;
    std::string strProjectPath;
    std::string strProjectName;
    std::string strAppName;
    std::string strCompanyName;
    std::string strAppVersion;
    std::string strTempPath;

    // Study and case arrays loaded for a calculation or an input report.
    std::array<std::string, 10> arrStudy;
    rt::DynArray<int16_t> lCaseIDArr;
    std::array<int16_t, 5> arrCaseStatus{};
    rt::DynArray<std::string> arrCaseGen;
    rt::DynArray2<rt::Value> arrInvCosts;
    rt::DynArray2<rt::Value> arrLoan;
    rt::DynArray2<rt::Value> arrAnOpCost;
    rt::DynArray2<rt::Value> arrOtherCost;
    // Snapshots of the cases processed by the last run, keyed by position text.
    CaseCollection colCases;
    // The engine's collections after a successful run, for the result reports.
    // Each shares ownership of the engine that holds it, so the results stay
    // readable even when the calculator has replaced or released its engine.
    std::shared_ptr<const tavlo::IAlternatives> colAlternatives;
    std::shared_ptr<const tavlo::IComparisons> colComparisons;

    // Status of the last calculation run.
    int16_t gErrCode = 0;
    std::string gErrMsg;
    int16_t gReportMode = 0;

    // Resource texts (filled once per thread, see ResourceStrings.h) and the
    // paths the host names through ResManager.
    ResourceTexts res;
    bool gStringsLoaded = false;
    std::string gResourceDB;
    std::string gHelpFile;
};

// The calling thread's state, created on first use.
ThreadState& threadState();

// Closes the thread's database and empties its state (for tests and hosts
// that start over).
void resetThreadState();

}  // namespace qvc
