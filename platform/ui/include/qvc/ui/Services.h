#pragma once
// Where the component finds the UI services. A host installs its own
// implementations (the Qt viewer library does) at start-up; until then, and after
// reset(), the headless ones serve: message boxes go to stderr and are recorded,
// the progress bar is drawn on a terminal, the viewer saves the documents as RTF
// files, help opens a browser only when a display exists, and there is no printer.
//
// The services are held once per process, not per thread: there is one screen
// and one person, and the Qt implementations may only live on the host's GUI
// thread anyway. Access is guarded by a mutex; getters return shared pointers, so
// replacing a service while a report is being built is safe (the builder keeps
// the one it started with). Setting nullptr restores the headless default.

#include <filesystem>
#include <memory>

#include "qvc/ui/Export.h"
#include "qvc/ui/Help.h"
#include "qvc/ui/MessageBox.h"
#include "qvc/ui/Printer.h"
#include "qvc/ui/ProgressWindow.h"
#include "qvc/ui/ReportViewer.h"

namespace qvc::ui {

class QVC_UI_EXPORT Services {
  public:
    static std::shared_ptr<MessageBox> messageBox();
    static std::shared_ptr<ProgressWindow> progressWindow();
    static std::shared_ptr<ReportViewer> reportViewer();
    static std::shared_ptr<Help> help();
    static std::shared_ptr<Printer> printer();  // may be null: no printer

    static void setMessageBox(std::shared_ptr<MessageBox> service);
    static void setProgressWindow(std::shared_ptr<ProgressWindow> service);
    static void setReportViewer(std::shared_ptr<ReportViewer> service);
    static void setHelp(std::shared_ptr<Help> service);
    static void setPrinter(std::shared_ptr<Printer> service);

    // Folder where the headless viewer saves the documents; empty = each
    // document's own folder.
    static void setOutputFolder(const std::filesystem::path& folder);
    static std::filesystem::path outputFolder();

    // Headless services, no printer, no output folder (for tests and hosts).
    static void reset();
};

}  // namespace qvc::ui
