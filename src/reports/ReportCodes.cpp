#include "reports/ReportCodes.h"

#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/Like.h"
#include "qvc/runtime/SafeFileName.h"

namespace qvc::reports {

namespace {

// The most of a report file name the study title may take.
constexpr size_t kStudyTitleBytes = 120;

struct Setting {
    const std::string& analysis;
    const std::string& alternatives;
    const std::string& taxes;
};

Setting settingOf(const StudyTexts& study) {
    return Setting{study[StudyField::TypeOfAnalysis], study[StudyField::TypeOfAlternatives],
                   study[StudyField::CalcIncomeTaxes]};
}

std::string lifeCycleSummaryCode(const Setting& s) {
    if (s.alternatives == "0" && s.analysis == "0" && s.taxes == "True")
        return "LS1";
    if (s.alternatives == "0" && s.analysis == "0" && s.taxes == "False")
        return "LS2";
    if (s.alternatives == "1" && s.analysis == "0" && s.taxes == "True")
        return "LS3";
    if (s.alternatives == "1" && s.analysis == "0" && s.taxes == "False")
        return "LS4";
    if (s.alternatives == "0" && s.analysis == "1")
        return "LS5";
    if (s.alternatives == "1" && s.analysis == "1")
        return "LS6";
    if (s.analysis == "2")
        return "LS7";
    return "";
}

std::string analysisDetailsCode(const Setting& s) {
    if (s.alternatives == "0" && s.analysis == "0" && s.taxes == "False")
        return "AD1";
    if (s.alternatives == "0" && s.analysis == "0" && s.taxes == "True")
        return "AD2";
    if (s.alternatives == "0" && s.analysis == "1")
        return "AD3";
    if (s.analysis == "2")
        return "AD4";
    return "";
}

bool privateWithTaxes(const Setting& s) {
    return s.taxes == "True" && s.analysis == "0";
}

}  // namespace

std::string subCodeFor(std::string_view code, const StudyTexts& study) {
    const Setting s = settingOf(study);
    if (code == "SI")
        return "SI";
    if (code == "DC")
        return rt::Like(s.analysis, "[0,1]") ? "DC1" : "DC2";
    if (code == "DC1" || code == "DC2")
        return std::string(code);
    if (code == "LS")
        return lifeCycleSummaryCode(s);
    if (code == "AD")
        return analysisDetailsCode(s);
    if (code == "CF")
        return privateWithTaxes(s) ? "CF1" : "CF2";
    if (code == "TPW")
        return privateWithTaxes(s) ? "TPW1" : "TPW2";
    if (code == "ACF")
        return privateWithTaxes(s) ? "ACF1" : "ACF2";
    return "";
}

std::vector<std::string> subCodesFor(const std::string& request, const StudyTexts& study) {
    std::vector<std::string> subCodes;
    for (const std::string& part : rt::Split(request, "-"))
        subCodes.push_back(subCodeFor(part, study));
    return subCodes;
}

std::string generalInfoCodeFor(std::string_view subCode, const StudyTexts& study) {
    if (subCode == "LS1" || subCode == "AD2" || subCode == "TPW1")
        return "PMIT";
    if (subCode == "LS2" || subCode == "AD1")
        return "PMNIT";
    if (subCode == "LS3")
        return "PIIT";
    if (subCode == "LS4")
        return "PINIT";
    if (subCode == "LS5" || subCode == "LS6" || subCode == "AD3")
        return "PUM";
    if (subCode == "LS7" || subCode == "AD4")
        return "SIM";
    if (subCode == "CF1" || subCode == "CF2")
        return std::string(subCode);
    if (subCode == "TPW2") {
        const std::string& analysis = study[2];
        if (analysis == "0")
            return "PMNIT";
        if (analysis == "1")
            return "PUM";
        if (analysis == "3")
            return "SIM";
    }
    return "";
}

std::string reportTitleFor(std::string_view subCode, const ResourceTexts& res) {
    if (subCode == "SI")
        return res.gXstrSI;
    if (subCode == "DC1" || subCode == "DC2")
        return res.gXstrDCI;
    if (subCode.starts_with("LS"))
        return res.gXstrLS;
    if (subCode.starts_with("AD"))
        return res.gXstrAD;
    if (subCode.starts_with("CF"))
        return res.gXstrCF;
    if (subCode.starts_with("TPW"))
        return res.gXstrTPWP;
    return "";
}

bool isTextFileCode(std::string_view subCode) {
    return subCode == "ACF1" || subCode == "ACF2";
}

std::string MakeFileSafe(std::string_view text) {
    std::u32string chars = rt::DecodeUtf8(text);
    for (char32_t& c : chars) {
        const bool safe = (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') ||
                          (c >= U'a' && c <= U'z') || c == U' ' || c == 8;
        if (!safe)
            c = U'_';
    }
    return rt::EncodeUtf8(chars);
}

std::string reportFileName(const std::string& studyTitle, const std::string& title) {
    // The title is a resource text and the study title the user's: either may
    // hold separators, ".." or be too long for a file name. Every report,
    // the study inputs too, carries the study title, so the reports of two
    // studies written to one folder never replace each other.
    // A long study title is shortened first, so the names of a study's reports
    // still show which report each one is.
    std::string study = MakeFileSafe(studyTitle);
    if (study.size() > kStudyTitleBytes)
        study = rt::SafeFileName(study, "", kStudyTitleBytes);
    return rt::SafeFileName(study + "_" + title, ".RTF");
}

}  // namespace qvc::reports
