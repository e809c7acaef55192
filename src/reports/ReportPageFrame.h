#pragma once
// What every report document shares: the default text format, the page header
// and footer, the study's general-information block at the top of a report and
// the framed text box of a design case's description. cRptBuilder calls these
// on its own document while it opens each report; result reports may call them
// the same way.
//
// Texts, the study, the analysis and alternative texts, the time and the
// project, company, application name and version come from the build's
// inputs; a design case's lines from its general texts.

#include <ctime>
#include <string>
#include <string_view>

#include "qvc/document/DocumentObject.h"
#include "qvc/runtime/DynArray.h"
#include "reports/ReportInputs.h"

namespace qvc::reports {

// ResetFormat, font "Arial", 8 points.
void setDefaultFont(doc::DocumentObject& docs);

// Page header: `reportTitle` (12 pt bold, centred), "Project: <name>" with the
// date and "Prepared by: <company>" with the time at a right tab (7.5 inches,
// 10 for `code` "CF"); footer: "<application> v <version>" and, at the right,
// "Page N of M" with page fields. The company name is printed with every word
// capitalised (CapitaliseWords). A failure ends it after one empty
// paragraph; it never throws.
void setPageHeader(doc::DocumentObject& docs, const ReportInputs& in,
                   const std::string& reportTitle, const std::string& code);

// The general-information block for `code`: "PMIT", "PMNIT", "PIIT", "PINIT",
// "PUM", "SIM", "CF1", "CF2" (study title, description and the settings lines
// the code calls for). A failure ends it; it never throws.
void setGeneralInfo(doc::DocumentObject& docs, const ReportInputs& in, const std::string& code);

// The design case block ("DC"): the settings lines and the case's name, short
// name and description box (slots 1, 2, 3 of `caseGen`). A failure ends it; it
// never throws.
void setDesignCaseInfo(doc::DocumentObject& docs, const ReportInputs& in,
                       const rt::DynArray<std::string>& caseGen);

// A framed one-cell table, 7 inches wide, holding `text`, then an empty line.
// A failure ends it; it never throws.
void setTextBox(doc::DocumentObject& docs, const std::string& text);

// Every word (text between single blanks) with its first character
// upper-cased, the rest unchanged; runs of blanks are kept.
std::string CapitaliseWords(std::string_view text);

// The date and time written into the page header ("MM/DD/YYYY", "HH:MM:SS").
std::string reportDate(const std::tm& time);
std::string reportTime(const std::tm& time);

}  // namespace qvc::reports
