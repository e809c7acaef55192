#include "qvc/runtime/Error.h"

#include <exception>
#include <new>

#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::rt {

ErrorInfo describeCurrentException() {
    try {
        throw;
    } catch (const Error& e) {
        return {e.number(), e.description()};
    } catch (const std::bad_alloc&) {
        return {err::kOutOfMemory, "Out of memory"};
    } catch (const std::exception& e) {
        return {err::kInternal, e.what()};
    } catch (...) {
        return {err::kInternal, "Unknown internal error"};
    }
}

}  // namespace qvc::rt
