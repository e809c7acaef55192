#include "ParagraphLayout.h"

#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>

namespace qvc::viewer {

namespace {

constexpr double kDefaultTabPt = 36.0;  // Word's default tab stops: every half inch
constexpr double kSlackPt = 0.01;

struct Atom {
    enum class Kind { Text, Tab, Break, Picture };
    Kind kind = Kind::Text;
    QString text;             // without trailing blanks
    double width = 0;         // of `text`, or of the picture
    double blankWidth = 0;    // trailing blanks
    double height = 0;        // pictures
    bool breakAfter = false;  // a piece of a word too long for the line
    bool figure = false;      // a number: never broken, not even when too long
    doc::CharFormat format;
    const doc::Picture* picture = nullptr;
};

// Text with a digit and no letter ("$ -1,145,175", "12.5 %") is one figure.
bool isFigure(const QString& text) {
    bool digit = false;
    for (const QChar c : text) {
        if (c.isLetter()) {
            return false;
        }
        digit = digit || c.isDigit();
    }
    return digit;
}

void splitWords(const QString& text, const doc::CharFormat& format, TextMeasurer& m,
                std::vector<Atom>& out) {
    if (isFigure(text)) {
        // A figure is one unbreakable piece, its trailing blanks apart.
        qsizetype end = text.size();
        while (end > 0 && text[end - 1] == u' ') {
            --end;
        }
        Atom a;
        a.text = text.left(end);
        a.format = format;
        a.figure = true;
        a.width = m.width(a.text, format);
        a.blankWidth = end < text.size() ? m.width(text.mid(end), format) : 0;
        out.push_back(std::move(a));
        return;
    }
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype wordEnd = i;
        while (wordEnd < text.size() && text[wordEnd] != u' ') {
            ++wordEnd;
        }
        qsizetype blankEnd = wordEnd;
        while (blankEnd < text.size() && text[blankEnd] == u' ') {
            ++blankEnd;
        }
        Atom a;
        a.text = text.mid(i, wordEnd - i);
        a.format = format;
        a.width = a.text.isEmpty() ? 0 : m.width(a.text, format);
        a.blankWidth =
            blankEnd > wordEnd ? m.width(text.mid(wordEnd, blankEnd - wordEnd), format) : 0;
        out.push_back(std::move(a));
        i = blankEnd;
    }
}

std::vector<Atom> atomsOf(const doc::Paragraph& p, TextMeasurer& m, const FieldValues& fields) {
    std::vector<Atom> atoms;
    for (const doc::Run& run : p.runs) {
        switch (run.kind) {
            case doc::Run::Kind::Text:
                splitWords(QString::fromStdString(run.text), run.format, m, atoms);
                break;
            case doc::Run::Kind::PageNumber:
            case doc::Run::Kind::PageCount: {
                Atom a;
                a.text =
                    run.kind == doc::Run::Kind::PageNumber ? fields.pageNumber : fields.pageCount;
                a.format = run.format;
                a.width = m.width(a.text, run.format);
                atoms.push_back(std::move(a));
                break;
            }
            case doc::Run::Kind::Tab:
            case doc::Run::Kind::LineBreak: {
                Atom a;
                a.kind = run.kind == doc::Run::Kind::Tab ? Atom::Kind::Tab : Atom::Kind::Break;
                a.format = run.format;
                atoms.push_back(std::move(a));
                break;
            }
            case doc::Run::Kind::Picture:
                if (run.picture) {
                    Atom a;
                    a.kind = Atom::Kind::Picture;
                    a.format = run.format;
                    a.picture = run.picture.get();
                    a.width = run.picture->widthTwips / double(doc::kTwipsPerPoint);
                    a.height = run.picture->heightTwips / double(doc::kTwipsPerPoint);
                    atoms.push_back(std::move(a));
                }
                break;
        }
    }
    return atoms;
}

// A word wider than the whole line is cut into pieces that each fit (at least
// one character each), as word processors do, so it never runs over the cell
// or page edge; the line may break after every piece but the last.
std::vector<Atom> splitLongWords(std::vector<Atom> atoms, double width, TextMeasurer& m) {
    std::vector<Atom> out;
    out.reserve(atoms.size());
    for (Atom& a : atoms) {
        if (a.kind != Atom::Kind::Text || a.figure || a.width <= width + kSlackPt ||
            a.text.size() < 2) {
            out.push_back(std::move(a));
            continue;
        }
        QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, a.text);
        qsizetype start = 0;
        qsizetype fitsTo = -1;  // end of the longest piece from `start` that fits
        for (qsizetype end = graphemes.toNextBoundary(); end > 0;
             end = graphemes.toNextBoundary()) {
            if (fitsTo < 0 ||
                m.width(a.text.mid(start, end - start), a.format) <= width + kSlackPt) {
                fitsTo = end;
                continue;
            }
            Atom piece = a;
            piece.text = a.text.mid(start, fitsTo - start);
            piece.width = m.width(piece.text, a.format);
            piece.blankWidth = 0;
            piece.breakAfter = true;
            out.push_back(std::move(piece));
            start = fitsTo;
            fitsTo = end;
        }
        Atom last = a;
        last.text = a.text.mid(start);
        last.width = m.width(last.text, a.format);
        out.push_back(std::move(last));
    }
    return out;
}

class LineBuilder {
  public:
    LineBuilder(const doc::Paragraph& p, double width, TextMeasurer& m, PictureStore& pictures)
        : p_(p), width_(width), m_(m), pictures_(pictures), lastFormat_(p.endFormat) {}

    void add(const Atom& a) {
        switch (a.kind) {
            case Atom::Kind::Text:
                addText(a);
                break;
            case Atom::Kind::Tab:
                addTab(a);
                break;
            case Atom::Kind::Break:
                closeSegment();
                lastFormat_ = a.format;
                finishLine(items_.size());
                break;
            case Atom::Kind::Picture:
                addPicture(a);
                break;
        }
    }

    std::vector<LineBox> finish() {
        closeSegment();
        finishLine(items_.size());
        return std::move(lines_);
    }

  private:
    struct Placed {
        double x;
        const Atom* atom;
    };

    bool breakableBefore() const {
        if (items_.empty()) {
            return true;
        }
        const Atom& prev = *items_.back().atom;
        return prev.kind != Atom::Kind::Text || prev.blankWidth > 0 || prev.breakAfter;
    }

    void addText(const Atom& a) {
        if (breakableBefore()) {
            groupStart_ = items_.size();
        }
        bool fits = x_ + a.width <= width_ + kSlackPt;
        if (!fits && !segOpen_ && groupStart_ > 0) {
            wrapAt(groupStart_);
        }
        items_.push_back({x_, &a});
        x_ += a.width + a.blankWidth;
        lastFormat_ = a.format;
    }

    void addPicture(const Atom& a) {
        closeSegment();
        if (!items_.empty() && x_ + a.width > width_ + kSlackPt) {
            finishLine(items_.size());
        }
        items_.push_back({x_, &a});
        x_ += a.width;
        groupStart_ = items_.size();
    }

    void addTab(const Atom& a) {
        closeSegment();
        double stop = 0;
        doc::TabStop::Kind kind = doc::TabStop::Kind::Left;
        bool found = false;
        for (const doc::TabStop& t : p_.tabs) {
            double pos = t.positionTwips / double(doc::kTwipsPerPoint);
            if (pos > x_ + kSlackPt) {
                stop = pos;
                kind = t.kind;
                found = true;
                break;
            }
        }
        if (!found) {
            stop = (std::floor(x_ / kDefaultTabPt + kSlackPt) + 1) * kDefaultTabPt;
            if (stop > width_ + kSlackPt) {
                finishLine(items_.size());
                stop = 0;
            }
        }
        items_.push_back({x_, &a});
        lineHasTab_ = true;
        lastFormat_ = a.format;
        if (kind == doc::TabStop::Kind::Left) {
            x_ = std::max(x_, stop);
        } else {
            segOpen_ = true;
            segKind_ = kind;
            segStop_ = stop;
            segFirst_ = items_.size();
            segStartX_ = x_;
        }
        groupStart_ = items_.size();
    }

    // Moves the text after a right or centre tab so that it ends at (is centred
    // on) the tab stop; text longer than the room before the stop stays put.
    void closeSegment() {
        if (!segOpen_) {
            return;
        }
        segOpen_ = false;
        double end = segStartX_;
        for (size_t i = segFirst_; i < items_.size(); ++i) {
            end = std::max(end, items_[i].x + items_[i].atom->width);
        }
        double width = end - segStartX_;
        double start =
            segKind_ == doc::TabStop::Kind::Right ? segStop_ - width : segStop_ - width / 2;
        double delta = start - segStartX_;
        if (delta <= 0) {
            return;
        }
        for (size_t i = segFirst_; i < items_.size(); ++i) {
            items_[i].x += delta;
        }
        x_ += delta;
    }

    void wrapAt(size_t first) {
        std::vector<Placed> moved(items_.begin() + static_cast<std::ptrdiff_t>(first),
                                  items_.end());
        finishLine(first);
        double base = moved.empty() ? 0 : moved.front().x;
        for (Placed& pl : moved) {
            pl.x -= base;
        }
        x_ -= base;
        items_ = std::move(moved);
        groupStart_ = 0;
    }

    // Ends the line with the first `count` items; the rest start the next line.
    void finishLine(size_t count) {
        double ascent = 0, descent = 0, leading = 0;
        bool textMetrics = false;
        double contentRight = 0;
        for (size_t i = 0; i < count; ++i) {
            const Atom& a = *items_[i].atom;
            if (a.kind == Atom::Kind::Picture) {
                ascent = std::max(ascent, a.height);
            } else {
                double as = m_.ascent(a.format), de = m_.descent(a.format);
                ascent = std::max(ascent, as);
                descent = std::max(descent, de);
                leading = std::max(leading, m_.lineHeight(a.format) - as - de);
                textMetrics = true;
            }
            if (a.kind != Atom::Kind::Tab) {
                contentRight = std::max(contentRight, items_[i].x + a.width);
            }
        }
        if (!textMetrics) {
            double as = m_.ascent(lastFormat_), de = m_.descent(lastFormat_);
            if (count == 0) {
                ascent = as;
            }
            descent = de;
            leading = m_.lineHeight(lastFormat_) - as - de;
        }
        double natural = ascent + descent + std::max(0.0, leading);
        LineBox line;
        line.height = natural * std::max(50, p_.lineSpacingPercent) / 100.0;
        line.baseline = line.height - descent - std::max(0.0, leading);
        double shift = 0;
        if (!lineHasTab_ && p_.align != doc::HAlign::Left && contentRight < width_) {
            shift = (width_ - contentRight) * (p_.align == doc::HAlign::Centre ? 0.5 : 1.0);
        }
        for (size_t i = 0; i < count; ++i) {
            const Atom& a = *items_[i].atom;
            double x = items_[i].x + shift;
            if (a.kind == Atom::Kind::Text && !a.text.isEmpty()) {
                line.texts.push_back(PageText{QPointF(x, 0), a.text, a.format});
            } else if (a.kind == Atom::Kind::Picture) {
                line.images.push_back(
                    PageImage{QRectF(x, line.baseline - a.height, a.width, a.height),
                              pictures_.image(*a.picture)});
            }
        }
        lines_.push_back(std::move(line));
        items_.erase(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(count));
        x_ = 0;
        groupStart_ = 0;
        lineHasTab_ = false;
        segOpen_ = false;
    }

    const doc::Paragraph& p_;
    double width_;
    TextMeasurer& m_;
    PictureStore& pictures_;
    doc::CharFormat lastFormat_;
    std::vector<Placed> items_;
    std::vector<LineBox> lines_;
    double x_ = 0;
    size_t groupStart_ = 0;
    bool lineHasTab_ = false;
    bool segOpen_ = false;
    doc::TabStop::Kind segKind_ = doc::TabStop::Kind::Right;
    double segStop_ = 0;
    size_t segFirst_ = 0;
    double segStartX_ = 0;
};

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
    std::vector<Atom> atoms = splitLongWords(atomsOf(paragraph, measurer, fields), width, measurer);
    LineBuilder builder(paragraph, width, measurer, pictures);
    for (const Atom& a : atoms) {
        builder.add(a);
    }
    ParagraphBox box;
    box.lines = builder.finish();
    box.spaceAfter = paragraph.spaceAfterTwips / double(doc::kTwipsPerPoint);
    box.ruleAbove = paragraph.ruleAbove;
    box.ruleBelow = paragraph.ruleBelow;
    box.keepWithNext = paragraph.keepWithNext;
    return box;
}

}  // namespace qvc::viewer
