#include "qvc/viewer/QtReportViewer.h"

namespace qvc::viewer {

QtReportViewer::~QtReportViewer() {
    unload();
}

void QtReportViewer::loadHidden() {
    unload();
    notice_.clear();
    window_ = std::make_unique<frmReportViewer>(env_);
}

void QtReportViewer::setDocument(doc::DocumentObject& docs) {
    if (!window_) {
        loadHidden();
    }
    window_->SetDocument(docs);
}

void QtReportViewer::showModal() {
    if (!window_) {
        loadHidden();
    }
    window_->setActivationNotice(notice_);
    window_->showModal();
}

void QtReportViewer::unload() {
    if (!window_) {
        return;
    }
    window_->Form_Unload();
    window_->hide();
    window_.reset();
}

}  // namespace qvc::viewer
