// Printing to PDF through the viewer's rendering: page count, paper sizes and
// "Page N of M" footers read back with poppler's pdfinfo and pdftotext, and the
// PDF printer service reached through DocumentObject::PrintDocument.

#include <gtest/gtest.h>

#include <QPrinter>
#include <array>
#include <cstdio>
#include <regex>

#include "FakeEnv.h"
#include "ReportSample.h"
#include "ViewerTestSupport.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ScopedEnv.h"
#include "qvc/ui/Services.h"
#include "qvc/viewer/DocumentLayout.h"
#include "qvc/viewer/DocumentView.h"
#include "qvc/viewer/PdfFilePrinter.h"
#include "qvc/viewer/QtPrinter.h"
#include "qvc/viewer/QtServices.h"

namespace fs = std::filesystem;
using namespace qvc;
using namespace qvc::viewer;

namespace {

std::string run(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return out;
    }
    std::array<char, 4096> buffer{};
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        out.append(buffer.data(), n);
    }
    pclose(pipe);
    return out;
}

int pdfPages(const fs::path& pdf) {
    std::smatch m;
    std::string info = run("pdfinfo '" + pdf.string() + "' 2>&1");
    std::regex pages("Pages:\\s+(\\d+)");
    return std::regex_search(info, m, pages) ? std::stoi(m[1]) : -1;
}

std::string pageText(const fs::path& pdf, int page) {
    return run("pdftotext -layout -f " + std::to_string(page) + " -l " + std::to_string(page) +
               " '" + pdf.string() + "' - 2>&1");
}

std::string pageSize(const fs::path& pdf, int page) {
    std::string info = run("pdfinfo -f " + std::to_string(page) + " -l " + std::to_string(page) +
                           " '" + pdf.string() + "' 2>&1");
    std::smatch m;
    std::regex size("Page\\s+\\d+ size:\\s+([0-9.]+ x [0-9.]+)");
    return std::regex_search(info, m, size) ? std::string(m[1]) : std::string();
}

std::string squeeze(const std::string& s) {
    return std::regex_replace(s, std::regex("\\s+"), " ");
}

}  // namespace

TEST(PrintPdf, AllDocumentsWithTheirPageNumbers) {
    fs::path work = test::freshViewerDir("pdf");
    doc::DocumentObject docs;
    test::addLifeCycleSummary(docs, work.string());
    test::addCashFlowReport(docs, work.string());
    const int summaryPages = static_cast<int>(layoutDocument(docs.document(1)).pages.size());
    const int cashPages = static_cast<int>(layoutDocument(docs.document(2)).pages.size());
    ASSERT_GE(summaryPages, 2);
    ASSERT_GE(cashPages, 2);
    const fs::path pdf = work / "reports.pdf";
    const int written = printDocumentsToPdf(docs, pdf);
    EXPECT_EQ(written, summaryPages + cashPages);
    ASSERT_EQ(pdfPages(pdf), summaryPages + cashPages);

    for (int p = 1; p <= summaryPages; ++p) {
        const std::string text = squeeze(pageText(pdf, p));
        EXPECT_NE(text.find("Page " + std::to_string(p) + " of " + std::to_string(summaryPages)),
                  std::string::npos)
            << "page " << p << ": " << text;
        EXPECT_NE(text.find("Life-Cycle Cost Summary"), std::string::npos);
        EXPECT_EQ(pageSize(pdf, p).substr(0, 9), "612 x 792") << pageSize(pdf, p);
    }
    const std::string first = squeeze(pageText(pdf, 1));
    EXPECT_NE(first.find("Gas boiler $1,250,000 $84,300 $2,480,000 2"), std::string::npos) << first;
    EXPECT_NE(first.find("Discount rate 7.00 %"), std::string::npos) << first;
    for (int k = 1; k <= cashPages; ++k) {
        const int p = summaryPages + k;
        const std::string text = squeeze(pageText(pdf, p));
        EXPECT_NE(text.find("Page " + std::to_string(k) + " of " + std::to_string(cashPages)),
                  std::string::npos)
            << text;
        EXPECT_EQ(pageSize(pdf, p).substr(0, 9), "792 x 612") << pageSize(pdf, p);
    }
    const std::string table = squeeze(pageText(pdf, summaryPages + 2));
    EXPECT_NE(table.find("Loan principal"), std::string::npos) << table;
    EXPECT_NE(table.find("$1,410,500"), std::string::npos);

    // A missing folder is reported, nothing is written.
    try {
        printDocumentsToPdf(docs, work / "missing" / "x.pdf");
        FAIL() << "no error";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), 76);
    }
    doc::DocumentObject none;
    EXPECT_THROW(printDocumentsToPdf(none, work / "none.pdf"), rt::Error);
    EXPECT_FALSE(fs::exists(work / "none.pdf"));
}

TEST(PrintPdf, AFailedWriteKeepsTheUsersOlderFile) {
    // The write fails: the user's older PDF stays whole, no partial or
    // temporary file is left, and the error names the file.
    fs::path work = test::freshViewerDir("pdf-failure");
    doc::DocumentObject docs;
    test::addShortReport(docs, work.string(), "One.RTF", "never printed");
    const fs::path pdf = work / "reports.pdf";
    test::FakeEnv env;
    env.addFile(pdf, "the user's older PDF");
    env.failWrite(1);
    rt::ScopedEnv scope(env);
    try {
        printDocumentsToPdf(docs, pdf);
        FAIL() << "no error";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), 70);
        EXPECT_NE(e.description().find("\"reports.pdf\""), std::string::npos) << e.description();
    }
    EXPECT_EQ(env.contents(pdf), "the user's older PDF");
    EXPECT_EQ(env.listFolder(work), std::vector<std::string>{"reports.pdf"});
}

TEST(PrintPdf, PrinterServiceCollectsEveryPrintedDocument) {
    fs::path work = test::freshViewerDir("pdf-service");
    const fs::path pdf = work / "printed.pdf";
    ui::Services::reset();
    installPdfPrinter(pdf);
    {
        doc::DocumentObject docs;
        DocumentView view;
        docs.AttachWindow(&view, 1);
        test::addShortReport(docs, work.string(), "One.RTF", "first document");
        test::addCashFlowReport(docs, work.string());
        // As the builder prints without showing: activate each, PrintDocument(0).
        for (int32_t k = 1; k <= docs.DocumentCount(); ++k) {
            docs.ActivateDocument(k);
            docs.PrintDocument(0);
        }
        docs.AttachWindow(nullptr, 0);
    }
    ASSERT_EQ(pdfPages(pdf), 4);  // one page, then the three of the cash flows
    EXPECT_NE(squeeze(pageText(pdf, 1)).find("first document"), std::string::npos);
    EXPECT_NE(squeeze(pageText(pdf, 1)).find("Page 1 of 1"), std::string::npos);
    EXPECT_NE(squeeze(pageText(pdf, 2)).find("Page 1 of 3"), std::string::npos);
    EXPECT_NE(squeeze(pageText(pdf, 4)).find("Page 3 of 3"), std::string::npos);
    ui::Services::reset();
}

TEST(PrintPdf, PrintDialogChoiceOfAFile) {
    fs::path work = test::freshViewerDir("pdf-dialog");
    doc::DocumentObject docs;
    test::addShortReport(docs, work.string(), "One.RTF", "chosen in the dialog");
    const fs::path pdf = work / "chosen.pdf";
    QtPrinter printer([&](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString::fromStdString(pdf.string()));
        return true;
    });
    printer.print(docs, 1, true);
    ASSERT_EQ(pdfPages(pdf), 1);
    EXPECT_NE(squeeze(pageText(pdf, 1)).find("chosen in the dialog"), std::string::npos);

    // Cancelling the dialog prints nothing and is no error.
    const fs::path other = work / "cancelled.pdf";
    QtPrinter cancelling([&](QPrinter& p) {
        p.setOutputFileName(QString::fromStdString(other.string()));
        return false;
    });
    EXPECT_NO_THROW(cancelling.print(docs, 1, true));
    EXPECT_FALSE(fs::exists(other));
}
