#pragma once
// Python values to and from the JSON records of `qvc`: a dict becomes the
// text json.dumps makes of it and is read by the same reader and records as
// a file given to `qvc study add --json`; a record comes back through
// json.loads of the text `qvc` prints. So the package and the command line
// accept and give exactly the same keys and values.

#include <pybind11/pybind11.h>

#include <nlohmann/json.hpp>
#include <string>

namespace qvc::py {

// Raises CommandError 13 (type mismatch) for a value JSON cannot hold, and
// JsonInputError for JSON the reader refuses; `source` names the value in
// messages.
nlohmann::ordered_json jsonFromPython(const pybind11::handle& value, const std::string& source);

pybind11::object pythonFromJson(const nlohmann::ordered_json& doc);

}  // namespace qvc::py
