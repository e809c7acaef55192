#include "qvc/ui/Services.h"

#include <mutex>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/ui/HeadlessHelp.h"
#include "qvc/ui/HeadlessMessageBox.h"
#include "qvc/ui/HeadlessProgressWindow.h"
#include "qvc/ui/HeadlessReportViewer.h"

namespace qvc::ui {

namespace {

struct Registry {
    std::mutex mutex;
    std::shared_ptr<MessageBox> messageBox;
    std::shared_ptr<ProgressWindow> progress;
    std::shared_ptr<ReportViewer> viewer;
    std::shared_ptr<Help> help;
    std::shared_ptr<Printer> printer;
    std::filesystem::path outputFolder;
};

Registry& registry() {
    static Registry r;
    return r;
}

template <typename Service, typename Headless>
std::shared_ptr<Service> getOrDefault(std::shared_ptr<Service>& slot) {
    std::lock_guard lock(registry().mutex);
    if (!slot) {
        slot = std::make_shared<Headless>();
    }
    return slot;
}

template <typename Service>
void set(std::shared_ptr<Service>& slot, std::shared_ptr<Service> service) {
    std::lock_guard lock(registry().mutex);
    slot = std::move(service);
}

}  // namespace

std::shared_ptr<MessageBox> Services::messageBox() {
    return getOrDefault<MessageBox, HeadlessMessageBox>(registry().messageBox);
}
std::shared_ptr<ProgressWindow> Services::progressWindow() {
    return getOrDefault<ProgressWindow, HeadlessProgressWindow>(registry().progress);
}
std::shared_ptr<ReportViewer> Services::reportViewer() {
    return getOrDefault<ReportViewer, HeadlessReportViewer>(registry().viewer);
}
std::shared_ptr<Help> Services::help() {
    return getOrDefault<Help, HeadlessHelp>(registry().help);
}
std::shared_ptr<Printer> Services::printer() {
    std::lock_guard lock(registry().mutex);
    return registry().printer;
}

void Services::setMessageBox(std::shared_ptr<MessageBox> s) {
    set(registry().messageBox, std::move(s));
}
void Services::setProgressWindow(std::shared_ptr<ProgressWindow> s) {
    set(registry().progress, std::move(s));
}
void Services::setReportViewer(std::shared_ptr<ReportViewer> s) {
    set(registry().viewer, std::move(s));
}
void Services::setHelp(std::shared_ptr<Help> s) {
    set(registry().help, std::move(s));
}
void Services::setPrinter(std::shared_ptr<Printer> s) {
    set(registry().printer, std::move(s));
}

void Services::setOutputFolder(const std::filesystem::path& folder) {
    std::lock_guard lock(registry().mutex);
    registry().outputFolder = folder;
}

std::filesystem::path Services::outputFolder() {
    std::lock_guard lock(registry().mutex);
    return registry().outputFolder;
}

void Services::reset() {
    std::lock_guard lock(registry().mutex);
    Registry& r = registry();
    r.messageBox.reset();
    r.progress.reset();
    r.viewer.reset();
    r.help.reset();
    r.printer.reset();
    r.outputFolder.clear();
}

void printDocument(const doc::DocumentObject& docs, int32_t index, bool showDialog) {
    std::shared_ptr<Printer> printer = Services::printer();
    if (!printer) {
        throw rt::Error(rt::err::kDeviceUnavailable,
                        "No printer is available: install a printing service to print reports");
    }
    printer->print(docs, index, showDialog);
}

}  // namespace qvc::ui
