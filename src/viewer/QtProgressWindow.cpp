#include "qvc/viewer/QtProgressWindow.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::viewer {

QtProgressWindow::~QtProgressWindow() = default;

frmPopUp& QtProgressWindow::load() {
    if (!window_) {
        window_ = std::make_unique<frmPopUp>();
    }
    return *window_;
}

void QtProgressWindow::setCaption(std::string_view caption) {
    load().setWindowTitle(
        QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
}

void QtProgressWindow::setLabel(std::string_view text) {
    load().lblText->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void QtProgressWindow::setValue(int32_t percent) {
    if (percent < 0 || percent > 100) {
        throw rt::Error(rt::err::kInvalidProcedureCall,
                        "A progress value must be between 0 and 100");
    }
    load().pbBar->setValue(percent);
}

void QtProgressWindow::showNonModal() {
    frmPopUp& w = load();
    w.setWindowModality(Qt::NonModal);
    w.show();
}

void QtProgressWindow::refresh() {
    frmPopUp& w = load();
    if (w.isVisible()) {
        w.repaint();
    }
    // Let the window system map and draw the window; the person's input waits.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtProgressWindow::unload() {
    if (window_) {
        window_->close();
        window_.reset();
    }
}

}  // namespace qvc::viewer
