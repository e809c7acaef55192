// The page header and footer and the general-information blocks, read back
// from the written documents.

#include "FakeEnv.h"
#include "ReportTest.h"
#include "qvc/runtime/ScopedEnv.h"
#include "reports/ReportPageFrame.h"

namespace qvc::test {
namespace {

std::vector<std::string> nonEmptyLines(const RtfDocument& d) {
    std::vector<std::string> out;
    for (const RtfParagraph* p : d.paragraphs())
        if (!p->text.empty())
            out.push_back(p->text);
    return out;
}

// The test's folders in memory, the clock at 2026-11-05 17:04:09 (day and
// month apart, an afternoon hour).
std::unique_ptr<FakeEnv> fixedClockEnv(const fs::path& work, const fs::path& out) {
    auto env = std::make_unique<FakeEnv>();
    env->createFolders(work);
    env->createFolders(out);
    env->setLocalTime(2026, 11, 5, 17, 4, 9);
    return env;
}

// The width of the text between the margins: where a right tab ends a line.
int textWidth(const RtfSection& s) {
    return s.pageWidth - s.marginLeft - s.marginRight;
}

class PageFrameTest : public ReportTest {
  protected:
    void setStudy(const std::string& analysis, const std::string& alternatives,
                  const std::string& taxes) {
        threadState().arrStudy = {
            "Office Plant", "Three options", analysis, alternatives, "2026", "25", "7",
            taxes,          "26.5",          "$"};
        reportState().strAnalysisType = "Analysis " + analysis;
        reportState().strAlternativeType = "Alternatives " + alternatives;
    }
    // The general-information block for `code` alone in a document.
    RtfDocument generalInfo(const std::string& code) {
        return writeReport([&](doc::DocumentObject& docs) {
            reports::setDefaultFont(docs);
            const ReportInputs inputs = reports::readReportInputs();
            reports::setGeneralInfo(docs, inputs, code);
        });
    }
};

TEST_F(ReportTest, PageHeaderAndFooterOnPortraitAndLandscapePages) {
    calculate();
    const auto env = fixedClockEnv(work, out);
    rt::ScopedEnv scope(*env);
    ASSERT_TRUE(build("SI-DC-CF"));
    // The header capitalises the company name; the name the host gave stays.
    EXPECT_EQ(threadState().strCompanyName, "acme  engineering of the west");
    const char* titles[] = {"Study Inputs", "Design Case Inputs", "Cash Flows"};
    for (size_t i = 0; i < 3; ++i) {
        const RtfDocument d = readRtf(env->contents(viewer->savedFiles().at(i)).value_or(""));
        const RtfSection& s = d.sections.at(0);
        EXPECT_EQ(s.landscape, i == 2);
        ASSERT_GE(s.header.size(), 3u);
        EXPECT_EQ(s.header[0].text, titles[i]);
        EXPECT_EQ(s.header[0].align, 'c');
        EXPECT_TRUE(s.header[0].anyBold);
        EXPECT_EQ(s.header[1].text, "Project: Riverside Campus\t11/05/2026");
        EXPECT_EQ(s.header[2].text, "Prepared by: Acme  Engineering Of The West\t17:04:09");
        // Date and time end at the right margin.
        for (size_t line : {1, 2})
            EXPECT_EQ(s.header[line].tabs.back(), (std::pair<char, int>{'r', textWidth(s)}));
        ASSERT_FALSE(s.footer.empty());
        EXPECT_EQ(s.footer[0].text, "QVComponents v 17.0\tPage {PAGE} of {NUMPAGES}");
        EXPECT_EQ(s.footer[0].fields, (std::vector<std::string>{"PAGE", "NUMPAGES"}));
    }
    // No firm to name: the line keeps the time without an empty label.
    threadState().strCompanyName = " ";
    ASSERT_TRUE(build("SI"));
    const RtfDocument d = readRtf(env->contents(viewer->savedFiles().at(0)).value_or(""));
    EXPECT_EQ(d.sections.at(0).header.at(2).text, "\t17:04:09");
}

TEST_F(PageFrameTest, GeneralInformationLinesForEveryCode) {
    using Lines = std::vector<std::string>;
    const Lines head{"Office Plant", "Three options"};
    const std::string length = "Length of Analysis\t25 yrs";
    const std::string marr = "Minimum Attractive Rate of Return\t7.00 %";
    const std::string discount = "Discount Rate\t7.00 %";
    const std::string without = "Income Taxes\tNot Considered";
    const auto types = [](const char* analysis, const char* alternatives) {
        return Lines{std::string("Type of Analysis\tAnalysis ") + analysis,
                     std::string("Type of Alternatives\tAlternatives ") + alternatives};
    };
    const auto join = [&](Lines a, const Lines& b) {
        a.insert(a.begin(), head.begin(), head.end());
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const Lines taxes{length, marr, "Income Taxes\tConsidered",
                      "Marginal Income Tax Rate\t26.50 %"};
    const Lines simple{"Type of Analysis\tAnalysis 2", length, discount};
    struct Case {
        const char *analysis, *alternatives, *taxes, *code;
        Lines lines;
    };
    const Case cases[] = {
        {"0", "0", "True", "PMIT", join(types("0", "0"), taxes)},
        {"0", "1", "True", "PIIT", join(types("0", "1"), taxes)},
        {"0", "0", "True", "CF1", join(types("0", "0"), taxes)},
        {"0", "0", "False", "PMNIT", join(types("0", "0"), {length, marr, without})},
        {"0", "1", "False", "PINIT", join(types("0", "1"), {length, marr, without})},
        {"0", "0", "False", "CF2", join(types("0", "0"), {length, marr, without})},
        {"1", "1", "False", "PUM", join(types("1", "1"), {length, discount})},
        {"1", "1", "False", "CF2", join(types("1", "1"), {length, discount, without})},
        {"2", "0", "False", "SIM", join(simple, {})},
        {"2", "0", "False", "CF2", join(simple, {without})},
        {"3", "0", "False", "CF2",
         join({"Type of Analysis\tAnalysis 3", length, discount}, {without})},
    };
    for (const Case& c : cases) {
        setStudy(c.analysis, c.alternatives, c.taxes);
        const RtfDocument d = generalInfo(c.code);
        EXPECT_EQ(nonEmptyLines(d), c.lines) << c.code << " analysis " << c.analysis;
        // The title bold and centred, the description centred.
        const auto paragraphs = d.paragraphs();
        EXPECT_TRUE(paragraphs.at(0)->anyBold && paragraphs[0]->align == 'c');
        EXPECT_EQ(paragraphs.at(1)->align, 'c');
    }
}

}  // namespace
}  // namespace qvc::test
