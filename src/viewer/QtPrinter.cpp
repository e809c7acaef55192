#include "qvc/viewer/QtPrinter.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "PagedPrintJob.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::viewer {

QtPrinter::QtPrinter()
    : dialog_([](QPrinter& printer) {
          QPrintDialog dialog(&printer, QApplication::activeWindow());
          return dialog.exec() == QDialog::Accepted;
      }) {}

void QtPrinter::print(const doc::DocumentObject& docs, int32_t index, bool showDialog) {
    const doc::Document& document = docs.document(index);
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setDocName(QString::fromStdString(document.FileName()));
    if (showDialog) {
        if (!dialog_(printer)) {
            return;
        }
    } else {
        const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
        if (standard.isNull()) {
            throw rt::Error(rt::err::kDeviceUnavailable,
                            "No printer is available: no default printer is set up");
        }
        printer.setPrinterName(standard.printerName());
    }
    PagedPrintJob job(printer);
    if (!job.add(document) || !job.finish()) {
        throw rt::Error(rt::err::kDeviceUnavailable, "The report could not be printed on " +
                                                         printer.printerName().toStdString());
    }
}

}  // namespace qvc::viewer
