#include "qvc/cORVProject.h"

#include "common/ErrorRecord.h"
#include "common/ResourceStrings.h"
#include "common/ThreadState.h"
#include "project/cDBoperations.h"

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

void cORVProject::setChangeNotifier(std::shared_ptr<IChangeNotifier> notifier) {
    m_oChangeNotifier = std::move(notifier);
}

cDBoperations& cORVProject::db() {
    if (!m_oDB)
        m_oDB = std::make_unique<cDBoperations>();
    return *m_oDB;
}

void cORVProject::notifyChanged() {
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
