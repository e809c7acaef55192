#pragma once
// qvcomponents.Project: a project folder, and the operations of `qvc study`,
// `qvc case` and `qvc study convert` on it with dicts for the JSON records.
// Every call opens the project on the calling thread, as a `qvc` command does,
// so several projects and threads can be used in one process.

#include <pybind11/pybind11.h>

#include <optional>
#include <string>
#include <vector>

#include "ProjectSession.h"

namespace qvc::py {

class ProjectHandle {
  public:
    // With `create`, makes the folder and an empty project in it (refused,
    // number 58, when it already holds one); otherwise the folder must hold a
    // project (3024 when it does not).
    ProjectHandle(const std::string& path, bool create);

    const std::string& path() const { return dir_; }
    // The project on the calling thread; a notice about its texts becomes a
    // Python warning.
    cli::ProjectSession open() const;

    // Study IDs, ascending; the IDs of a study's cases, ascending.
    std::vector<int> studies() const;
    std::vector<int> cases(int studyId) const;

    int addStudy(const pybind11::handle& record);
    pybind11::object study(int studyId) const;
    void updateStudy(int studyId, const pybind11::handle& record);
    int copyStudy(int studyId);
    void deleteStudy(int studyId);
    void convert(int studyId, int type);

    int addCase(int studyId, const pybind11::handle& record);
    pybind11::object designCase(int studyId, int caseId) const;
    void updateCase(int studyId, int caseId, const pybind11::handle& record);
    // Into `toStudy`, the case's own study when not given; copy returns the
    // new case's ID.
    int copyCase(int studyId, int caseId, std::optional<int> toStudy);
    void moveCase(int studyId, int caseId, int toStudy);
    void deleteCase(int studyId, int caseId);

  private:
    // The summary mark-up of one study (or all, 0).
    std::string summary(cli::ProjectSession& session, int studyId) const;
    // DuplicateCase with its checks; the ID of the case it added (a copy).
    int transferCase(int studyId, int caseId, const char* action, int toStudy);

    std::string dir_;
};

}  // namespace qvc::py
