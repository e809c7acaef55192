#pragma once
// qvcomponents.Error: every failure of the package reaches Python as this
// exception, with the error number and the message the component gives
// (attributes `number` and `message`). The host's own checks (an ID out of
// range, a study that does not exist, a record the JSON rules refuse) carry
// the classic numbers of ProjectSession.h.

#include <pybind11/pybind11.h>

namespace qvc::py {

// Defines qvcomponents.Error in the module and turns the C++ failures that
// reach Python (CommandError, JsonInputError, rt::Error, any other exception
// as 51 internal error) into it. Python's own exceptions pass unchanged.
void registerErrors(pybind11::module_& module);

}  // namespace qvc::py
