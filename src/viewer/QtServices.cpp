#include "qvc/viewer/QtServices.h"

#include <QApplication>
#include <cstdlib>

#include "PdfOutput.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/ui/FixedViewerEnvironment.h"
#include "qvc/ui/Services.h"
#include "qvc/viewer/PdfFilePrinter.h"
#include "qvc/viewer/QtHelp.h"
#include "qvc/viewer/QtMessageBox.h"
#include "qvc/viewer/QtPrinter.h"
#include "qvc/viewer/QtProgressWindow.h"
#include "qvc/viewer/QtReportViewer.h"

namespace qvc::viewer {

namespace {

bool isSet(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}

void requireApplication(const char* what) {
    if (!QApplication::instance()) {
        throw rt::Error(
            rt::err::kObjectNotSet,
            std::string(what) + " needs a Qt application: create a ViewerApplication first");
    }
}

}  // namespace

bool displayAvailable() {
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM");
}

struct ViewerApplication::State {
    int argc = 1;
    char name[4] = "qvc";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
};

ViewerApplication::ViewerApplication(Mode mode) : state_(std::make_unique<State>()) {
    if (QApplication::instance()) {
        return;  // the host has its own
    }
    if (!displayAvailable()) {
        if (mode == Mode::Screen) {
            throw rt::Error(rt::err::kDeviceUnavailable,
                            "No display is available: the report viewer needs a window system "
                            "(set DISPLAY or WAYLAND_DISPLAY), or print the reports instead");
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    state_->app = std::make_unique<QApplication>(state_->argc, state_->argv);
    QApplication::setApplicationName(QStringLiteral("QVComponents"));
}

ViewerApplication::~ViewerApplication() = default;

void installQtServices(std::shared_ptr<const ui::ViewerEnvironment> environment) {
    requireApplication("installQtServices");
    if (!environment) {
        environment =
            std::make_shared<ui::FixedViewerEnvironment>(ui::FixedViewerEnvironment::english());
    }
    ui::Services::setMessageBox(std::make_shared<QtMessageBox>());
    ui::Services::setProgressWindow(std::make_shared<QtProgressWindow>());
    ui::Services::setReportViewer(std::make_shared<QtReportViewer>(environment));
    ui::Services::setHelp(std::make_shared<QtHelp>());
    ui::Services::setPrinter(std::make_shared<QtPrinter>());
}

void installSystemPrinter() {
    requireApplication("installSystemPrinter");
    // Without a dialog QtPrinter goes straight to the default printer.
    ui::Services::setPrinter(std::make_shared<QtPrinter>());
}

void installPdfPrinter(const std::filesystem::path& file) {
    requireApplication("installPdfPrinter");
    ui::Services::setPrinter(std::make_shared<PdfFilePrinter>(file));
}

int printDocumentsToPdf(const doc::DocumentObject& docs, const std::filesystem::path& file) {
    requireApplication("printDocumentsToPdf");
    std::vector<const doc::Document*> all;
    for (int32_t i = 1; i <= docs.DocumentCount(); ++i) {
        all.push_back(&docs.document(i));
    }
    return writePdf(all, file);
}

}  // namespace qvc::viewer
