// What the documents tell the window that shows them (DocumentHost): attaching
// it, redraw and zoom, and printing through it.

#include "qvc/document/DocumentObject.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::doc {

using rt::Error;
namespace err = rt::err;

int16_t DocumentObject::AttachWindow(DocumentHost* view, std::intptr_t /*ownerHandle*/) {
    host_ = view;
    return view ? 1 : 0;
}

void DocumentObject::SetRedraw(bool on) {
    redraw_ = on;
    if (host_) {
        host_->redrawChanged(on);
    }
}

void DocumentObject::SetZoom(int16_t percent) {
    if (percent < 10 || percent > 500) {
        throw Error(err::kInvalidProcedureCall, "Zoom must be between 10 and 500 percent");
    }
    zoom_ = percent;
    if (host_) {
        host_->zoomChanged(percent);
    }
}

void DocumentObject::PrintDocument(int16_t flag) {
    activeEditor();  // there must be a document
    if (!host_) {
        throw Error(err::kDeviceUnavailable,
                    "No printer is available: the report documents are not attached to a "
                    "viewer window");
    }
    host_->printDocument(*this, active_, flag != 0);
}

}  // namespace qvc::doc
