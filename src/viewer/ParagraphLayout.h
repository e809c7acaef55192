#pragma once
// Breaks one paragraph into lines of a given width with QTextLayout at the
// viewer's font metrics: words wrap at blanks (text that runs on without a
// blank stays together; a single word wider than the line is cut between
// characters; a figure, text with digits and no letters, is never broken, even
// at its blanks; see ParagraphText.h), tabs go to the paragraph's tab stops
// (left, centre, right; every half inch after the last one), line breaks start
// a new line, a picture stands on a line of its own. Lines without tabs take
// the paragraph's alignment. Each word is one PageText. Positions are in
// points relative to the paragraph's left edge and each line's top.

#include <QString>
#include <vector>

#include "ParagraphText.h"
#include "PictureStore.h"
#include "TextMeasurer.h"
#include "qvc/viewer/PageLayout.h"

namespace qvc::viewer {

struct LineBox {
    double height = 0;
    double baseline = 0;            // from the line's top
    std::vector<PageText> texts;    // baseline.y() = 0
    std::vector<PageImage> images;  // rect.top() from the line's top
};

struct ParagraphBox {
    std::vector<LineBox> lines;
    double spaceAfter = 0;
    bool ruleAbove = false;
    bool ruleBelow = false;
    bool keepWithNext = false;
    double height() const;
};

ParagraphBox layoutParagraph(const doc::Paragraph& paragraph, double width, TextMeasurer& measurer,
                             PictureStore& pictures, const FieldValues& fields);

}  // namespace qvc::viewer
