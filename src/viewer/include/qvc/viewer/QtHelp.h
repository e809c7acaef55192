#pragma once
// Opens the help page in the desktop's browser at the anchor of the help
// context: file:///path/viewer.html#ctx-1000.

#include <QUrl>

#include "qvc/ui/Help.h"
#include "qvc/viewer/Export.h"

namespace qvc::viewer {

class QVC_VIEWER_EXPORT QtHelp : public ui::Help {
  public:
    void open(const std::string& file, int32_t context) override;
    static QUrl address(const std::string& file, int32_t context);
};

}  // namespace qvc::viewer
