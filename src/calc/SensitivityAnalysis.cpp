#include "qvc/SensitivityAnalysis.h"

#include "calc/SensitivityRunner.h"
#include "common/ErrorRecord.h"
#include "common/ResourceStrings.h"
#include "common/ThreadState.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc {

class SensitivityAnalysis::Impl {
  public:
    std::unique_ptr<calc::SensitivityRunner> runner;
    SensitivityResult empty;
};

SensitivityAnalysis::SensitivityAnalysis() : m_impl(std::make_unique<Impl>()) {}

SensitivityAnalysis::~SensitivityAnalysis() = default;

void SensitivityAnalysis::clearError() {
    m_errNumber = 0;
    m_errDescription.clear();
    m_errMsg.clear();
}

void SensitivityAnalysis::recordFailure(const char* procedure) {
    const rt::ErrorInfo info = rt::describeCurrentException();
    m_errNumber = info.number;
    m_errDescription = info.description;
    m_errMsg = errorRecord(procedure, "SensitivityAnalysis");
}

bool SensitivityAnalysis::Load() {
    clearError();
    try {
        m_impl->runner.reset();
        try {
            // The texts only name values out of range; a point is calculated
            // without them.
            AssignResourceStrings();
        } catch (...) {
        }
        m_impl->runner = std::make_unique<calc::SensitivityRunner>(StudyID, threadState().res);
        return true;
    } catch (...) {
        recordFailure("Load");
        return false;
    }
}

std::vector<SensitivityFactor> SensitivityAnalysis::DefaultFactors() const {
    try {
        if (m_impl->runner)
            return m_impl->runner->defaultFactors();
    } catch (...) {
    }
    return {};
}

bool SensitivityAnalysis::Run(const std::vector<SensitivityFactor>& factors) {
    if (!m_impl->runner || m_impl->runner->studyId() != StudyID) {
        if (!Load())
            return false;
    }
    clearError();
    try {
        m_impl->runner->run(factors);
        return true;
    } catch (...) {
        recordFailure("Run");
        return false;
    }
}

const SensitivityResult& SensitivityAnalysis::Result() const {
    return m_impl->runner ? m_impl->runner->result() : m_impl->empty;
}

}  // namespace qvc
