#pragma once
// Everything one report build reads, gathered by the report builder before the
// first document is opened (reports/ReportInputsReader.h). The generators and
// the page frame take what they need from here and from their arguments; none
// of them reads the per-thread state.

#include <ctime>
#include <memory>
#include <string>

#include "common/CaseCollection.h"
#include "common/ResourceTexts.h"
#include "common/StudySettings.h"

namespace tavlo {
class IAlternatives;
class IComparisons;
}  // namespace tavlo

namespace qvc::graph {
class ChartRenderer;
}

namespace qvc {

struct ReportInputs {
    // The study's settings and the texts of its type of analysis and type of
    // alternatives as the reports print them.
    StudySettings study;
    std::string analysisTypeText;
    std::string alternativeTypeText;

    // The design cases as loaded, keyed by position ("1", "2", ...).
    CaseCollection cases;
    // The engine's collections after the last run; null when there are none.
    std::shared_ptr<const tavlo::IAlternatives> alternatives;
    std::shared_ptr<const tavlo::IComparisons> comparisons;

    ResourceTexts texts;

    // The local time the page headers show, read from the environment's clock
    // once per build.
    std::tm reportTime{};

    // The names the page frame prints.
    std::string projectName;
    std::string companyName;  // as the host gave it
    std::string appName;
    std::string appVersion;

    // The folder the text cash-flow file goes to (reports/ReportFolder.h with
    // the project's folder, or the work folder when the project has none).
    std::string textFileFolder;

    // The viewer's graph surface for the charts; null when there is none. Not
    // owned: valid while the build runs.
    graph::ChartRenderer* graph = nullptr;
};

}  // namespace qvc
