// Column widths of tables from the texts they hold: figures and words never
// broken, width taken from text columns before number columns, spanning cells
// kept over their columns, small type only when nothing else fits; and the rows
// kept together (headings, totals) as the model and the RTF carry them.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
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

// Advance widths (1/2048 em) of the Arial / Liberation Sans characters used
// below, regular and bold; an em is halfPoints * 10 twips.
int twipsOf(const std::string& text, int halfPoints = 20, bool bold = false) {
    static const std::map<char, std::pair<int, int>> kAdvance{
        {'0', {1139, 1139}}, {'1', {1139, 1139}}, {'4', {1139, 1139}}, {'5', {1139, 1139}},
        {'7', {1139, 1139}}, {',', {569, 569}},   {'$', {1139, 1139}}, {' ', {569, 569}},
        {'-', {682, 682}},   {'D', {1479, 1479}}, {'e', {1139, 1139}}, {'p', {1139, 1251}},
        {'r', {682, 797}},   {'c', {1024, 1139}}, {'i', {455, 569}},   {'a', {1139, 1139}},
        {'t', {569, 682}},   {'o', {1139, 1251}}, {'n', {1139, 1251}}, {'M', {1706, 1706}},
        {'h', {1139, 1251}}, {'d', {1139, 1251}}, {'B', {1366, 1479}}, {'l', {455, 569}},
        {'C', {1479, 1479}}, {'s', {1024, 1139}}, {'T', {1251, 1251}}, {'x', {1024, 1139}}};
    long units = 0;
    for (char c : text) {
        const auto& [regular, heavy] = kAdvance.at(c);
        units += bold ? heavy : regular;
    }
    return static_cast<int>((units * halfPoints * 10 + 2047) / 2048);
}

const TableModel& lastTable(DocumentObject& docs) {
    return std::get<TableModel>(docs.ActiveDocument().sections().at(0).body.back());
}

// A table of `rows` x widths.size() cells, 6/32 in padding; `text(r, c)` fills them.
const TableModel& insert(DocumentObject& docs, const std::vector<float>& widths, int rows,
                         const std::function<std::string(int, int)>& text,
                         const std::function<void(Table&)>& extra = {}) {
    Table t;
    t.Attach(docs);
    for (int r = 0; r < rows; ++r) {
        for (size_t c = 0; c < widths.size(); ++c) {
            TableCell& cell = t.AddCell();
            cell.SetRowStart(c == 0);
            cell.SetWidth(widths[c]);
            cell.SetPadding(6.0f / 32.0f);
            cell.SetBold(r == 0);
            cell.SetAlignment(c == 0 ? code::kAlignLeft : code::kAlignRight);
            cell.SetValue(text(r, static_cast<int>(c)));
        }
    }
    if (extra) {
        extra(t);
    }
    t.InsertInto(docs);
    return lastTable(docs);
}

std::vector<int> widthsOf(const TableRowModel& row) {
    std::vector<int> w;
    for (const TableCellModel& c : row.cells) {
        w.push_back(c.widthTwips);
    }
    return w;
}

constexpr int kPad = 135;  // each side: half the 6/32 in cell padding

}  // namespace

TEST(ColumnFitting, FiguresAndWordsGetTheirWidthFromTextColumnsFirst) {
    DocumentObject docs;
    docs.NewDocument("fit.rtf", "/tmp");
    // Item names (text), a money column far too narrow for its figure, and a
    // wide number column: the text column gives the width, the number column
    // keeps its own.
    const TableModel& a = insert(docs, {3.0f, 0.5f, 2.0f}, 3, [](int r, int c) {
        if (r == 0)
            return std::string(c == 1 ? "Cost" : "Item");
        if (c == 0)
            return std::string("Boiler");
        return std::string(c == 1 ? "$ -1,145,175" : "1,500");
    });
    const std::vector<int> w = widthsOf(a.rows[1]);
    EXPECT_GE(w[1] - 2 * kPad, twipsOf("$ -1,145,175"));
    EXPECT_EQ(w[2], 2880);
    EXPECT_EQ(w[0] + w[1] + w[2], 7920);  // the table keeps its width
    EXPECT_EQ(widthsOf(a.rows[0]), w);    // every row alike

    // A heading word ("Depreciation") widens its column like a figure would;
    // the text column's lines may wrap, but not inside a word.
    const TableModel& b = insert(docs, {0.5f, 0.45f, 2.0f}, 2, [](int r, int c) {
        if (r == 0)
            return std::string(c == 0 ? "Depreciation Method" : c == 1 ? "Cost" : "Note");
        return std::string(c == 0 ? "Declining Balance" : c == 1 ? "1,145,175" : "Text");
    });
    const std::vector<int> wb = widthsOf(b.rows[0]);
    EXPECT_GE(wb[0] - 2 * kPad, twipsOf("Depreciation", 20, true));
    EXPECT_GE(wb[1] - 2 * kPad, twipsOf("1,145,175"));
    EXPECT_EQ(wb[0] + wb[1] + wb[2], 4248);

    // When the text columns are down to their longest word, the number columns
    // give the rest, never below their own figures.
    const TableModel& c = insert(docs, {0.6f, 0.5f, 1.4f}, 2, [](int r, int col) {
        if (r == 0)
            return std::string(col == 0 ? "Item" : "Cost");
        return std::string(col == 0 ? "Boiler" : col == 1 ? "$ -1,145,175" : "1,145,175");
    });
    const std::vector<int> wc = widthsOf(c.rows[1]);
    EXPECT_GE(wc[0] - 2 * kPad, twipsOf("Boiler"));
    EXPECT_LT(wc[0], 864);   // the text column gave first
    EXPECT_LT(wc[2], 2016);  // then the number column
    EXPECT_GE(wc[1] - 2 * kPad, twipsOf("$ -1,145,175"));
    EXPECT_GE(wc[2] - 2 * kPad, twipsOf("1,145,175"));
    EXPECT_EQ(wc[0] + wc[1] + wc[2], 3600);
}

TEST(ColumnFitting, TablesThatFitKeepTheirWidthsAndIndentsStayWithTheirWord) {
    DocumentObject docs;
    docs.NewDocument("fit.rtf", "/tmp");
    // A table whose texts already fit keeps the widths it was given.
    const TableModel& d = insert(docs, {2.0f, 1.0f}, 2, [](int, int) { return "10"; });
    EXPECT_EQ(widthsOf(d.rows[1]), (std::vector<int>{2880, 1440}));

    // Blanks in front of a word (an indented item) stay with it; a tab
    // separates words like a blank. The 0.5 in text column widens to its
    // longest word, the indented "Controls", not to "DepreciationMethod".
    const TableModel& e = insert(docs, {0.5f, 2.0f}, 3, [](int r, int col) {
        const char* texts[3][2] = {
            {"Item", "Cost"}, {"        Controls", "1,145,175"}, {"Depreciation\tMethod", "7"}};
        return std::string(texts[r][col]);
    });
    const int text = widthsOf(e.rows[1])[0] - 2 * kPad;
    EXPECT_GE(text, twipsOf("        Controls"));
    EXPECT_LT(text, twipsOf("DepreciationMethod"));
}

TEST(ColumnFitting, FiguresHaveADigitAndNoLetter) {
    const std::pair<const char*, bool> cases[] = {{"$ -1,145,175", true},
                                                  {"12 %", true},
                                                  {"N/A", false},
                                                  {"-", false},
                                                  {"Z1", false},
                                                  {"z1", false},
                                                  {"a1", false},
                                                  {"\xC3\x80"
                                                   "1",
                                                   false}};  // "À1"
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
    const std::vector<int> rowStarts{0, 2, 5};
    for (size_t i = 0; i < cells.size(); ++i) {
        TableCell& cell = t.AddCell();
        cell.SetRowStart(std::find(rowStarts.begin(), rowStarts.end(), i) != rowStarts.end());
        cell.SetWidth(cells[i].first);
        cell.SetValue(cells[i].second);
        cell.SetPadding(6.0f / 32.0f);
    }
    t.InsertInto(docs);
    const TableModel& a = lastTable(docs);
    const std::vector<int> body = widthsOf(a.rows[1]);
    ASSERT_EQ(body.size(), 3u);
    EXPECT_EQ(a.rows[0].cells[0].widthTwips, body[0]);
    EXPECT_EQ(a.rows[0].cells[1].widthTwips, body[1] + body[2]);
    EXPECT_GE(body[1] - 2 * kPad, twipsOf("$ -1,145,175"));
    EXPECT_LT(body[0], 4320);

    // Ten money columns cannot hold their figures at 10 pt on a 7.5 in page:
    // the table's type gets smaller until they fit, and no wider than the page.
    const TableModel& b = insert(docs, std::vector<float>(10, 0.75f), 2,
                                 [](int, int) { return std::string("-1,145,175"); });
    const int halfPoints = b.rows[1].cells[0].paragraphs[0].runs[0].format.halfPoints;
    EXPECT_LT(halfPoints, 20);
    EXPECT_GE(halfPoints, 14);
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
    const TableModel& a = insert(
        docs, {1.0f, 1.0f}, 10, [](int r, int) { return std::to_string(r); },
        [](Table& t) {
            t.SetHeaderRows(2);
            t.SetTotalsRow(true);
        });
    std::vector<int> headers, kept;
    for (size_t r = 0; r < a.rows.size(); ++r) {
        if (a.rows[r].header)
            headers.push_back(static_cast<int>(r));
        if (a.rows[r].keepWithNext)
            kept.push_back(static_cast<int>(r));
    }
    EXPECT_EQ(headers, (std::vector<int>{0, 1}));
    // Both headings and the first body row go with the next row; the two rows
    // before the totals go with theirs.
    EXPECT_EQ(kept, (std::vector<int>{0, 1, 2, 7, 8}));

    const TableModel& b = insert(
        docs, {1.0f}, 4, [](int r, int) { return std::to_string(r); },
        [](Table& t) { t.SetKeepTogether(true); });
    for (size_t r = 0; r < b.rows.size(); ++r)
        EXPECT_EQ(b.rows[r].keepWithNext, r + 1 < b.rows.size()) << r;

    // In RTF: \trhdr on every heading row; kept rows say so on the row and on
    // every paragraph in it.
    const std::string rtf = toRtf(docs.ActiveDocument());
    auto count = [&](const std::string& word) {
        size_t n = 0;
        for (size_t at = rtf.find(word); at != std::string::npos; at = rtf.find(word, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("\\trhdr"), 2u);
    EXPECT_EQ(count("\\trkeepfollow"), 5u + 3u);
    EXPECT_EQ(
        count("\\intbl\\qc\\keepn") + count("\\intbl\\ql\\keepn") + count("\\intbl\\qr\\keepn"),
        5u * 2u + 3u);
}
