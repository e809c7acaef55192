#pragma once
// The text of a stretch of a paragraph's runs (no pictures) as QTextLayout
// breaks it: tabs as tab characters, line breaks as line separators, page
// fields as their values. The report rule is that lines break at blanks only:
// a figure (text with a digit and no letter, "$ -1,145,175", "12.5 %") keeps
// its blanks unbreakable, and the other places where Unicode line breaking
// would break inside a blank-free word ("life-cycle") are closed with a word
// joiner. Each run remembers where its characters went in that text.

#include <QString>
#include <QTextLayout>
#include <span>
#include <vector>

#include "TextMeasurer.h"
#include "qvc/document/Model.h"

namespace qvc::viewer {

struct FieldValues {
    QString pageNumber = QStringLiteral("1");
    QString pageCount = QStringLiteral("1");
};

// Text with a digit and no letter ("$ -1,145,175", "12.5 %") is one figure.
bool isFigure(const QString& text);

struct ParagraphText {
    struct Span {
        const doc::Run* run = nullptr;
        QString text;         // as shown (a field's value); empty for tabs and breaks
        std::vector<int> at;  // layout index of each character of `text`, and of its end
        int start = 0;        // layout index where the run starts
        int end = 0;          // and ends
        bool figure = false;
    };
    QString chars;  // what QTextLayout lays out
    QList<QTextLayout::FormatRange> formats;
    std::vector<Span> spans;
    bool wideFigure = false;  // a figure wider than the line: nothing may be cut
};

ParagraphText paragraphText(std::span<const doc::Run> runs, const FieldValues& fields, double width,
                            TextMeasurer& measurer);

}  // namespace qvc::viewer
