// The active document's character format, page setup and the choice of
// body, header or footer as the place new content goes.

#include <fmt/format.h>

#include <algorithm>

#include "Convert.h"
#include "DocumentEditor.h"
#include "qvc/document/DocumentObject.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::doc {

using rt::Error;
namespace err = rt::err;
using namespace detail;

void DocumentObject::ResetFormat() {
    activeEditor().resetFormat();
}

void DocumentObject::SetFontName(std::string_view name) {
    if (name.empty()) {
        throw Error(err::kInvalidProcedureCall, "A font name must not be empty");
    }
    activeEditor().format().font = std::string(name);
}

void DocumentObject::SetFontSize(float points) {
    activeEditor().format().halfPoints = pointsToHalfPoints(points);
}

void DocumentObject::SetMargins(float left, float right, float top, float bottom, float header,
                                float footer) {
    DocumentEditor& ed = activeEditor();
    PageSetup p = ed.page();
    for (float v : {left, right, top, bottom, header, footer}) {
        if (!(v >= 0.0f)) {
            throw Error(err::kInvalidProcedureCall, "Page margins must not be negative");
        }
    }
    p.marginLeft = inchesToTwips(left);
    p.marginRight = inchesToTwips(right);
    p.marginTop = inchesToTwips(top);
    p.marginBottom = inchesToTwips(bottom);
    p.headerDistance = inchesToTwips(header);
    p.footerDistance = inchesToTwips(footer);
    int32_t shortSide = std::min(p.pageWidthTwips, p.pageHeightTwips);
    if (p.marginLeft + p.marginRight > shortSide - kTwipsPerInch ||
        p.marginTop + p.marginBottom > shortSide - kTwipsPerInch) {
        throw Error(err::kInvalidProcedureCall, "Page margins leave no room for text");
    }
    ed.setPage(p);
}

void DocumentObject::SetOrientation(int16_t code) {
    if (code != code::kPortrait && code != code::kLandscape) {
        throw Error(err::kInvalidProcedureCall, fmt::format("Unknown orientation {}", code));
    }
    activeEditor().setOrientation(code == code::kLandscape ? Orientation::Landscape
                                                           : Orientation::Portrait);
}

void DocumentObject::EditHeader(bool on, int16_t /*unused*/) {
    DocumentEditor& ed = activeEditor();
    if (on) {
        ed.setTarget(DocumentEditor::Target::Header);
    } else if (ed.target() == DocumentEditor::Target::Header) {
        ed.setTarget(DocumentEditor::Target::Body);
    }
}

void DocumentObject::EditFooter(bool on, int16_t /*unused*/) {
    DocumentEditor& ed = activeEditor();
    if (on) {
        ed.setTarget(DocumentEditor::Target::Footer);
    } else if (ed.target() == DocumentEditor::Target::Footer) {
        ed.setTarget(DocumentEditor::Target::Body);
    }
}

void DocumentObject::ApplyHeaderFooter(bool on) {
    DocumentEditor& ed = activeEditor();
    ed.setTarget(DocumentEditor::Target::Body);
    if (on) {
        ed.applyHeaderFooterToAll();
    }
}

}  // namespace qvc::doc
