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

const test::RtfParagraph& paragraphWith(const test::RtfDocument& d, const std::string& text) {
    for (const auto* p : d.paragraphs())
        if (p->text.find(text) != std::string::npos)
            return *p;
    throw std::runtime_error("no paragraph with " + text);
}

}  // namespace

TEST(RtfReadback, SampleDocumentKeepsSectionsTextTablesAndPictures) {
    doc::DocumentObject docs;
    const fs::path dir = test::freshDir("document", "readback");
    EXPECT_EQ(test::buildSampleDocument(docs, dir.string(), "sample.rtf"), 1);
    const test::RtfDocument d = test::readRtfFile(dir / "sample.rtf");
    ASSERT_EQ(d.sections.size(), 3u);
    EXPECT_TRUE(!d.sections[0].landscape && d.sections[1].landscape && !d.sections[2].landscape);
    EXPECT_EQ(std::make_pair(d.sections[1].pageWidth, d.sections[1].pageHeight),
              std::make_pair(15840, 12240));
    // Every section's header and footer, the date at a right tab on the margin.
    for (size_t s = 0; s < d.sections.size(); ++s) {
        const auto& header = d.sections[s].header;
        ASSERT_GE(header.size(), 3u) << "section " << s;
        EXPECT_EQ(header[0].text, test::kSampleTitle);
        EXPECT_TRUE(header[0].anyBold && header[0].align == 'c');
        EXPECT_EQ(header[1].text, "Project: H\xC3\xB4tel \xC2\xABMain\xC2\xBB\t06/12/2026");
        EXPECT_EQ(header[1].tabs,
                  (std::vector<std::pair<char, int>>{{'r', s == 1 ? 14400 : 10800}}));
        ASSERT_EQ(d.sections[s].footer.size(), 1u);
        EXPECT_EQ(d.sections[s].footer[0].text, "QV Components v 17.0\tPage {PAGE} of {NUMPAGES}");
    }
    EXPECT_EQ(paragraphWith(d, "Type of analysis").text,
              "Type of analysis\tPrivate sector life cycle");
    EXPECT_TRUE(paragraphWith(d, "Table 1. Executive summary").keepWithNext);
    // Breaks before a section change and at the end are dropped.
    EXPECT_EQ(d.pageBreaks, 0);
    EXPECT_TRUE(paragraphWith(d, "1B. Comparison of alternatives").pageBreakBefore);
    paragraphWith(d, "Back to portrait: " + test::kSampleNonAscii);
    // Tables: executive summary, description box, 41-year table, wide table.
    auto tables = d.tables();
    ASSERT_EQ(tables.size(), 4u);
    ASSERT_EQ(tables[0]->rows.size(), 5u);
    for (const auto& row : tables[0]->rows)
        EXPECT_EQ(row.widths(), (std::vector<int>{3600, 5400, 1800}));
    const auto& heading = tables[0]->rows[0].cells;
    const auto& lowest = tables[0]->rows[2].cells;
    EXPECT_TRUE(tables[0]->rows[0].header && !tables[0]->rows[1].header);
    EXPECT_TRUE(heading[2].bold && !lowest[2].bold);
    EXPECT_EQ(lowest[1].text, "Heat pump " + test::kSampleNonAscii);
    EXPECT_EQ(lowest[2].text, "$1,234,567");
    EXPECT_EQ(std::string() + lowest[0].align + lowest[2].align, "lr");
    EXPECT_EQ(
        tables[1]->rows.at(0).cells[0].text,
        "Braces {like these} and a backslash \\ stay.\nSecond line: " + test::kSampleNonAscii);
    EXPECT_EQ(tables[2]->rows.size(), 42u);
    EXPECT_EQ(tables[2]->rows[41].cells[3].text, "-1480");
    EXPECT_EQ(tables[3]->rows.at(0).cells.back().rightEdge, 14400);
    // Three small charts side by side and one wide chart, PNG bytes intact.
    auto pictures = d.pictures();
    ASSERT_EQ(pictures.size(), 4u);
    for (size_t k = 0; k < 4; ++k)
        EXPECT_EQ(pictures[k]->data, test::sampleChart(static_cast<int>(k))) << k;
    const auto& failure = paragraphWith(d, "Error 9 - Subscript out of range");
    EXPECT_EQ(failure.text,
              "Error 9 - Subscript out of range\nMethod - GenerateSecondTable\n"
              "Module - cRptLifeCycleSummary");
    EXPECT_EQ(failure.colours, std::vector<test::RtfColour>{(test::RtfColour{240, 0, 0})});
}

TEST(RtfReadback, EscapesEveryCharacterAsAsciiControlWords) {
    doc::DocumentObject docs;
    docs.NewDocument("esc.rtf", "/tmp");
    // U+FFFF is the last character of one \u word, U+10000 the first of two.
    const std::string text =
        "a{b}c\\d \xE2\x82\xAC \xF0\x9D\x84\x9E \xC3\xA9 \xEF\xBF\xBF\xF0\x90\x80\x80";
    for (const std::string& line : {text, std::string("bad \xC3 utf8\x01")})
        docs.AddText(line, std::nullopt, std::nullopt, 0, std::nullopt, doc::code::kAlignLeft,
                     doc::code::kDefaultColour, true);
    const std::string rtf = doc::toRtf(docs.ActiveDocument());
    EXPECT_NE(
        rtf.find(" a\\{b\\}c\\\\d \\u8364? \\u-10188?\\u-8930? \\u233? \\u-1?\\u-10240?\\u-9216?"),
        std::string::npos)
        << rtf;
    EXPECT_EQ(std::count_if(rtf.begin(), rtf.end(), [](unsigned char c) { return c >= 0x80; }), 0);
    const test::RtfDocument d = test::readRtf(rtf);
    const auto paragraphs = d.paragraphs();
    ASSERT_EQ(paragraphs.size(), 2u);
    EXPECT_EQ(paragraphs[0]->text, text);
    EXPECT_EQ(paragraphs[1]->text, "bad \xEF\xBF\xBD utf8");
    EXPECT_NE(rtf.find("\\par\r\n"), std::string::npos);
}

// A file written in pieces joins to exactly the text toRtf gives, far beyond one piece.
TEST(RtfReadback, LargeDocumentFileEqualsTheWholeText) {
    doc::DocumentObject docs;
    const fs::path dir = test::freshDir("document", "large");
    docs.NewDocument("large.rtf", dir.string());
    test::writeSampleFrame(docs, "Large", false);
    for (int k = 0; k < 12; ++k) {
        docs.InsertPicture(test::sampleChart(k % 4), 440, 300);
        docs.SetTextFlags(doc::code::kFlagEndBlock, true);
    }
    docs.WriteDocument(-1, 0);
    std::ifstream in(dir / "large.rtf", std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    const std::string whole = doc::toRtf(docs.ActiveDocument());
    ASSERT_GT(whole.size(), 512u * 1024u);  // many times the writer's 32 KB pieces
    EXPECT_TRUE(written == whole);
    EXPECT_EQ(test::readRtf(written).pictures().size(), 12u);
}
