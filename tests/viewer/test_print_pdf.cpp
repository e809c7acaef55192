// Printing through the viewer's rendering, read back from the PDF with
// poppler's pdfinfo and pdftotext: page count, paper sizes, "Page N of M"
// footers and table figures; the print dialog's choice of a file, and a
// failed write that keeps the user's older file.

#include <gtest/gtest.h>

#include <QPrinter>
#include <array>
#include <cstdio>
#include <regex>

#include "FakeEnv.h"
#include "SampleDocument.h"
#include "TestSupport.h"
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
    std::array<char, 4096> buffer{};
    for (size_t n; pipe && (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        out.append(buffer.data(), n);
    if (pipe)
        pclose(pipe);
    return out;
}

std::string match(const std::string& text, const char* pattern) {
    std::smatch m;
    return std::regex_search(text, m, std::regex(pattern)) ? std::string(m[1]) : std::string();
}

int pdfPages(const fs::path& pdf) {
    const std::string pages =
        match(run("pdfinfo '" + pdf.string() + "' 2>&1"), R"(Pages:\s+(\d+))");
    return pages.empty() ? -1 : std::stoi(pages);
}

// The text of page `page` with every run of blanks as one blank.
std::string pageText(const fs::path& pdf, int page) {
    const std::string p = std::to_string(page);
    return std::regex_replace(
        run("pdftotext -layout -f " + p + " -l " + p + " '" + pdf.string() + "' - 2>&1"),
        std::regex("\\s+"), " ");
}

std::string pageSize(const fs::path& pdf, int page) {
    const std::string p = std::to_string(page);
    return match(run("pdfinfo -f " + p + " -l " + p + " '" + pdf.string() + "' 2>&1"),
                 R"(Page\s+\d+ size:\s+([0-9.]+ x [0-9.]+))");
}

}  // namespace

// The report builder prints without a dialog: it activates each document and
// calls PrintDocument(0); the PDF printer collects them all in one file.
TEST(PrintPdf, ThePrinterServiceWritesEveryDocumentWithItsPageNumbers) {
    const fs::path work = test::freshDir("viewer", "pdf");
    const fs::path pdf = work / "printed.pdf";
    ui::Services::reset();
    installPdfPrinter(pdf);
    {
        doc::DocumentObject docs;
        DocumentView view;
        docs.AttachWindow(&view, 1);
        test::buildShortDocument(docs, work.string(), "One.RTF", "first document");
        test::buildSampleDocument(docs, work.string(), "sample.rtf");
        ASSERT_EQ(layoutDocument(docs.document(2)).pages.size(), 6u);
        for (int32_t k = 1; k <= docs.DocumentCount(); ++k) {
            docs.ActivateDocument(k);
            docs.PrintDocument(0);
        }
        docs.AttachWindow(nullptr, 0);
    }
    ui::Services::reset();
    ASSERT_EQ(pdfPages(pdf), 7);
    for (int p = 1; p <= 7; ++p) {
        const std::string of = p == 1 ? "1 of 1" : std::to_string(p - 1) + " of 6";
        EXPECT_NE(pageText(pdf, p).find("Page " + of), std::string::npos) << "page " << p;
        EXPECT_EQ(pageSize(pdf, p).substr(0, 9), p == 6 ? "792 x 612" : "612 x 792");
    }
    EXPECT_NE(pageText(pdf, 1).find("first document QV Components v 17.0 Page 1 of 1"),
              std::string::npos);
    const std::string sample = pageText(pdf, 2);
    EXPECT_NE(sample.find("Lowest total present worth Heat pump"), std::string::npos) << sample;
    EXPECT_NE(sample.find("$1,234,567"), std::string::npos) << sample;
    EXPECT_NE(pageText(pdf, 6).find("5 2030 1005 2005 3005"), std::string::npos);
}

TEST(PrintPdf, DirectPrintingAndTheDialogsChoiceOfAFile) {
    const fs::path work = test::freshDir("viewer", "pdf-direct");
    doc::DocumentObject docs;
    test::buildShortDocument(docs, work.string(), "One.RTF", "chosen in the dialog");
    EXPECT_EQ(printDocumentsToPdf(docs, work / "direct.pdf"), 1);
    EXPECT_NE(pageText(work / "direct.pdf", 1).find("chosen in the dialog"), std::string::npos);
    // A missing folder is reported; without documents nothing is written.
    EXPECT_EQ(test::errorNumberOf([&] { printDocumentsToPdf(docs, work / "missing" / "x.pdf"); }),
              76);
    doc::DocumentObject none;
    EXPECT_NE(test::errorNumberOf([&] { printDocumentsToPdf(none, work / "none.pdf"); }), 0);
    EXPECT_FALSE(fs::exists(work / "none.pdf"));
    for (const bool accept : {true, false}) {
        const fs::path pdf = work / (accept ? "chosen.pdf" : "cancelled.pdf");
        QtPrinter printer([&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(QString::fromStdString(pdf.string()));
            return accept;
        });
        EXPECT_NO_THROW(printer.print(docs, 1, true));
        EXPECT_EQ(pdfPages(pdf), accept ? 1 : -1);
    }
    EXPECT_NE(pageText(work / "chosen.pdf", 1).find("chosen in the dialog"), std::string::npos);
}

TEST(PrintPdf, AFailedWriteKeepsTheUsersOlderFile) {
    const fs::path work = test::freshDir("viewer", "pdf-failure");
    doc::DocumentObject docs;
    test::buildShortDocument(docs, work.string(), "One.RTF", "never printed");
    const fs::path pdf = work / "reports.pdf";
    test::FakeEnv env;
    env.addFile(pdf, "the user's older PDF");
    env.failWrite(1);
    rt::ScopedEnv scope(env);
    try {
        printDocumentsToPdf(docs, pdf);
        ADD_FAILURE() << "no error";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), 70);
        EXPECT_NE(e.description().find("\"reports.pdf\""), std::string::npos) << e.description();
    }
    EXPECT_EQ(env.contents(pdf), "the user's older PDF");
    EXPECT_EQ(env.listFolder(work), std::vector<std::string>{"reports.pdf"});
}
