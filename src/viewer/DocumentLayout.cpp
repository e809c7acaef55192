#include "qvc/viewer/DocumentLayout.h"

#include <map>
#include <optional>

#include "ParagraphLayout.h"
#include "PictureStore.h"
#include "TableLayout.h"
#include "TextMeasurer.h"
#include "qvc/document/SpareParagraphs.h"

namespace qvc::viewer {

namespace {

constexpr double kFrameGapPt = 4.0;  // between the header (footer) and the body
constexpr double kRuleGapPt = 2.0;   // between a paragraph and its rule
constexpr double kEpsilon = 0.01;

constexpr double pt(int32_t twips) {
    return twips / double(doc::kTwipsPerPoint);
}

void emitLine(LaidOutPage& page, const LineBox& line, double x, double y) {
    for (const PageText& t : line.texts) {
        PageText placed = t;
        placed.baseline += QPointF(x, y + line.baseline);
        page.texts.push_back(std::move(placed));
    }
    for (const PageImage& im : line.images) {
        PageImage placed = im;
        placed.rect.translate(x, y);
        page.images.push_back(std::move(placed));
    }
}

void emitRow(LaidOutPage& page, const RowBox& row, double x, double y) {
    const QPointF at(x, y);
    for (const PageFill& f : row.fills) {
        page.fills.push_back(PageFill{f.rect.translated(at), f.colour});
    }
    for (const PageLine& l : row.lines) {
        page.lines.push_back(PageLine{l.line.translated(at), l.widthPt});
    }
    for (const PageText& t : row.texts) {
        page.texts.push_back(PageText{t.baseline + at, t.text, t.format});
    }
    for (const PageImage& im : row.images) {
        page.images.push_back(PageImage{im.rect.translated(at), im.image});
    }
}

class PageFlow {
  public:
    LaidOutDocument run(const doc::Document& document) {
        for (const doc::Section& section : document.sections()) {
            startSection(section);
            const auto& body = section.body;
            const std::vector<bool> spare = doc::spareParagraphs(body);
            // Breaks after the last content would only add empty pages.
            size_t end = body.size();
            while (end > 0 &&
                   (spare[end - 1] || std::holds_alternative<doc::PageBreak>(body[end - 1]))) {
                --end;
            }
            for (size_t i = 0; i < end; ++i) {
                const doc::Block& block = body[i];
                if (spare[i]) {
                    continue;
                }
                if (const auto* p = std::get_if<doc::Paragraph>(&block)) {
                    placeParagraph(*p, i + 1 < body.size() ? &body[i + 1] : nullptr);
                } else if (const auto* t = std::get_if<doc::TableModel>(&block)) {
                    placeTable(*t);
                } else {
                    newPage();
                }
            }
        }
        if (out_.pages.empty()) {
            doc::Section blank;
            startSection(blank);
            sections_.back() = nullptr;
        }
        decoratePages();
        return std::move(out_);
    }

  private:
    // Header and footer blocks stacked from `y`; draws into `page` when given.
    double stack(const std::vector<doc::Block>& blocks, double x, double y, double width,
                 const FieldValues& fields, LaidOutPage* page) {
        const double top = y;
        for (const doc::Block& block : blocks) {
            if (const auto* p = std::get_if<doc::Paragraph>(&block)) {
                ParagraphBox box = layoutParagraph(*p, width, m_, pictures_, fields);
                if (box.ruleAbove) {
                    if (page) {
                        page->lines.push_back(PageLine{QLineF(x, y, x + width, y), 0.5});
                    }
                    y += kRuleGapPt;
                }
                for (const LineBox& line : box.lines) {
                    if (page) {
                        emitLine(*page, line, x, y);
                    }
                    y += line.height;
                }
                y += box.spaceAfter;
                if (box.ruleBelow) {
                    y += kRuleGapPt;
                    if (page) {
                        page->lines.push_back(PageLine{QLineF(x, y, x + width, y), 0.5});
                    }
                }
            } else if (const auto* t = std::get_if<doc::TableModel>(&block)) {
                for (const RowBox& row : layoutTable(*t, m_, pictures_, fields)) {
                    if (page) {
                        emitRow(*page, row, x, y);
                    }
                    y += row.height;
                }
            }
        }
        return y - top;
    }

    void startSection(const doc::Section& section) {
        const doc::PageSetup& ps = section.page;
        section_ = &section;
        left_ = pt(ps.marginLeft);
        width_ = pt(ps.textWidth());
        const double pageHeight = pt(ps.pageHeightTwips);
        const FieldValues sample{QStringLiteral("99"), QStringLiteral("99")};
        top_ = pt(ps.marginTop);
        if (!section.header.empty()) {
            double bottom =
                pt(ps.headerDistance) + stack(section.header, left_, 0, width_, sample, nullptr);
            top_ = std::max(top_, bottom + kFrameGapPt);
        }
        bottom_ = pageHeight - pt(ps.marginBottom);
        if (!section.footer.empty()) {
            double height = stack(section.footer, left_, 0, width_, sample, nullptr);
            bottom_ = std::min(bottom_, pageHeight - pt(ps.footerDistance) - height - kFrameGapPt);
        }
        if (bottom_ - top_ < 72) {  // a frame that leaves less than an inch is ignored
            top_ = pt(ps.marginTop);
            bottom_ = pageHeight - pt(ps.marginBottom);
        }
        newPage();
    }

    void newPage() {
        const doc::PageSetup& ps = section_->page;
        LaidOutPage page;
        page.sizePt = QSizeF(pt(ps.pageWidthTwips), pt(ps.pageHeightTwips));
        page.orientation = ps.orientation;
        page.number = static_cast<int>(out_.pages.size()) + 1;
        out_.pages.push_back(std::move(page));
        sections_.push_back(section_);
        y_ = top_;
        pageHasContent_ = false;
    }

    FieldValues bodyFields() const {
        return FieldValues{QString::number(out_.pages.size()), QStringLiteral("99")};
    }

    bool overflows(double height) const { return y_ + height > bottom_ + kEpsilon; }

    // The height that must share the page with a caption: the next paragraph's
    // first line, or the rows the table keeps together at its top.
    double firstUnitHeight(const doc::Block* next) {
        if (!next) {
            return 0;
        }
        if (const auto* p = std::get_if<doc::Paragraph>(next)) {
            ParagraphBox box = layoutParagraph(*p, width_, m_, pictures_, bodyFields());
            return box.lines.empty() ? 0 : box.lines.front().height;
        }
        if (const auto* t = std::get_if<doc::TableModel>(next)) {
            return keptHeight(tableRows(*t), 0);
        }
        return 0;
    }

    static size_t headingCount(const std::vector<RowBox>& rows) {
        size_t n = 0;
        while (n < rows.size() && rows[n].header) {
            ++n;
        }
        return n;
    }

    // The height of row `first` and the rows kept on its page with it. A run
    // of kept rows longer than a page keeps only the headings with the first
    // body row (or only the row itself, past the headings).
    double keptHeight(const std::vector<RowBox>& rows, size_t first) const {
        if (rows.empty()) {
            return 0;
        }
        const size_t headings = headingCount(rows);
        double repeated = first >= headings ? continuedCaptionHeight_ : 0;
        for (size_t r = 0; first >= headings && r < headings; ++r) {
            repeated += rows[r].height;
        }
        double height = rows[first].height;
        for (size_t r = first; rows[r].keepWithNext && r + 1 < rows.size(); ++r) {
            height += rows[r + 1].height;
        }
        if (height + repeated <= bottom_ - top_ + kEpsilon) {
            return height;
        }
        if (first < headings) {
            height = 0;
            for (size_t r = first; r < std::min(rows.size(), headings + 1); ++r) {
                height += rows[r].height;
            }
            return height;
        }
        return rows[first].height;
    }

    const std::vector<RowBox>& tableRows(const doc::TableModel& table) {
        auto it = tables_.find(&table);
        if (it == tables_.end()) {
            it = tables_.emplace(&table, layoutTable(table, m_, pictures_, bodyFields())).first;
        }
        return it->second;
    }

    void placeParagraph(const doc::Paragraph& p, const doc::Block* next) {
        ParagraphBox box = layoutParagraph(p, width_, m_, pictures_, bodyFields());
        if (box.keepWithNext && pageHasContent_) {
            double need = box.height() + firstUnitHeight(next);
            if (overflows(need) && need <= bottom_ - top_) {
                newPage();
            }
        }
        LaidOutPage* page = &out_.pages.back();
        if (box.ruleAbove) {
            page->lines.push_back(PageLine{QLineF(left_, y_, left_ + width_, y_), 0.5});
            y_ += kRuleGapPt;
        }
        for (const LineBox& line : box.lines) {
            if (overflows(line.height) && pageHasContent_) {
                newPage();
                page = &out_.pages.back();
            }
            emitLine(*page, line, left_, y_);
            y_ += line.height;
            pageHasContent_ = true;
        }
        y_ += box.spaceAfter;
        if (box.ruleBelow) {
            y_ += kRuleGapPt;
            page->lines.push_back(PageLine{QLineF(left_, y_, left_ + width_, y_), 0.5});
        }
    }

    // Rows go on the page while they fit; a row that starts a run of rows kept
    // together moves to a new page with the whole run when the run does not
    // fit. Every page the table continues on starts with its heading rows.
    void placeTable(const doc::TableModel& table) {
        const std::vector<RowBox>& rows = tableRows(table);
        const size_t headings = headingCount(rows);
        std::optional<ParagraphBox> caption;
        if (table.continuedCaption) {
            caption = layoutParagraph(*table.continuedCaption, width_, m_, pictures_, bodyFields());
        }
        continuedCaptionHeight_ = caption ? caption->height() : 0;
        const auto place = [&](size_t r) {
            LaidOutPage& page = out_.pages.back();
            if (page.tables.empty() || page.tables.back().table != &table) {
                page.tables.push_back(PageTableRows{&table, {}});
            }
            page.tables.back().rows.push_back(r);
            emitRow(page, rows[r], left_, y_);
            y_ += rows[r].height;
        };
        for (size_t i = 0; i < rows.size(); ++i) {
            const bool startsRun = i == 0 || !rows[i - 1].keepWithNext;
            const double need = startsRun ? keptHeight(rows, i) : rows[i].height;
            if (overflows(need) && pageHasContent_) {
                newPage();
                if (caption && i >= headings) {
                    for (const LineBox& line : caption->lines) {
                        emitLine(out_.pages.back(), line, left_, y_);
                        y_ += line.height;
                    }
                    y_ += caption->spaceAfter;
                }
                for (size_t h = 0; i >= headings && h < headings; ++h) {
                    place(h);
                }
            }
            place(i);
            pageHasContent_ = true;
        }
    }

    void decoratePages() {
        const QString count = QString::number(out_.pages.size());
        for (size_t i = 0; i < out_.pages.size(); ++i) {
            const doc::Section* section = sections_[i];
            if (!section) {
                continue;
            }
            LaidOutPage& page = out_.pages[i];
            const doc::PageSetup& ps = section->page;
            const double left = pt(ps.marginLeft), width = pt(ps.textWidth());
            const FieldValues fields{QString::number(page.number), count};
            stack(section->header, left, pt(ps.headerDistance), width, fields, &page);
            double footerHeight = stack(section->footer, left, 0, width, fields, nullptr);
            stack(section->footer, left,
                  pt(ps.pageHeightTwips) - pt(ps.footerDistance) - footerHeight, width, fields,
                  &page);
        }
    }

    TextMeasurer m_;
    PictureStore pictures_;
    LaidOutDocument out_;
    std::vector<const doc::Section*> sections_;  // the section of every page
    std::map<const doc::TableModel*, std::vector<RowBox>> tables_;
    const doc::Section* section_ = nullptr;
    double left_ = 0, width_ = 0, top_ = 0, bottom_ = 0, y_ = 0;
    bool pageHasContent_ = false;
    double continuedCaptionHeight_ = 0;  // of the table being placed
};

}  // namespace

LaidOutDocument layoutDocument(const doc::Document& document) {
    return PageFlow().run(document);
}

}  // namespace qvc::viewer
