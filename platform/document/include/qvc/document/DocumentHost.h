#pragma once
// The window a DocumentObject is attached to (AttachWindow). The report viewer
// implements it: the headless one in qvc_ui, the Qt one in the viewer library.
// All calls come from the thread that drives the DocumentObject.

#include <cstdint>
#include "qvc/document/Export.h"

namespace qvc::doc {

class DocumentObject;

class QVC_DOCUMENT_EXPORT DocumentHost {
  public:
    virtual ~DocumentHost() = default;
    // A document became the active, displayed one (1-based index).
    virtual void documentActivated(const DocumentObject& docs, int32_t index) {
        (void)docs;
        (void)index;
    }
    virtual void zoomChanged(int16_t percent) { (void)percent; }
    virtual void redrawChanged(bool on) { (void)on; }
    // Prints document `index`. Throws qvc::rt::Error when it cannot print
    // (68 when no printer is available).
    virtual void printDocument(const DocumentObject& docs, int32_t index, bool showDialog) = 0;
};

}  // namespace qvc::doc
