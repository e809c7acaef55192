#pragma once
// Rules for any laid-out report: inside the margins, no overlaps, table rows and headings right.

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "TextMeasurer.h"
#include "qvc/viewer/PageLayout.h"

namespace qvc::test {

namespace detail {

using namespace qvc::viewer;

using Box = std::pair<QRectF, std::string>;  // a word (advance by ascent plus descent) or picture

inline std::vector<Box> boxesOf(const LaidOutPage& page, TextMeasurer& m) {
    std::vector<Box> boxes;
    for (const PageText& t : page.texts) {
        const double ascent = m.ascent(t.format);
        boxes.emplace_back(QRectF(t.baseline.x(), t.baseline.y() - ascent,
                                  m.width(t.text, t.format), ascent + m.descent(t.format)),
                           "\"" + t.text.toStdString() + "\"");
    }
    for (const PageImage& im : page.images)
        boxes.emplace_back(im.rect, "a picture");
    std::sort(boxes.begin(), boxes.end(),
              [](const Box& a, const Box& b) { return a.first.top() < b.first.top(); });
    return boxes;
}

inline void checkPlaces(const LaidOutPage& page, double side, double edge, TextMeasurer& m,
                        std::vector<std::string>& problems) {
    const std::string on = "page " + std::to_string(page.number) + ": ";
    constexpr double kTolerance = 0.05;
    const double s = side - kTolerance, e = edge - kTolerance;
    const QRectF inside = QRectF(QPointF(0, 0), page.sizePt).adjusted(s, e, -s, -e);
    const std::vector<Box> boxes = boxesOf(page, m);
    for (size_t i = 0; i < boxes.size(); ++i) {
        const QRectF& a = boxes[i].first;
        if (a.left() < inside.left() || a.right() > inside.right() || a.top() < inside.top() ||
            a.bottom() > inside.bottom())
            problems.push_back(on + boxes[i].second + " lies outside the text area");
        for (size_t j = i + 1; j < boxes.size() && boxes[j].first.top() < a.bottom() - kTolerance;
             ++j) {
            const QRectF common = a.intersected(boxes[j].first);
            if (common.width() > kTolerance && common.height() > kTolerance)
                problems.push_back(on + boxes[i].second + " overlaps " + boxes[j].second);
        }
    }
    for (const PageFill& f : page.fills)
        if (!inside.contains(f.rect))
            problems.push_back(on + "shading lies outside the text area");
    for (const PageLine& l : page.lines)
        if (!inside.contains(l.line.p1()) || !inside.contains(l.line.p2()))
            problems.push_back(on + "a line or cell edge lies outside the text area");
}

inline void checkTables(const LaidOutDocument& laid, std::vector<std::string>& problems) {
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
                                   " (keep with next) ends a page");
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
                problems.push_back("row " + std::to_string(r) + " drawn " +
                                   std::to_string(drawn[r]) + "x");
    }
}

}  // namespace detail

// One line per broken rule. `sidePt`: left and right margin; `edgePt`: header and footer distance.
inline std::vector<std::string> layoutProblems(const viewer::LaidOutDocument& laid, double sidePt,
                                               double edgePt) {
    viewer::TextMeasurer m;
    std::vector<std::string> problems;
    for (const viewer::LaidOutPage& page : laid.pages)
        detail::checkPlaces(page, sidePt, edgePt, m, problems);
    detail::checkTables(laid, problems);
    return problems;
}

// The texts of a page in reading order, joined by blanks.
inline std::string pageText(const viewer::LaidOutPage& page) {
    std::map<std::pair<long, double>, std::string> words;  // by line, then from the left
    for (const viewer::PageText& t : page.texts)
        words[{std::lround(t.baseline.y() * 100), t.baseline.x()}] += t.text.toStdString();
    std::string out;
    for (const auto& [place, text] : words)
        out += (out.empty() ? "" : " ") + text;
    return out;
}

}  // namespace qvc::test
