// The page header and footer and the general-information blocks, read back.

#include "FakeEnv.h"
#include "ReportTest.h"
#include "qvc/runtime/ScopedEnv.h"
#include "reports/ReportPageFrame.h"

namespace qvc::test {
namespace {

TEST_F(ReportTest, PageHeaderAndFooterOnPortraitAndLandscapePages) {
    calculate();
    FakeEnv env;  // the clock at 2026-11-05 17:04:09: day and month apart, an afternoon
    env.createFolders(work);
    env.createFolders(out);
    env.setLocalTime(2026, 11, 5, 17, 4, 9);
    rt::ScopedEnv scope(env);
    ASSERT_TRUE(build("SI-DC-CF"));
    // The header capitalises the company name; the name the host gave stays.
    EXPECT_EQ(threadState().strCompanyName, "acme  engineering of the west");
    const char* titles[] = {"Study Inputs", "Design Case Inputs", "Cash Flows"};
    for (size_t i = 0; i < 3; ++i) {
        const RtfDocument d = readRtf(env.contents(viewer->savedFiles().at(i)).value_or(""));
        const RtfSection& s = d.sections.at(0);
        EXPECT_EQ(s.landscape, i == 2);
        ASSERT_GE(s.header.size(), 3u);
        EXPECT_EQ(s.header[0].text, titles[i]);
        EXPECT_TRUE(s.header[0].align == 'c' && s.header[0].anyBold);
        EXPECT_EQ(s.header[1].text, "Project: Riverside Campus\t11/05/2026");
        EXPECT_EQ(s.header[2].text, "Prepared by: Acme  Engineering Of The West\t17:04:09");
        // Date and time end at the right margin.
        const int right = s.pageWidth - s.marginLeft - s.marginRight;
        for (size_t line : {1, 2})
            EXPECT_EQ(s.header[line].tabs.back(), (std::pair<char, int>{'r', right}));
        ASSERT_FALSE(s.footer.empty());
        EXPECT_EQ(s.footer[0].text, "QVComponents v 17.0\tPage {PAGE} of {NUMPAGES}");
        EXPECT_EQ(s.footer[0].fields, (std::vector<std::string>{"PAGE", "NUMPAGES"}));
    }
    // No firm to name: the line keeps the time without an empty label.
    threadState().strCompanyName = " ";
    ASSERT_TRUE(build("SI"));
    const RtfDocument d = readRtf(env.contents(viewer->savedFiles().at(0)).value_or(""));
    EXPECT_EQ(d.sections.at(0).header.at(2).text, "\t17:04:09");
}

TEST_F(ReportTest, GeneralInformationLinesForEveryCode) {
    using Lines = std::vector<std::string>;
    const std::string length = "Length of Analysis\t25 yrs";
    const std::string marr = "Minimum Attractive Rate of Return\t7.00 %";
    const std::string discount = "Discount Rate\t7.00 %";
    const std::string without = "Income Taxes\tNot Considered";
    const Lines taxes{length, marr, "Income Taxes\tConsidered",
                      "Marginal Income Tax Rate\t26.50 %"};
    struct Case {
        const char *analysis, *alternatives, *taxes, *code;
        Lines lines;  // after the title, the description and the type of analysis
    };
    const Case cases[] = {
        {"0", "0", "True", "PMIT", taxes},
        {"0", "1", "True", "PIIT", taxes},
        {"0", "0", "True", "CF1", taxes},
        {"0", "0", "False", "PMNIT", {length, marr, without}},
        {"0", "1", "False", "PINIT", {length, marr, without}},
        {"0", "0", "False", "CF2", {length, marr, without}},
        {"1", "1", "False", "PUM", {length, discount}},
        {"1", "1", "False", "CF2", {length, discount, without}},
        {"2", "0", "False", "SIM", {length, discount}},
        {"2", "0", "False", "CF2", {length, discount, without}},
        {"3", "0", "False", "CF2", {length, discount, without}},
    };
    for (const Case& c : cases) {
        threadState().arrStudy = {
            "Office Plant", "Three options", c.analysis, c.alternatives, "2026", "25", "7",
            c.taxes,        "26.5",          "$"};
        reportState().strAnalysisType = std::string("Analysis ") + c.analysis;
        reportState().strAlternativeType = std::string("Alternatives ") + c.alternatives;
        const RtfDocument d = writeReport([&](doc::DocumentObject& docs) {
            reports::setDefaultFont(docs);
            reports::setGeneralInfo(docs, reports::readReportInputs(), c.code);
        });
        // Payback and cash flow analyses name no type of alternatives.
        Lines expected{"Office Plant", "Three options",
                       std::string("Type of Analysis\tAnalysis ") + c.analysis};
        if (c.analysis[0] < '2')
            expected.push_back(std::string("Type of Alternatives\tAlternatives ") + c.alternatives);
        expected.insert(expected.end(), c.lines.begin(), c.lines.end());
        EXPECT_EQ(nonEmptyLines(d), expected) << c.code << " analysis " << c.analysis;
        const auto paragraphs = d.paragraphs();
        EXPECT_TRUE(paragraphs.at(0)->anyBold && paragraphs[0]->align == 'c');
        EXPECT_EQ(paragraphs.at(1)->align, 'c');
    }
}

}  // namespace
}  // namespace qvc::test
