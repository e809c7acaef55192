#include "LayoutChecks.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "TextMeasurer.h"

namespace qvc::test {

using namespace qvc::viewer;

namespace {

struct Box {
    QRectF rect;
    std::string what;
};

// The boxes of the page's words (advance width by ascent plus descent) and pictures.
std::vector<Box> boxesOf(const LaidOutPage& page, TextMeasurer& m) {
    std::vector<Box> boxes;
    for (const PageText& t : page.texts) {
        const double ascent = m.ascent(t.format);
        boxes.push_back(Box{QRectF(t.baseline.x(), t.baseline.y() - ascent,
                                   m.width(t.text, t.format), ascent + m.descent(t.format)),
                            "\"" + t.text.toStdString() + "\""});
    }
    for (const PageImage& im : page.images)
        boxes.push_back(Box{im.rect, "a picture"});
    std::sort(boxes.begin(), boxes.end(),
              [](const Box& a, const Box& b) { return a.rect.top() < b.rect.top(); });
    return boxes;
}

void checkPlaces(const LaidOutPage& page, double side, double edge, TextMeasurer& m,
                 std::vector<std::string>& problems) {
    const std::string on = "page " + std::to_string(page.number) + ": ";
    const QRectF area = QRectF(QPointF(0, 0), page.sizePt).adjusted(side, edge, -side, -edge);
    constexpr double kTolerance = 0.05;
    const std::vector<Box> boxes = boxesOf(page, m);
    for (size_t i = 0; i < boxes.size(); ++i) {
        const QRectF& a = boxes[i].rect;
        if (a.left() < area.left() - kTolerance || a.right() > area.right() + kTolerance ||
            a.top() < area.top() - kTolerance || a.bottom() > area.bottom() + kTolerance)
            problems.push_back(on + boxes[i].what + " lies outside the text area");
        for (size_t j = i + 1; j < boxes.size() && boxes[j].rect.top() < a.bottom() - kTolerance;
             ++j) {
            const QRectF common = a.intersected(boxes[j].rect);
            if (common.width() > kTolerance && common.height() > kTolerance)
                problems.push_back(on + boxes[i].what + " overlaps " + boxes[j].what);
        }
    }
    const QRectF inside = area.adjusted(-kTolerance, -kTolerance, kTolerance, kTolerance);
    for (const PageFill& f : page.fills)
        if (!inside.contains(f.rect))
            problems.push_back(on + "shading lies outside the text area");
    for (const PageLine& l : page.lines)
        if (!inside.contains(l.line.p1()) || !inside.contains(l.line.p2()))
            problems.push_back(on + "a line or cell edge lies outside the text area");
}

void checkTables(const LaidOutDocument& laid, std::vector<std::string>& problems) {
    std::map<const doc::TableModel*, std::vector<const PageTableRows*>> parts;
    for (const LaidOutPage& page : laid.pages)
        for (const PageTableRows& shown : page.tables)
            parts[shown.table].push_back(&shown);
    for (const auto& [table, shown] : parts) {
        size_t headings = 0;
        while (headings < table->rows.size() && table->rows[headings].header)
            ++headings;
        std::vector<int> drawn(table->rows.size(), 0);
        for (size_t part = 0; part < shown.size(); ++part) {
            const std::vector<size_t>& rows = shown[part]->rows;
            if (part + 1 < shown.size() && table->rows[rows.back()].keepWithNext)
                problems.push_back("row " + std::to_string(rows.back()) +
                                   ", kept with the next one, ends a page");
            for (size_t k = 0; k < rows.size(); ++k) {
                const bool repeated = part > 0 && k < headings;
                if (repeated && rows[k] != k)
                    problems.push_back("a continued table lacks heading row " + std::to_string(k));
                if (!repeated)
                    ++drawn[rows[k]];
            }
        }
        if (shown.size() > 1 && headings == 0)
            problems.push_back("a table runs over pages without heading rows");
        for (size_t r = 0; r < drawn.size(); ++r)
            if (drawn[r] != 1)
                problems.push_back("table row " + std::to_string(r) + " drawn " +
                                   std::to_string(drawn[r]) + " times");
    }
}

}  // namespace

std::vector<std::string> layoutProblems(const LaidOutDocument& laid, double sidePt, double edgePt) {
    TextMeasurer m;
    std::vector<std::string> problems;
    for (const LaidOutPage& page : laid.pages)
        checkPlaces(page, sidePt, edgePt, m, problems);
    checkTables(laid, problems);
    return problems;
}

std::string pageText(const LaidOutPage& page) {
    std::vector<const PageText*> words;
    for (const PageText& t : page.texts)
        words.push_back(&t);
    const auto key = [](const PageText* t) {
        return std::make_pair(std::lround(t->baseline.y() * 100), t->baseline.x());
    };
    std::sort(words.begin(), words.end(),
              [&](const PageText* a, const PageText* b) { return key(a) < key(b); });
    std::string out;
    for (const PageText* t : words)
        out += (out.empty() ? "" : " ") + t->text.toStdString();
    return out;
}

}  // namespace qvc::test
