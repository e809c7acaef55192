#include "PdfOutput.h"

#include <QBuffer>
#include <QByteArray>
#include <QPdfWriter>
#include <string_view>

#include "PagedPrintJob.h"
#include "qvc/runtime/AtomicFileWrite.h"
#include "qvc/runtime/Env.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::viewer {

namespace fs = std::filesystem;

int writePdf(const std::vector<const doc::Document*>& documents, const fs::path& file) {
    if (documents.empty()) {
        throw rt::Error(rt::err::kObjectNotSet, "There is no report document to print");
    }
    rt::Env& env = rt::Env::Default();
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    if (!env.folderExists(folder)) {
        throw rt::Error(rt::err::kPathNotFound,
                        "The folder " + folder.string() + " does not exist");
    }
    // Rendered in memory, then written beside the target and renamed, so a
    // failure leaves an older file intact and no partial file behind.
    QByteArray pdf;
    int pages = 0;
    bool ok = false;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("QVComponents report viewer"));
        writer.setTitle(QString::fromStdString(documents.front()->info().title));
        writer.setResolution(1200);
        PagedPrintJob job(writer);
        ok = true;
        for (const doc::Document* d : documents) {
            ok = ok && job.add(*d);
        }
        ok = job.finish() && ok;
        pages = job.pageCount();
    }
    if (!ok || pdf.isEmpty()) {
        throw rt::Error(rt::err::kPermissionDenied,
                        "The PDF file " + file.string() + " cannot be written");
    }
    rt::writeFileAtomically(env, file, [&](rt::WritableFile& out) {
        out.append(std::string_view(pdf.constData(), static_cast<size_t>(pdf.size())));
    });
    return pages;
}

}  // namespace qvc::viewer
