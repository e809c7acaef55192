#include "ViewerSetup.h"

#include "ProjectSession.h"
#include "ReportCommands.h"
#include "qvc/runtime/Error.h"
#include "qvc/ui/Services.h"

#ifdef QVC_HAVE_VIEWER
#include "qvc/ViewerEnvironmentFactory.h"
#include "qvc/viewer/QtServices.h"
#endif

namespace qvc::cli {

struct ViewerSetup::State {
#ifdef QVC_HAVE_VIEWER
    std::unique_ptr<viewer::ViewerApplication> app;
#endif
};

ViewerSetup::ViewerSetup(const ReportOptions& options) : state_(std::make_unique<State>()) {
    if (!options.view && !options.print)
        return;
#ifdef QVC_HAVE_VIEWER
    try {
        using Mode = viewer::ViewerApplication::Mode;
        state_->app =
            std::make_unique<viewer::ViewerApplication>(options.view ? Mode::Screen : Mode::Any);
        if (options.view)
            viewer::installQtServices(MakeViewerEnvironment());
        if (options.print) {
            if (!options.pdfFile.empty())
                viewer::installPdfPrinter(options.pdfFile);
            else
                viewer::installSystemPrinter();
        }
    } catch (const rt::Error& e) {
        ui::Services::reset();
        state_->app.reset();
        throw CommandError(e.description());
    }
#else
    if (options.view)
        throw CommandError("this qvc was built without the report viewer (Qt 6)");
#endif
}

ViewerSetup::~ViewerSetup() {
#ifdef QVC_HAVE_VIEWER
    if (state_->app) {
        // The Qt services must go before the Qt application does.
        ui::Services::reset();
        state_->app.reset();
    }
#endif
}

}  // namespace qvc::cli
