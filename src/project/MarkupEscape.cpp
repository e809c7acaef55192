#include "project/MarkupEscape.h"

#include "qvc/runtime/BasicString.h"

namespace qvc {

namespace {
bool isBlank(const std::string& s) {
    return rt::Trim(s).empty();
}
}  // namespace

std::string EscapeMarkup(const std::string& s) {
    if (isBlank(s))
        return s;
    return rt::Replace(rt::Replace(s, "&", "\u00AB"), "<", "\u00AC");
}

std::string EscapeApostrophes(const std::string& s) {
    if (isBlank(s))
        return s;
    return rt::Replace(s, "'", "~");
}

}  // namespace qvc
