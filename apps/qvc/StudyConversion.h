#pragma once
// Converting a study to another type of analysis: its cases rewritten and the
// new type stored, in one transaction. Shared by `qvc study convert` and the
// Python package.

#include "ProjectSession.h"

namespace qvc::cli {

// Rewrites the study's cases for the type of analysis (0 to 3) and stores the
// type in the study; on any failure nothing changes. Raises CommandError.
void convertStudy(ProjectSession& session, int studyId, int type);

}  // namespace qvc::cli
