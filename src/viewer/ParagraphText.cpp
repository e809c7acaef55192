#include "ParagraphText.h"

#include <QTextBoundaryFinder>

namespace qvc::viewer {

namespace {

constexpr char16_t kNoBreakSpace = u'\u00A0';
constexpr char16_t kWordJoiner = u'\u2060';

bool isWordCharacter(QChar c) {
    return c != u' ' && c != u'\t' && c != QChar::LineSeparator;
}

// The runs' characters before word joiners go in, and where each run starts.
QString plainText(std::span<const doc::Run> runs, const FieldValues& fields,
                  std::vector<ParagraphText::Span>& spans) {
    QString plain;
    for (const doc::Run& run : runs) {
        ParagraphText::Span span;
        span.run = &run;
        span.start = static_cast<int>(plain.size());
        switch (run.kind) {
            case doc::Run::Kind::Text:
                span.text = QString::fromStdString(run.text);
                span.figure = isFigure(span.text);
                plain += span.figure ? QString(span.text).replace(u' ', kNoBreakSpace) : span.text;
                break;
            case doc::Run::Kind::PageNumber:
            case doc::Run::Kind::PageCount:
                span.text =
                    run.kind == doc::Run::Kind::PageNumber ? fields.pageNumber : fields.pageCount;
                plain += span.text;
                break;
            case doc::Run::Kind::Tab:
                plain += u'\t';
                break;
            case doc::Run::Kind::LineBreak:
                plain += QChar(QChar::LineSeparator);
                break;
            case doc::Run::Kind::Picture:
                break;
        }
        span.end = static_cast<int>(plain.size());
        spans.push_back(std::move(span));
    }
    return plain;
}

// The plain text with a word joiner at every line-break opportunity that has
// no blank on either side; `index` maps each plain position to its new one.
QString joinWords(const QString& plain, std::vector<int>& index) {
    QString out;
    out.reserve(plain.size() + plain.size() / 8);
    index.assign(static_cast<size_t>(plain.size()) + 1, 0);
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, plain);
    for (qsizetype k = 0; k < plain.size(); ++k) {
        if (k > 0 && isWordCharacter(plain[k - 1]) && isWordCharacter(plain[k])) {
            breaks.setPosition(k);
            if (breaks.isAtBoundary()) {
                out += QChar(kWordJoiner);
            }
        }
        index[static_cast<size_t>(k)] = static_cast<int>(out.size());
        out += plain[k];
    }
    index.back() = static_cast<int>(out.size());
    return out;
}

}  // namespace

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

ParagraphText paragraphText(std::span<const doc::Run> runs, const FieldValues& fields, double width,
                            TextMeasurer& measurer) {
    ParagraphText out;
    std::vector<int> index;
    out.chars = joinWords(plainText(runs, fields, out.spans), index);
    for (ParagraphText::Span& span : out.spans) {
        for (int k = 0; k < static_cast<int>(span.text.size()); ++k) {
            span.at.push_back(index[static_cast<size_t>(span.start + k)]);
        }
        span.start = index[static_cast<size_t>(span.start)];
        span.end = index[static_cast<size_t>(span.end)];
        span.at.push_back(span.end);
        if (span.end > span.start) {
            QTextCharFormat format;
            format.setFont(TextMeasurer::layoutFont(span.run->format));
            out.formats.append({span.start, span.end - span.start, format});
        }
        if (span.figure && measurer.width(span.text.trimmed(), span.run->format) > width) {
            out.wideFigure = true;
        }
    }
    return out;
}

}  // namespace qvc::viewer
