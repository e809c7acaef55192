#pragma once
// The study inputs report (code "SI"): the study's settings as label and
// value lines, and its description in a framed one-cell table.
// cRptBuilder opens the document and writes the page header first.

#include <string>

#include "qvc/document/DocumentObject.h"
#include "reports/ReportInputs.h"

namespace qvc {

class cRptStudyInputs {
  public:
    explicit cRptStudyInputs(const ReportInputs& inputs) : in_(inputs) {}
    explicit cRptStudyInputs(ReportInputs&&) = delete;

    // Writes the whole report at the insertion point. Has no handler of its own:
    // a failure reaches the caller (the builder records it). Returns the
    // description table's error record, empty when it was written.
    std::string setStudyTable(doc::DocumentObject& docs);
    // The description table: left-aligned from 65 characters on, right-aligned
    // below; an empty line follows a description longer than 65 characters. A
    // failure ends it and returns "number#description#setDescription#
    // cRptStudyInputs#" (empty when written); it never throws.
    static std::string setDescription(doc::DocumentObject& docs, const std::string& text);

  private:
    const ReportInputs& in_;
};

}  // namespace qvc
