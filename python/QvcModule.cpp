// The Python package qvcomponents: projects, studies and design cases as the
// dicts of `qvc`'s JSON records, calculations with every result, the reports,
// and qvcomponents.Error for every failure. Nothing is printed: the
// component's message boxes and progress window are silent in this process.

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <filesystem>

#include "JsonBridge.h"
#include "ProjectHandle.h"
#include "PythonError.h"
#include "SilentServices.h"
#include "StudyCalculation.h"
#include "qvc/InstalledFiles.h"

namespace pyb = pybind11;
using namespace pybind11::literals;
using qvc::py::ProjectHandle;

namespace {

qvc::py::RecordingMessageBox* messages = nullptr;

template <typename Record>
void bindRecord(pyb::module_& m, const char* name, const char* doc) {
    pyb::class_<Record>(m, name, doc)
        .def("__getattr__",
             [](const Record& r, const std::string& key) -> pyb::object {
                 if (!r.values.contains(key))
                     throw pyb::attribute_error(key);
                 return r.values[key.c_str()];
             })
        .def("__dir__", [](const Record& r) { return pyb::list(r.values); })
        .def(
            "to_dict", [](const Record& r) { return pyb::dict(r.values); },
            "The values by getter name (a copy).")
        .def("__repr__", [name](const Record& r) {
            return std::string(name) + "(" + std::string(pyb::repr(r.values)) + ")";
        });
}

void bindResults(pyb::module_& m) {
    using qvc::py::CalculationResults;
    bindRecord<qvc::py::AlternativeResult>(
        m, "Alternative", "One design case as the engine calculated it; attributes are getters.");
    bindRecord<qvc::py::ComparisonResult>(
        m, "Comparison", "A challenger against a base case; attributes are getters.");
    pyb::class_<CalculationResults>(m, "Results", "Every result of a calculated study.")
        .def_property_readonly("study_id", &CalculationResults::studyId)
        .def_property_readonly("study", &CalculationResults::study, "The study record (dict).")
        .def_property_readonly("settings", &CalculationResults::settings,
                               "The engine's settings (dict).")
        .def_property_readonly("alternatives", &CalculationResults::alternatives)
        .def_property_readonly("comparisons", &CalculationResults::comparisons)
        .def("to_json", &CalculationResults::toJson,
             "The document `qvc calc --json -` prints, unrounded.");
}

void bindProject(pyb::module_& m) {
    pyb::class_<ProjectHandle>(m, "Project", "A project folder (ORV30.mdb).")
        .def(pyb::init([](const std::filesystem::path& path, bool create) {
                 return ProjectHandle(path.string(), create);
             }),
             "path"_a, "create"_a = false)
        .def_property_readonly("path", &ProjectHandle::path)
        .def("studies", &ProjectHandle::studies, "Study IDs, ascending.")
        .def("cases", &ProjectHandle::cases, "study"_a, "A study's case IDs, ascending.")
        .def("add_study", &ProjectHandle::addStudy, "record"_a, "Adds a study; its ID.")
        .def("study", &ProjectHandle::study, "study"_a)
        .def("update_study", &ProjectHandle::updateStudy, "study"_a, "record"_a)
        .def("copy_study", &ProjectHandle::copyStudy, "study"_a, "Copies with its cases; new ID.")
        .def("delete_study", &ProjectHandle::deleteStudy, "study"_a)
        .def("convert", &ProjectHandle::convert, "study"_a, "type"_a,
             "Rewrites the cases for type of analysis 0-3 and stores it in the study.")
        .def("add_case", &ProjectHandle::addCase, "study"_a, "record"_a, "Adds a case; its ID.")
        .def("case", &ProjectHandle::designCase, "study"_a, "case"_a)
        .def("update_case", &ProjectHandle::updateCase, "study"_a, "case"_a, "record"_a)
        .def("copy_case", &ProjectHandle::copyCase, "study"_a, "case"_a, "to_study"_a = pyb::none(),
             "Copies into to_study (default: the same study); the new case's ID.")
        .def("move_case", &ProjectHandle::moveCase, "study"_a, "case"_a, "to_study"_a)
        .def("delete_case", &ProjectHandle::deleteCase, "study"_a, "case"_a)
        .def("__repr__", [](const ProjectHandle& p) {
            return "qvcomponents.Project(" + pyb::repr(pyb::str(p.path())).cast<std::string>() +
                   ")";
        });
}

// {"discount-rate": (0.02, 0.05), "investment:3": None}: the factors by
// name, with their low and high values or None for -20 % / +20 %.
std::vector<qvc::SensitivityFactor> factorsFrom(const pyb::handle& vary) {
    std::vector<qvc::SensitivityFactor> factors;
    if (vary.is_none())
        return factors;
    for (const auto& [key, values] : pyb::cast<pyb::dict>(vary)) {
        const std::string name = pyb::str(key);
        std::optional<qvc::SensitivityFactor> factor = qvc::SensitivityFactor::fromName(name);
        if (!factor)
            throw qvc::cli::CommandError(
                "unknown factor \"" + name +
                "\" (discount-rate, tax-rate, investment:CASE, annual:CASE, other:CASE or "
                "escalation:CASE)");
        if (!values.is_none()) {
            std::pair<double, double> range;
            try {
                range = values.cast<std::pair<double, double>>();
            } catch (const pyb::cast_error&) {
                throw qvc::cli::CommandError(name + ": the values must be a pair (low, high)", 13);
            }
            factor->low = range.first;
            factor->high = range.second;
        }
        factors.push_back(*factor);
    }
    return factors;
}

void bindCalculation(pyb::module_& m) {
    m.def(
        "calculate",
        [](const ProjectHandle& project, int study) {
            return qvc::py::StudyCalculation(project, *messages).calculate(study);
        },
        "project"_a, "study"_a, "Calculates a study; its Results.");
    m.def(
        "write_reports",
        [](const ProjectHandle& project, int study, const std::string& codes,
           const std::filesystem::path& out) {
            return qvc::py::StudyCalculation(project, *messages)
                .writeReports(study, codes, out.string());
        },
        "project"_a, "study"_a, "codes"_a, "out"_a,
        "Writes the reports named by codes into the folder out; the files there.");
    m.def(
        "sensitivity",
        [](const ProjectHandle& project, int study, const pyb::object& vary) {
            return qvc::py::pythonFromJson(qvc::py::StudyCalculation(project, *messages)
                                               .sensitivity(study, factorsFrom(vary)));
        },
        "project"_a, "study"_a, "vary"_a = pyb::none(),
        "How the TPWs and the preferred case move when inputs are off: the document of "
        "`qvc sensitivity` (sensitivity.json). vary maps factor names to (low, high) or None "
        "(-20 %/+20 %); without it every factor of the study is varied.");
}

}  // namespace

PYBIND11_MODULE(qvcomponents, m) {
    m.doc() = "Life-cycle cost projects, calculations and reports of QVComponents.";
    m.attr("__version__") = qvc::ComponentVersion();
    messages = &qvc::py::installSilentServices();
    qvc::py::registerErrors(m);
    bindProject(m);
    bindResults(m);
    bindCalculation(m);
}
