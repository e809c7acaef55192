#include "common/ErrorMessage.h"

#include <vector>

#include "common/ResourceStrings.h"
#include "qvc/runtime/BasicString.h"

namespace qvc {

std::string ErrorField(const std::string& record, int n) {
    if (record.empty() || n < 1)
        return {};
    std::vector<std::string> pieces = rt::Split(record, "#");
    if (static_cast<size_t>(n) > pieces.size())
        return {};
    return rt::Trim(pieces[static_cast<size_t>(n) - 1]);
}

std::string FormatErrorMessage(const std::string& record) {
    if (record.empty())
        return {};
    const ResourceTexts& t = texts();
    return t.gXstrError + " " + ErrorField(record, 1) + " - " + ErrorField(record, 2) + "\r\n" +
           t.gXstrMethod + " - " + ErrorField(record, 3) + "\r\n" + t.gXstrModule + " - " +
           ErrorField(record, 4);
}

}  // namespace qvc
