#pragma once
// The entry points a host calls to show, print and export the reports with Qt.
// Nothing here needs Qt headers, so a host can stay free of them.
//
//   qvc ... --view           ViewerApplication app(ViewerApplication::Mode::Screen);
//                            installQtServices(environment);  then build the reports
//   qvc ... --print          ViewerApplication app(ViewerApplication::Mode::Any);
//                            installSystemPrinter();           then build with intAction 1
//   qvc ... --print --pdf F  ViewerApplication app(ViewerApplication::Mode::Any);
//                            installPdfPrinter(F);             then build with intAction 1
//
// All functions run on the thread that created the ViewerApplication.

#include <filesystem>
#include <memory>

#include "qvc/document/DocumentObject.h"
#include "qvc/ui/ViewerEnvironment.h"
#include "qvc/viewer/Export.h"

namespace qvc::viewer {

// True when a window system is reachable: DISPLAY or WAYLAND_DISPLAY is set, or
// QT_QPA_PLATFORM names a platform.
QVC_VIEWER_EXPORT bool displayAvailable();

// Owns the Qt application object the windows and the printing need. Use one per
// process, created before any other call of this library.
class QVC_VIEWER_EXPORT ViewerApplication {
  public:
    enum class Mode {
        Screen,  // windows are shown: raises qvc::rt::Error 68 when there is no display
        Any      // printing only: without a display Qt runs off-screen
    };
    explicit ViewerApplication(Mode mode);
    ~ViewerApplication();
    ViewerApplication(const ViewerApplication&) = delete;
    ViewerApplication& operator=(const ViewerApplication&) = delete;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// Installs the Qt message box, progress window, report viewer, help opener and
// the printer with its print dialog into qvc::ui::Services. Needs a Qt
// application (ViewerApplication or the host's own QApplication). `environment`
// supplies the component's texts and help; null uses the shipped English texts
// without help.
QVC_VIEWER_EXPORT void installQtServices(std::shared_ptr<const ui::ViewerEnvironment> environment);

// Installs a printer service that prints to the system's default printer without
// a dialog (qvc::rt::Error 68 when there is none).
QVC_VIEWER_EXPORT void installSystemPrinter();

// Installs a printer service that collects every printed document into one PDF
// file, in the order printed, each with its own page numbers. The file is
// complete after every print.
QVC_VIEWER_EXPORT void installPdfPrinter(const std::filesystem::path& file);

// Prints every document of `docs`, in order, into one PDF file with the viewer's
// page rendering. Returns the number of pages written. Raises qvc::rt::Error 76
// when the folder does not exist, 70 when the file cannot be written.
QVC_VIEWER_EXPORT int printDocumentsToPdf(const doc::DocumentObject& docs,
                                          const std::filesystem::path& file);

}  // namespace qvc::viewer
