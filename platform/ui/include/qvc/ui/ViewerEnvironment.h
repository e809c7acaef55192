#pragma once
// What the viewer windows need from the program that builds the reports: the
// resource texts of the calling thread, the three-line error message, the help
// page and the temporary folder. The viewer sees
// only this interface; the component implements it over its per-thread state
// (qvc::MakeViewerEnvironment) and a host hands that object to the viewer.
//
// Every call comes from the thread that builds and shows the reports.

#include <cstdint>
#include <string>
#include <string_view>
#include "qvc/ui/Export.h"

namespace qvc::ui {

class QVC_UI_EXPORT ViewerEnvironment {
  public:
    virtual ~ViewerEnvironment() = default;
    // The resource text of `key` (gXstrReportFiles, gXstrSaveRpt ...); empty when
    // it is unknown or not loaded.
    virtual std::string text(std::string_view key) const = 0;
    // The message shown for an error record "number#description#procedure#class#".
    virtual std::string formatError(const std::string& record) const = 0;
    // Opens the help page at `context`; shows nothing when there is no help file.
    virtual void showHelp(int32_t context) const = 0;
    // Folder the save dialog starts in; empty = the dialog's own choice.
    virtual std::string tempFolder() const = 0;
};

}  // namespace qvc::ui
