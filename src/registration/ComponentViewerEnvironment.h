#pragma once
// The viewer's environment read from the component's per-thread state: the
// resource texts (loaded on first use, as every report object does), the error
// message format, the help file named through ResManager::SetHelpFile and the
// temporary folder. The component hands
// an instance to the host through MakeViewerEnvironment; the host passes it to
// the viewer, which sees only the ui::ViewerEnvironment interface.

#include "qvc/ui/ViewerEnvironment.h"

namespace qvc {

class ComponentViewerEnvironment : public ui::ViewerEnvironment {
  public:
    std::string text(std::string_view key) const override;
    std::string formatError(const std::string& record) const override;
    void showHelp(int32_t context) const override;
    std::string tempFolder() const override;
};

}  // namespace qvc
