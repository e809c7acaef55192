#include "PythonError.h"

#include <pybind11/eval.h>

#include <exception>
#include <string>

#include "JsonInputError.h"
#include "ProjectSession.h"
#include "qvc/runtime/Error.h"

namespace qvc::py {

namespace {

namespace pyb = pybind11;

constexpr const char* kErrorClass = R"py(
class Error(Exception):
    """A failure of the component: its error number and message."""

    def __init__(self, number, message):
        super().__init__(number, message)
        self.number = number
        self.message = message

    def __str__(self):
        return f"{self.message} (error {self.number})"
)py";

// The class object, kept for the life of the process (the module is never
// unloaded).
PyObject* errorClass = nullptr;

void raise(int number, const std::string& message) {
    pyb::object error = pyb::reinterpret_borrow<pyb::object>(errorClass)(number, message);
    PyErr_SetObject(errorClass, error.ptr());
}

void translate(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const pyb::error_already_set&) {
        throw;
    } catch (const pyb::builtin_exception&) {
        throw;
    } catch (const cli::CommandError& e) {
        raise(e.number(), e.description());
    } catch (const cli::JsonInputError& e) {
        raise(cli::kErrInvalidArgument, e.what());
    } catch (...) {
        const rt::ErrorInfo info = rt::describeCurrentException();
        raise(info.number, info.description);
    }
}

}  // namespace

void registerErrors(pyb::module_& module) {
    pyb::dict scope;
    scope["__builtins__"] = pyb::module_::import("builtins");
    scope["__name__"] = module.attr("__name__");
    pyb::exec(kErrorClass, scope);
    pyb::object cls = scope["Error"];
    errorClass = cls.inc_ref().ptr();
    module.attr("Error") = cls;
    pyb::register_exception_translator(&translate);
}

}  // namespace qvc::py
