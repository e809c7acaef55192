#include "RtfDocument.h"

#include <map>
#include <numeric>
#include <utility>

namespace qvc::test {

namespace {

// Control words that set one number of the section.
const std::map<std::string, int RtfSection::*> kSectionWords{
    {"pgwsxn", &RtfSection::pageWidth},
    {"pghsxn", &RtfSection::pageHeight},
    {"marglsxn", &RtfSection::marginLeft},
    {"margrsxn", &RtfSection::marginRight}};

// Pointers to the blocks of type T in every section's body.
template <typename T>
std::vector<const T*> blocksOf(const std::vector<RtfSection>& sections) {
    std::vector<const T*> out;
    for (const RtfSection& s : sections)
        for (const RtfBlock& b : s.body)
            if (const auto* t = std::get_if<T>(&b))
                out.push_back(t);
    return out;
}

// Calls `f` with the pictures and the text of every paragraph and table cell of the body.
template <typename F>
void forEachText(const std::vector<RtfSection>& sections, F f) {
    for (const RtfSection& s : sections)
        for (const RtfBlock& b : s.body)
            if (const auto* p = std::get_if<RtfParagraph>(&b))
                f(p->pictures, p->text);
            else
                for (const RtfRow& r : std::get<RtfTable>(b).rows)
                    for (const RtfCell& c : r.cells)
                        f(c.pictures, c.text);
}

}  // namespace

bool RtfBodyBuilder::paragraphWord(const std::string& w, int v) {
    if (w == "pard") {
        intbl_ = false;
        para_.align = cell_.align = 'l';
        para_.tabs.clear();
        para_.keepWithNext = false;
    } else if (w == "intbl") {
        intbl_ = true;
    } else if (w == "ql" || w == "qc" || w == "qr" || w == "qj") {
        (intbl_ ? cell_.align : para_.align) = w[1];
    } else if (w == "tqr" || w == "tqc") {
        tabKind_ = w[2];
    } else if (w == "tx") {
        para_.tabs.emplace_back(std::exchange(tabKind_, 'l'), v);
    } else if (w == "pagebb" || w == "page") {
        para_.pageBreakBefore = true;
        doc_.pageBreaks += w == "page" ? 1 : 0;
    } else if (w == "keepn") {
        para_.keepWithNext = true;
    } else if (w == "par") {
        if (intbl_)
            cell_.text += '\n';
        else
            endParagraph();
    } else if (w == "sect") {
        if (!para_.text.empty())
            endParagraph();
        RtfSection next;
        next.header = section().header;
        next.footer = section().footer;
        doc_.sections.push_back(std::move(next));
    } else if (w == "sectd" || w == "lndscpsxn") {
        section().landscape = w == "lndscpsxn";
    } else if (kSectionWords.count(w)) {
        section().*kSectionWords.at(w) = v;
    } else {
        return false;
    }
    return true;
}

// A row definition (\trowd and its cell edges) and the cells read after it, joined at \row.
void RtfBodyBuilder::rowWord(const std::string& w, int v) {
    if (w == "trowd") {
        definition_ = RtfRow{};
    } else if (w == "trhdr") {
        definition_.header = true;
    } else if (w == "cellx") {
        definition_.cells.emplace_back().rightEdge = v;
    } else if (w == "cell") {
        while (!cell_.text.empty() && cell_.text.back() == '\n')
            cell_.text.pop_back();
        cells_.push_back(std::exchange(cell_, RtfCell{}));
        cell_.align = cells_.back().align;  // the alignment holds until \pard or another
    } else if (w == "row") {
        endRow();
    }
}

void RtfBodyBuilder::endRow() {
    RtfRow row = definition_;
    for (size_t k = 0; k < row.cells.size() && k < cells_.size(); ++k) {
        cells_[k].rightEdge = row.cells[k].rightEdge;
        row.cells[k] = std::move(cells_[k]);
    }
    cells_.clear();
    auto& body = section().body;
    if (!tableOpen_ || body.empty() || !std::holds_alternative<RtfTable>(body.back()))
        body.emplace_back(RtfTable{});
    std::get<RtfTable>(body.back()).rows.push_back(std::move(row));
    tableOpen_ = true;
}

void RtfBodyBuilder::endParagraph() {
    RtfParagraph done = std::exchange(para_, RtfParagraph{});
    para_.align = done.align;
    para_.tabs = done.tabs;
    if (target_ == RtfDest::Body) {
        section().body.emplace_back(std::move(done));
        tableOpen_ = false;
    } else {
        auto& frame = target_ == RtfDest::Header ? section().header : section().footer;
        frame.push_back(std::move(done));
    }
}

std::vector<int> RtfRow::widths() const {
    std::vector<int> w;
    for (const RtfCell& c : cells)
        w.push_back(c.rightEdge);
    std::adjacent_difference(w.begin(), w.end(), w.begin());
    return w;
}

std::vector<const RtfTable*> RtfDocument::tables() const {
    return blocksOf<RtfTable>(sections);
}
std::vector<const RtfParagraph*> RtfDocument::paragraphs() const {
    return blocksOf<RtfParagraph>(sections);
}

std::vector<const RtfPicture*> RtfDocument::pictures() const {
    std::vector<const RtfPicture*> out;
    forEachText(sections, [&](const std::vector<RtfPicture>& pictures, const std::string&) {
        for (const RtfPicture& pic : pictures)
            out.push_back(&pic);
    });
    return out;
}

std::string RtfDocument::bodyText() const {
    std::string out;
    forEachText(sections, [&](const auto&, const std::string& text) { out += text + "\n"; });
    return out;
}

}  // namespace qvc::test
