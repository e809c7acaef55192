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

// Text wraps in reading order, a word wider than the page cut to fit; a table near the foot of a
// page keeps caption, heading and first row together, and every further page repeats the
// continued caption above the heading row.
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

// Reproducer: a blank line after a block filling page 1 exactly made a page of its own.
TEST(DocumentLayout, BlankLinesBeforeAPageBreakMakeNoEmptyPage) {
    const auto pages = [](int lines, bool rest) {
        doc::DocumentObject docs;
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
        return layoutDocument(docs.document(1)).pages;
    };
    int fill = 1;  // the lines that exactly fill page 1
    while (pages(fill + 1, false).size() == 1)
        ++fill;
    const std::vector<LaidOutPage> laid = pages(fill, true);
    ASSERT_EQ(laid.size(), 2u);
    EXPECT_NE(findText(laid[1], "Next"), nullptr);
}
