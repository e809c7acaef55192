// Page layout of report documents: line breaking, tables near the foot of a page, page breaks.

#include <gtest/gtest.h>

#include "LayoutChecks.h"
#include "ParagraphLayout.h"
#include "TestSupport.h"
#include "qvc/document/DocumentObject.h"
#include "qvc/document/Table.h"
#include "qvc/viewer/DocumentLayout.h"

using namespace qvc;
using namespace qvc::viewer;

namespace {

const PageText* findText(const LaidOutPage& page, const QString& text) {
    for (const PageText& t : page.texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

void addLine(doc::DocumentObject& docs, const std::string& text, int16_t style = 0) {
    docs.AddText(text, 10.0f, std::nullopt, style, std::nullopt, doc::code::kAlignLeft,
                 doc::code::kDefaultColour, true);
}

// A two-column table of a heading row and `rows` body rows "Row1", "Row2" ...
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

}  // namespace

// Text wraps in reading order; a table near the foot of a page keeps caption, heading and first
// row together, and every further page repeats the continued caption above the heading row.
TEST(DocumentLayout, WrapsTextAndKeepsCaptionsWithTheirTablesAtAnyHeight) {
    std::string words, expected;
    for (int i = 0; i < 200; ++i) {
        words += "word" + std::to_string(i) + " ";
        expected += (i ? " word" : "word") + std::to_string(i);
    }
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
        const auto pageOf = [&](const QString& text) {
            size_t p = 0;
            while (p < laid.pages.size() && !findText(laid.pages[p], text))
                ++p;
            return p;
        };
        const size_t first = pageOf("Row1");
        ASSERT_LT(first + 1, laid.pages.size()) << fill << " lines";
        EXPECT_EQ(pageOf("Costs"), first) << fill << " lines";
        EXPECT_EQ(pageOf("Item"), first) << fill << " lines";
        for (size_t p = first + 1; p < laid.pages.size(); ++p) {
            const PageText* caption = findText(laid.pages[p], "[continued]");
            const PageText* heading = findText(laid.pages[p], "Item");
            ASSERT_TRUE(caption && heading) << fill << " lines, page " << p + 1;
            EXPECT_TRUE(caption->format.bold);
            EXPECT_LT(caption->baseline.y(), heading->baseline.y());
        }
    }
}

// Lines break at blanks only; a word wider than the line is cut between characters (never inside
// one beyond U+FFFF) and no piece runs past the edge; a right tab stop ends its text at the stop.
TEST(ParagraphLayout, BreaksAtBlanksCutsOnlyOverwideWordsAndEndsRightTabsAtTheStop) {
    TextMeasurer m;
    PictureStore pictures;
    doc::CharFormat bold;
    bold.bold = true;
    size_t lines = 0;
    // The words of runs `texts` ("" is a tab) laid out `width` pt wide.
    const auto layout = [&](const std::vector<std::string>& texts, double width) {
        doc::Paragraph p;
        for (const std::string& t : texts)
            p.runs.push_back(
                doc::Run{t.empty() ? doc::Run::Kind::Tab : doc::Run::Kind::Text, t, bold, nullptr});
        p.tabs = {doc::TabStop{200 * doc::kTwipsPerPoint, doc::TabStop::Kind::Right}};
        std::vector<PageText> words;
        const ParagraphBox box = layoutParagraph(p, width, m, pictures, FieldValues{});
        for (const LineBox& line : box.lines)
            words.insert(words.end(), line.texts.begin(), line.texts.end());
        lines = box.lines.size();
        return words;
    };
    const auto hyphen = layout({"Total non-fuel cost"}, m.width("Total non-", bold) + 1);
    EXPECT_EQ(lines, 3u);
    EXPECT_EQ(hyphen.size() == 3 ? hyphen[1].text : QString(), "non-fuel");
    EXPECT_EQ(layout({"$ -1,145,175"}, m.width("$ -1,145", bold)).size(), 1u);
    EXPECT_EQ(lines, 1u);

    const QString longWord = QString::fromUtf8(
        "Depreciation\xF0\x9D\x84\x9E"
        "Escalation");
    QString joined;
    for (const PageText& t : layout({"Tax " + longWord.toStdString() + " Rate (%)"}, 40)) {
        EXPECT_LE(t.baseline.x() + m.width(t.text, bold), 40.01) << t.text.toStdString();
        EXPECT_FALSE(t.text.back().isHighSurrogate()) << t.text.toStdString();
        if (t.text != "Tax" && t.text != "Rate" && t.text != "(%)")
            joined += t.text;
    }
    EXPECT_EQ(joined, longWord);
    EXPECT_GE(lines, 5u);
    EXPECT_EQ(layout({"Tax " + longWord.toStdString() + " Rate (%)"}, 400).size(), 4u);

    const auto tabbed = layout({"Left", "", "Right end"}, 400);
    ASSERT_EQ(tabbed.size(), 3u);
    EXPECT_NEAR(tabbed[2].baseline.x() + m.width("end", bold), 200, 0.1);
}

// Reproducer: the blank line a report writes after a block filled page 1
// exactly, so page 2 held only it, page 3 the next block and page 4 nothing.
TEST(DocumentLayout, BlankLinesBeforeAPageBreakMakeNoEmptyPage) {
    const auto build = [](doc::DocumentObject& docs, int lines, bool rest) {
        docs.NewDocument("blank.rtf", "/tmp");
        for (int i = 0; i < lines; ++i)
            addLine(docs, "Line " + std::to_string(i));
        if (rest) {
            docs.NewLine(1);
            docs.InsertBreak(doc::code::kBreakPage);
            addLine(docs, "Next block");
            docs.NewLine(2);
            docs.InsertBreak(doc::code::kBreakPage);
        }
    };
    int fill = 1;  // the lines that exactly fill page 1
    for (;; ++fill) {
        doc::DocumentObject docs;
        build(docs, fill + 1, false);
        if (layoutDocument(docs.document(1)).pages.size() > 1)
            break;
    }
    doc::DocumentObject docs;
    build(docs, fill, true);
    const LaidOutDocument laid = layoutDocument(docs.document(1));
    ASSERT_EQ(laid.pages.size(), 2u);
    EXPECT_NE(findText(laid.pages[0], QString::number(fill - 1)), nullptr);
    EXPECT_NE(findText(laid.pages[1], "Next"), nullptr);
}
