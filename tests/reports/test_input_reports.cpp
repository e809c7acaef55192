// The study inputs and design case inputs reports, read back from the files the
// viewer saved.

#include <numeric>

#include "FakeEnv.h"
#include "ReportFixture.h"
#include "qvc/runtime/ScopedEnv.h"
#include "reports/cRptStudyInputs.h"

namespace qvc::test {

namespace {

constexpr RtfColour kGrey{225, 225, 225};
constexpr RtfColour kNoteRed{240, 0, 0};

std::vector<std::string> nonEmptyLines(const RtfDocument& d) {
    std::vector<std::string> out;
    for (const RtfParagraph* p : d.paragraphs())
        if (!p->text.empty())
            out.push_back(p->text);
    return out;
}

std::vector<const RtfParagraph*> notes(const RtfDocument& d) {
    std::vector<const RtfParagraph*> out;
    for (const RtfParagraph* p : d.paragraphs())
        if (!p->colours.empty() && p->colours.front() == kNoteRed)
            out.push_back(p);
    return out;
}

using Rows = std::vector<std::vector<std::string>>;

Rows tableTexts(const RtfTable& t) {
    Rows rows;
    for (const RtfRow& r : t.rows)
        rows.push_back(rowTexts(r));
    return rows;
}

}  // namespace

TEST_F(ReportTest, StudyInputLinesForEachTypeOfAnalysis) {
    struct Expectation {
        int16_t analysis;
        bool taxes;
        std::vector<std::string> lines;
    };
    const std::string desc = "Study Description :";
    const std::vector<Expectation> cases = {
        {0,
         true,
         {"Study Title\tOffice", desc, "Type of Analysis\tPrivate Sector Life-Cycle Cost Analysis",
          "Type of Alternatives\tMutually Exclusive", "Base Year\t2026", "Currency Symbol\t$",
          "Length of Analysis\t25 yrs", "Minimum Attractive Rate of Return\t7.00 %",
          "Income Taxes Considered\tYes", "Marginal Income Tax Rate\t26.00 %"}},
        {0,
         false,
         {"Study Title\tOffice", desc, "Type of Analysis\tPrivate Sector Life-Cycle Cost Analysis",
          "Type of Alternatives\tMutually Exclusive", "Base Year\t2026", "Currency Symbol\t$",
          "Length of Analysis\t25 yrs", "Minimum Attractive Rate of Return\t7.00 %",
          "Income Taxes Considered\tNo"}},
        {1,
         true,
         {"Study Title\tOffice", desc, "Type of Analysis\tPublic Sector Life-Cycle Cost Analysis",
          "Type of Alternatives\tMutually Exclusive", "Base Year\t2026", "Currency Symbol\t$",
          "Length of Analysis\t25 yrs", "Discount Rate\t7.00 %"}},
        {2,
         false,
         {"Study Title\tOffice", desc, "Type of Analysis\tSimple Payback Analysis",
          "Base Year\t2026", "Currency Symbol\t$", "Length of Analysis\t25 yrs",
          "Discount Rate\t7.00 %"}},
        {3,
         false,
         {"Study Title\tOffice", desc, "Type of Analysis\tSimple Cash Flow Analysis",
          "Base Year\t2026", "Currency Symbol\t$", "Length of Analysis\t25 yrs",
          "Discount Rate\t7.00 %"}},
    };
    for (const Expectation& e : cases) {
        const int16_t id = addStudy(study("Office", e.analysis, 0, e.taxes));
        loadForReports(id, {});
        ASSERT_TRUE(build("SI"));
        const RtfDocument d = readSaved(0);
        EXPECT_EQ(nonEmptyLines(d), e.lines) << "analysis " << e.analysis;
        ASSERT_EQ(d.tables().size(), 1u);
        const RtfRow& row = d.tables()[0]->rows.at(0);
        EXPECT_EQ(row.cells.at(0).text, "Comparison of three central plant options");
        EXPECT_EQ(row.widths(), (std::vector<int>{6480}));
        EXPECT_EQ(row.minHeight, 2520);
        // Values right-aligned at 6.25 inches.
        const auto paragraphs = d.paragraphs();
        for (const RtfParagraph* p : paragraphs) {
            if (p->text.starts_with("Base Year")) {
                EXPECT_EQ(p->tabs.back(), (std::pair<char, int>{'r', 9000}));
            }
        }
    }
}

TEST_F(ReportTest, StudyDescriptionAlignmentByLength) {
    threadState().arrStudy = {"T", "", "0", "0", "2026", "25", "7", "False", "0", "$"};
    for (size_t length : {size_t(0), size_t(64), size_t(65), size_t(66)}) {
        doc::DocumentObject docs;
        const std::string name = "desc" + std::to_string(length) + ".RTF";
        docs.NewDocument(name, work.string());
        EXPECT_EQ(cRptStudyInputs::setDescription(docs, std::string(length, 'x')), "");
        docs.AddText("after", 10.0f, std::nullopt, 0, std::nullopt, 1024, doc::code::kDefaultColour,
                     true);
        docs.FinishDocument(true, 0);
        const RtfDocument d = readRtfFile(work / name);
        ASSERT_EQ(d.tables().size(), 1u) << length;
        const RtfCell& cell = d.tables()[0]->rows.at(0).cells.at(0);
        EXPECT_EQ(cell.text, std::string(length, 'x'));
        EXPECT_EQ(cell.align, length >= 65 ? 'l' : 'r') << length;
        // Only a description longer than 65 characters gets an empty line after it.
        const auto paragraphs = d.paragraphs();
        EXPECT_EQ(paragraphs.size(), length > 65 ? 2u : 1u) << length;
    }
}

TEST_F(ReportTest, DetailedDesignCaseTablesWithTaxes) {
    const int16_t id = addStudy(study("Office", 0, 0, true));
    const int16_t a = addCase(id, fullCase());
    loadForReports(id, {a});
    ASSERT_TRUE(build("DC"));
    ASSERT_EQ(savedNames(), (std::vector<std::string>{"Office_Design Case Inputs.RTF"}));
    const RtfDocument d = readSaved(0);
    const auto tables = d.tables();
    ASSERT_EQ(tables.size(), 5u);  // description box and four lists
    EXPECT_EQ(tables[0]->rows[0].cells[0].text,
              "Overhaul the chillers now and replace them in year 12");

    EXPECT_EQ(tableTexts(*tables[1]),
              (Rows{{"Cost Item", "Cost ($)", "Year", "Escalation Rate (%)", "Salvage Value ($)",
                     "Useful Life (years)", "Tax Exempt", "Depreciation Method",
                     "Depreciation Life (years)"},
                    {"Chiller overhaul", "$185,000", "0", "0", "$12,346", "12", "Yes",
                     "MACRS (Half-Year)", "10"},
                    {"Replacement chillers", "$1,540,000", "12", "2.5", "$90,000", "13", "No", "",
                     "15"}}));
    const RtfRow& header = tables[1]->rows[0];
    EXPECT_TRUE(header.header);
    // Columns are sized from their texts; the table keeps its width, alike in every row.
    const std::vector<int> widths = header.widths();
    EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), 10728);
    EXPECT_EQ(tables[1]->rows[2].widths(), widths);
    for (const RtfCell& c : header.cells) {
        EXPECT_TRUE(c.bold);
        EXPECT_EQ(c.shading, kGrey);
    }
    const RtfRow& first = tables[1]->rows[1];
    EXPECT_EQ(first.cells[0].align, 'l');
    EXPECT_EQ(first.cells[1].align, 'r');
    EXPECT_EQ(first.cells[7].align, 'l');
    EXPECT_FALSE(first.cells[1].bold);
    EXPECT_EQ(first.cells[1].halfPoints, 20);

    EXPECT_EQ(tableTexts(*tables[2]),
              (Rows{{"Loan", "Start Year", "Investment in Start Year ($)", "Percent Financed",
                     "Term of Loan (years)", "Interest Rate (%)", "Payment Plan"},
                    {"Plant loan", "0", "$185,000", "80", "10", "6.5", "Equal Principal"}}));
    EXPECT_EQ(tables[2]->rows[1].cells[6].align, 'l');
    const std::vector<int> loanWidths = tables[2]->rows[0].widths();
    EXPECT_EQ(std::accumulate(loanWidths.begin(), loanWidths.end(), 0), 10800);
    EXPECT_EQ(
        tableTexts(*tables[3]),
        (Rows{{"Cost Item", "Cost ($)", "Start Year", "Number of Years", "Escalation Rate (%)"},
              {"Electricity", "$148,500", "1", "25", "2.5"},
              {"Maintenance contract", "$26,800", "1", "25", "3"}}));
    EXPECT_EQ(tableTexts(*tables[4]),
              (Rows{{"Cost Item", "Cost ($)", "Year First Incurred", "Times Incurred",
                     "Years Between Costs", "Escalation Rate (%)"},
                    {"Cooling tower refurbishment", "$28,000", "6", "3", "6", "2"}}));

    const std::vector<std::string> l = nonEmptyLines(d);
    for (const char* caption :
         {"Investment Costs :", "Loans :", "Annual Operating Costs :", "Other Operating Costs :"})
        EXPECT_NE(std::find(l.begin(), l.end(), caption), l.end()) << caption;
    EXPECT_TRUE(notes(d).empty());
}

TEST_F(ReportTest, SixColumnInvestmentsWithoutTaxesAndAnotherCurrency) {
    cStudy s = study("Office", 1, 0, false);
    s.CurSymbol = "EUR";
    const int16_t id = addStudy(s);
    const int16_t a = addCase(id, fullCase());
    loadForReports(id, {a});
    ASSERT_TRUE(build("DC1"));
    const RtfDocument d = readSaved(0);
    const auto tables = d.tables();
    ASSERT_EQ(tables.size(), 5u);
    EXPECT_EQ(tableTexts(*tables[1]),
              (Rows{{"Cost Item", "Cost (EUR)", "Year", "Escalation Rate (%)",
                     "Salvage Value (EUR)", "Useful Life (years)"},
                    {"Chiller overhaul", "185,000", "0", "0", "12,346", "12"},
                    {"Replacement chillers", "1,540,000", "12", "2.5", "90,000", "13"}}));
    EXPECT_EQ(tables[1]->rows[0].widths(), (std::vector<int>{3600, 1440, 1440, 1440, 1440, 1440}));
    EXPECT_EQ(tables[3]->rows[1].cells[1].text, "148,500");
}

TEST_F(ReportTest, CasesWithoutItemsGetNotes) {
    const int16_t id = addStudy(study("Office", 0, 0, false));
    const int16_t a = addCase(id, emptyCase("Do nothing"));
    const int16_t b = addCase(id, fullCase());
    loadForReports(id, {a, b});
    ASSERT_TRUE(build("DC"));
    RtfDocument d = readSaved(0);
    auto n = notes(d);
    ASSERT_EQ(n.size(), 4u);
    EXPECT_EQ(n[0]->text, res().gXstrDCNoInvTable);
    EXPECT_EQ(n[1]->text, res().gXstrDCNoLoanTable);
    EXPECT_EQ(n[2]->text, res().gXstrDCNoAnnOPTable);
    EXPECT_EQ(n[3]->text, res().gXstrDCNoOtherOpTable);
    EXPECT_EQ(n[0]->align, 'c');
    // Two description boxes and the four tables of the second case.
    EXPECT_EQ(d.tables().size(), 6u);

    // The simple analyses: the investment and loan notes form one block.
    loadForReports(id, {a});
    threadState().arrStudy[2] = "2";
    ASSERT_TRUE(build("DC"));
    d = readSaved(0);
    n = notes(d);
    ASSERT_EQ(n.size(), 2u);
    EXPECT_EQ(n[0]->text, res().gXstrDCNoInvTable + "\n" + res().gXstrDCNoLoanTable);
    EXPECT_EQ(n[1]->text, res().gXstrDCNoAnnOPTable);
    EXPECT_EQ(d.tables().size(), 1u);
}

TEST_F(ReportTest, ShortDesignCaseTablesOfTheSimpleAnalyses) {
    const int16_t id = addStudy(study("Office", 2, 0, false));
    const int16_t a = addCase(id, fullCase());
    cDesignCase single;
    single.CaseTitle = "Boiler only";
    single.CaseShortTitle = "Boiler";
    single.CaseDes = "One annual item, no loan";
    single.setInvItemName(1, "Boiler");
    single.setInvCost(1, 9999.5);
    single.setAnnOpCostName(1, "Gas");
    single.setAnnOpCost(1, 4100);
    single.setAnnOpCostEscRate(1, 1.25);
    const int16_t b = addCase(id, single);
    loadForReports(id, {a, b});
    ASSERT_TRUE(build("DC"));
    const RtfDocument d = readSaved(0);
    const auto tables = d.tables();
    ASSERT_EQ(tables.size(), 6u);  // per case: box, investment, annual
    EXPECT_EQ(tableTexts(*tables[1]), (Rows{{"Initial Investment Cost ($)", "$185,000"},
                                            {"Percent Financed", "80 %"},
                                            {"Term of Loan (years)", "10"},
                                            {"Annual Interest Rate", "6.50 %"},
                                            {"Salvage Value ($)", "$12,346"}}));
    EXPECT_EQ(tables[1]->rows[0].widths(), (std::vector<int>{3960, 3960}));
    EXPECT_EQ(tables[1]->rows[0].cells[0].shading, kGrey);
    EXPECT_EQ(tables[1]->rows[0].cells[1].shading, (RtfColour{255, 255, 255}));
    EXPECT_FALSE(tables[1]->rows[0].cells[0].bold);
    EXPECT_EQ(tableTexts(*tables[2]), (Rows{{"Annual Energy Cost ($)", "$148,500"},
                                            {"Energy Cost Escalation Rate", "2.50 %"},
                                            {"Annual Maintenance Cost ($)", "$26,800"},
                                            {"Maintenance Cost Escalation Rate", "3.00 %"}}));
    EXPECT_EQ(tableTexts(*tables[4]), (Rows{{"Initial Investment Cost ($)", "$10,000"},
                                            {"Percent Financed", "N/A"},
                                            {"Term of Loan (years)", "N/A"},
                                            {"Annual Interest Rate", "N/A"},
                                            {"Salvage Value ($)", "$0"}}));
    EXPECT_EQ(tableTexts(*tables[5]), (Rows{{"Annual Energy Cost ($)", "$4,100"},
                                            {"Energy Cost Escalation Rate", "1.25 %"},
                                            {"Annual Maintenance Cost ($)", ""},
                                            {"Maintenance Cost Escalation Rate", ""}}));
    EXPECT_TRUE(notes(d).empty());
}

TEST_F(ReportTest, TableThatFailsIsReplacedByItsNote) {
    threadState().arrStudy = {"Office", "", "0", "0", "2026", "25", "7", "False", "0", "$"};
    CaseSnapshot snap;
    snap.Gen.redim(1, 3);
    snap.Gen(1) = "Broken";
    snap.Inv.redim(1, 10, 0, 1);
    snap.Inv(1, 1) = rt::Value("Pump");
    snap.Inv(2, 1) = rt::Value("a lot");  // no number
    snap.Ann.redim(1, 6, 0, 1);
    snap.Ann(1, 1) = rt::Value("Power");
    snap.Ann(2, 1) = rt::Value(1200.0);
    threadState().colCases.Add(snap, "1");
    ASSERT_TRUE(build("DC1"));
    const RtfDocument d = readSaved(0);
    const auto n = notes(d);
    ASSERT_EQ(n.size(), 3u);  // the failed table, no loans, no other costs
    EXPECT_EQ(n[0]->text, "Investment Costs could not be generated.");
    const auto paragraphs = d.paragraphs();
    std::string detail;
    for (size_t i = 0; i + 1 < paragraphs.size(); ++i)
        if (paragraphs[i] == n[0])
            detail = paragraphs[i + 1]->text;
    EXPECT_EQ(detail,
              "Error - Type mismatch\nProcedure - setInvCostTable\n"
              "Module - cRptDesignCaseInputs");
    // The annual table after it is still written.
    const auto tables = d.tables();
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[1]->rows.at(1).cells.at(1).text, "$1,200");
}

// Reproducer: `qvc inputs` into a folder it cannot write to exited 0, wrote
// nothing and said nothing: InputReports dropped the builder's failure. Here a
// folder in the way of the report file stands for the unwritable folder (root
// may write anywhere), then a disk that fills up while the report is written.
TEST_F(ReportTest, InputReportsThatCannotBeSavedFailNamingTheFolder) {
    const int16_t id = addStudy(study("Office", 0, 0, false));
    const int16_t caseId = addCase(id, fullCase());
    fs::create_directories(out / ("Office_" + res().gXstrSI + ".RTF"));
    prj->InputReports(id, 0, 0);
    EXPECT_TRUE(prj->getErrorMsg().starts_with("70#")) << prj->getErrorMsg();
    EXPECT_NE(prj->getErrorMsg().find("\"" + out.string() + "\""), std::string::npos)
        << prj->getErrorMsg();
    EXPECT_TRUE(viewer->savedFiles().empty());

    fs::remove(out / ("Office_" + res().gXstrSI + ".RTF"));
    prj->InputReports(id, 0, 0);
    EXPECT_EQ(prj->getErrorMsg(), "");
    EXPECT_EQ(savedNames(), std::vector<std::string>{"Office_" + res().gXstrSI + ".RTF"});

    // The disk fills up half-way through the design case report, of which the
    // user has an earlier copy: the error record names the file and its
    // folder, the earlier copy stays whole, no partial or temporary file is
    // left, and nothing is shown as saved.
    const std::string name = "Office_" + res().gXstrDCI + ".RTF";
    FakeEnv env;
    env.createFolders(work);
    env.addFile(out / name, "the user's earlier report");
    env.setCapacity(4096);
    rt::ScopedEnv scope(env);
    prj->InputReports(id, 0, caseId);
    const std::string error = prj->getErrorMsg();
    EXPECT_TRUE(error.starts_with("61#Cannot write \"" + name + "\" into the folder \"" +
                                  out.string() + "\""))
        << error;
    EXPECT_NE(error.find("No space left on device"), std::string::npos) << error;
    EXPECT_EQ(env.contents(out / name), "the user's earlier report");
    EXPECT_EQ(env.listFolder(out), std::vector<std::string>{name});
    EXPECT_EQ(env.listFolder(work), std::vector<std::string>{});
    EXPECT_TRUE(viewer->savedFiles().empty());
}

// Reproducers: with the resource text WorkingText='../victim' as the study
// inputs title, the report went to (and was deleted from) the folder above;
// a 300-character study title made every report name too long, and the
// reports failed.
TEST_F(ReportTest, InputReportNamesStayInTheFolderAndWithinTheLengthLimit) {
    const int16_t id = addStudy(study(std::string(300, 'L'), 0, 0, false));
    const int16_t caseId = addCase(id, fullCase());
    threadState().res.gXstrSI = "../victim";
    prj->InputReports(id, 0, 0);
    EXPECT_EQ(prj->getErrorMsg(), "");
    // The study title is cut to 120 bytes, the report title made harmless.
    ASSERT_EQ(savedNames().size(), 1u);
    EXPECT_EQ(savedNames()[0], std::string(111, 'L') + "~e29ca105_.._victim.RTF");
    EXPECT_FALSE(fs::exists(dir / "victim.RTF"));
    EXPECT_FALSE(fs::exists(work.parent_path() / "victim.RTF"));

    prj->InputReports(id, 0, caseId);
    EXPECT_EQ(prj->getErrorMsg(), "");
    ASSERT_EQ(viewer->savedFiles().size(), 1u);
    const fs::path saved = viewer->savedFiles()[0];
    EXPECT_EQ(saved.parent_path(), out);
    EXPECT_LE(saved.filename().string().size(), 200u);
    EXPECT_TRUE(saved.filename().string().starts_with(std::string(100, 'L')));
    EXPECT_TRUE(saved.filename().string().ends_with("_" + res().gXstrDCI + ".RTF"));
    EXPECT_NE(readRtfFile(saved).bodyText().find("Chiller overhaul"), std::string::npos);
    // The working copies in the work folder were this run's and are gone.
    for (const auto& entry : fs::directory_iterator(work))
        EXPECT_NE(entry.path().extension(), ".RTF") << entry.path();
}

}  // namespace qvc::test
