// The sample report document read back: what a reader shows is what was asked for.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "RtfReader.h"
#include "SampleDocument.h"
#include "TestSupport.h"
#include "qvc/document/RtfWriter.h"

namespace fs = std::filesystem;
using namespace qvc;

namespace {

const test::RtfParagraph* findParagraph(const test::RtfDocument& d, const std::string& text) {
    for (const auto* p : d.paragraphs()) {
        if (p->text.find(text) != std::string::npos) {
            return p;
        }
    }
    return nullptr;
}

// The sample document written and read back.
test::RtfDocument readSample() {
    doc::DocumentObject docs;
    const fs::path dir = test::freshDir("document", "readback");
    EXPECT_EQ(test::buildSampleDocument(docs, dir.string(), "sample.rtf"), 1);
    return test::readRtfFile(dir / "sample.rtf");
}

}  // namespace

TEST(RtfReadback, SampleDocumentKeepsStructureTextAndFormat) {
    const test::RtfDocument d = readSample();

    EXPECT_FALSE(d.rawEightBit);
    ASSERT_FALSE(d.fonts.empty());
    EXPECT_EQ(d.defaultFont, 0);
    EXPECT_EQ(d.fonts[0], "Arial");
    EXPECT_EQ(d.title, "Untitled");

    // Sections: portrait, landscape, portrait; page sizes swapped for landscape.
    ASSERT_EQ(d.sections.size(), 3u);
    EXPECT_TRUE(!d.sections[0].landscape && d.sections[1].landscape && !d.sections[2].landscape);
    EXPECT_EQ(std::make_pair(d.sections[1].pageWidth, d.sections[1].pageHeight),
              std::make_pair(15840, 12240));
    EXPECT_EQ(d.sections[0].marginLeft, 720);

    // Header: centred bold title with its braces and backslash intact, then the
    // project line with the date at a right tab on the right margin.
    for (size_t s = 0; s < d.sections.size(); ++s) {
        const auto& header = d.sections[s].header;
        ASSERT_GE(header.size(), 3u) << "section " << s;
        EXPECT_EQ(header[0].text, test::kSampleTitle);
        EXPECT_EQ(header[0].align, 'c');
        EXPECT_TRUE(header[0].anyBold);
        EXPECT_EQ(header[1].text, "Project: H\xC3\xB4tel \xC2\xABMain\xC2\xBB\t06/12/2026");
        ASSERT_EQ(header[1].tabs.size(), 1u);
        EXPECT_EQ(header[1].tabs[0], std::make_pair('r', s == 1 ? 14400 : 10800));
        const auto& footer = d.sections[s].footer;
        ASSERT_EQ(footer.size(), 1u);
        EXPECT_EQ(footer[0].text, "QV Components v 17.0\tPage {PAGE} of {NUMPAGES}");
        EXPECT_EQ(footer[0].fields, (std::vector<std::string>{"PAGE", "NUMPAGES"}));
        ASSERT_EQ(footer[0].tabs.size(), 1u);
        EXPECT_EQ(footer[0].tabs[0].first, 'r');
    }

    // Label and value lines: values right-aligned at 6.25 in.
    const auto* analysis = findParagraph(d, "Type of analysis");
    ASSERT_NE(analysis, nullptr);
    EXPECT_EQ(analysis->text, "Type of analysis\tPrivate sector life cycle");
    ASSERT_EQ(analysis->tabs.size(), 1u);
    EXPECT_EQ(analysis->tabs[0], std::make_pair('r', 9000));
    const auto* length = findParagraph(d, "Length of analysis");
    ASSERT_NE(length, nullptr);
    EXPECT_EQ(length->text, "Length of analysis\t25 years");

    // Captions stay with their tables.
    const auto* caption = findParagraph(d, "Table 1. Executive summary");
    ASSERT_NE(caption, nullptr);
    EXPECT_TRUE(caption->keepWithNext);

    // One page break inside the first section; the breaks before the section change
    // and at the end of the document are dropped.
    EXPECT_EQ(d.pageBreaks, 0);
    const auto* secondPage = findParagraph(d, "1B. Comparison of alternatives");
    ASSERT_NE(secondPage, nullptr);
    EXPECT_TRUE(secondPage->pageBreakBefore);
    EXPECT_TRUE(d.bodyText().find("Back to portrait: " + test::kSampleNonAscii) !=
                std::string::npos);
}

TEST(RtfReadback, SampleDocumentKeepsTablesPicturesAndNotes) {
    const test::RtfDocument d = readSample();
    // Tables: executive summary, description box, 41-year table, wide table.
    auto tables = d.tables();
    ASSERT_EQ(tables.size(), 4u);
    const auto& summary = *tables[0];
    ASSERT_EQ(summary.rows.size(), 5u);
    for (const auto& row : summary.rows) {
        EXPECT_EQ(row.widths(), (std::vector<int>{3600, 5400, 1800}));
        EXPECT_EQ(row.paddingLeft, 135);
        EXPECT_EQ(row.header, &row == &summary.rows[0]);
    }
    const auto& heading = summary.rows[0].cells;
    const auto& lowest = summary.rows[2].cells;
    EXPECT_EQ(heading[0].shading, (test::RtfColour{225, 225, 225}));
    EXPECT_EQ(lowest[0].shading, (test::RtfColour{255, 255, 255}));
    EXPECT_TRUE(heading[2].bold && !lowest[2].bold);
    EXPECT_EQ(heading[2].text, "Value ($)");
    EXPECT_EQ(lowest[1].text, "Heat pump " + test::kSampleNonAscii);
    EXPECT_EQ(lowest[2].text, "$1,234,567");
    EXPECT_EQ(std::string() + lowest[0].align + lowest[2].align, "lr");
    EXPECT_EQ(lowest[2].halfPoints, 20);

    const auto& box = tables[1]->rows.at(0);
    EXPECT_EQ(box.widths(), std::vector<int>{6480});
    EXPECT_EQ(box.minHeight, 2520);
    EXPECT_EQ(box.cells[0].text, "Braces {like these} and a backslash \\ stay.\nSecond line: " +
                                     test::kSampleNonAscii);
    EXPECT_EQ(tables[2]->rows.size(), 42u);
    EXPECT_EQ(tables[2]->rows[41].cells[3].text, "-1480");
    ASSERT_EQ(tables[3]->rows.size(), 7u);
    EXPECT_EQ(tables[3]->rows[0].cells.back().rightEdge, 14400);

    // Pictures: three small charts side by side, one wide chart, PNG bytes intact.
    auto pictures = d.pictures();
    ASSERT_EQ(pictures.size(), 4u);
    EXPECT_TRUE(pictures[0]->png);
    EXPECT_EQ(std::make_pair(pictures[0]->goalWidth, pictures[0]->goalHeight),
              std::make_pair(4700, 3700));
    EXPECT_EQ(pictures[3]->goalWidth, 8800);
    for (size_t k = 0; k < 4; ++k)
        EXPECT_EQ(pictures[k]->data, test::sampleChart(static_cast<int>(k))) << k;

    // Failure note: red, centred, with its line breaks.
    const auto* failure = findParagraph(d, "Error 9 - Subscript out of range");
    ASSERT_NE(failure, nullptr);
    EXPECT_EQ(failure->text,
              "Error 9 - Subscript out of range\nMethod - GenerateSecondTable\nModule - "
              "cRptLifeCycleSummary");
    EXPECT_EQ(failure->colours, std::vector<test::RtfColour>{(test::RtfColour{240, 0, 0})});
    EXPECT_EQ(failure->align, 'c');
    const auto* description = findParagraph(d, "Comparison of three heating plants");
    ASSERT_NE(description, nullptr);
    EXPECT_EQ(description->colours, std::vector<test::RtfColour>{(test::RtfColour{48, 0, 0})});
}

TEST(RtfReadback, EscapesEveryCharacterAsAsciiControlWords) {
    doc::DocumentObject docs;
    docs.NewDocument("esc.rtf", "/tmp");
    // U+FFFF is the last character of one \u word, U+10000 the first of two.
    docs.AddText("a{b}c\\d \xE2\x82\xAC \xF0\x9D\x84\x9E \xC3\xA9\x01 \xEF\xBF\xBF\xF0\x90\x80\x80",
                 std::nullopt, std::nullopt, 0, std::nullopt, doc::code::kAlignLeft,
                 doc::code::kDefaultColour, true);
    docs.AddText("bad \xC3 utf8", std::nullopt, std::nullopt, 0, std::nullopt,
                 doc::code::kAlignLeft, doc::code::kDefaultColour, true);
    std::string rtf = doc::toRtf(docs.ActiveDocument());
    EXPECT_NE(
        rtf.find(" a\\{b\\}c\\\\d \\u8364? \\u-10188?\\u-8930? \\u233? \\u-1?\\u-10240?\\u-9216?}"),
        std::string::npos)
        << rtf;
    for (unsigned char c : rtf) {
        EXPECT_LT(c, 0x80);
    }
    test::RtfDocument d = test::readRtf(rtf);
    auto paragraphs = d.paragraphs();
    ASSERT_EQ(paragraphs.size(), 2u);
    EXPECT_EQ(paragraphs[0]->text,
              "a{b}c\\d \xE2\x82\xAC \xF0\x9D\x84\x9E \xC3\xA9 \xEF\xBF\xBF\xF0\x90\x80\x80");
    EXPECT_EQ(paragraphs[1]->text, "bad \xEF\xBF\xBD utf8");
    // Lines end with CR LF.
    EXPECT_NE(rtf.find("\\par\r\n"), std::string::npos);
}

TEST(RtfReadback, ReaderRejectsBrokenFiles) {
    EXPECT_THROW(test::readRtf("{\\rtf1 abc"), std::runtime_error);
    EXPECT_THROW(test::readRtf("{\\rtf1 abc}}"), std::runtime_error);
    EXPECT_THROW(test::readRtf("{\\rtf1 abc} tail"), std::runtime_error);
    EXPECT_THROW(test::readRtf("plain text"), std::runtime_error);
}

// A file written in pieces joins to exactly the text toRtf gives, far beyond
// one piece, with the pictures whole and in order.
TEST(RtfReadback, LargeDocumentFileEqualsTheWholeText) {
    doc::DocumentObject docs;
    const fs::path dir = test::freshDir("document", "large");
    docs.NewDocument("large.rtf", dir.string());
    test::writeSampleFrame(docs, "Large", false);
    for (int k = 0; k < 12; ++k) {
        docs.AddText("Chart " + std::to_string(k), std::nullopt, std::nullopt, 0, std::nullopt,
                     doc::code::kAlignLeft, doc::code::kDefaultColour, true);
        docs.InsertPicture(test::sampleChart(k % 4), 440, 300);
        docs.SetTextFlags(doc::code::kFlagEndBlock, true);
    }
    docs.WriteDocument(-1, 0);

    std::ifstream in(dir / "large.rtf", std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    const std::string whole = doc::toRtf(docs.ActiveDocument());
    ASSERT_GT(whole.size(), 512u * 1024u);  // many times the writer's 32 KB pieces
    EXPECT_EQ(written.size(), whole.size());
    EXPECT_TRUE(written == whole);

    test::RtfDocument d = test::readRtfFile(dir / "large.rtf");
    const auto pictures = d.pictures();
    ASSERT_EQ(pictures.size(), 12u);
    for (size_t k = 0; k < 12; ++k) {
        EXPECT_TRUE(pictures[k]->png);
        EXPECT_TRUE(pictures[k]->data == test::sampleChart(static_cast<int>(k % 4))) << k;
    }
}
