#include <gtest/gtest.h>

#include <array>
#include <sstream>

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

}  // namespace

TEST(ReportCodes, EverySubCodeRuleWithItsGeneralInformation) {
    // Code, type of analysis, type of alternatives, taxes, sub-code, information code; "-": empty.
    const char* const rules[] = {
        "SI 3 1 False SI -",        "DC 0 1 True DC1 -",      "DC 2 0 False DC2 -",
        "DC 3 0 False DC2 -",       "DC1 3 0 False DC1 -",    "DC2 0 0 True DC2 -",
        "LS 0 0 True LS1 PMIT",     "LS 0 0 False LS2 PMNIT", "LS 0 1 True LS3 PIIT",
        "LS 0 1 False LS4 PINIT",   "LS 1 0 True LS5 PUM",    "LS 1 1 False LS6 PUM",
        "LS 2 1 True LS7 SIM",      "LS 3 0 False - -",       "LS 0 0 - - -",
        "AD 0 0 False AD1 PMNIT",   "AD 0 0 True AD2 PMIT",   "AD 1 0 True AD3 PUM",
        "AD 2 1 False AD4 SIM",     "AD 0 1 False - -",       "AD 3 0 False - -",
        "CF 0 0 True CF1 CF1",      "CF 1 0 True CF2 CF2",    "TPW 0 1 True TPW1 PMIT",
        "TPW 0 0 False TPW2 PMNIT", "TPW 1 1 True TPW2 PUM",  "TPW 2 0 False TPW2 -",
        "TPW 3 0 False TPW2 SIM",   "ACF 0 0 True ACF1 -",    "ACF 3 0 True ACF2 -",
        "ls 0 0 True - -"};
    for (const char* rule : rules) {
        std::istringstream in(rule);
        std::array<std::string, 6> f;
        for (std::string& field : f) {
            in >> field;
            field = field == "-" ? "" : field;
        }
        const StudyTexts s = studyWith(f[1], f[2], f[3]);
        const std::string sub = subCodeFor(f[0], s);
        EXPECT_EQ(sub, f[4]) << rule;
        EXPECT_EQ(generalInfoCodeFor(sub, s), f[5]) << rule;
    }
    EXPECT_EQ(subCodeFor("LS ", studyWith("0", "0", "True")), "");
    // A request keeps the positions of the parts that match no report.
    EXPECT_EQ(subCodesFor("SI-AD-LS--XY-CF", studyWith("0", "1", "False")),
              (std::vector<std::string>{"SI", "", "LS4", "", "", "CF2"}));
}

TEST(ReportCodes, FileNamesAreFileSafe) {
    EXPECT_EQ(MakeFileSafe("Plant #2 / East-Wing (v1.0) 50%"), "Plant _2 _ East_Wing _v1_0_ 50_");
    EXPECT_EQ(MakeFileSafe("H\xC3\xB4tel\b"), "H_tel\b");  // one "_" per character
    // The report's title is made safe too, and so is the backspace MakeFileSafe keeps.
    EXPECT_EQ(reportFileName("", "/../victim"), "__.._victim.RTF");
    EXPECT_EQ(reportFileName("H\xC3\xB4tel\b", "Study Inputs"), "H_tel__Study Inputs.RTF");
    // A 300-character title is cut to 111 bytes, "~" and a hash, names stay distinct.
    const std::string longTitle(300, 'S');
    const std::string ls = reportFileName(longTitle, "Life-Cycle Cost Summary");
    EXPECT_EQ(ls.find_first_not_of('S'), 111u);
    EXPECT_EQ(ls.substr(111, 1) + ls.substr(120), "~_Life-Cycle Cost Summary.RTF");
    EXPECT_NE(reportFileName(longTitle + "2", "Life-Cycle Cost Summary"), ls);
    EXPECT_EQ(CapitaliseWords(" acme  engineering mcDonald \xC3\xA9tude"),
              " Acme  Engineering McDonald \xC3\x89tude");
}
