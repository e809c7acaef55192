#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "SampleDocument.h"
#include "TestSupport.h"
#include "qvc/document/DocumentObject.h"
#include "qvc/document/Table.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace fs = std::filesystem;
using namespace qvc;
using namespace qvc::doc;
using test::errorNumberOf;

namespace {

const std::vector<Block>& body(DocumentObject& docs) {
    return docs.ActiveDocument().sections().at(0).body;
}
const Paragraph& paragraphAt(DocumentObject& docs, size_t i) {
    return std::get<Paragraph>(body(docs).at(i));
}
// A paragraph's text with tabs, line breaks and fields as a reader shows them.
std::string text(const Paragraph& p) {
    static const char* const kShown[] = {"", "\t", "\n", "{PAGE}", "{NUMPAGES}", "{PICTURE}"};
    std::string out;
    for (const Run& r : p.runs)
        out += r.kind == Run::Kind::Text ? r.text : kShown[static_cast<int>(r.kind)];
    return out;
}
void addLine(DocumentObject& docs, const std::string& s, bool end = true) {
    docs.AddText(s, 10.0f, std::nullopt, 0, std::nullopt, code::kAlignKeep, code::kDefaultColour,
                 end);
}

struct RecordingHost : DocumentHost {
    std::vector<std::pair<int32_t, bool>> printed;
    void printDocument(const DocumentObject&, int32_t index, bool dialog) override {
        printed.emplace_back(index, dialog);
    }
};

}  // namespace

TEST(DocumentObject, DocumentsAreActivatedNamedAndPrinted) {
    DocumentObject docs;
    EXPECT_EQ(errorNumberOf([&] { docs.ActiveDocument(); }), rt::err::kObjectNotSet);
    EXPECT_EQ(docs.NewDocument("a.rtf", "/tmp"), 1);
    EXPECT_EQ(docs.NewDocument("b.rtf", "/tmp"), 2);
    EXPECT_EQ(docs.ActiveDocument().FileName(), "b.rtf");
    RecordingHost host;
    EXPECT_EQ(docs.AttachWindow(&host, 0), 1);
    docs.ActivateDocument(1);
    EXPECT_EQ(docs.ActiveDocument().FileName(), "a.rtf");
    docs.PrintDocument(0);
    docs.ActivateDocument(2);
    docs.PrintDocument(1);
    EXPECT_EQ(host.printed, (std::vector<std::pair<int32_t, bool>>{{1, false}, {2, true}}));
    docs.AttachWindow(nullptr, 0);
    EXPECT_EQ(errorNumberOf([&] { docs.PrintDocument(0); }), rt::err::kDeviceUnavailable);
}

TEST(DocumentObject, TextStylesTabsAndLineBreaks) {
    DocumentObject docs;
    docs.NewDocument("t.rtf", "/tmp");
    docs.AddText("Title", 12.0f, std::nullopt, code::kTextBold, 1.2f, code::kAlignCentre,
                 code::kDefaultColour, true);
    addLine(docs, "open", false);
    docs.NewLine(2);  // ends the open paragraph and adds one empty one
    docs.AddText("plain", std::nullopt, 0xFF0000, 4, std::nullopt, code::kAlignKeep,
                 code::kDefaultColour, true);
    // CR LF, CR and LF are one line break each; other control characters go.
    addLine(docs,
            "\r\nsecond\rthird\n\x01"
            "fourth\r\n");
    ASSERT_EQ(body(docs).size(), 5u);
    EXPECT_EQ(paragraphAt(docs, 0).lineSpacingPercent, 120);
    EXPECT_EQ(paragraphAt(docs, 0).runs[0].format.halfPoints, 24);
    EXPECT_EQ(text(paragraphAt(docs, 1)), "open");
    EXPECT_TRUE(paragraphAt(docs, 2).runs.empty());
    // With the default colour the alternative one is used (0xFF0000 is blue).
    EXPECT_EQ(paragraphAt(docs, 3).runs[0].format.colour, (Rgb{0, 0, 255}));
    EXPECT_TRUE(paragraphAt(docs, 3).runs[0].format.italic);
    EXPECT_EQ(text(paragraphAt(docs, 4)), "\nsecond\nthird\nfourth\n");
}

TEST(DocumentObject, TablesFollowRowStartsWidthsAndCaptions) {
    DocumentObject docs;
    docs.NewDocument("tb.rtf", "/tmp");
    Table t;
    t.Attach(docs);
    const int32_t starts[] = {1, 4, 7};
    t.Define(9, starts);
    for (int32_t n = 1; n <= 9; ++n) {
        t.Cell(n).SetValue("c" + std::to_string(n));
        t.Cell(n).SetWidth(n % 3 == 1 ? 2.5f : (n % 3 == 2 ? 3.75f : 1.25f));
    }
    t.Cell(4).SetPadding(6.0f / 32.0f);
    t.Cell(5).SetCellMeasure(0.5f);
    t.SetHeaderRow(true);
    t.InsertInto(docs);
    const auto& table = std::get<TableModel>(body(docs).at(0));
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_TRUE(table.rows[0].header && !table.rows[1].header);
    EXPECT_EQ(table.rows[2].cells[1].widthTwips, 5400);
    EXPECT_EQ(table.rows[1].paddingLeftRightTwips, 135);
    EXPECT_EQ(table.rows[1].paddingTopBottomTwips, 67);
    EXPECT_EQ(table.rows[1].minHeightTwips, 720);
    EXPECT_EQ(text(table.rows[2].cells[2].paragraphs[0]), "c9");
    // Cells without widths share the rest of the line; Cell(n) beyond the end adds cells.
    Table t2;
    t2.Attach(docs);
    for (int i = 0; i < 4; ++i)
        t2.AddCell().SetRowStart(i % 2 == 0);
    t2.Cell(1).SetWidth(1.5f);
    t2.Cell(6).SetValue("grown");
    t2.Cell(5).SetRowStart(true);
    EXPECT_EQ(t2.rowLengths(), (std::vector<int32_t>{2, 2, 2}));
    t2.InsertInto(docs);
    const auto& table2 = std::get<TableModel>(body(docs).at(1));
    EXPECT_EQ(table2.rows[0].cells[1].widthTwips, 10800 - 2160);
    EXPECT_EQ(table2.rows[1].cells[0].widthTwips, 5400);
}

TEST(DocumentObject, OrientationSectionsHeadersAndBreaks) {
    DocumentObject docs;
    docs.NewDocument("s.rtf", "/tmp");
    docs.SetMargins(0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f);
    // Before any body text the orientation changes the first section.
    docs.SetOrientation(code::kLandscape);
    ASSERT_EQ(docs.ActiveDocument().sections().size(), 1u);
    EXPECT_EQ(docs.ActiveDocument().sections()[0].page.textWidth(), 14400);
    test::writeSampleFrame(docs, "T", true);
    addLine(docs, "body");
    // Header text does not leak into the body; the project line has the 9 pt asked for.
    const auto& header = docs.ActiveDocument().sections()[0].header;
    EXPECT_EQ(header.size(), 3u);
    EXPECT_EQ(std::get<Paragraph>(header.at(1)).runs.at(0).format.halfPoints, 18);
    docs.SetOrientation(code::kPortrait);
    ASSERT_EQ(docs.ActiveDocument().sections().size(), 2u);
    EXPECT_EQ(docs.ActiveDocument().sections()[0].body.size(), 1u);
}

TEST(DocumentObject, PicturesAreSizedForThePage) {
    DocumentObject docs;
    docs.NewDocument("p.rtf", "/tmp");
    const auto& png = test::sampleChart(0);
    docs.InsertPicture(png, 235, 185);
    docs.InsertPicture(png, 2000, 1000);  // wider than the page: shrunk to 7.5 in
    // Taller than 11 - 1 - 2 in: 11520 of 20000 twips high, so 4000 wide give 2304.
    docs.InsertPicture(png, 200, 1000);
    docs.SetTextFlags(code::kFlagEndBlock, true);
    const Paragraph& p = paragraphAt(docs, 0);
    ASSERT_EQ(p.runs.size(), 3u);
    const std::vector<std::pair<int, int>> sizes{{4700, 3700}, {10800, 5400}, {2304, 11520}};
    for (size_t k = 0; k < 3; ++k)
        EXPECT_EQ(std::make_pair(p.runs[k].picture->widthTwips, p.runs[k].picture->heightTwips),
                  sizes[k]);
}

TEST(DocumentObject, WritingNeedsAnExistingFolderAndKeepsTheInsertionPoint) {
    DocumentObject docs;
    const fs::path dir = test::freshDir("document", "write");
    docs.NewDocument("w.rtf", (dir / "missing").string());
    addLine(docs, "x");
    try {
        docs.WriteDocument(-1, 0);
        ADD_FAILURE() << "writing into a missing folder must fail";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), rt::err::kPathNotFound);
        EXPECT_NE(e.description().find((dir / "missing").string()), std::string::npos);
    }
    // An open paragraph is written but stays open for more text.
    docs.ActiveDocument().SetFileFolder(dir.string());
    addLine(docs, "label ", false);
    docs.WriteDocument(-1, 0);
    std::ifstream in(dir / "w.rtf", std::ios::binary);
    std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(written.find("label "), std::string::npos);
    addLine(docs, "value");
    ASSERT_EQ(body(docs).size(), 2u);
    EXPECT_EQ(text(paragraphAt(docs, 1)), "label value");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

// Every wrong call fails with its number; values at the limits are accepted.
TEST(DocumentObject, WrongCallsFailWithTheirNumbers) {
    DocumentObject docs;
    EXPECT_EQ(errorNumberOf([&] { docs.AddText("x"); }), rt::err::kObjectNotSet);
    docs.NewDocument("bad.rtf", "/tmp");
    const auto& png = test::sampleChart(0);
    const std::vector<uint8_t> notPng(png.begin() + 1, png.end());
    Table table;
    const int32_t zeroStart[] = {0};
    const std::pair<std::function<void()>, int> calls[] = {
        {[&] { docs.AddText("x", std::nullopt, std::nullopt, 0, std::nullopt, 3); }, 5},  // align
        {[&] { docs.AddText("x", 0.5f); }, 5},  // under 1 pt
        {[&] { docs.AddText("x", 1.0f); }, 0},
        {[&] { docs.AddLabelValue("x", "", true, 1, 1, 0.0); }, 5},  // a tab at 0 in
        {[&] { docs.InsertField(999); }, 5},
        {[&] { docs.SetTextFlags(0x100, true); }, 5},
        {[&] { docs.SetMargins(4, 4, 0.5f, 0.5f, 0.5f, 0.5f); }, 5},  // 8 of 8.5 in
        // 3.75 + 3.75 in leave exactly the inch of text a letter page must keep.
        {[&] { docs.SetMargins(3.75f, 3.75f, 3.75f, 3.75f, 0.5f, 0.5f); }, 0},
        {[&] { docs.SetZoom(500); }, 0},
        {[&] { docs.SetZoom(501); }, 5},
        {[&] { docs.InsertPicture(notPng, 10, 10); }, 5},
        {[&] { table.InsertInto(docs); }, 5},  // not attached
        {[&] { table.Define(3, zeroStart); }, 9},
        {[&] { table.Cell(1).SetWidth(-1); }, 5},
        {[&] { docs.ActivateDocument(2); }, 9},
    };
    for (size_t k = 0; k < std::size(calls); ++k)
        EXPECT_EQ(errorNumberOf(calls[k].first), calls[k].second) << "call " << k;
}
