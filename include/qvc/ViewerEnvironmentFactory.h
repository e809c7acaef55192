#pragma once
// What a report viewer needs from the component (resource texts, error message
// format, help, the temporary folder, the text cash-flow notice), read from the
// calling thread's state, behind the viewer's interface ui::ViewerEnvironment.
// A host that installs the Qt viewer passes this to qvc::viewer::installQtServices.

#include <memory>

#include "qvc/Export.h"

namespace qvc::ui {
class ViewerEnvironment;
}

namespace qvc {

QVC_EXPORT std::shared_ptr<const ui::ViewerEnvironment> MakeViewerEnvironment();

}  // namespace qvc
