#include "qvc/document/SpareParagraphs.h"

namespace qvc::doc {

bool isEmptyParagraph(const Paragraph& paragraph) {
    if (paragraph.ruleAbove || paragraph.ruleBelow) {
        return false;
    }
    for (const Run& r : paragraph.runs) {
        if (r.kind != Run::Kind::Text || r.text.find_first_not_of(' ') != std::string::npos) {
            return false;
        }
    }
    return true;
}

std::vector<bool> spareParagraphs(const std::vector<Block>& body) {
    std::vector<bool> spare(body.size(), false);
    // From the end backwards: a run of empty paragraphs (and breaks) reaching
    // a page break or the end is spare.
    bool beforeBreak = true;
    for (size_t i = body.size(); i-- > 0;) {
        const Block& b = body[i];
        if (std::holds_alternative<PageBreak>(b)) {
            beforeBreak = true;
        } else if (const auto* p = std::get_if<Paragraph>(&b); p && isEmptyParagraph(*p)) {
            spare[i] = beforeBreak;
        } else {
            beforeBreak = false;
        }
    }
    return spare;
}

}  // namespace qvc::doc
