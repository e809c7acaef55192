#pragma once
// The printer service with Qt: with the dialog the person picks a printer or a
// PDF file (cancelling prints nothing and is no error); without it the document
// goes to the default printer, and qvc::rt::Error 68 is raised when there is none.

#include <functional>

#include "qvc/ui/Printer.h"
#include "qvc/viewer/Export.h"

class QPrinter;

namespace qvc::viewer {

class QVC_VIEWER_EXPORT QtPrinter : public ui::Printer {
  public:
    // Shows the print dialog for `printer`; true when the person chose to print.
    using DialogRunner = std::function<bool(QPrinter& printer)>;

    QtPrinter();
    explicit QtPrinter(DialogRunner dialog) : dialog_(std::move(dialog)) {}
    void print(const doc::DocumentObject& docs, int32_t index, bool showDialog) override;

  private:
    DialogRunner dialog_;
};

}  // namespace qvc::viewer
