// Printing through the viewer's rendering, read back with poppler's pdftotext and pdfinfo.

#include <gtest/gtest.h>

#include <QPrinter>
#include <algorithm>
#include <array>
#include <cstdio>
#include <regex>

#include "FakeEnv.h"
#include "LayoutChecks.h"
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

// The output of `command` run on `pdf`, with `then` after the file name.
std::string run(const std::string& command, const fs::path& pdf, const std::string& then = "") {
    std::string out;
    FILE* pipe = popen((command + " '" + pdf.string() + "' " + then + " 2>/dev/null").c_str(), "r");
    std::array<char, 4096> buffer{};
    for (size_t n; pipe && (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        out.append(buffer.data(), n);
    if (pipe)
        pclose(pipe);
    return out;
}

// The texts of the pages of `pdf`, runs of blanks as one blank (none when there is no such file).
std::vector<std::string> pdfPages(const fs::path& pdf) {
    const std::string text = run("pdftotext -layout", pdf, "-");
    std::vector<std::string> pages;
    for (size_t start = 0, end; (end = text.find('\f', start)) != std::string::npos;
         start = end + 1)
        pages.push_back(
            std::regex_replace(text.substr(start, end - start), std::regex("\\s+"), " "));
    return pages;
}

// "612 x 792" and so on, one for each page.
std::vector<std::string> pdfPageSizes(const fs::path& pdf) {
    const std::string info = run("pdfinfo -l 999", pdf);
    const std::regex size(R"(size:\s+([0-9.]+ x [0-9.]+))");
    std::vector<std::string> sizes;
    for (std::sregex_iterator m(info.begin(), info.end(), size), end; m != end; ++m)
        sizes.push_back((*m)[1].str().substr(0, 9));
    return sizes;
}

}  // namespace

// The report builder prints each document without a dialog; the PDF printer collects them all.
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
        const LaidOutDocument laid = layoutDocument(docs.document(2));
        ASSERT_EQ(laid.pages.size(), 6u);
        for (const std::string& problem : test::layoutProblems(laid, 36, 36))  // 0.5 in margins
            ADD_FAILURE() << problem;
        for (int32_t k = 1; k <= docs.DocumentCount(); ++k) {
            docs.ActivateDocument(k);
            docs.PrintDocument(0);
        }
        docs.AttachWindow(nullptr, 0);
    }
    ui::Services::reset();
    const std::vector<std::string> pages = pdfPages(pdf), sizes = pdfPageSizes(pdf);
    ASSERT_EQ(pages.size(), 7u);
    ASSERT_EQ(sizes.size(), 7u);
    for (int p = 1; p <= 7; ++p) {
        const std::string of = p == 1 ? "1 of 1" : std::to_string(p - 1) + " of 6";
        EXPECT_NE(pages[p - 1].find("Page " + of), std::string::npos) << "page " << p;
        EXPECT_EQ(sizes[p - 1], p == 6 ? "792 x 612" : "612 x 792");
    }
    EXPECT_NE(pages[0].find("first document"), std::string::npos);
    EXPECT_NE(pages[1].find("Lowest total present worth Heat pump"), std::string::npos);
    EXPECT_NE(pages[1].find("$1,234,567"), std::string::npos) << pages[1];
    EXPECT_NE(pages[5].find("5 2030 1005 2005 3005"), std::string::npos);
    const std::string images = run("pdfimages -list", pdf);  // the sample's four charts
    EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 2 + 4) << images;
}

TEST(PrintPdf, DirectPrintingTheDialogsChoiceAndFailedWrites) {
    const fs::path work = test::freshDir("viewer", "pdf-direct");
    doc::DocumentObject docs;
    test::buildShortDocument(docs, work.string(), "One.RTF", "chosen in the dialog");
    EXPECT_EQ(printDocumentsToPdf(docs, work / "direct.pdf"), 1);
    for (const bool accept : {true, false}) {
        const fs::path pdf = work / (accept ? "chosen.pdf" : "cancelled.pdf");
        QtPrinter printer([&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(QString::fromStdString(pdf.string()));
            return accept;
        });
        EXPECT_NO_THROW(printer.print(docs, 1, true));
        EXPECT_EQ(pdfPages(pdf).size(), accept ? 1u : 0u);
    }
    EXPECT_EQ(pdfPages(work / "chosen.pdf"), pdfPages(work / "direct.pdf"));
    EXPECT_EQ(test::errorNumberOf([&] { printDocumentsToPdf(docs, work / "missing" / "x.pdf"); }),
              76);
    doc::DocumentObject none;
    EXPECT_NE(test::errorNumberOf([&] { printDocumentsToPdf(none, work / "none.pdf"); }), 0);
    EXPECT_FALSE(fs::exists(work / "none.pdf"));

    const fs::path pdf = work / "reports.pdf";
    test::FakeEnv env;
    env.addFile(pdf, "the user's older PDF");
    env.failWrite(1);
    rt::ScopedEnv scope(env);
    EXPECT_EQ(test::errorNumberOf([&] { printDocumentsToPdf(docs, pdf); }), 70);
    EXPECT_EQ(env.contents(pdf), "the user's older PDF");
    EXPECT_EQ(env.listFolder(work), std::vector<std::string>{"reports.pdf"});
}
