#include "StudyConversion.h"

#include <fmt/format.h>

namespace qvc::cli {

void convertStudy(ProjectSession& session, int studyId, int type) {
    if (type < 0 || type > 3)
        throw CommandError(
            fmt::format("type of analysis {} is not one of 0 (private sector), 1 "
                        "(public sector), 2 (simple payback) and 3 (simple cash "
                        "flow)",
                        type));
    cStudy study = session.study(studyId);
    const int16_t id = toId(studyId, "study");
    // The cases and the study's type change together or not at all.
    cORVProject& project = session.project();
    project.BeginTransaction();
    session.check(fmt::format("converting study {}", studyId));
    project.ChangeAnalysisType(static_cast<int16_t>(type), id, study.Lifecycle);
    session.check(fmt::format("converting the cases of study {}", studyId));
    study.TypeOfAnalysis = static_cast<int16_t>(type);
    project.updateStudyDetails(id, study);
    session.check(fmt::format("storing the type of study {}", studyId));
    project.CommitTransaction();
    session.check(fmt::format("converting study {}", studyId));
}

}  // namespace qvc::cli
