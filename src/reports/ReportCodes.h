#pragma once
// The rules that turn a report request into report documents: the sub-code of
// each report code (from the study's type of analysis, type of alternatives and
// income-tax setting), the general-information code of each sub-code, the report
// title and the file name.
//
// `study` holds the loaded study's texts (ThreadState::arrStudy, slots named by
// StudyField): type of analysis "0".."3", type of alternatives "0"/"1",
// income taxes "True"/"False". Every comparison is an
// exact, case-sensitive string comparison, except the "[0,1]" test of "DC",
// which is a Like pattern (it also matches ",").

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "common/ResourceTexts.h"
#include "common/StudySettings.h"

namespace qvc::reports {

using StudyTexts = StudyArray;

// The sub-code for one report code ("SI", "DC", "DC1", "DC2", "LS", "AD", "CF",
// "TPW", "ACF"); empty when no rule matches or the code is unknown.
std::string subCodeFor(std::string_view code, const StudyTexts& study);

// The request split at "-" and each part turned into its sub-code; unmatched
// parts keep an empty entry so positions stay those of the request.
std::vector<std::string> subCodesFor(const std::string& request, const StudyTexts& study);

// The general-information code written at the top of a report ("PMIT",
// "PMNIT", "PIIT", "PINIT", "PUM", "SIM", "CF1", "CF2"); empty when the report
// has none. "DC1"/"DC2" write "DC" once per design case, not here: empty.
std::string generalInfoCodeFor(std::string_view subCode, const StudyTexts& study);

// The resource text that titles a report: gXstrSI, gXstrDCI, gXstrLS, gXstrAD,
// gXstrCF, gXstrTPWP; empty for the text-file codes and unknown codes.
std::string reportTitleFor(std::string_view subCode, const ResourceTexts& res);

// True for the sub-codes that write the text cash-flow file instead of a document.
bool isTextFileCode(std::string_view subCode);

// Every character that is not an ASCII digit or letter, a blank or the backspace
// character (code 8) becomes "_" (one per character, also for non-ASCII ones).
std::string MakeFileSafe(std::string_view text);

// The report document's file name, the same rule for every report: the
// file-safe study title & "_" & `title` & ".RTF", made a safe file name
// (rt::SafeFileName: no separators, never "..", at most 200 bytes). A study
// title longer than 120 bytes is shortened to 120 (with a hash) first.
std::string reportFileName(const std::string& studyTitle, const std::string& title);

}  // namespace qvc::reports
