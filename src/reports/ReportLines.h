#pragma once
// The line forms every report writes into the report document, so that the
// page frame, the input reports and the result reports look alike:
//  - a plain line: label at the left, value right-aligned at a tab stop;
//  - a number line: label, number right-aligned at a tab stop, unit after it;
//  - the red, italic, centred note of an input list without items;
//  - the in-report failure note a generator writes instead of a table or chart
//    that failed: a red caption, then the error, procedure and module lines.
//
// All of them write at the insertion point of the active document and raise
// what the document raises.

#include <cstdint>
#include <string>

#include "common/ResourceTexts.h"
#include "qvc/document/DocumentObject.h"

namespace qvc::reports {

// Tab positions (inches from the left margin) and the width value of the two
// line layouts: portrait reports and the landscape cash-flow reports.
struct LineLayout {
    double labelTab;
    double valueTab;
    int16_t width;
};
inline constexpr LineLayout kPortraitLines{4.5, 6.25, 25};
inline constexpr LineLayout kCashFlowLines{5.75, 7.5, 45};

// Size of the text of every line form, in points.
inline constexpr float kLineTextSize = 10.0f;
// Colour of notes and failure captions: RGB(240, 0, 0).
inline constexpr int32_t kNoteColour = 240;

void plainLine(doc::DocumentObject& docs, const std::string& label, const std::string& value,
               const LineLayout& layout = kPortraitLines);
void numberLine(doc::DocumentObject& docs, const std::string& label, const std::string& number,
                const std::string& unit, const LineLayout& layout = kPortraitLines);
// One empty paragraph (10 pt, colour 32) that ends a block of lines.
void emptyParagraph(doc::DocumentObject& docs);
// A note such as "No loans have been entered ..." followed by an empty line.
void noteLine(doc::DocumentObject& docs, const std::string& note);

// Call inside a catch block. Writes the failure note for the exception being
// handled, with the labels of `res`: `caption` (red, centred), then
//   gXstrError " " number " - " description CR LF
//   gXstrMethod " - " procedure CR LF
//   gXstrModule " - " className
// and an empty line. With `withNumber` false the first line is
// gXstrError " - " description (the form of the design case input tables).
// Never throws: a note that cannot be written is dropped.
void writeFailureNote(doc::DocumentObject& docs, const ResourceTexts& res,
                      const std::string& caption, const std::string& procedure,
                      const std::string& className, bool withNumber = true);

// `value` with `decimals` places and the locale's digit grouping.
std::string formatNumber(double value, int decimals);

}  // namespace qvc::reports
