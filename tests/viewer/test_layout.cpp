// Page layout of the report documents: page counts, page frames with their page
// numbers, landscape paper, table shading and heading rows on continuation
// pages, and nothing outside the paper's text area.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <map>

#include "ParagraphLayout.h"
#include "ReportSample.h"
#include "ViewerTestSupport.h"
#include "qvc/document/RtfWriter.h"
#include "qvc/document/Table.h"
#include "qvc/viewer/DocumentLayout.h"

namespace fs = std::filesystem;
using namespace qvc;
using namespace qvc::viewer;

namespace {

// The texts of a page's line at baseline y (rounded to a point), left to right.
std::map<int, QString> linesOf(const LaidOutPage& page) {
    std::map<int, std::vector<const PageText*>> byLine;
    for (const PageText& t : page.texts) {
        byLine[static_cast<int>(std::lround(t.baseline.y()))].push_back(&t);
    }
    std::map<int, QString> out;
    for (auto& [y, texts] : byLine) {
        std::sort(texts.begin(), texts.end(), [](const PageText* a, const PageText* b) {
            return a->baseline.x() < b->baseline.x();
        });
        QStringList words;
        for (const PageText* t : texts) {
            words << t->text;
        }
        out[y] = words.join(' ');
    }
    return out;
}

const PageText* findText(const LaidOutPage& page, const QString& text) {
    for (const PageText& t : page.texts) {
        if (t.text == text) {
            return &t;
        }
    }
    return nullptr;
}

}  // namespace

TEST(DocumentLayout, LifeCycleSummaryPagesFramesAndTables) {
    fs::path work = test::freshViewerDir("layout");
    doc::DocumentObject docs;
    test::addLifeCycleSummary(docs, work.string());
    const LaidOutDocument laid = layoutDocument(docs.document(1));
    const int n = static_cast<int>(laid.pages.size());
    ASSERT_GE(n, 2);  // the 41-row table runs onto a further page
    ASSERT_LE(n, 4);

    for (int i = 0; i < n; ++i) {
        const LaidOutPage& page = laid.pages[static_cast<size_t>(i)];
        EXPECT_EQ(page.number, i + 1);
        EXPECT_DOUBLE_EQ(page.sizePt.width(), 612);
        EXPECT_DOUBLE_EQ(page.sizePt.height(), 792);
        auto lines = linesOf(page);
        // Header on top, footer "QV Components 17.0 ... Page i of n" at the bottom.
        EXPECT_EQ(lines.begin()->second, "Life-Cycle Cost Summary");
        const QString footer = std::prev(lines.end())->second;
        EXPECT_EQ(footer, QString("QV Components 17.0 Page %1 of %2").arg(i + 1).arg(n));
        // The page number ends at the right margin (a right tab at the text width).
        const PageText* count = nullptr;
        for (const PageText& t : page.texts) {
            if (std::lround(t.baseline.y()) == std::prev(lines.end())->first &&
                (!count || t.baseline.x() > count->baseline.x())) {
                count = &t;
            }
        }
        ASSERT_NE(count, nullptr);
        EXPECT_LT(count->baseline.y(), 792 - 36);  // above the footer distance
        for (const PageText& t : page.texts) {
            EXPECT_GE(t.baseline.x(), 36 - 0.01) << t.text.toStdString();
            EXPECT_LE(t.baseline.y(), 792 - 30) << t.text.toStdString();
        }
        // Two rules: under the header and over the footer.
        int rules = 0;
        for (const PageLine& l : page.lines) {
            rules += (std::abs(l.line.x1() - 36) < 0.01 && std::abs(l.line.x2() - 576) < 0.01 &&
                      l.line.y1() == l.line.y2())
                         ? 1
                         : 0;
        }
        EXPECT_GE(rules, 2) << "page " << i + 1;
    }

    // Page 1: the general information, the shaded summary table and three charts.
    const LaidOutPage& first = laid.pages.front();
    const PageText* label = findText(first, "Discount");
    ASSERT_NE(label, nullptr);
    const PageText* heading = findText(first, "Total");
    ASSERT_NE(heading, nullptr);
    EXPECT_TRUE(heading->format.bold);
    int shaded = 0;
    for (const PageFill& f : first.fills) {
        shaded += f.colour == QColor(192, 192, 192) ? 1 : 0;
    }
    EXPECT_GE(shaded, 5);  // the heading row of table 1
    ASSERT_EQ(first.images.size(), 3u);
    for (const PageImage& im : first.images) {
        EXPECT_DOUBLE_EQ(im.rect.width(), 235);
        EXPECT_DOUBLE_EQ(im.rect.height(), 185);
        EXPECT_GE(im.rect.left(), 36);
        EXPECT_LE(im.rect.right(), 576 + 0.01);
        ASSERT_TRUE(im.image);
        EXPECT_FALSE(im.image->isNull());
    }
    // Two charts side by side, the third below them, centred.
    EXPECT_DOUBLE_EQ(first.images[0].rect.top(), first.images[1].rect.top());
    EXPECT_GT(first.images[2].rect.top(), first.images[0].rect.bottom() - 0.01);
    EXPECT_NEAR(first.images[2].rect.center().x(), 306, 0.5);

    // Table 2 starts where its caption, heading row and first two years fit
    // together, never with its heading alone at the foot of a page.
    for (const LaidOutPage& p : laid.pages) {
        const bool caption = findText(p, "2.") != nullptr;
        EXPECT_EQ(findText(p, "2027") != nullptr, caption) << "page " << p.number;
        EXPECT_EQ(findText(p, "2028") != nullptr, caption) << "page " << p.number;
    }

    // The long table continues with its heading row repeated.
    const LaidOutPage& last = laid.pages.back();
    const PageText* year = findText(last, "Year");
    ASSERT_NE(year, nullptr);
    EXPECT_TRUE(year->format.bold);
    EXPECT_NE(findText(last, "2066"), nullptr);  // the last row, 40 years on
    EXPECT_NE(findText(last, "dollars"), nullptr);
    // Every year row appears exactly once over all pages.
    for (int y = 2027; y <= 2066; ++y) {
        int seen = 0;
        for (const LaidOutPage& p : laid.pages) {
            seen += findText(p, QString::number(y)) ? 1 : 0;
        }
        EXPECT_EQ(seen, 1) << y;
    }
}

TEST(DocumentLayout, LandscapeCashFlowReport) {
    fs::path work = test::freshViewerDir("layout-landscape");
    doc::DocumentObject docs;
    test::addCashFlowReport(docs, work.string());
    const LaidOutDocument laid = layoutDocument(docs.document(1));
    // The chart, then after the page break the 27-row table over two pages.
    ASSERT_EQ(laid.pages.size(), 3u);
    for (const LaidOutPage& p : laid.pages) {
        EXPECT_EQ(p.orientation, doc::Orientation::Landscape);
        EXPECT_DOUBLE_EQ(p.sizePt.width(), 792);
        EXPECT_DOUBLE_EQ(p.sizePt.height(), 612);
    }
    ASSERT_EQ(laid.pages[0].images.size(), 1u);
    EXPECT_DOUBLE_EQ(laid.pages[0].images[0].rect.width(), 440);
    EXPECT_NEAR(laid.pages[0].images[0].rect.center().x(), 396, 0.5);
    EXPECT_EQ(findText(laid.pages[0], "Year"), nullptr);
    const LaidOutPage& table = laid.pages[1];
    // Ten columns, 10 inches wide: the whole text width from the left margin.
    double left = 1e9, right = 0;
    for (const PageLine& l : table.lines) {
        if (l.line.x1() == l.line.x2()) {  // the cells' vertical edges
            left = std::min(left, l.line.x1());
            right = std::max(right, l.line.x1());
        }
    }
    EXPECT_NEAR(left, 36, 0.1);
    EXPECT_NEAR(right, 36 + 10 * 72, 0.1);
    EXPECT_NE(findText(table, "$1,410,500"), nullptr);
    EXPECT_NE(findText(table, "Table"), nullptr);  // the caption with the table
    const LaidOutPage& rest = laid.pages[2];
    EXPECT_NE(findText(rest, "Year"), nullptr);  // heading row repeated
    EXPECT_NE(findText(rest, "2051"), nullptr);
    EXPECT_EQ(findText(rest, "Table"), nullptr);
    // Every row once ("2026" is also in the page header).
    for (int y = 2027; y <= 2051; ++y) {
        EXPECT_TRUE((findText(table, QString::number(y)) != nullptr) !=
                    (findText(rest, QString::number(y)) != nullptr))
            << y;
    }
    auto lines = linesOf(rest);
    EXPECT_EQ(std::prev(lines.end())->second, "QV Components 17.0 Page 3 of 3");
}

TEST(DocumentLayout, WrapsLongTextAndKeepsACaptionWithItsTable) {
    fs::path work = test::freshViewerDir("layout-wrap");
    doc::DocumentObject docs;
    docs.NewDocument("Wrap.RTF", work.string());
    docs.SetMargins(0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f);
    std::string words;
    for (int i = 0; i < 200; ++i) {
        words += "word" + std::to_string(i) + " ";
    }
    docs.AddText(words, 10.0f, std::nullopt, 0, std::nullopt, doc::code::kAlignLeft,
                 doc::code::kDefaultColour, true);
    // Fill the page almost to the bottom, then a captioned table.
    for (int i = 0; i < 44; ++i) {
        docs.AddText("filler " + std::to_string(i), 10.0f, std::nullopt, 0, std::nullopt,
                     doc::code::kAlignLeft, doc::code::kDefaultColour, true);
    }
    doc::Table t;
    t.Attach(docs);
    for (int i = 1; i <= 6; ++i) {
        t.Cell(i).SetValue("cell " + std::to_string(i));
        t.Cell(i).SetRowStart(i % 2 == 1);
        t.Cell(i).SetWidth(2.0f);
    }
    t.SetHeaderRow(true);
    docs.AddText("The caption", 10.0f, std::nullopt, 0, std::nullopt, doc::code::kAlignLeft,
                 doc::code::kDefaultColour, false);
    t.InsertInto(docs);
    docs.FinishDocument(false, 0);
    const LaidOutDocument laid = layoutDocument(docs.document(1));
    ASSERT_GE(laid.pages.size(), 2u);
    // All 200 words, in order, none past the right margin.
    int next = 0;
    double lastY = -1, lastX = -1;
    for (const PageText& tx : laid.pages[0].texts) {
        if (!tx.text.startsWith("word")) {
            continue;
        }
        EXPECT_EQ(tx.text, QString("word%1").arg(next));
        ++next;
        EXPECT_TRUE(tx.baseline.y() > lastY || tx.baseline.x() > lastX);
        lastY = tx.baseline.y();
        lastX = tx.baseline.x();
    }
    EXPECT_EQ(next, 200);
    // The caption is on the same page as the table's first row.
    for (const LaidOutPage& p : laid.pages) {
        if (findText(p, "caption")) {
            EXPECT_NE(findText(p, "1"), nullptr);
        }
    }
}

// A word wider than its column is cut between characters so that no piece runs
// past the edge; the pieces keep every character in order, ordinary words
// still wrap whole at blanks, and a character beyond U+FFFF is never halved.
TEST(ParagraphLayout, CutsOnlyWordsWiderThanTheLine) {
    TextMeasurer measurer;
    PictureStore pictures;
    doc::Paragraph p;
    doc::CharFormat bold;
    bold.bold = true;
    const QString longWord = QString::fromUtf8(
        "Depreciation\xF0\x9D\x84\x9E"
        "Escalation");
    p.runs.push_back(doc::Run{doc::Run::Kind::Text, "Tax " + longWord.toStdString() + " Rate (%)",
                              bold, nullptr});
    const double width = 40;  // a 0.65-inch column less its padding is about 24 pt
    const ParagraphBox box = layoutParagraph(p, width, measurer, pictures, FieldValues{});

    QString joined;
    QStringList whole;
    for (const LineBox& line : box.lines) {
        for (const PageText& t : line.texts) {
            EXPECT_LE(t.baseline.x() + measurer.width(t.text, bold), width + 0.01)
                << t.text.toStdString();
            EXPECT_FALSE(t.text.back().isHighSurrogate()) << t.text.toStdString();
            if (t.text == "Tax" || t.text == "Rate" || t.text == "(%)")
                whole << t.text;
            else
                joined += t.text;
        }
    }
    EXPECT_EQ(joined, longWord);
    EXPECT_EQ(whole, (QStringList{"Tax", "Rate", "(%)"}));
    EXPECT_GE(box.lines.size(), 5u);

    // With room for the word it stays in one piece.
    const ParagraphBox wide = layoutParagraph(p, 400, measurer, pictures, FieldValues{});
    ASSERT_EQ(wide.lines.size(), 1u);
    EXPECT_EQ(wide.lines[0].texts.size(), 4u);
}

TEST(DocumentLayout, BlankLinesBeforeAPageBreakMakeNoEmptyPage) {
    // Lines that exactly fill the first page, the blank line a report writes
    // after a block, a page break, then the next block.
    const auto build = [](doc::DocumentObject& docs, int lines, bool rest) {
        docs.NewDocument("blank.rtf", "/tmp");
        for (int i = 0; i < lines; ++i) {
            docs.AddText("Line " + std::to_string(i), 10.0f, std::nullopt, 0, std::nullopt,
                         doc::code::kAlignLeft, doc::code::kDefaultColour, true);
        }
        if (rest) {
            docs.NewLine(1);
            docs.InsertBreak(doc::code::kBreakPage);
            docs.AddText("Next block", 10.0f, std::nullopt, 0, std::nullopt, doc::code::kAlignLeft,
                         doc::code::kDefaultColour, true);
            docs.NewLine(2);
            docs.InsertBreak(doc::code::kBreakPage);
        }
    };
    int fill = 1;
    for (;; ++fill) {
        doc::DocumentObject docs;
        build(docs, fill + 1, false);
        if (layoutDocument(docs.document(1)).pages.size() > 1) {
            break;
        }
    }
    doc::DocumentObject docs;
    build(docs, fill, true);
    const LaidOutDocument laid = layoutDocument(docs.document(1));
    // Without leaving out the blank lines: the blank line alone on page 2,
    // the next block on page 3, and an empty page 4 after the last break.
    ASSERT_EQ(laid.pages.size(), 2u);
    EXPECT_NE(findText(laid.pages[0], QString("%1").arg(fill - 1)), nullptr);
    EXPECT_NE(findText(laid.pages[1], "Next"), nullptr);

    // The RTF leaves the same blank lines out: one paragraph mark per line and
    // one for "Next block", which starts the new page.
    const std::string rtf = doc::toRtf(docs.document(1));
    const auto count = [&](const char* pattern) {
        const QRegularExpression re(pattern);
        return QString::fromStdString(rtf).count(re);
    };
    EXPECT_EQ(count(R"(\\par(?![a-z]))"), fill + 1);
    EXPECT_EQ(count(R"(\\page(?![a-z]))"), 0);
    EXPECT_EQ(count(R"(\\pagebb)"), 1);
}

TEST(DocumentLayout, ContinuedTableRepeatsItsCaptionAboveItsHeadings) {
    doc::DocumentObject docs;
    docs.NewDocument("continued.rtf", "/tmp");
    doc::Table t;
    t.Attach(docs);
    for (int r = 0; r <= 80; ++r) {
        for (int c = 0; c < 2; ++c) {
            doc::TableCell& cell = t.AddCell();
            cell.SetRowStart(c == 0);
            cell.SetWidth(2.0f);
            cell.SetValue(r == 0 ? (c == 0 ? "Item" : "Cost") : "Row" + std::to_string(r));
        }
    }
    t.SetHeaderRow(true);
    t.SetContinuedCaption("Loans [Plant B] :");
    docs.AddText("Loans :", 10.0f, std::nullopt, doc::code::kTextBold, std::nullopt,
                 doc::code::kAlignLeft, doc::code::kDefaultColour, false);
    t.InsertInto(docs);
    const LaidOutDocument laid = layoutDocument(docs.document(1));
    ASSERT_GE(laid.pages.size(), 2u);
    EXPECT_EQ(findText(laid.pages[0], "[Plant"), nullptr);
    for (size_t p = 1; p < laid.pages.size(); ++p) {
        const PageText* caption = findText(laid.pages[p], "[Plant");
        const PageText* heading = findText(laid.pages[p], "Item");
        ASSERT_NE(caption, nullptr) << "page " << p + 1;
        ASSERT_NE(heading, nullptr) << "page " << p + 1;
        EXPECT_TRUE(caption->format.bold);
        EXPECT_LT(caption->baseline.y(), heading->baseline.y());
        // Nothing of the table above the caption.
        for (const PageText& text : laid.pages[p].texts) {
            if (text.text.startsWith("Row")) {
                EXPECT_GT(text.baseline.y(), heading->baseline.y());
            }
        }
    }
}

// Lines break at blanks only (a hyphenated word and a figure with a blank stay
// whole); a right tab stop ends its text at the stop.
TEST(ParagraphLayout, BreaksAtBlanksOnlyAndEndsRightTabsAtTheStop) {
    TextMeasurer m;
    PictureStore pictures;
    const doc::CharFormat f;
    size_t lines = 0;
    auto words = [&](const std::vector<doc::Run>& runs, double width) {
        doc::Paragraph p;
        p.runs = runs;
        p.tabs = {doc::TabStop{200 * doc::kTwipsPerPoint, doc::TabStop::Kind::Right}};
        std::vector<PageText> out;
        const ParagraphBox box = layoutParagraph(p, width, m, pictures, FieldValues{});
        for (const LineBox& line : box.lines)
            out.insert(out.end(), line.texts.begin(), line.texts.end());
        lines = box.lines.size();
        return out;
    };
    auto run = [&](doc::Run::Kind kind, const std::string& s) {
        return doc::Run{kind, s, f, nullptr};
    };
    const auto text = doc::Run::Kind::Text;
    auto hyphen = words({run(text, "Total non-fuel cost")}, m.width("Total non-", f) + 1);
    EXPECT_EQ(hyphen.size() == 3 ? hyphen[1].text : QString(), "non-fuel");
    EXPECT_EQ(lines, 3u);
    EXPECT_EQ(words({run(text, "$ -1,145,175")}, m.width("$ -1,145", f)).size(), 1u);
    EXPECT_EQ(lines, 1u);
    auto tabbed =
        words({run(text, "Left"), run(doc::Run::Kind::Tab, ""), run(text, "Right end")}, 400);
    ASSERT_EQ(tabbed.size(), 3u);
    EXPECT_NEAR(tabbed[2].baseline.x() + m.width("end", f), 200, 0.1);
}
