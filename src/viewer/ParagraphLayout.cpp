#include "ParagraphLayout.h"

#include <QTextLayout>
#include <QTextOption>
#include <algorithm>

namespace qvc::viewer {

namespace {

constexpr double kDefaultTabPt = 36.0;  // Word's default tab stops: every half inch
constexpr double kSlackPt = 0.01;
constexpr double kDot = TextMeasurer::kPointsPerDot;

// What every line of one paragraph needs.
struct LineContext {
    const doc::Paragraph& paragraph;
    double width;
    TextMeasurer& measurer;
    PictureStore& pictures;
};

// A line as high as its tallest type (ascent, descent and leading apart),
// times the paragraph's line spacing.
LineBox lineOfHeight(const LineContext& c, double ascent, double descent, double leading) {
    LineBox line;
    leading = std::max(0.0, leading);
    line.height =
        (ascent + descent + leading) * std::max(50, c.paragraph.lineSpacingPercent) / 100.0;
    line.baseline = line.height - descent - leading;
    return line;
}

// Moves the line to the paragraph's alignment; `right` is where its content ends.
void alignLine(const LineContext& c, LineBox& line, double right) {
    if (c.paragraph.align == doc::HAlign::Left || right >= c.width) {
        return;
    }
    const double shift = (c.width - right) * (c.paragraph.align == doc::HAlign::Centre ? 0.5 : 1.0);
    for (PageText& t : line.texts) {
        t.baseline.rx() += shift;
    }
    for (PageImage& im : line.images) {
        im.rect.translate(shift, 0);
    }
}

QTextOption optionsOf(const doc::Paragraph& p, bool wideFigure, TextMeasurer& measurer) {
    const double unit = kDot * measurer.tabUnitDots();  // points per tab unit
    QTextOption options(Qt::AlignLeft);
    // A word wider than the line is cut between characters, unless a figure too
    // wide for the line would be cut as well: then it runs over.
    options.setWrapMode(wideFigure ? QTextOption::WordWrap
                                   : QTextOption::WrapAtWordBoundaryOrAnywhere);
    QList<QTextOption::Tab> tabs;
    for (const doc::TabStop& t : p.tabs) {
        const auto type = t.kind == doc::TabStop::Kind::Right    ? QTextOption::RightTab
                          : t.kind == doc::TabStop::Kind::Centre ? QTextOption::CenterTab
                                                                 : QTextOption::LeftTab;
        tabs.append(QTextOption::Tab(t.positionTwips / double(doc::kTwipsPerPoint) / unit, type));
    }
    options.setTabs(tabs);
    options.setTabStopDistance(kDefaultTabPt / unit);
    return options;
}

// The words of `span` on the layout line [first, last), one PageText each (a
// figure is one), at the places the layout gave them. Returns where the last
// one ends.
double addWords(const LineContext& c, const ParagraphText::Span& span, const QTextLine& layoutLine,
                int first, int last, LineBox& line) {
    const QString& text = span.text;
    const int n = static_cast<int>(text.size());
    double right = 0;
    auto place = [&](int from, int to) {
        const QString word = text.mid(from, to - from);
        const double x = layoutLine.cursorToX(span.at[static_cast<size_t>(from)]) * kDot;
        right = std::max(right, x + c.measurer.width(word, span.run->format));
        line.texts.push_back(PageText{QPointF(x, 0), word, span.run->format});
    };
    int k = 0;
    while (k < n && span.at[static_cast<size_t>(k)] < first) {
        ++k;
    }
    int end = k;
    while (end < n && span.at[static_cast<size_t>(end)] < last) {
        ++end;
    }
    if (span.figure) {
        while (end > k && text[end - 1] == u' ') {
            --end;
        }
        if (end > k) {
            place(k, end);
        }
        return right;
    }
    while (k < end) {
        while (k < end && text[k] == u' ') {
            ++k;
        }
        int wordEnd = k;
        while (wordEnd < end && text[wordEnd] != u' ') {
            ++wordEnd;
        }
        if (wordEnd > k) {
            place(k, wordEnd);
        }
        k = wordEnd;
    }
    return right;
}

// One line of the layout: its height from the types on it (the type before it
// when it holds none), its words, and the paragraph's alignment unless it has
// a tab.
LineBox textLine(const LineContext& c, const ParagraphText& text, const QTextLine& layoutLine) {
    const int first = layoutLine.textStart();
    const int last = first + layoutLine.textLength();
    double ascent = 0, descent = 0, leading = 0;
    bool typed = false, tab = false;
    doc::CharFormat before = c.paragraph.endFormat;
    for (const ParagraphText::Span& s : text.spans) {
        if (s.start < last || s.start <= first) {
            before = s.run->format;
        }
        const bool on = s.start == s.end ? (s.start >= first && s.start < last)
                                         : (s.start < last && s.end > first);
        if (!on || s.run->kind == doc::Run::Kind::LineBreak) {
            continue;
        }
        const double as = c.measurer.ascent(s.run->format), de = c.measurer.descent(s.run->format);
        ascent = std::max(ascent, as);
        descent = std::max(descent, de);
        leading = std::max(leading, c.measurer.lineHeight(s.run->format) - as - de);
        typed = true;
        tab = tab || s.run->kind == doc::Run::Kind::Tab;
    }
    if (!typed) {
        ascent = c.measurer.ascent(before);
        descent = c.measurer.descent(before);
        leading = c.measurer.lineHeight(before) - ascent - descent;
    }
    LineBox line = lineOfHeight(c, ascent, descent, leading);
    double right = 0;
    for (const ParagraphText::Span& s : text.spans) {
        if (!s.text.isEmpty() && s.start < last && s.end > first) {
            right = std::max(right, addWords(c, s, layoutLine, first, last, line));
        }
    }
    if (!tab) {
        alignLine(c, line, right);
    }
    return line;
}

// Lays out a stretch of runs without pictures with QTextLayout.
void addTextLines(const LineContext& c, std::span<const doc::Run> runs, const FieldValues& fields,
                  std::vector<LineBox>& lines) {
    const ParagraphText text = paragraphText(runs, fields, c.width, c.measurer);
    QTextLayout layout(text.chars, TextMeasurer::layoutFont(c.paragraph.endFormat),
                       c.measurer.device());
    layout.setFormats(text.formats);
    layout.setTextOption(optionsOf(c.paragraph, text.wideFigure, c.measurer));
    layout.beginLayout();
    for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
        l.setLineWidth((c.width + kSlackPt) / kDot);
    }
    layout.endLayout();
    for (int i = 0; i < layout.lineCount(); ++i) {
        lines.push_back(textLine(c, text, layout.lineAt(i)));
    }
}

// Pictures side by side on the base line of the type before them, on as many
// lines as they need (at least one picture a line).
void addPictureLines(const LineContext& c, std::span<const doc::Run> runs,
                     const doc::CharFormat& before, std::vector<LineBox>& lines) {
    const double descent = c.measurer.descent(before);
    const double leading = c.measurer.lineHeight(before) - c.measurer.ascent(before) - descent;
    std::vector<std::pair<double, const doc::Picture*>> placed;  // x, picture
    double x = 0;
    auto finishLine = [&] {
        double ascent = 0;
        for (const auto& [left, picture] : placed) {
            ascent = std::max(ascent, picture->heightTwips / double(doc::kTwipsPerPoint));
        }
        LineBox line = lineOfHeight(c, ascent, descent, leading);
        for (const auto& [left, picture] : placed) {
            const double w = picture->widthTwips / double(doc::kTwipsPerPoint);
            const double h = picture->heightTwips / double(doc::kTwipsPerPoint);
            line.images.push_back(
                PageImage{QRectF(left, line.baseline - h, w, h), c.pictures.image(*picture)});
        }
        alignLine(c, line, x);
        lines.push_back(std::move(line));
        placed.clear();
        x = 0;
    };
    for (const doc::Run& run : runs) {
        if (!run.picture) {
            continue;
        }
        const double w = run.picture->widthTwips / double(doc::kTwipsPerPoint);
        if (!placed.empty() && x + w > c.width + kSlackPt) {
            finishLine();
        }
        placed.emplace_back(x, run.picture.get());
        x += w;
    }
    if (!placed.empty()) {
        finishLine();
    }
}

}  // namespace

double ParagraphBox::height() const {
    double h = spaceAfter;
    for (const LineBox& l : lines) {
        h += l.height;
    }
    return h;
}

ParagraphBox layoutParagraph(const doc::Paragraph& paragraph, double width, TextMeasurer& measurer,
                             PictureStore& pictures, const FieldValues& fields) {
    const LineContext c{paragraph, width, measurer, pictures};
    ParagraphBox box;
    // Stretches of text go to QTextLayout, stretches of pictures side by side.
    const std::span<const doc::Run> runs(paragraph.runs);
    auto isPicture = [&](size_t k) { return runs[k].kind == doc::Run::Kind::Picture; };
    doc::CharFormat before = paragraph.endFormat;
    size_t from = 0;
    while (from < runs.size()) {
        size_t to = from;
        while (to < runs.size() && isPicture(to) == isPicture(from)) {
            ++to;
        }
        if (isPicture(from)) {
            addPictureLines(c, runs.subspan(from, to - from), before, box.lines);
        } else {
            addTextLines(c, runs.subspan(from, to - from), fields, box.lines);
            before = runs[to - 1].format;
        }
        from = to;
    }
    if (runs.empty()) {
        addTextLines(c, runs, fields, box.lines);
    }
    box.spaceAfter = paragraph.spaceAfterTwips / double(doc::kTwipsPerPoint);
    box.ruleAbove = paragraph.ruleAbove;
    box.ruleBelow = paragraph.ruleBelow;
    box.keepWithNext = paragraph.keepWithNext;
    return box;
}

}  // namespace qvc::viewer
