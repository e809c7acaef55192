#pragma once
// The report viewer window. The report builder loads it hidden, attaches its
// DocumentObject to documentView() (DocumentObject::AttachWindow), takes the
// graph surface for the charts, hands it the documents with setDocument, and
// shows it modally; showModal returns when the person has closed it. unload()
// deletes the report documents' working files, as closing the window does.
// Before showModal the builder may hand it a notice (the text cash-flow file it
// wrote) that the window shows when it opens.
//
// Lifetime: the viewer must outlive the attachment of the DocumentObject;
// unload() detaches it.

#include <cstdint>
#include <string>

#include "qvc/document/DocumentHost.h"
#include "qvc/document/DocumentObject.h"
#include "qvc/graph/ChartRenderer.h"
#include "qvc/ui/Export.h"

namespace qvc::ui {

class QVC_UI_EXPORT ReportViewer {
  public:
    virtual ~ReportViewer() = default;
    virtual void loadHidden() = 0;
    virtual bool isLoaded() const = 0;
    // The document view to attach to; null when the window is not loaded.
    virtual doc::DocumentHost* documentView() = 0;
    virtual std::intptr_t ownerHandle() const = 0;
    // Draws the charts; null when the window has none (the builder then reports it).
    virtual graph::ChartRenderer* graphSurface() = 0;
    virtual void setDocument(doc::DocumentObject& docs) = 0;  // also applies its zoom
    virtual void showModal() = 0;
    // The message the window shows when it is shown; empty = none; loadHidden
    // clears it. A viewer that shows no window keeps it only
    // (HeadlessReportViewer) or ignores it.
    virtual void setActivationNotice(std::string notice) { static_cast<void>(notice); }
    virtual void unload() = 0;
};

}  // namespace qvc::ui
