// The rules that turn report codes into sub-codes, general-information codes,
// titles and file names.

#include <gtest/gtest.h>

#include "reports/ReportCodes.h"
#include "reports/ReportPageFrame.h"

using namespace qvc::reports;

namespace {

StudyTexts studyWith(const std::string& analysis, const std::string& alternatives,
                     const std::string& taxes) {
    StudyTexts s;
    s[0] = "Office";
    s[2] = analysis;
    s[3] = alternatives;
    s[7] = taxes;
    return s;
}

struct Rule {
    const char* code;
    const char* analysis;
    const char* alternatives;
    const char* taxes;
    const char* subCode;
    const char* infoCode;
};

}  // namespace

TEST(ReportCodes, EverySubCodeRuleWithItsGeneralInformation) {
    const Rule rules[] = {
        {"SI", "0", "0", "True", "SI", ""},
        {"SI", "3", "1", "False", "SI", ""},
        {"DC", "0", "1", "True", "DC1", ""},
        {"DC", "1", "0", "False", "DC1", ""},
        {"DC", "2", "0", "False", "DC2", ""},
        {"DC", "3", "0", "False", "DC2", ""},
        {"DC", ",", "0", "False", "DC1", ""},  // the pattern [0,1] also takes a comma
        {"DC1", "3", "0", "False", "DC1", ""},
        {"DC2", "0", "0", "True", "DC2", ""},
        {"LS", "0", "0", "True", "LS1", "PMIT"},
        {"LS", "0", "0", "False", "LS2", "PMNIT"},
        {"LS", "0", "1", "True", "LS3", "PIIT"},
        {"LS", "0", "1", "False", "LS4", "PINIT"},
        {"LS", "1", "0", "True", "LS5", "PUM"},
        {"LS", "1", "1", "False", "LS6", "PUM"},
        {"LS", "2", "1", "True", "LS7", "SIM"},
        {"LS", "3", "0", "False", "", ""},
        {"LS", "0", "0", "", "", ""},
        {"AD", "0", "0", "False", "AD1", "PMNIT"},
        {"AD", "0", "0", "True", "AD2", "PMIT"},
        {"AD", "1", "0", "True", "AD3", "PUM"},
        {"AD", "2", "1", "False", "AD4", "SIM"},
        {"AD", "0", "1", "False", "", ""},
        {"AD", "1", "1", "False", "", ""},
        {"AD", "3", "0", "False", "", ""},
        {"CF", "0", "0", "True", "CF1", "CF1"},
        {"CF", "0", "0", "False", "CF2", "CF2"},
        {"CF", "1", "0", "True", "CF2", "CF2"},
        {"TPW", "0", "1", "True", "TPW1", "PMIT"},
        {"TPW", "0", "0", "False", "TPW2", "PMNIT"},
        {"TPW", "1", "1", "True", "TPW2", "PUM"},
        {"TPW", "2", "0", "False", "TPW2", ""},
        {"TPW", "3", "0", "False", "TPW2", "SIM"},
        {"ACF", "0", "0", "True", "ACF1", ""},
        {"ACF", "3", "0", "True", "ACF2", ""},
        {"ls", "0", "0", "True", "", ""},
        {"LS ", "0", "0", "True", "", ""},
        {"XY", "0", "0", "True", "", ""},
    };
    for (const Rule& r : rules) {
        const StudyTexts s = studyWith(r.analysis, r.alternatives, r.taxes);
        const std::string sub = subCodeFor(r.code, s);
        EXPECT_EQ(sub, r.subCode) << r.code << " analysis " << r.analysis << " alternatives "
                                  << r.alternatives << " taxes " << r.taxes;
        EXPECT_EQ(generalInfoCodeFor(sub, s), r.infoCode) << sub;
    }
}

TEST(ReportCodes, RequestKeepsPositionsOfUnmatchedParts) {
    const StudyTexts s = studyWith("0", "1", "False");
    EXPECT_EQ(subCodesFor("SI-AD-LS--XY-CF", s),
              (std::vector<std::string>{"SI", "", "LS4", "", "", "CF2"}));
    EXPECT_TRUE(subCodesFor("", s).empty());
    EXPECT_EQ(subCodesFor("LS-TPW", studyWith("1", "1", "False")),
              (std::vector<std::string>{"LS6", "TPW2"}));
}

TEST(ReportCodes, FileNamesAreFileSafe) {
    EXPECT_EQ(MakeFileSafe("Plant #2 / East-Wing (v1.0) 50%"), "Plant _2 _ East_Wing _v1_0_ 50_");
    EXPECT_EQ(MakeFileSafe("Abc 019 xyz"), "Abc 019 xyz");
    EXPECT_EQ(MakeFileSafe("H\xC3\xB4tel\b"), "H_tel\b");  // one "_" per character
    // The titles of resource texts are made safe too ("../victim" wrote beside
    // the folder), and the backspace MakeFileSafe keeps is none for a file name.
    EXPECT_EQ(reportFileName("A/B #1", "Design Case Inputs"), "A_B _1_Design Case Inputs.RTF");
    EXPECT_EQ(reportFileName("", "/../victim"), "__.._victim.RTF");
    EXPECT_EQ(reportFileName("H\xC3\xB4tel\b", "Study Inputs"), "H_tel__Study Inputs.RTF");
    // A 300-character title is cut to 111 bytes, "~" and a hash, so names stay
    // short, keep the report's title and stay distinct.
    const std::string longTitle(300, 'S');
    const std::string ls = reportFileName(longTitle, "Life-Cycle Cost Summary");
    EXPECT_EQ(ls.find_first_not_of('S'), 111u);
    EXPECT_EQ(ls[111], '~');
    EXPECT_EQ(ls.substr(120), "_Life-Cycle Cost Summary.RTF");
    EXPECT_EQ(reportFileName(longTitle, "Analysis Details"),
              ls.substr(0, 120) + "_Analysis Details.RTF");
    EXPECT_NE(reportFileName(longTitle + "2", "Life-Cycle Cost Summary"), ls);
    EXPECT_TRUE(isTextFileCode("ACF1") && isTextFileCode("ACF2"));
    EXPECT_FALSE(isTextFileCode("ACF") || isTextFileCode("CF1"));
    EXPECT_EQ(CapitaliseWords(" acme  engineering mcDonald o'neil \xC3\xA9tude"),
              " Acme  Engineering McDonald O'neil \xC3\x89tude");
}
