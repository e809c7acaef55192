// The report builder: documents and their order, file names, progress values,
// printing without showing, the text-file-only request, failures, and the calls
// it makes on the result-report generators.

#include <algorithm>

#include "ReportFixture.h"
#include "qvc/document/DocumentHost.h"
#include "tavlo/ILifeCycleEngine.h"

namespace qvc::test {

namespace {

using Log = std::vector<std::string>;

struct FakeSummary : LifeCycleSummaryGenerator {
    Log* log;
    explicit FakeSummary(Log* l) : log(l) {}
    void GenerateGraphs(doc::DocumentObject&, const std::string& s) override {
        log->push_back("graphs " + s);
    }
    void GenerateFirstTable(doc::DocumentObject&, const std::string& s) override {
        log->push_back("first " + s);
    }
    void GenerateSecondTable(doc::DocumentObject&, const std::string& s) override {
        log->push_back("second " + s);
    }
    void Generate_ThirdTable(doc::DocumentObject&, const std::string& s) override {
        log->push_back("third " + s);
    }
};

struct FakeDetails : AnalysisDetailsGenerator {
    Log* log;
    explicit FakeDetails(Log* l) : log(l) {}
    void GenerateSummary(doc::DocumentObject& d, const std::string& s, int32_t& i) override {
        log->push_back("summary " + s + " " + std::to_string(i));
        d.AddText("summary " + std::to_string(i), 10.0f, std::nullopt, 0, std::nullopt, 1024,
                  doc::code::kDefaultColour, true);
    }
    void GenerateDetailTable(doc::DocumentObject&, const std::string& s, int32_t& i) override {
        log->push_back("detail " + s + " " + std::to_string(i));
    }
};

struct FakeCashFlows : CashFlowGenerator {
    Log* log;
    explicit FakeCashFlows(Log* l) : log(l) {}
    void setGraph(doc::DocumentObject& d, int32_t& i, const std::string& s) override {
        log->push_back("graph " + s + " " + std::to_string(i));
        d.AddText("case " + std::to_string(i), 10.0f, std::nullopt, 0, std::nullopt, 1024,
                  doc::code::kDefaultColour, true);
    }
    void setComponentCash(doc::DocumentObject&, int32_t& i, const std::string& s,
                          int32_t& p) override {
        log->push_back("component " + s + " " + std::to_string(i) + " " + std::to_string(p));
    }
    void setAfterTaxCashFlows(doc::DocumentObject&, int32_t& i, int32_t& p) override {
        log->push_back("aftertax " + std::to_string(i) + " " + std::to_string(p));
    }
    void setPresentWorth(doc::DocumentObject&, int32_t& i, const std::string& s,
                         int32_t& p) override {
        log->push_back("pw " + s + " " + std::to_string(i) + " " + std::to_string(p));
    }
};

struct FakeProfiles : TotPresWorthGenerator {
    Log* log;
    explicit FakeProfiles(Log* l) : log(l) {}
    void setGraph(doc::DocumentObject&) override { log->push_back("tpw graph"); }
    void setPWtable(doc::DocumentObject&, const std::string& s) override {
        log->push_back("tpw table " + s);
    }
};

// Writes (or fails to write) the text file as the real writer reports it.
struct FakeTextFile : AsciiCashFlowGenerator {
    Log* log;
    int16_t failure;
    FakeTextFile(Log* l, int16_t f) : log(l), failure(f) {}
    TextFileOutcome write(const char* which) {
        log->push_back(which);
        TextFileOutcome outcome;
        if (failure != 0) {
            outcome.status = failure;
            return outcome;
        }
        outcome.written = true;
        outcome.path = "/tmp/Cash Flows.TXT";
        return outcome;
    }
    TextFileOutcome BuildITPvtSectorCashFlow() override {
        return write("ascii private with taxes");
    }
    TextFileOutcome BuildOtherASCIICashFlow() override { return write("ascii other"); }
};

void installFakes(cRptBuilder& builder, Log* log, int16_t textFailure = 0) {
    ReportGenerators& g = builder.generators();
    g.lifeCycleSummary = [log](const ReportInputs&) { return std::make_unique<FakeSummary>(log); };
    g.analysisDetails = [log](const ReportInputs&) { return std::make_unique<FakeDetails>(log); };
    g.cashFlows = [log](const ReportInputs&) { return std::make_unique<FakeCashFlows>(log); };
    g.totPresWorthProfiles = [log](const ReportInputs&) {
        return std::make_unique<FakeProfiles>(log);
    };
    g.asciiCashFlow = [log, textFailure](const ReportInputs&) {
        return std::make_unique<FakeTextFile>(log, textFailure);
    };
}

// A viewer whose document view cannot be attached.
struct BrokenViewer : ui::ReportViewer {
    bool loaded = false;
    int unloads = 0;
    void loadHidden() override { loaded = true; }
    bool isLoaded() const override { return loaded; }
    doc::DocumentHost* documentView() override { return nullptr; }
    std::intptr_t ownerHandle() const override { return 1; }
    graph::ChartRenderer* graphSurface() override { return nullptr; }
    void setDocument(doc::DocumentObject&) override {}
    void showModal() override {}
    void unload() override {
        loaded = false;
        ++unloads;
    }
};

// The headless viewer without a graph surface.
struct ViewerWithoutGraphs : ui::HeadlessReportViewer {
    graph::ChartRenderer* graphSurface() override { return nullptr; }
};

std::vector<std::string> labels(const ui::HeadlessProgressWindow& w) {
    std::vector<std::string> out;
    for (const auto& e : w.events())
        if (e.kind == ui::ProgressEvent::Kind::Label)
            out.push_back(e.text);
    return out;
}

int unloadCount(const ui::HeadlessProgressWindow& w) {
    const auto events = w.events();
    return static_cast<int>(std::count_if(events.begin(), events.end(), [](const auto& e) {
        return e.kind == ui::ProgressEvent::Kind::Unload;
    }));
}

// Paragraphs that start a new page.
int pageStarts(const RtfDocument& d) {
    int n = 0;
    for (const RtfParagraph* p : d.paragraphs())
        n += p->pageBreakBefore ? 1 : 0;
    return n;
}

std::vector<fs::path> rtfFilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().extension() == ".RTF")
            files.push_back(e.path());
    return files;
}

}  // namespace

TEST_F(ReportTest, StudyAndCaseInputsInRequestOrderWithProgress) {
    const int16_t id = addStudy(study("Plant #2/East (v1.0)", 0, 0, true));
    const int16_t a = addCase(id, fullCase());
    const int16_t b = addCase(id, emptyCase("Do nothing"));
    loadForReports(id, {a, b});

    ASSERT_TRUE(build("SI-DC"));
    EXPECT_EQ(threadState().gErrMsg, "");
    EXPECT_EQ(savedNames(),
              (std::vector<std::string>{"Plant _2_East _v1_0__Study Inputs.RTF",
                                        "Plant _2_East _v1_0__Design Case Inputs.RTF"}));
    EXPECT_EQ(viewer->shownCount(), 1);
    EXPECT_TRUE(messages->records().empty());
    EXPECT_EQ(progress->values(), (std::vector<int32_t>{0, 0, 100, 100}));
    const std::vector<std::string> l = labels(*progress);
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(l[0], "Please wait:  report is being generated.");
    EXPECT_EQ(l[1], "Please wait: Study Inputs report is being generated.");
    EXPECT_EQ(l[2], "Please wait: Design Case Inputs report is being generated.");
    EXPECT_EQ(l[3], "Report generation is complete.");
    EXPECT_EQ(progress->events().front().kind, ui::ProgressEvent::Kind::Value);
    EXPECT_EQ(progress->events().back().kind, ui::ProgressEvent::Kind::Unload);
    EXPECT_EQ(unloadCount(*progress), 1);
    // Closing the viewer removed the working files; the saved copies stay.
    EXPECT_TRUE(rtfFilesIn(work).empty());
    EXPECT_EQ(rtfFilesIn(out).size(), 2u);
    EXPECT_EQ(reportState().gGraph, nullptr);

    // The design case document: landscape never, one page break between two cases.
    const RtfDocument dc = readSaved(1);
    ASSERT_FALSE(dc.sections.empty());
    EXPECT_FALSE(dc.sections[0].landscape);
    EXPECT_EQ(pageStarts(dc), 1);
}

TEST_F(ReportTest, ProgressForOneAndThreeCodesAndSkippedCodes) {
    const int16_t id = addStudy(study("Office", 0, 1, false));
    loadForReports(id, {});

    ASSERT_TRUE(build("SI"));
    EXPECT_EQ(progress->values(), (std::vector<int32_t>{0, 100, 100}));
    progress->clear();

    // "AD" matches no rule for independent alternatives: no document, but its
    // position still counts for the bar.
    ASSERT_TRUE(build("SI-AD-SI"));
    EXPECT_EQ(progress->values(), (std::vector<int32_t>{0, 0, 50, 100, 100}));
    EXPECT_EQ(savedNames(),
              (std::vector<std::string>{"Office_Study Inputs.RTF", "Office_Study Inputs.RTF"}));
    progress->clear();

    ASSERT_TRUE(build("SI-XX-DC1-SI"));
    EXPECT_EQ(progress->values(), (std::vector<int32_t>{0, 0, 33, 66, 100, 100}));

    // Nothing to build at all: the viewer still opens, empty.
    ASSERT_TRUE(build("AD"));
    EXPECT_TRUE(viewer->savedFiles().empty());
}

TEST_F(ReportTest, PrintsEveryDocumentWithoutShowingTheViewer) {
    const int16_t id = addStudy(study("Office", 1, 0, false));
    const int16_t a = addCase(id, fullCase());
    loadForReports(id, {a});
    auto printer = std::make_shared<RecordingPrinter>();
    ui::Services::setPrinter(printer);

    ASSERT_TRUE(build("DC-SI", 1));
    EXPECT_EQ(printer->printed, (std::vector<std::string>{"Office_Design Case Inputs.RTF",
                                                          "Office_Study Inputs.RTF"}));
    EXPECT_EQ(printer->dialogs, (std::vector<bool>{false, false}));
    EXPECT_EQ(viewer->shownCount(), 0);
    EXPECT_FALSE(viewer->isLoaded());
    // The progress window is completed and closed once per printed document.
    EXPECT_EQ(progress->values(), (std::vector<int32_t>{0, 0, 100, 100, 100}));
    EXPECT_EQ(unloadCount(*progress), 2);
    EXPECT_TRUE(messages->records().empty());
}

TEST_F(ReportTest, FailureIsRecordedAndEndsTheBuild) {
    const int16_t id = addStudy(study("Office", 1, 0, false));
    loadForReports(id, {});
    threadState().gErrCode = 310;  // cleared at the start of every build

    // No printer installed: printing fails.
    EXPECT_FALSE(build("SI", 1));
    EXPECT_EQ(threadState().gErrMsg,
              "68#No printer is available: install a printing service to print reports"
              " # BuildReports # cRptBuilder #");
    EXPECT_EQ(threadState().gErrCode, 0);
    EXPECT_FALSE(viewer->isLoaded());
    EXPECT_EQ(progress->events().back().kind, ui::ProgressEvent::Kind::Unload);

    // An output folder that does not exist: the document cannot be written.
    ui::Services::setOutputFolder(dir / "missing");
    EXPECT_FALSE(build("SI"));
    EXPECT_TRUE(threadState().gErrMsg.starts_with("76#")) << threadState().gErrMsg;
    EXPECT_TRUE(threadState().gErrMsg.ends_with("# BuildReports # cRptBuilder #"));
    EXPECT_FALSE(viewer->isLoaded());

    // A study setting that is no number: no report is written with it.
    ui::Services::setOutputFolder(work);
    threadState().arrStudy[StudyField::LifeCycle] = "25 years";
    EXPECT_FALSE(build("SI-DC"));
    EXPECT_EQ(threadState().gErrMsg, "13#Type mismatch # BuildReports # cRptBuilder #");
    EXPECT_TRUE(rtfFilesIn(work).empty());
    EXPECT_FALSE(viewer->isLoaded());
}

TEST_F(ReportTest, ViewerThatCannotShowDocumentsAndMissingGraphs) {
    const int16_t id = addStudy(study("Office", 0, 0, false));
    loadForReports(id, {});

    auto broken = std::make_shared<BrokenViewer>();
    ui::Services::setReportViewer(broken);
    EXPECT_FALSE(build("SI"));
    auto records = messages->records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].text, "Reports could not be generated.");
    EXPECT_EQ(records[0].flags, 64);
    EXPECT_EQ(records[0].title, "Reports");
    EXPECT_TRUE(progress->events().empty());
    EXPECT_FALSE(broken->isLoaded());
    messages->clear();

    auto noGraphs = std::make_shared<ViewerWithoutGraphs>();
    ui::Services::setReportViewer(noGraphs);
    EXPECT_TRUE(build("SI"));
    records = messages->records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].text, "Graphs");
    EXPECT_EQ(records[0].flags, 0);
    EXPECT_EQ(records[0].title, "");
    EXPECT_EQ(noGraphs->savedFiles().size(), 1u);
}

TEST_F(ReportTest, TextFileOnlyRequest) {
    const int16_t id = addStudy(study("Office", 0, 0, true));
    loadForReports(id, {});
    Log log;
    {
        cRptBuilder builder;
        installFakes(builder, &log);
        builder.sReportTypes = "ACF";
        EXPECT_TRUE(builder.BuildReports(0));
        EXPECT_EQ(builder.document(), nullptr);
    }
    EXPECT_EQ(log, (Log{"ascii private with taxes"}));
    EXPECT_EQ(viewer->shownCount(), 0);
    EXPECT_TRUE(rtfFilesIn(work).empty());
    auto records = messages->records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].text, "The text cash flow file has been saved as /tmp/Cash Flows.TXT");
    EXPECT_EQ(progress->values(), (std::vector<int32_t>{0, 100, 100}));
    messages->clear();

    // The folder is missing (301) or the file cannot be written (333).
    for (int16_t failure : {int16_t(301), int16_t(333)}) {
        cRptBuilder builder;
        installFakes(builder, &log, failure);
        builder.sReportTypes = "ACF";
        EXPECT_FALSE(builder.BuildReports(1));
        records = messages->records();
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].text,
                  failure == 301 ? res().gStrASCIIDirEXE : res().gStrASCIIFilePathEXE);
        messages->clear();
    }

    // With other reports the text file is one more step; the viewer is shown.
    cRptBuilder builder;
    installFakes(builder, &log);
    builder.sReportTypes = "SI-ACF";
    EXPECT_TRUE(builder.BuildReports(0));
    EXPECT_EQ(viewer->shownCount(), 1);
}

TEST_F(ReportTest, ResultGeneratorsAreCalledInReportOrder) {
    const int16_t id = addStudy(study("Office", 0, 0, true));
    loadForReports(id, {});

    // Three alternatives whose first costs rank them 3, 1, 2.
    std::shared_ptr<tavlo::ILifeCycleEngine> engine = tavlo::createEngine();
    engine->setAnalysisType(0);
    engine->setAlternativeType(0);
    engine->setAnalysisPeriod(10);
    engine->setDiscountRate(0.05);
    engine->setIncomeTaxFlag(true);
    engine->setIncomeTaxRate(0.3);
    engine->Alternatives().Initialize(3);
    const double firstCost[] = {300000, 100000, 200000};
    for (int16_t i = 1; i <= 3; ++i) {
        tavlo::IAlternative& alt = engine->Alternatives().Item(i);
        alt.setNumber(i);
        alt.setInvestmentCost(1, firstCost[i - 1]);
        alt.setDepreciationLife(1, 5);
        alt.setUsefulLife(1, 20);
    }
    ASSERT_TRUE(engine->ValidateInputs());
    ASSERT_TRUE(engine->Calculate());
    ASSERT_EQ(engine->Alternatives().Item(1).Rank(), 3);
    ASSERT_EQ(engine->Alternatives().Item(2).Rank(), 1);
    ASSERT_EQ(engine->Comparisons().Count(), 2);
    threadState().colAlternatives =
        std::shared_ptr<const tavlo::IAlternatives>(engine, &engine->Alternatives());
    threadState().colComparisons =
        std::shared_ptr<const tavlo::IComparisons>(engine, &engine->Comparisons());

    Log log;
    cRptBuilder builder;
    installFakes(builder, &log);
    builder.sReportTypes = "LS-AD-CF-TPW";
    ASSERT_TRUE(builder.BuildReports(0));
    EXPECT_EQ(log, (Log{"first LS1",     "graphs LS1",        "second LS1",    "third LS1",
                        "summary AD2 1", "detail AD2 1",      "summary AD2 2", "detail AD2 2",
                        "graph CF1 2",   "component CF1 2 1", "aftertax 2 1",  "pw CF1 2 1",
                        "graph CF1 3",   "component CF1 3 2", "aftertax 3 2",  "pw CF1 3 2",
                        "graph CF1 1",   "component CF1 1 3", "aftertax 1 3",  "pw CF1 1 3",
                        "tpw graph",     "tpw table TPW1"}));
    EXPECT_EQ(savedNames(),
              (std::vector<std::string>{"Office_Life-Cycle Cost Summary.RTF",
                                        "Office_Analysis Details.RTF", "Office_Cash Flows.RTF",
                                        "Office_Total Present Worth Profiles.RTF"}));
    // Page breaks between comparisons and between cases; cash flows on landscape pages.
    const RtfDocument ad = readSaved(1);
    EXPECT_EQ(pageStarts(ad), 1);
    const RtfDocument cf = readSaved(2);
    EXPECT_EQ(pageStarts(cf), 2);
    ASSERT_FALSE(cf.sections.empty());
    EXPECT_TRUE(cf.sections[0].landscape);

    // Public sector, independent alternatives: LS6 without the third table, CF2
    // without the after-tax table.
    threadState().arrStudy[2] = "1";
    threadState().arrStudy[3] = "1";
    threadState().arrStudy[7] = "False";
    log.clear();
    cRptBuilder second;
    installFakes(second, &log);
    second.sReportTypes = "LS-AD";
    ASSERT_TRUE(second.BuildReports(0));
    EXPECT_EQ(log, (Log{"first LS6", "graphs LS6", "second LS6"}));

    // Simple payback: LS7 has no graphs.
    threadState().arrStudy[2] = "2";
    log.clear();
    cRptBuilder third;
    installFakes(third, &log);
    third.sReportTypes = "LS-CF";
    ASSERT_TRUE(third.BuildReports(0));
    EXPECT_EQ(log, (Log{"first LS7", "second LS7", "third LS7", "graph CF2 2", "component CF2 2 1",
                        "pw CF2 2 1", "graph CF2 3", "component CF2 3 2", "pw CF2 3 2",
                        "graph CF2 1", "component CF2 1 3", "pw CF2 1 3"}));
}

TEST_F(ReportTest, ResultReportsWithoutGeneratorsGetTheirFrameOnly) {
    const int16_t id = addStudy(study("Office", 0, 0, false));
    loadForReports(id, {});
    // No engine results and no generators: the documents still open.
    cRptBuilder builder;
    builder.generators() = ReportGenerators{};
    builder.sReportTypes = "LS-AD-CF-TPW-ACF";
    EXPECT_FALSE(builder.BuildReports(0));
    ASSERT_EQ(viewer->savedFiles().size(), 4u);
    const RtfDocument ls = readSaved(0);
    ASSERT_FALSE(ls.sections.empty());
    ASSERT_FALSE(ls.sections[0].header.empty());
    EXPECT_EQ(ls.sections[0].header[0].text, "Life-Cycle Cost Summary");
    const std::string body = ls.bodyText();
    EXPECT_NE(body.find("Office"), std::string::npos);
    EXPECT_NE(body.find("Private Sector Life-Cycle Cost Analysis"), std::string::npos);
    EXPECT_EQ(ls.tables().size(), 0u);
    // The text file was asked for and not written: the failure message follows
    // the viewer, and the result is False.
    EXPECT_EQ(messages->records().size(), 1u);
}

TEST_F(ReportTest, BuildWithAResultGeneratorThatThrowsIsRecorded) {
    const int16_t id = addStudy(study("Office", 0, 0, false));
    loadForReports(id, {});
    // Analysis details without engine results: the comparisons are not set.
    cRptBuilder builder;
    Log log;
    installFakes(builder, &log);
    builder.sReportTypes = "AD";
    EXPECT_FALSE(builder.BuildReports(0));
    EXPECT_EQ(threadState().gErrMsg,
              "91#Object variable or With block variable not set # BuildReports # cRptBuilder #");
    EXPECT_FALSE(viewer->isLoaded());
    EXPECT_EQ(viewer->shownCount(), 0);
}

}  // namespace qvc::test
