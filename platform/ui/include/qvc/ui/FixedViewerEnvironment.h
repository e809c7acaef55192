#pragma once
// A fixed viewer environment: texts from a table, help through the installed
// help service. Used by hosts that only print or view
// documents they made themselves, as the viewer's default, and by tests.

#include <map>
#include <string>

#include "qvc/ui/Export.h"
#include "qvc/ui/ViewerEnvironment.h"

namespace qvc::ui {

class QVC_UI_EXPORT FixedViewerEnvironment : public ViewerEnvironment {
  public:
    std::string text(std::string_view key) const override;
    std::string formatError(const std::string& record) const override;
    void showHelp(int32_t context) const override;
    std::string tempFolder() const override { return tempFolder_; }

    // The English texts the viewer uses, as shipped.
    static FixedViewerEnvironment english();
    void setText(std::string key, std::string value);
    void setTempFolder(std::string folder) { tempFolder_ = std::move(folder); }
    // Help requests go to the installed help service (Services::help()) with
    // this file; empty = no help.
    void setHelpFile(std::string file) { helpFile_ = std::move(file); }

  private:
    std::map<std::string, std::string, std::less<>> texts_;
    std::string tempFolder_;
    std::string helpFile_;
};

}  // namespace qvc::ui
