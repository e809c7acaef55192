#pragma once
// The study inputs report (code "SI"): the study's settings from arrStudy as
// label and value lines, and its description in a framed one-cell table.
// cRptBuilder opens the document and writes the page header first.

#include <string>

#include "qvc/document/DocumentObject.h"

namespace qvc {

class cRptStudyInputs {
  public:
    // Writes the whole report at the insertion point. Has no handler of its own:
    // a failure reaches the caller (the builder records it).
    void setStudyTable(doc::DocumentObject& docs);
    // The description table: left-aligned from 65 characters on, right-aligned
    // below; an empty line follows a description longer than 65 characters. A
    // failure ends it and leaves "number#description#setDescription#
    // cRptStudyInputs#" in gErrMsg; it never throws.
    void setDescription(doc::DocumentObject& docs, const std::string& text);
};

}  // namespace qvc
