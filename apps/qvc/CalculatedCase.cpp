#include "CalculatedCase.h"

#include <fmt/format.h>

#include <pugixml.hpp>

namespace qvc::cli {

std::vector<CalculatedCase> calculatedCases(ProjectSession& session, int studyId,
                                            int alternatives) {
    // The project summary lists a study's cases by ascending ID.
    std::string markup;
    session.project().getProjectDetails(markup, toId(studyId, "study"));
    session.check(fmt::format("listing the cases of study {}", studyId));
    pugi::xml_document doc;
    if (!doc.load_string(markup.c_str()))
        throw CommandError("the project summary could not be read");
    std::vector<CalculatedCase> cases;
    for (const auto& study : doc.child("project").children("study"))
        for (const auto& c : study.children("case")) {
            CalculatedCase calculated;
            calculated.number = static_cast<int>(cases.size()) + 1;
            calculated.caseId = c.attribute("id").as_int();
            const cDesignCase record = session.designCase(studyId, calculated.caseId);
            calculated.title = record.CaseTitle;
            calculated.shortTitle = record.CaseShortTitle;
            cases.push_back(calculated);
        }
    if (static_cast<int>(cases.size()) != alternatives)
        throw CommandError(fmt::format(
            "the design cases of study {} changed during the calculation; run it again", studyId));
    return cases;
}

}  // namespace qvc::cli
