#pragma once
// What every report document shares: the default text format, the page header
// and footer, the study's general-information block at the top of a report and
// the framed text box of a design case's description. cRptBuilder calls these
// on its own document while it opens each report; result reports may call them
// the same way.
//
// Texts come from the thread's resource texts, the study from arrStudy, the
// case from arrCaseGen, the analysis and alternative texts from ReportState,
// the project, company, application name and version from the path settings.

#include <string>
#include <string_view>

#include "qvc/document/DocumentObject.h"

namespace qvc::reports {

// ResetFormat, font "Arial", 8 points.
void setDefaultFont(doc::DocumentObject& docs);

// Page header: `reportTitle` (12 pt bold, centred), "Project: <name>" with the
// date and "Prepared by: <company>" with the time at a right tab (7.5 inches,
// 10 for `code` "CF"); footer: "<application> v <version>" and, at the right,
// "Page N of M" with page fields. The stored company name is rewritten with
// every word capitalised (CapitaliseWords). A failure ends it after one empty
// paragraph; it never throws.
void setPageHeader(doc::DocumentObject& docs, const std::string& reportTitle,
                   const std::string& code);

// The general-information block for `code`: "PMIT", "PMNIT", "PIIT", "PINIT",
// "PUM", "SIM", "CF1", "CF2" (study title, description and the settings lines
// the code calls for) or "DC" (the settings lines and the loaded design case's
// name, short name and description box). A failure ends it; it never throws.
void setGeneralInfo(doc::DocumentObject& docs, const std::string& code);

// A framed one-cell table, 7 inches wide, holding `text`, then an empty line.
// A failure ends it; it never throws.
void setTextBox(doc::DocumentObject& docs, const std::string& text);

// Every word (text between single blanks) with its first character
// upper-cased, the rest unchanged; runs of blanks are kept.
std::string CapitaliseWords(std::string_view text);

// The date and time written into the page header ("MM/DD/YYYY", "HH:MM:SS").
std::string reportDate();
std::string reportTime();

}  // namespace qvc::reports
