#include "common/ErrorRecord.h"

#include <fmt/format.h>

#include "qvc/runtime/Error.h"

namespace qvc {

std::string currentErrorRecord(std::string_view tag) {
    rt::ErrorInfo info = rt::describeCurrentException();
    return fmt::format("{}#{}{}", info.number, info.description, tag);
}

std::string classTag(std::string_view procedure, std::string_view className) {
    std::string tag = "#";
    tag += procedure;
    tag += '#';
    tag += className;
    tag += '#';
    return tag;
}

std::string errorRecord(std::string_view procedure, std::string_view className) {
    return currentErrorRecord(classTag(procedure, className));
}

}  // namespace qvc
