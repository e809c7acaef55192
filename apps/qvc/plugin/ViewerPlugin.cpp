// The report viewer plug-in: the Qt windows and printers behind qvc's --view and
// --print, reached through the C entry points of ViewerPluginApi.h.

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "ViewerPluginApi.h"
#include "qvc/ViewerEnvironmentFactory.h"
#include "qvc/runtime/Error.h"
#include "qvc/ui/Services.h"
#include "qvc/viewer/QtServices.h"

#define QVC_PLUGIN_ENTRY extern "C" __attribute__((visibility("default")))

namespace {

std::unique_ptr<qvc::viewer::ViewerApplication>& application() {
    static std::unique_ptr<qvc::viewer::ViewerApplication> app;
    return app;
}

void copyMessage(const std::string& text, char* message, std::size_t size) {
    if (message == nullptr || size == 0)
        return;
    const std::size_t n = std::min(text.size(), size - 1);
    std::memcpy(message, text.data(), n);
    message[n] = '\0';
}

void takeDown() {
    // The Qt services must go before the Qt application does.
    qvc::ui::Services::reset();
    application().reset();
}

}  // namespace

QVC_PLUGIN_ENTRY int qvcViewerInterface() {
    return QVC_VIEWER_PLUGIN_INTERFACE;
}

QVC_PLUGIN_ENTRY int qvcViewerStart(const QvcViewerRequest* request, char* message,
                                    std::size_t size) {
    using qvc::viewer::ViewerApplication;
    try {
        if (request == nullptr || application())
            throw qvc::rt::Error(5, "The report viewer was started twice or without a request");
        application() = std::make_unique<ViewerApplication>(
            request->view ? ViewerApplication::Mode::Screen : ViewerApplication::Mode::Any);
        if (request->view)
            qvc::viewer::installQtServices(qvc::MakeViewerEnvironment());
        if (request->print) {
            if (request->pdfFile != nullptr && request->pdfFile[0] != '\0')
                qvc::viewer::installPdfPrinter(request->pdfFile);
            else
                qvc::viewer::installSystemPrinter();
        }
        return 0;
    } catch (const qvc::rt::Error& e) {
        takeDown();
        copyMessage(e.description(), message, size);
        return e.number() != 0 ? static_cast<int>(e.number()) : 1;
    } catch (const std::exception& e) {
        takeDown();
        copyMessage(std::string("the report viewer failed to start: ") + e.what(), message, size);
        return 1;
    }
}

QVC_PLUGIN_ENTRY void qvcViewerStop() {
    takeDown();
}
