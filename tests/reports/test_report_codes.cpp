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
    EXPECT_EQ(MakeFileSafe(""), "");
    // Every report carries the study title, the study inputs too.
    EXPECT_EQ(reportFileName("A/B", "Study Inputs"), "A_B_Study Inputs.RTF");
    EXPECT_NE(reportFileName("Plant A", "Study Inputs"), reportFileName("Plant B", "Study Inputs"));
    EXPECT_EQ(reportFileName("A/B #1", "Design Case Inputs"), "A_B _1_Design Case Inputs.RTF");
    // Reproducer: the resource text WorkingText='../victim' as the study inputs
    // title wrote "../victim.RTF" beside the output folder; resource titles of
    // the other reports could do the same after the study title.
    EXPECT_EQ(reportFileName("Plant", "../victim"), "Plant_.._victim.RTF");
    EXPECT_EQ(reportFileName("", "../victim"), "_.._victim.RTF");
    EXPECT_EQ(reportFileName("Plant", "/../../x"), "Plant__.._.._x.RTF");
    // The backspace MakeFileSafe keeps is no character for a file name.
    EXPECT_EQ(reportFileName("H\xC3\xB4tel\b", "Design Case Inputs"),
              "H_tel__Design Case Inputs.RTF");
    // Reproducer: a 300-character study title made every report name too long
    // for the file system. Cut, the names keep ".RTF" and stay distinct.
    const std::string longTitle(300, 'S');
    const std::string ls = reportFileName(longTitle, "Life-Cycle Cost Summary");
    const std::string ad = reportFileName(longTitle, "Analysis Details");
    EXPECT_LE(ls.size(), 200u);
    // The study title is cut to 120 bytes (111 and "~" with a hash) so the
    // report's own title stays in the name.
    const std::string tail = "_Life-Cycle Cost Summary.RTF";
    ASSERT_TRUE(ls.ends_with(tail)) << ls;
    EXPECT_EQ(ls.size(), 120 + tail.size());
    EXPECT_EQ(ls.substr(0, 112), std::string(111, 'S') + "~");
    EXPECT_EQ(ad, ls.substr(0, 120) + "_Analysis Details.RTF");
    // Two studies whose long titles differ only at their end keep apart.
    EXPECT_NE(reportFileName(longTitle + "2", "Life-Cycle Cost Summary"), ls);
    EXPECT_TRUE(isTextFileCode("ACF1"));
    EXPECT_TRUE(isTextFileCode("ACF2"));
    EXPECT_FALSE(isTextFileCode("ACF"));
    EXPECT_FALSE(isTextFileCode("CF1"));
}

TEST(ReportCodes, CompanyNameWordsAreCapitalised) {
    EXPECT_EQ(CapitaliseWords("acme  engineering"), "Acme  Engineering");
    EXPECT_EQ(CapitaliseWords(" leading and trailing "), " Leading And Trailing ");
    EXPECT_EQ(CapitaliseWords("mcDonald o'neil"), "McDonald O'neil");
    EXPECT_EQ(CapitaliseWords("\xC3\xA9tude"), "\xC3\x89tude");
    EXPECT_EQ(CapitaliseWords(""), "");
}
