// Printing through the viewer's rendering, read back with poppler's pdftotext and pdfinfo.

#include <gtest/gtest.h>

#include <QPrinter>
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

struct PdfPage {
    std::string text, size;  // runs of blanks in the text as one blank; "612 x 792"
};

// The pages of `pdf` (none when there is no such file).
std::vector<PdfPage> readPdf(const fs::path& pdf) {
    const auto run = [&](const std::string& command, const char* output) {
        std::string out;
        FILE* pipe =
            popen((command + " '" + pdf.string() + "' " + output + " 2>/dev/null").c_str(), "r");
        std::array<char, 4096> buffer{};
        for (size_t n; pipe && (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
            out.append(buffer.data(), n);
        if (pipe)
            pclose(pipe);
        return out;
    };
    const std::string text = run("pdftotext -layout", "-"), info = run("pdfinfo -l 999", "");
    const std::regex blanks("\\s+"), size(R"(size:\s+([0-9.]+ x [0-9.]+))");
    std::vector<PdfPage> pages;
    std::smatch m;
    auto from = info.cbegin();
    for (size_t start = 0, end; (end = text.find('\f', start)) != std::string::npos;
         start = end + 1) {
        PdfPage& page = pages.emplace_back();
        page.text = std::regex_replace(text.substr(start, end - start), blanks, " ");
        if (std::regex_search(from, info.cend(), m, size)) {
            page.size = m[1];
            from = m.suffix().first;
        }
    }
    return pages;
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
    const std::vector<PdfPage> pages = readPdf(pdf);
    ASSERT_EQ(pages.size(), 7u);
    for (int p = 1; p <= 7; ++p) {
        const std::string of = p == 1 ? "1 of 1" : std::to_string(p - 1) + " of 6";
        EXPECT_NE(pages[p - 1].text.find("Page " + of), std::string::npos) << "page " << p;
        EXPECT_EQ(pages[p - 1].size.substr(0, 9), p == 6 ? "792 x 612" : "612 x 792");
    }
    EXPECT_NE(pages[0].text.find("first document"), std::string::npos);
    EXPECT_NE(pages[1].text.find("Lowest total present worth Heat pump"), std::string::npos);
    EXPECT_NE(pages[1].text.find("$1,234,567"), std::string::npos) << pages[1].text;
    EXPECT_NE(pages[5].text.find("5 2030 1005 2005 3005"), std::string::npos);
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
        EXPECT_EQ(readPdf(pdf).size(), accept ? 1u : 0u);
    }
    EXPECT_EQ(readPdf(work / "chosen.pdf").at(0).text, readPdf(work / "direct.pdf").at(0).text);
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
