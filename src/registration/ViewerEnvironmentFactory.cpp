#include "qvc/ViewerEnvironmentFactory.h"

#include "ComponentViewerEnvironment.h"

namespace qvc {

std::shared_ptr<const ui::ViewerEnvironment> MakeViewerEnvironment() {
    return std::make_shared<ComponentViewerEnvironment>();
}

}  // namespace qvc
