#include "JsonBridge.h"

#include "JsonDocumentReader.h"
#include "JsonOutputFile.h"
#include "ProjectSession.h"

namespace qvc::py {

namespace pyb = pybind11;

nlohmann::ordered_json jsonFromPython(const pyb::handle& value, const std::string& source) {
    std::string text;
    try {
        pyb::object dumps = pyb::module_::import("json").attr("dumps");
        text = dumps(value, pyb::arg("ensure_ascii") = false).cast<std::string>();
    } catch (pyb::error_already_set& e) {
        // A set, a date, an object of the caller's own class ...
        if (!e.matches(PyExc_TypeError) && !e.matches(PyExc_ValueError) &&
            !e.matches(PyExc_UnicodeError))
            throw;
        throw cli::CommandError(source + ": " + std::string(pyb::str(e.value())), 13);
    }
    return cli::parseJsonText(text, source);
}

pyb::object pythonFromJson(const nlohmann::ordered_json& doc) {
    pyb::object loads = pyb::module_::import("json").attr("loads");
    return loads(cli::jsonOutputText(doc, "\n"));
}

}  // namespace qvc::py
