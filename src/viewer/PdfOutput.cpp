#include "PdfOutput.h"

#include <QPdfWriter>

#include "PagedPrintJob.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::viewer {

namespace fs = std::filesystem;

int writePdf(const std::vector<const doc::Document*>& documents, const fs::path& file) {
    if (documents.empty()) {
        throw rt::Error(rt::err::kObjectNotSet, "There is no report document to print");
    }
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        throw rt::Error(rt::err::kPathNotFound,
                        "The folder " + folder.string() + " does not exist");
    }
    // Written beside the target and renamed, so a failure leaves an older file intact.
    const fs::path temporary = file.string() + ".part";
    int pages = 0;
    bool ok = false;
    {
        QPdfWriter writer(QString::fromStdString(temporary.string()));
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
    if (!ok || !fs::is_regular_file(temporary, ec)) {
        fs::remove(temporary, ec);
        throw rt::Error(rt::err::kPermissionDenied,
                        "The PDF file " + file.string() + " cannot be written");
    }
    fs::rename(temporary, file, ec);
    if (ec) {
        fs::remove(temporary, ec);
        throw rt::Error(rt::err::kPermissionDenied,
                        "The PDF file " + file.string() + " cannot be written");
    }
    return pages;
}

}  // namespace qvc::viewer
