#pragma once
// A printing service (the Qt print dialog, a PDF writer ...). There is none by
// default: printing then fails with "no printer is available".

#include <cstdint>

#include "qvc/document/DocumentObject.h"
#include "qvc/ui/Export.h"

namespace qvc::ui {

class QVC_UI_EXPORT Printer {
  public:
    virtual ~Printer() = default;
    // Prints document `index` (1-based) of `docs`; `showDialog` lets the person
    // choose the printer first. Failures raise qvc::rt::Error.
    virtual void print(const doc::DocumentObject& docs, int32_t index, bool showDialog) = 0;
};

// Prints through the installed Printer; without one raises qvc::rt::Error 68
// "No printer is available".
QVC_UI_EXPORT void printDocument(const doc::DocumentObject& docs, int32_t index, bool showDialog);

}  // namespace qvc::ui
