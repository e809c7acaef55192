#pragma once
// The UI services one report build works with, taken from qvc::ui::Services at
// its start and kept to its end (internal to cRptBuilder).

#include <memory>

#include "qvc/ui/MessageBox.h"
#include "qvc/ui/ProgressWindow.h"
#include "qvc/ui/ReportViewer.h"
#include "reports/cRptBuilder.h"

namespace qvc {

struct cRptBuilder::Session {
    std::shared_ptr<ui::MessageBox> messages;
    std::shared_ptr<ui::ReportViewer> viewer;
    std::shared_ptr<ui::ProgressWindow> progress;
    bool textFileOnly = false;
    bool progressOpen = false;  // shown and not yet completed

    void unloadViewer() {
        if (viewer && viewer->isLoaded())
            viewer->unload();
    }
    // Closes whatever a failed build left open; never throws.
    void release() noexcept {
        try {
            unloadViewer();
        } catch (...) {
        }
        try {
            if (progress && progressOpen)
                progress->unload();
        } catch (...) {
        }
    }
};

}  // namespace qvc
