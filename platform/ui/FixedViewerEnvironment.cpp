#include "qvc/ui/FixedViewerEnvironment.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "qvc/ui/Services.h"

namespace qvc::ui {

namespace {

// The record's fields between "#" signs, trimmed of blanks.
std::vector<std::string> fieldsOf(const std::string& record) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= record.size()) {
        size_t end = record.find('#', start);
        std::string f =
            record.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const size_t first = f.find_first_not_of(' ');
        const size_t last = f.find_last_not_of(' ');
        out.push_back(first == std::string::npos ? std::string()
                                                 : f.substr(first, last - first + 1));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return out;
}

}  // namespace

std::string FixedViewerEnvironment::text(std::string_view key) const {
    auto it = texts_.find(key);
    return it == texts_.end() ? std::string() : it->second;
}

void FixedViewerEnvironment::setText(std::string key, std::string value) {
    texts_[std::move(key)] = std::move(value);
}

std::string FixedViewerEnvironment::formatError(const std::string& record) const {
    if (record.empty()) {
        return std::string();
    }
    std::vector<std::string> f = fieldsOf(record);
    f.resize(std::max<size_t>(f.size(), 4));
    return text("gXstrError") + " " + f[0] + " - " + f[1] + "\r\n" + text("gXstrMethod") + " - " +
           f[2] + "\r\n" + text("gXstrModule") + " - " + f[3];
}

void FixedViewerEnvironment::showHelp(int32_t context) const {
    std::error_code ec;
    if (helpFile_.empty() || !std::filesystem::is_regular_file(helpFile_, ec)) {
        return;
    }
    if (auto help = Services::help()) {
        help->open(helpFile_, context);
    }
}

FixedViewerEnvironment FixedViewerEnvironment::english() {
    FixedViewerEnvironment env;
    env.setText("gXstrReportFiles", "Report Files");
    env.setText("gXstrAllFiles", "All Files");
    env.setText("gXstrSaveRpt", "Save Report As");
    env.setText("gXstrError", "Error");
    env.setText("gXstrMethod", "Procedure");
    env.setText("gXstrModule", "Module");
    env.setText("gXstrASCIIFile", "The text cash flow file has been saved as");
    return env;
}

}  // namespace qvc::ui
