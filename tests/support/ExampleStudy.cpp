#include "ExampleStudy.h"

#include <stdexcept>

#include "JsonRecords.h"
#include "qvc/ProjectDatabase.h"
#include "qvc/ResManager.h"

namespace qvc::test {

namespace fs = std::filesystem;

namespace {
const fs::path kExampleFolder = fs::path(QVC_SOURCE_DIR) / "examples" / "office-hvac";
}  // namespace

cStudy exampleStudy(const ExampleVariant& variant) {
    cStudy s = cli::studyFromJson(cli::readJsonFile((kExampleFolder / "study.json").string()));
    s.TypeOfAnalysis = variant.analysis;
    s.TypeOfAlternative = variant.alternatives;
    s.CalcIncomeTaxes = variant.taxes;
    if (!variant.taxes)
        s.IncomeTaxes = 0;
    if (!variant.currency.empty())
        s.CurSymbol = variant.currency;
    if (!variant.title.empty())
        s.StudyTitle = variant.title;
    if (variant.lifecycle > 0)
        s.Lifecycle = variant.lifecycle;
    return s;
}

std::vector<cDesignCase> exampleCases() {
    std::vector<cDesignCase> cases;
    for (const char* name : {"1-refurbish.json", "2-high-efficiency.json", "3-ground-source.json"})
        cases.push_back(
            cli::caseFromJson(cli::readJsonFile((kExampleFolder / "cases" / name).string())));
    return cases;
}

ExampleProject::ExampleProject(const fs::path& folder) {
    ResManager().SetResourceDB(QVC_RESOURCE_DB);
    const std::string error = CreateProjectDatabase(ProjectDatabaseFile(folder.string()));
    if (!error.empty())
        throw std::runtime_error("creating the example's project failed: " + error);
    project_ = std::make_unique<cORVProject>();
    project_->setWorkPath(folder.string(), "", "");
}

ExampleProject::~ExampleProject() = default;

int16_t ExampleProject::store(const cStudy& study, std::vector<cDesignCase> cases) {
    project_->addStudyDetails(study);
    if (!project_->getErrorMsg().empty())
        throw std::runtime_error("storing the study failed: " + project_->getErrorMsg());
    const auto id = static_cast<int16_t>(project_->LastAddedStudyID());
    for (cDesignCase& c : cases) {
        c.StudyID = id;
        c.AnalysisType = study.TypeOfAnalysis;
        c.Lifecycle = study.Lifecycle;
        project_->addCaseDetails(id, c);
        if (!project_->getErrorMsg().empty())
            throw std::runtime_error("storing " + c.CaseTitle +
                                     " failed: " + project_->getErrorMsg());
    }
    return id;
}

bool ExampleProject::calculate(const ExampleVariant& variant, std::vector<cDesignCase> cases,
                               const std::string& reportTypes) {
    const int16_t id =
        store(exampleStudy(variant), cases.empty() ? exampleCases() : std::move(cases));
    calculator_.reset();  // its destructor empties colCases; the new one starts empty
    calculator_ = std::make_unique<cORVCalculator>();
    calculator_->StudyID = id;
    calculator_->sReportTypes = reportTypes;
    return calculator_->PerformCalc();
}

}  // namespace qvc::test
