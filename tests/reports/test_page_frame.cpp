// The page header and footer and the general-information blocks, read back from
// the written documents.

#include "FakeEnv.h"
#include "ReportFixture.h"
#include "qvc/runtime/ScopedEnv.h"
#include "reports/ReportPageFrame.h"

namespace qvc::test {

namespace {

// Non-empty body paragraph texts of the first section.
std::vector<std::string> lines(const RtfDocument& d) {
    std::vector<std::string> out;
    for (const RtfParagraph* p : d.paragraphs())
        if (!p->text.empty())
            out.push_back(p->text);
    return out;
}

// An in-memory file system holding the test's folders, its clock at
// 2026-11-05 17:04:09 (day and month apart, an afternoon hour).
std::unique_ptr<FakeEnv> fixedClockEnv(const fs::path& work, const fs::path& out) {
    auto env = std::make_unique<FakeEnv>();
    env->createFolders(work);
    env->createFolders(out);
    env->setLocalTime(2026, 11, 5, 17, 4, 9);
    return env;
}

RtfDocument readFrom(const FakeEnv& env, const fs::path& file) {
    return readRtf(env.contents(file).value_or(""));
}

// The right tab stop of the first body paragraph whose text starts with `label`.
int valueTab(const RtfDocument& d, const std::string& label) {
    for (const RtfParagraph* p : d.paragraphs())
        if (p->text.starts_with(label) && !p->tabs.empty())
            return p->tabs.back().second;
    return -1;
}

class PageFrameTest : public ReportTest {
  protected:
    void setStudy(const std::string& analysis, const std::string& alternatives,
                  const std::string& taxes) {
        auto& s = threadState().arrStudy;
        s = {"Office Plant", "Three options", analysis, alternatives, "2026", "25", "7",
             taxes,          "26.5",          "$"};
        reportState().strAnalysisType = "Analysis " + analysis;
        reportState().strAlternativeType = "Alternatives " + alternatives;
    }
    // The general-information block for `code` alone in a document, read back.
    RtfDocument generalInfo(const std::string& code) {
        doc::DocumentObject docs;
        docs.NewDocument(code + ".RTF", work.string());
        reports::setDefaultFont(docs);
        const ReportInputs inputs = reports::readReportInputs();
        if (code == "DC")
            reports::setDesignCaseInfo(docs, inputs, threadState().arrCaseGen);
        else
            reports::setGeneralInfo(docs, inputs, code);
        docs.FinishDocument(true, 0);
        return readRtfFile(work / (code + ".RTF"));
    }
};

}  // namespace

TEST_F(ReportTest, PageHeaderAndFooterOfEveryReport) {
    const int16_t id = addStudy(study("Office", 0, 0, true));
    const int16_t a = addCase(id, fullCase());
    loadForReports(id, {a});
    const auto env = fixedClockEnv(work, out);
    rt::ScopedEnv scope(*env);
    ASSERT_TRUE(build("SI-DC"));
    // The header capitalises the company name (two blanks kept, below); the
    // name the host gave stays as it was.
    EXPECT_EQ(threadState().strCompanyName, "acme  engineering of the west");

    const char* titles[] = {"Study Inputs", "Design Case Inputs"};
    for (size_t i = 0; i < 2; ++i) {
        const RtfDocument d = readFrom(*env, viewer->savedFiles().at(i));
        EXPECT_EQ(d.defaultFont >= 0 ? d.fonts.at(static_cast<size_t>(d.defaultFont)) : "",
                  "Arial");
        ASSERT_FALSE(d.sections.empty());
        const RtfSection& s = d.sections[0];
        EXPECT_EQ(s.marginLeft, 720);
        EXPECT_EQ(s.marginTop, 720);
        ASSERT_GE(s.header.size(), 3u);
        EXPECT_EQ(s.header[0].text, titles[i]);
        EXPECT_EQ(s.header[0].align, 'c');
        EXPECT_TRUE(s.header[0].anyBold);
        EXPECT_EQ(s.header[0].maxHalfPoints, 24);
        EXPECT_EQ(s.header[1].text, "Project: Riverside Campus\t11/05/2026");
        EXPECT_EQ(s.header[2].text, "Prepared by: Acme  Engineering Of The West\t17:04:09");
        ASSERT_FALSE(s.header[1].tabs.empty());
        EXPECT_EQ(s.header[1].tabs.back(), (std::pair<char, int>{'r', 10800}));
        EXPECT_EQ(s.header[1].maxHalfPoints, 18);

        ASSERT_FALSE(s.footer.empty());
        const RtfParagraph& footer = s.footer[0];
        EXPECT_EQ(footer.text, "QVComponents v 17.0\tPage {PAGE} of {NUMPAGES}");
        EXPECT_EQ(footer.fields, (std::vector<std::string>{"PAGE", "NUMPAGES"}));
    }
}

TEST_F(ReportTest, PageFrameWritesWhatItsInputsSayAndNothingElse) {
    // Inputs built by hand: the frame takes its names and its time from them,
    // not from the thread, and leaves the thread's settings alone.
    threadState().strCompanyName = "thread firm";
    threadState().strProjectName = "Thread Project";
    ReportInputs in;
    in.texts = res();
    in.projectName = "Harbour Wing";
    in.companyName = "north  shore consulting";
    in.appName = "LCC";
    in.appVersion = "2.1";
    in.reportTime.tm_year = 2026 - 1900;
    in.reportTime.tm_mon = 2;
    in.reportTime.tm_mday = 4;
    in.reportTime.tm_hour = 9;
    in.reportTime.tm_min = 5;
    in.reportTime.tm_sec = 7;
    doc::DocumentObject docs;
    docs.NewDocument("frame.RTF", work.string());
    reports::setDefaultFont(docs);
    reports::setPageHeader(docs, in, "Study Inputs", "");
    docs.FinishDocument(true, 0);
    const RtfDocument d = readRtfFile(work / "frame.RTF");
    ASSERT_FALSE(d.sections.empty());
    const RtfSection& s = d.sections[0];
    ASSERT_GE(s.header.size(), 3u);
    EXPECT_EQ(s.header[0].text, "Study Inputs");
    EXPECT_EQ(s.header[1].text, "Project: Harbour Wing\t03/04/2026");
    EXPECT_EQ(s.header[2].text, "Prepared by: North  Shore Consulting\t09:05:07");
    ASSERT_FALSE(s.footer.empty());
    EXPECT_EQ(s.footer[0].text, "LCC v 2.1\tPage {PAGE} of {NUMPAGES}");
    EXPECT_EQ(threadState().strCompanyName, "thread firm");
}

TEST_F(ReportTest, CashFlowHeaderSitsAtTheLandscapeTab) {
    const int16_t id = addStudy(study("Office", 0, 0, true));
    loadForReports(id, {});
    // No firm to name: the line keeps the time without an empty label.
    threadState().strCompanyName = " ";
    cRptBuilder builder;
    builder.generators() = ReportGenerators{};
    builder.sReportTypes = "CF";
    const auto env = fixedClockEnv(work, out);
    rt::ScopedEnv scope(*env);
    ASSERT_TRUE(builder.BuildReports(0));
    const RtfDocument d = readFrom(*env, viewer->savedFiles().at(0));
    ASSERT_FALSE(d.sections.empty());
    const RtfSection& s = d.sections[0];
    EXPECT_TRUE(s.landscape);
    EXPECT_EQ(s.pageWidth, 15840);
    ASSERT_GE(s.header.size(), 3u);
    EXPECT_EQ(s.header[0].text, "Cash Flows");
    EXPECT_EQ(s.header[1].tabs.back(), (std::pair<char, int>{'r', 14400}));
    EXPECT_EQ(s.header[2].tabs.back(), (std::pair<char, int>{'r', 14400}));
    EXPECT_EQ(s.header[1].text, "Project: Riverside Campus\t11/05/2026");
    EXPECT_EQ(s.header[2].text, "\t17:04:09");
    // CF1: the cash-flow line layout (values at 7.5 inches).
    EXPECT_EQ(valueTab(d, "Type of Analysis"), 10800);
    EXPECT_EQ(valueTab(d, "Minimum Attractive Rate of Return"), 10800);
}

TEST_F(PageFrameTest, GeneralInformationLinesForEveryCode) {
    setStudy("0", "0", "True");
    const std::vector<std::string> withTaxes = {"Office Plant",
                                                "Three options",
                                                "Type of Analysis\tAnalysis 0",
                                                "Type of Alternatives\tAlternatives 0",
                                                "Length of Analysis\t25 yrs",
                                                "Minimum Attractive Rate of Return\t7.00 %",
                                                "Income Taxes\tConsidered",
                                                "Marginal Income Tax Rate\t26.50 %"};
    for (const char* code : {"PMIT", "PIIT", "CF1"})
        EXPECT_EQ(lines(generalInfo(code)), withTaxes) << code;

    const std::vector<std::string> withoutTaxes = {"Office Plant",
                                                   "Three options",
                                                   "Type of Analysis\tAnalysis 0",
                                                   "Type of Alternatives\tAlternatives 0",
                                                   "Length of Analysis\t25 yrs",
                                                   "Minimum Attractive Rate of Return\t7.00 %",
                                                   "Income Taxes\tNot Considered"};
    for (const char* code : {"PMNIT", "PINIT", "CF2"})
        EXPECT_EQ(lines(generalInfo(code)), withoutTaxes) << code;

    setStudy("1", "1", "False");
    EXPECT_EQ(
        lines(generalInfo("PUM")),
        (std::vector<std::string>{"Office Plant", "Three options", "Type of Analysis\tAnalysis 1",
                                  "Type of Alternatives\tAlternatives 1",
                                  "Length of Analysis\t25 yrs", "Discount Rate\t7.00 %"}));
    EXPECT_EQ(lines(generalInfo("CF2")),
              (std::vector<std::string>{
                  "Office Plant", "Three options", "Type of Analysis\tAnalysis 1",
                  "Type of Alternatives\tAlternatives 1", "Length of Analysis\t25 yrs",
                  "Discount Rate\t7.00 %", "Income Taxes\tNot Considered"}));

    setStudy("2", "0", "False");
    const std::vector<std::string> simple = {"Office Plant", "Three options",
                                             "Type of Analysis\tAnalysis 2",
                                             "Length of Analysis\t25 yrs", "Discount Rate\t7.00 %"};
    EXPECT_EQ(lines(generalInfo("SIM")), simple);
    std::vector<std::string> simpleCashFlow = simple;
    simpleCashFlow.push_back("Income Taxes\tNot Considered");
    EXPECT_EQ(lines(generalInfo("CF2")), simpleCashFlow);

    // Title bold and centred, description centred; portrait values at 6.25 inches,
    // cash-flow values at 7.5 inches.
    setStudy("0", "0", "True");
    const RtfDocument portrait = generalInfo("PMIT");
    const auto paragraphs = portrait.paragraphs();
    ASSERT_GE(paragraphs.size(), 2u);
    EXPECT_TRUE(paragraphs[0]->anyBold);
    EXPECT_EQ(paragraphs[0]->align, 'c');
    EXPECT_EQ(paragraphs[1]->align, 'c');
    EXPECT_EQ(valueTab(portrait, "Type of Analysis"), 9000);
    EXPECT_EQ(valueTab(portrait, "Length of Analysis"), 9000);
    EXPECT_EQ(valueTab(generalInfo("CF1"), "Length of Analysis"), 10800);
}

TEST_F(PageFrameTest, DesignCaseGeneralInformationAndTextBox) {
    setStudy("0", "0", "False");
    ThreadState& s = threadState();
    s.arrCaseGen.redim(1, 3);
    s.arrCaseGen(1) = "Ground-source heat pump";
    s.arrCaseGen(2) = "GSHP";
    s.arrCaseGen(3) = "Borefield with 40 wells";
    RtfDocument d = generalInfo("DC");
    const std::vector<std::string> l = lines(d);
    ASSERT_EQ(l.size(), 7u);
    EXPECT_EQ(l[0], "Type of Analysis\tAnalysis 0");
    EXPECT_EQ(l[1], "Length of Analysis\t25 yrs");
    EXPECT_EQ(l[2], "Income Taxes\tNot Considered");
    EXPECT_EQ(l[3], "General Information :");
    // Labels right-aligned at 1.75 inches, the values after the next tab.
    EXPECT_EQ(l[4], "\tDesign Case Name\tGround-source heat pump");
    EXPECT_EQ(l[5], "\tShort Name\tGSHP");
    for (const RtfParagraph* p : d.paragraphs()) {
        if (p->text.starts_with("\tShort Name")) {
            EXPECT_EQ(p->tabs, (std::vector<std::pair<char, int>>{{'r', 2520}}));
        }
    }
    EXPECT_EQ(l[6], "Description :");
    ASSERT_EQ(d.tables().size(), 1u);
    const RtfTable& box = *d.tables()[0];
    ASSERT_EQ(box.rows.size(), 1u);
    ASSERT_EQ(box.rows[0].cells.size(), 1u);
    EXPECT_EQ(box.rows[0].cells[0].text, "Borefield with 40 wells");
    EXPECT_EQ(box.rows[0].widths(), (std::vector<int>{10080}));

    // Taxes considered; an empty description still gets its box.
    setStudy("0", "0", "True");
    s.arrCaseGen(3) = "";
    d = generalInfo("DC");
    EXPECT_EQ(lines(d)[2], "Income Taxes\tConsidered");
    ASSERT_EQ(d.tables().size(), 1u);
    EXPECT_EQ(d.tables()[0]->rows[0].cells[0].text, "");

    // No case loaded: the block stops at the case name and nothing escapes.
    s.arrCaseGen.erase();
    d = generalInfo("DC");
    EXPECT_EQ(lines(d).size(), 4u);
    EXPECT_TRUE(d.tables().empty());
}

}  // namespace qvc::test
