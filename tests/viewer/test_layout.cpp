// Page layout of report documents and printing through it, read back with poppler's tools.

#include <gtest/gtest.h>

#include <QPrinter>
#include <algorithm>
#include <array>
#include <cstdio>
#include <regex>

#include "FakeEnv.h"
#include "LayoutChecks.h"
#include "ParagraphLayout.h"
#include "SampleDocument.h"
#include "TestSupport.h"
#include "qvc/document/DocumentObject.h"
#include "qvc/document/Table.h"
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

const PageText* findText(const LaidOutPage& page, const QString& text) {
    for (const PageText& t : page.texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

void addLine(doc::DocumentObject& docs, const std::string& text) {
    docs.AddText(text, 10.0f, std::nullopt, 0, std::nullopt, doc::code::kAlignLeft,
                 doc::code::kDefaultColour, true);
}

void addTable(doc::DocumentObject& docs, int rows, const std::string& caption) {
    doc::Table t;
    t.Attach(docs);
    for (int r = 0; r <= rows; ++r) {
        for (int c = 0; c < 2; ++c) {
            doc::TableCell& cell = t.AddCell();
            cell.SetRowStart(c == 0);
            cell.SetWidth(2.0f);
            cell.SetValue(r == 0 ? (c == 0 ? "Item" : "Cost") : "Row" + std::to_string(r));
        }
    }
    t.SetHeaderRow(true);
    t.SetContinuedCaption(caption + " [continued]");
    docs.AddText(caption, 10.0f, std::nullopt, doc::code::kTextBold, std::nullopt,
                 doc::code::kAlignLeft, doc::code::kDefaultColour, false);
    t.InsertInto(docs);
}

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

std::vector<std::string> pdfPages(const fs::path& pdf) {
    const std::string text = run("pdftotext -layout", pdf, "-");
    std::vector<std::string> pages;
    for (size_t start = 0, end; (end = text.find('\f', start)) != std::string::npos;
         start = end + 1)
        pages.push_back(
            std::regex_replace(text.substr(start, end - start), std::regex("\\s+"), " "));
    return pages;
}

std::vector<std::string> pdfPageSizes(const fs::path& pdf) {
    const std::string info = run("pdfinfo -l 999", pdf);
    const std::regex size(R"(size:\s+([0-9.]+ x [0-9.]+))");
    std::vector<std::string> sizes;
    for (std::sregex_iterator m(info.begin(), info.end(), size), end; m != end; ++m)
        sizes.push_back((*m)[1].str().substr(0, 9));
    return sizes;
}

}  // namespace

// Wrapped text keeps its order; a table's caption, heading and first row stay together and later
// pages repeat the continued caption above the heading.
TEST(DocumentLayout, WrapsTextAndKeepsCaptionsWithTheirTablesAtAnyHeight) {
    std::string words, expected;
    for (int i = 0; i < 200; ++i) {
        words += "word" + std::to_string(i) + " ";
        expected += (i ? " word" : "word") + std::to_string(i);
    }
    words += std::string(150, 'W') + "\xF0\x9D\x84\x9E" + std::string(150, 'W');
    for (int fill = 28; fill <= 64; ++fill) {
        doc::DocumentObject docs;
        docs.NewDocument("foot.rtf", "/tmp");
        docs.SetMargins(0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f);
        addLine(docs, words);
        for (int i = 0; i < fill; ++i)
            addLine(docs, "filler");
        addTable(docs, 80, "Costs :");
        const LaidOutDocument laid = layoutDocument(docs.document(1));
        for (const std::string& problem : test::layoutProblems(laid, 36, 36))
            ADD_FAILURE() << fill << " lines: " << problem;
        EXPECT_TRUE(test::pageText(laid.pages[0]).starts_with(expected));
        size_t first = 0;
        while (first < laid.pages.size() && !findText(laid.pages[first], "Row1"))
            ++first;
        ASSERT_LT(first + 1, laid.pages.size()) << fill << " lines";
        EXPECT_TRUE(findText(laid.pages[first], "Costs")) << fill << " lines";
        for (size_t p = first + 1; p < laid.pages.size(); ++p) {
            const PageText* caption = findText(laid.pages[p], "[continued]");
            const PageText* heading = findText(laid.pages[p], "Item");
            ASSERT_TRUE(caption && heading) << fill << " lines, page " << p + 1;
            EXPECT_LT(caption->baseline.y(), heading->baseline.y());
        }
    }
}

// Lines break at blanks only, a figure is never split, a right tab stop ends its text at the stop.
TEST(ParagraphLayout, BreaksAtBlanksKeepsFiguresWholeAndEndsRightTabsAtTheStop) {
    TextMeasurer m;
    PictureStore pictures;
    doc::CharFormat bold;
    bold.bold = true;
    // The words of runs `texts` ("" is a tab) laid out `width` pt wide.
    const auto layout = [&](const std::vector<std::string>& texts, double width) {
        doc::Paragraph p;
        for (const std::string& t : texts)
            p.runs.push_back(
                doc::Run{t.empty() ? doc::Run::Kind::Tab : doc::Run::Kind::Text, t, bold, nullptr});
        p.tabs = {doc::TabStop{200 * doc::kTwipsPerPoint, doc::TabStop::Kind::Right}};
        std::vector<PageText> words;
        for (const LineBox& line : layoutParagraph(p, width, m, pictures, FieldValues{}).lines)
            words.insert(words.end(), line.texts.begin(), line.texts.end());
        return words;
    };
    const auto hyphen = layout({"Total non-fuel cost"}, m.width("Total non-", bold) + 1);
    EXPECT_EQ(hyphen.size() == 3 ? hyphen[1].text : QString(), "non-fuel");
    EXPECT_EQ(layout({"$ -1,145,175"}, m.width("$ -1,145", bold)).size(), 1u);
    const auto tabbed = layout({"Left", "", "Right end"}, 400);
    ASSERT_EQ(tabbed.size(), 3u);
    EXPECT_NEAR(tabbed[2].baseline.x() + m.width("end", bold), 200, 0.1);
}

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
    for (int p = 1; p <= 7; ++p) {
        const std::string of = p == 1 ? "1 of 1" : std::to_string(p - 1) + " of 6";
        EXPECT_NE(pages[p - 1].find("Page " + of), std::string::npos) << "page " << p;
        EXPECT_EQ(sizes.at(p - 1), p == 6 ? "792 x 612" : "612 x 792");
    }
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
