#include <map>
#include <sstream>
#include "FakeEnv.h"

#include "ReportTest.h"
#include "common/StudySettings.h"
#include "qvc/document/DocumentHost.h"
#include "qvc/runtime/ScopedEnv.h"
#include "reports/ReportPageFrame.h"

namespace qvc::test {
namespace {

// Prints by remembering which document was active and whether a dialog was asked for.
struct RecordingPrinter : ui::Printer {
    std::vector<std::pair<std::string, bool>> printed;
    void print(const doc::DocumentObject& docs, int32_t index, bool showDialog) override {
        printed.emplace_back(docs.document(index).FileName(), showDialog);
    }
};

struct ViewerWithoutDocumentView : ui::HeadlessReportViewer {
    doc::DocumentHost* documentView() override { return nullptr; }
};
struct ViewerWithoutGraphs : ui::HeadlessReportViewer {
    graph::ChartRenderer* graphSurface() override { return nullptr; }
};

long unloads(const ui::HeadlessProgressWindow& w) {
    const auto events = w.events();
    return std::count_if(events.begin(), events.end(),
                         [](const auto& e) { return e.kind == ui::ProgressEvent::Kind::Unload; });
}
size_t rtfFilesIn(const fs::path& folder) {
    size_t n = 0;
    for (const auto& e : fs::directory_iterator(folder))
        n += e.path().extension() == ".RTF";
    return n;
}
// The year-by-year tables of a document: those with a totals row.
size_t yearTables(const RtfDocument& d) {
    size_t n = 0;
    for (const RtfTable* t : d.tables())
        n += t->rows.back().cells.at(0).text == texts().gXstrTotals;
    return n;
}

TEST_F(ReportTest, InputReportsInRequestOrderWithProgressAndTheWorkFilesRemoved) {
    ExampleVariant v;
    v.title = "Plant #2/East (v1.0)";
    loadInputs(v, {exampleCases()[0], doNothing()});
    ASSERT_TRUE(build("SI-DC"));
    EXPECT_EQ(threadState().gErrMsg, "");
    EXPECT_EQ(savedNames(),
              (std::vector<std::string>{"Plant _2_East _v1_0__Study Inputs.RTF",
                                        "Plant _2_East _v1_0__Design Case Inputs.RTF"}));
    EXPECT_EQ(viewer->shownCount(), 1);
    EXPECT_EQ(progress->values(), (std::vector<int32_t>{0, 0, 100, 100}));
    EXPECT_EQ(unloads(*progress), 1);
    // Closing the viewer removed the working files; the saved copies stay.
    EXPECT_EQ(rtfFilesIn(work), 0u);
    EXPECT_EQ(rtfFilesIn(out), 2u);
    // Two cases, the second on a page of its own.
    EXPECT_EQ(pageStarts(readSaved(1)), 1);
}

TEST_F(ReportTest, PrintsEveryDocumentWithoutShowingTheViewer) {
    loadInputs();
    auto printer = std::make_shared<RecordingPrinter>();
    ui::Services::setPrinter(printer);
    ASSERT_TRUE(build("DC-SI", 1));
    const std::string title = exampleStudy().StudyTitle;
    EXPECT_EQ(printer->printed,
              (std::vector<std::pair<std::string, bool>>{{title + "_Design Case Inputs.RTF", false},
                                                         {title + "_Study Inputs.RTF", false}}));
    EXPECT_EQ(viewer->shownCount(), 0);
    EXPECT_EQ(unloads(*progress), 2);  // closed once per printed document
}

TEST_F(ReportTest, FailureIsRecordedAndEndsTheBuild) {
    loadInputs();
    threadState().gErrCode = 310;  // cleared at the start of every build
    // No printer installed.
    EXPECT_FALSE(build("SI", 1));
    EXPECT_EQ(threadState().gErrMsg,
              "68#No printer is available: install a printing service to print reports"
              " # BuildReports # cRptBuilder #");
    EXPECT_EQ(threadState().gErrCode, 0);
    EXPECT_EQ(progress->events().back().kind, ui::ProgressEvent::Kind::Unload);
    // A study setting that is no number: nothing is written with it.
    ui::Services::setOutputFolder(out);
    const size_t before = rtfFilesIn(out);
    threadState().arrStudy[StudyField::LifeCycle] = "25 years";
    EXPECT_FALSE(build("SI-DC"));
    EXPECT_EQ(threadState().gErrMsg, "13#Type mismatch # BuildReports # cRptBuilder #");
    EXPECT_EQ(rtfFilesIn(out), before);
    threadState().arrStudy[StudyField::LifeCycle] = "25";
    // Results asked for where there are none: the missing comparisons are recorded.
    EXPECT_FALSE(build("AD"));
    EXPECT_EQ(threadState().gErrMsg,
              "91#Object variable or With block variable not set # BuildReports # cRptBuilder #");
    EXPECT_EQ(viewer->shownCount(), 0);
    // A viewer that cannot show documents.
    progress->clear();
    auto broken = std::make_shared<ViewerWithoutDocumentView>();
    ui::Services::setReportViewer(broken);
    EXPECT_FALSE(build("SI"));
    EXPECT_EQ(messages->records().back().text, "Reports could not be generated.");
    EXPECT_TRUE(progress->events().empty());
    // Without a graph surface the input reports are still written, with a message.
    auto noGraphs = std::make_shared<ViewerWithoutGraphs>();
    ui::Services::setReportViewer(noGraphs);
    EXPECT_TRUE(build("SI"));
    EXPECT_EQ(messages->records().back().text, "Graphs");
    EXPECT_EQ(noGraphs->savedFiles().size(), 1u);
}

TEST_F(ReportTest, ResultReportsFollowTheStudysTypeOfAnalysis) {
    struct Case {
        int16_t analysis, alternatives;
        bool taxes;
        size_t summaryTables, summaryCharts, cashFlowTables;
    };
    // Table 3 for exclusive cases, no payback charts, after-tax cash flows with taxes.
    for (const Case& c :
         {Case{0, 0, true, 3, 3, 9}, Case{1, 1, false, 2, 3, 6}, Case{2, 0, false, 3, 0, 6}}) {
        SCOPED_TRACE(c.analysis);
        calculate(variantOf(c.analysis, c.alternatives, c.taxes));
        ASSERT_TRUE(build("LS-AD-CF-TPW"));
        EXPECT_EQ(threadState().gErrMsg, "");
        std::vector<std::string> names{"Life-Cycle Cost Summary", "Analysis Details", "Cash Flows",
                                       "Total Present Worth Profiles"};
        if (c.alternatives == 1)
            names.erase(names.begin() + 1);  // no analysis details for independent cases
        for (std::string& name : names)
            name = exampleStudy().StudyTitle + "_" + name + ".RTF";
        ASSERT_EQ(savedNames(), names);
        EXPECT_EQ(readSaved(0).tables().size(), c.summaryTables);
        EXPECT_EQ(readSaved(0).pictures().size(), c.summaryCharts);
        // Each comparison on a page of its own.
        EXPECT_TRUE(c.alternatives == 1 || pageStarts(readSaved(1)) == 1);
        // Cash flows on landscape pages: per case its chart, then a page per table.
        const RtfDocument cf = readSaved(names.size() - 2);
        EXPECT_TRUE(cf.sections.at(0).landscape);
        EXPECT_EQ(yearTables(cf), c.cashFlowTables);
        EXPECT_EQ(cf.pictures().size(), 3u);
        EXPECT_EQ(pageStarts(cf), 2 + static_cast<int>(c.cashFlowTables));
        EXPECT_EQ(readSaved(names.size() - 1).pictures().size(), 1u);
    }
}

TEST_F(ReportTest, TextFileOnlyRequestTellsWhereTheFileWentOrWhyNot) {
    calculate(variantOf(0, 0, false));
    // The text file goes where the reports go.
    const fs::path file = out / ("CashFlow_" + exampleStudy().StudyTitle + ".TXT");
    EXPECT_TRUE(build("ACF"));
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(viewer->shownCount(), 0);
    EXPECT_EQ(rtfFilesIn(work) + rtfFilesIn(out), 0u);
    ASSERT_EQ(messages->records().size(), 1u);
    EXPECT_EQ(messages->records()[0].text, res().gXstrASCIIFile + " " + file.string());
    // The folder is gone (301); a folder in the way (333) is told after the viewer.
    ui::Services::setOutputFolder(dir / "gone");
    EXPECT_FALSE(build("ACF", 1));
    EXPECT_EQ(messages->records().back().text, res().gStrASCIIDirEXE);
    EXPECT_EQ(threadState().gErrCode, 301);
    ui::Services::setOutputFolder(out);
    fs::remove(file);
    fs::create_directories(file);
    EXPECT_FALSE(build("SI-ACF"));
    EXPECT_EQ(viewer->shownCount(), 1);
    EXPECT_EQ(messages->records().back().text, res().gStrASCIIFilePathEXE);
}

TEST_F(ReportTest, PageHeaderAndFooterOnPortraitAndLandscapePages) {
    calculate();
    FakeEnv env;  // the clock at 2026-11-05 17:04:09: day and month apart, an afternoon
    env.createFolders(work);
    env.createFolders(out);
    env.setLocalTime(2026, 11, 5, 17, 4, 9);
    rt::ScopedEnv scope(env);
    ASSERT_TRUE(build("SI-DC-CF"));
    // The header capitalises the company name.
    const char* titles[] = {"Study Inputs", "Design Case Inputs", "Cash Flows"};
    for (size_t i = 0; i < 3; ++i) {
        const RtfDocument d = readRtf(env.contents(viewer->savedFiles().at(i)).value_or(""));
        const RtfSection& s = d.sections.at(0);
        EXPECT_EQ(s.landscape, i == 2);
        ASSERT_GE(s.header.size(), 3u);
        EXPECT_EQ(s.header[0].text, titles[i]);
        EXPECT_EQ(s.header[1].text, "Project: Riverside Campus\t11/05/2026");
        EXPECT_EQ(s.header[2].text, "Prepared by: Acme  Engineering Of The West\t17:04:09");
        ASSERT_FALSE(s.footer.empty());
        EXPECT_EQ(s.footer[0].text, "QVComponents v 17.0\tPage {PAGE} of {NUMPAGES}");
        EXPECT_EQ(s.footer[0].fields, (std::vector<std::string>{"PAGE", "NUMPAGES"}));
    }
}

TEST_F(ReportTest, GeneralInformationLinesForEveryCode) {
    const std::map<char, std::vector<std::string>> kLines{
        {'L', {"Length of Analysis\t25 yrs"}},
        {'M', {"Minimum Attractive Rate of Return\t7.00 %"}},
        {'D', {"Discount Rate\t7.00 %"}},
        {'N', {"Income Taxes\tNot Considered"}},
        {'T', {"Income Taxes\tConsidered", "Marginal Income Tax Rate\t26.50 %"}}};
    // Analysis, alternatives, taxes, code, lines after the types (no alternatives for 2, 3).
    for (const char* rule :
         {"0 0 True PMIT LMT", "0 1 True PIIT LMT", "0 0 True CF1 LMT", "0 0 False PMNIT LMN",
          "0 1 False PINIT LMN", "0 0 False CF2 LMN", "1 1 False PUM LD", "1 1 False CF2 LDN",
          "2 0 False SIM LD", "2 0 False CF2 LDN", "3 0 False CF2 LDN"}) {
        std::istringstream in(rule);
        std::string analysis, alternatives, taxes, code, lines;
        in >> analysis >> alternatives >> taxes >> code >> lines;
        threadState().arrStudy = {
            "Office Plant", "Three options", analysis, alternatives, "2026", "25", "7",
            taxes,          "26.5",          "$"};
        reportState().strAnalysisType = "Analysis " + analysis;
        reportState().strAlternativeType = "Alternatives " + alternatives;
        const RtfDocument d = writeReport([&](doc::DocumentObject& docs) {
            reports::setDefaultFont(docs);
            reports::setGeneralInfo(docs, reports::readReportInputs(), code);
        });
        std::vector<std::string> expected{"Office Plant", "Three options",
                                          "Type of Analysis\tAnalysis " + analysis};
        if (analysis < "2")
            expected.push_back("Type of Alternatives\tAlternatives " + alternatives);
        for (char line : lines)
            expected.insert(expected.end(), kLines.at(line).begin(), kLines.at(line).end());
        EXPECT_EQ(nonEmptyLines(d), expected) << rule;
    }
}

}  // namespace
}  // namespace qvc::test
