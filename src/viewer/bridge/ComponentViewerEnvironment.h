#pragma once
// The viewer's environment read from the component's per-thread state: the
// resource texts (loaded on first use, as every report object does), the error
// message format, the help file named through ResManager::SetHelpFile, the
// temporary folder, and the text cash-flow file's outcome.
//
// Header-only on purpose: the state it reads is private to the component
// library, so this class must be compiled inside that library (or a program
// linked with qvcomponents_internal). The component hands an instance to the
// host through an exported factory; the host passes it to installQtServices.

#include <optional>
#include <string>
#include <string_view>

#include "common/ErrorMessage.h"
#include "common/Help.h"
#include "common/ResourceStrings.h"
#include "common/ThreadState.h"
#include "qvc/viewer/ViewerEnvironment.h"
#include "reports/ReportState.h"

namespace qvc::viewer {

class ComponentViewerEnvironment : public ViewerEnvironment {
  public:
    std::string text(std::string_view key) const override {
        loadTexts();
        for (const ResourceKey& k : kResourceKeys) {
            if (k.name == key) {
                return threadState().res.*(k.member);
            }
        }
        return std::string();
    }

    std::string formatError(const std::string& record) const override {
        loadTexts();
        return FormatErrorMessage(record);
    }

    void showHelp(int32_t context) const override { ShowHelp(context); }

    std::string tempFolder() const override { return threadState().strTempPath; }

    std::optional<std::string> asciiFileNotice() const override {
        const ReportState& rs = reportState();
        if (!rs.gAsciiFileWritten) {
            return std::nullopt;
        }
        loadTexts();
        return threadState().res.gXstrASCIIFile + " " + rs.gAsciiPath;
    }

  private:
    static void loadTexts() {
        try {
            AssignResourceStrings();
        } catch (...) {
            // Texts that cannot be loaded stay empty, as for every report object.
        }
    }
};

}  // namespace qvc::viewer
