#include <gtest/gtest.h>

#include <map>
#include <string>

#include "../../platform/document/ColumnFitter.h"
#include "../../platform/document/TextWidth.h"
#include "qvc/document/DocumentObject.h"
#include "qvc/document/RtfWriter.h"
#include "qvc/document/Table.h"

using namespace qvc;
using namespace qvc::doc;

namespace {

using Texts = std::vector<std::vector<std::string>>;

// Arial advance widths (1/2048 em, regular and bold); an em is halfPoints * 10 twips.
int twipsOf(const std::string& text, int halfPoints = 20, bool bold = false) {
    static const std::map<char, std::pair<int, int>> kAdvance{
        {'0', {1139, 1139}}, {'1', {1139, 1139}}, {'4', {1139, 1139}}, {'5', {1139, 1139}},
        {'7', {1139, 1139}}, {',', {569, 569}},   {'$', {1139, 1139}}, {' ', {569, 569}},
        {'-', {682, 682}},   {'D', {1479, 1479}}, {'e', {1139, 1139}}, {'p', {1139, 1251}},
        {'r', {682, 797}},   {'c', {1024, 1139}}, {'i', {455, 569}},   {'a', {1139, 1139}},
        {'t', {569, 682}},   {'o', {1139, 1251}}, {'n', {1139, 1251}}, {'M', {1706, 1706}},
        {'h', {1139, 1251}}, {'d', {1139, 1251}}, {'B', {1366, 1479}}, {'l', {455, 569}},
        {'C', {1479, 1479}}, {'s', {1024, 1139}}};
    long units = 0;
    for (char c : text)
        units += bold ? kAdvance.at(c).second : kAdvance.at(c).first;
    return static_cast<int>((units * halfPoints * 10 + 2047) / 2048);
}

// A table of `texts` (first row bold, first column left), 6/32 in padding.
const TableModel& insert(DocumentObject& docs, const std::vector<float>& widths, const Texts& texts,
                         void (*extra)(Table&) = nullptr) {
    Table t;
    t.Attach(docs);
    for (size_t r = 0; r < texts.size(); ++r) {
        for (size_t c = 0; c < widths.size(); ++c) {
            TableCell& cell = t.AddCell();
            cell.SetRowStart(c == 0);
            cell.SetWidth(widths[c]);
            cell.SetPadding(6.0f / 32.0f);
            cell.SetBold(r == 0);
            cell.SetAlignment(c == 0 ? code::kAlignLeft : code::kAlignRight);
            cell.SetValue(texts[r][c]);
        }
    }
    if (extra)
        extra(t);
    t.InsertInto(docs);
    return std::get<TableModel>(docs.ActiveDocument().sections().at(0).body.back());
}

std::vector<int> widthsOf(const TableRowModel& row) {
    std::vector<int> w;
    for (const TableCellModel& c : row.cells)
        w.push_back(c.widthTwips);
    return w;
}

constexpr int kPad = 135;  // each side: half the 6/32 in cell padding

}  // namespace

TEST(ColumnFitting, FiguresAndWordsGetTheirWidthFromTextColumnsFirst) {
    DocumentObject docs;
    docs.NewDocument("fit.rtf", "/tmp");
    const auto fit = [&](const std::vector<float>& widths, const Texts& texts, size_t row = 1) {
        return widthsOf(insert(docs, widths, texts).rows.at(row));
    };
    // A money column far too narrow: the text column (a word and a figure a cell) gives.
    const auto a = fit({3.0f, 0.5f, 2.0f}, {{"Item", "Cost", "Item"},
                                            {"Boiler\n7", "$ -1,145,175", "1,500"},
                                            {"Boiler\n7", "$ -1,145,175", "1,500"}});
    EXPECT_GE(a[1] - 2 * kPad, twipsOf("$ -1,145,175"));
    EXPECT_EQ(a[2], 2880);
    EXPECT_EQ(a[0] + a[1] + a[2], 7920);  // the table keeps its width
    // A bold heading word widens its column like a figure would.
    const auto b =
        fit({0.5f, 0.45f, 2.0f}, {{"Depreciation", "Cost", "Note"}, {"a", "1,145,175", "b"}}, 0);
    EXPECT_GE(b[0] - 2 * kPad, twipsOf("Depreciation", 20, true));
    EXPECT_EQ(b[0] + b[1] + b[2], 4248);
    // Then the number columns give the rest, never below their own figures.
    const auto c = fit({0.6f, 0.5f, 1.4f},
                       {{"Item", "Cost", "Cost"}, {"Boiler", "$ -1,145,175", "1,145,175"}});
    EXPECT_GE(c[0] - 2 * kPad, twipsOf("Boiler"));
    EXPECT_LT(c[0], 864);
    EXPECT_LT(c[2], 2016);
    EXPECT_GE(c[1] - 2 * kPad, twipsOf("$ -1,145,175"));
    EXPECT_GE(c[2] - 2 * kPad, twipsOf("1,145,175"));
    EXPECT_EQ(c[0] + c[1] + c[2], 3600);
    // Texts that fit keep the widths given.
    EXPECT_EQ(fit({2.0f, 1.0f}, {{"10", "10"}, {"10", "10"}}), (std::vector<int>{2880, 1440}));
    // Blanks in front of a word stay with it; a tab separates words like a blank.
    const int indented = fit({0.5f, 2.0f}, {{"Item", "Cost"},
                                            {"        Controls", "1,145,175"},
                                            {"Depreciation\tMethod", "7"}})[0] -
                         2 * kPad;
    EXPECT_GE(indented, twipsOf("        Controls"));
    EXPECT_LT(indented, twipsOf("DepreciationMethod"));
}

TEST(ColumnFitting, FiguresHaveADigitAndNoLetter) {
    const std::pair<const char*, bool> cases[] = {
        {"$ -1,145,175", true}, {"12 %", true}, {"N/A", false}, {"-", false},
        {"Z1", false},          {"z1", false},  {"a1", false},  {"\xC3\x80\x31", false}};  // "À1"
    for (const auto& [text, figure] : cases)
        EXPECT_EQ(detail::isFigure(text), figure) << text;
    // The last Latin-1 letter is measured from the font's table, as wide as "y".
    EXPECT_EQ(detail::advanceUnits(U'\u00FF', false), detail::advanceUnits(U'y', false));
}

TEST(ColumnFitting, SpanningCellsFollowTheirColumnsAndWideTablesGetSmallerType) {
    DocumentObject docs;
    docs.NewDocument("span.rtf", "/tmp");
    Table t;
    t.Attach(docs);
    // Row 1: a group heading over columns 2 and 3; rows 2 and 3: three columns.
    const std::vector<std::pair<float, std::string>> cells{
        {3.0f, ""},          {1.2f, "Cash Flow"}, {3.0f, "Year"}, {0.6f, "$ -1,145,175"},
        {0.6f, "1,145,175"}, {3.0f, "Initial"},   {0.6f, "-5"},   {0.6f, "7"}};
    for (size_t i = 0; i < cells.size(); ++i) {
        TableCell& cell = t.AddCell();
        cell.SetRowStart(i == 0 || i == 2 || i == 5);
        cell.SetWidth(cells[i].first);
        cell.SetValue(cells[i].second);
        cell.SetPadding(6.0f / 32.0f);
    }
    t.InsertInto(docs);
    const TableModel& a = std::get<TableModel>(docs.ActiveDocument().sections()[0].body.back());
    const std::vector<int> body = widthsOf(a.rows[1]);
    ASSERT_EQ(body.size(), 3u);
    EXPECT_EQ(widthsOf(a.rows[0]), (std::vector<int>{body[0], body[1] + body[2]}));
    EXPECT_GE(body[1] - 2 * kPad, twipsOf("$ -1,145,175"));
    EXPECT_LT(body[0], 4320);
    // Ten money columns on a 7.5 in page: smaller type until they fit.
    const TableModel& b = insert(docs, std::vector<float>(10, 0.75f),
                                 Texts(2, std::vector<std::string>(10, "-1,145,175")));
    const int halfPoints = b.rows[1].cells[0].paragraphs[0].runs[0].format.halfPoints;
    EXPECT_LT(halfPoints, 20);
    int total = 0;
    for (int w : widthsOf(b.rows[1])) {
        EXPECT_GE(w - 2 * kPad, twipsOf("-1,145,175", halfPoints));
        total += w;
    }
    EXPECT_LE(total, 10800);
    // One point larger would not have fitted (2 pt of room kept per cell).
    EXPECT_GT(10 * (twipsOf("-1,145,175", halfPoints + 2) + 2 * kPad + 40), 10800);
}

TEST(ColumnFitting, HeadingAndTotalsRowsAreKeptWithTheirNeighboursInModelAndRtf) {
    DocumentObject docs;
    docs.NewDocument("keep.rtf", "/tmp");
    Texts numbers;
    for (int r = 0; r < 10; ++r)
        numbers.push_back({std::to_string(r), std::to_string(r)});
    const TableModel& a = insert(docs, {1.0f, 1.0f}, numbers, [](Table& t) {
        t.SetHeaderRows(2);
        t.SetTotalsRow(true);
    });
    EXPECT_TRUE(a.rows[1].header && !a.rows[2].header);
    std::vector<int> kept;
    for (size_t r = 0; r < a.rows.size(); ++r)
        if (a.rows[r].keepWithNext)
            kept.push_back(static_cast<int>(r));
    // The headings and the first body row go with the next row, as do the two before the totals.
    EXPECT_EQ(kept, (std::vector<int>{0, 1, 2, 7, 8}));
    numbers.resize(4);
    const TableModel& b =
        insert(docs, {1.0f, 1.0f}, numbers, [](Table& t) { t.SetKeepTogether(true); });
    for (size_t r = 0; r < b.rows.size(); ++r)
        EXPECT_EQ(b.rows[r].keepWithNext, r + 1 < b.rows.size()) << r;
    // In RTF: heading rows, kept rows and their paragraphs.
    const std::string rtf = toRtf(docs.ActiveDocument());
    auto count = [&](const std::string& word) {
        size_t n = 0;
        for (size_t at = rtf.find(word); at != std::string::npos; at = rtf.find(word, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("\\trhdr"), 2u);
    EXPECT_EQ(count("\\trkeepfollow"), 5u + 3u);
    EXPECT_EQ(count("\\keepn"), 2u * (5u + 3u));
}
