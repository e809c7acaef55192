#include "reports/ReportLines.h"

#include <fmt/format.h>

#include <optional>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/NumberFormat.h"

namespace qvc::reports {

namespace code = doc::code;

void plainLine(doc::DocumentObject& docs, const std::string& label, const std::string& value,
               const LineLayout& layout) {
    docs.AddLabelValue(label, "", false, 1, 1, layout.labelTab, kLineTextSize, std::nullopt,
                       layout.width, code::kDefaultColour, false);
    docs.AddLabelValue(value, "", true, 1, 1, layout.valueTab, kLineTextSize, std::nullopt, 0,
                       code::kDefaultColour, true);
}

void numberLine(doc::DocumentObject& docs, const std::string& label, const std::string& number,
                const std::string& unit, const LineLayout& layout) {
    docs.AddLabelValue(label + "\t", number + " ", false, 1, 1, layout.valueTab, kLineTextSize,
                       kLineTextSize, layout.width, code::kDefaultColour, false);
    docs.AddText(unit, kLineTextSize, std::nullopt, 0, std::nullopt, code::kAlignLeft,
                 code::kDefaultColour, true);
}

void emptyParagraph(doc::DocumentObject& docs) {
    docs.AddText("", kLineTextSize, std::nullopt, 0, std::nullopt, code::kAlignKeep, 32, true);
}

void noteLine(doc::DocumentObject& docs, const std::string& note) {
    docs.AddText(note, kLineTextSize, 0xFF0000, code::kTextItalic, std::nullopt, code::kAlignCentre,
                 kNoteColour, true);
    docs.NewLine(1);
}

void writeFailureNote(doc::DocumentObject& docs, const ResourceTexts& res,
                      const std::string& caption, const std::string& procedure,
                      const std::string& className, bool withNumber) {
    const rt::ErrorInfo info = rt::describeCurrentException();
    std::string text = res.gXstrError;
    if (withNumber)
        text += fmt::format(" {}", info.number);
    text += " - " + info.description + "\r\n";
    text += res.gXstrMethod + " - " + procedure + "\r\n";
    text += res.gXstrModule + " - " + className;
    try {
        docs.AddText(caption, kLineTextSize, std::nullopt, 0, std::nullopt, code::kAlignCentre,
                     kNoteColour, true);
        docs.AddText(text, kLineTextSize, std::nullopt, 0, std::nullopt, code::kAlignLeft,
                     code::kDefaultColour, false);
        docs.NewLine(1);
    } catch (...) {
        // The document itself is failing; the report goes on without the note.
    }
}

std::string formatNumber(double value, int decimals) {
    return rt::FormatNumber(value, decimals, true);
}

}  // namespace qvc::reports
