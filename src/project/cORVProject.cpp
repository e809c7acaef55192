#include "qvc/cORVProject.h"

#include "common/ErrorRecord.h"
#include "common/ResourceStrings.h"
#include "common/ThreadState.h"
#include "project/WriteTransaction.h"
#include "project/cDBoperations.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc {

cORVProject::cORVProject() {
    try {
        m_oDB = std::make_unique<cDBoperations>();
        // The texts of reports and messages, loaded once per thread.
        AssignResourceStrings();
    } catch (...) {
        m_sErrMsg = currentErrorRecord(classTag("Class_Initialize", "cORVProject"));
    }
}

cORVProject::~cORVProject() = default;

void cORVProject::BeginTransaction() {
    m_sErrMsg.clear();
    try {
        if (m_oTransaction)
            throw rt::Error(rt::err::kInvalidProcedureCall,
                            "A transaction is already open on this project object");
        m_oTransaction = std::make_unique<WriteTransaction>();
    } catch (...) {
        m_sErrMsg = currentErrorRecord(classTag("BeginTransaction", "cORVProject"));
    }
}

void cORVProject::CommitTransaction() {
    m_sErrMsg.clear();
    try {
        if (!m_oTransaction)
            throw rt::Error(rt::err::kCommitWithoutBegin, "Commit without a transaction");
        auto transaction = std::move(m_oTransaction);
        transaction->commit();
        if (m_notifyPending)
            notifyChanged();
    } catch (...) {
        m_sErrMsg = currentErrorRecord(classTag("CommitTransaction", "cORVProject"));
    }
}

void cORVProject::RollbackTransaction() {
    m_sErrMsg.clear();
    m_oTransaction.reset();
    m_notifyPending = false;
}

void cORVProject::setChangeNotifier(std::shared_ptr<IChangeNotifier> notifier) {
    m_oChangeNotifier = std::move(notifier);
}

cDBoperations& cORVProject::db() {
    if (!m_oDB)
        m_oDB = std::make_unique<cDBoperations>();
    return *m_oDB;
}

void cORVProject::notifyChanged() {
    // Inside a transaction the change is not made yet: the observer hears of
    // it when the transaction commits.
    if (WriteTransaction::active()) {
        m_notifyPending = true;
        return;
    }
    m_notifyPending = false;
    if (m_oChangeNotifier)
        m_oChangeNotifier->NotifyChanged(true);
}

void cORVProject::setWorkPath(const std::string& StrWorkPath, const std::string& strExePath,
                              const std::string& strJobPath) {
    ThreadState& s = threadState();
    s.StrWorkPath = StrWorkPath;
    s.strExePath = strExePath;
    s.strJobPath = strJobPath;
}

void cORVProject::setProjectPath(const std::string& strProjectPath,
                                 const std::string& strProjectName, const std::string& strAppName,
                                 const std::string& strCompanyName,
                                 const std::string& strAppVersion, const std::string& strTempPath) {
    m_sErrMsg.clear();
    ThreadState& s = threadState();
    s.strProjectPath = strProjectPath;
    s.strProjectName = strProjectName;
    s.strAppName = strAppName;
    s.strCompanyName = strCompanyName;
    s.strAppVersion = strAppVersion;
    s.strTempPath = strTempPath;
}

}  // namespace qvc
