#include "qvc/ViewerEnvironmentFactory.h"

#include "bridge/ComponentViewerEnvironment.h"

namespace qvc {

std::shared_ptr<const viewer::ViewerEnvironment> MakeViewerEnvironment() {
    return std::make_shared<viewer::ComponentViewerEnvironment>();
}

}  // namespace qvc
