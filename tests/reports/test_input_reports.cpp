#include "FakeEnv.h"
#include "ReportTest.h"
#include "qvc/runtime/ScopedEnv.h"
#include "reports/cRptStudyInputs.h"

namespace qvc::test {
namespace {

constexpr RtfColour kNoteRed{240, 0, 0};

std::vector<const RtfParagraph*> notes(const RtfDocument& d) {
    std::vector<const RtfParagraph*> out;
    for (const RtfParagraph* p : d.paragraphs())
        if (!p->colours.empty() && p->colours.front() == kNoteRed)
            out.push_back(p);
    return out;
}
TEST_F(ReportTest, StudyInputLinesForEachTypeOfAnalysis) {
    const std::string exclusive = "Type of Alternatives\tMutually Exclusive";
    const std::string yearMoney = "Base Year\t2026\nCurrency Symbol\t$\nLength of Analysis\t25 yrs";
    const std::string marr = "Minimum Attractive Rate of Return\t7.00 %";
    const std::string discount = "Discount Rate\t7.00 %";
    const std::string lcc = " Sector Life-Cycle Cost Analysis\n";
    const std::pair<bool, std::string> cases[] = {
        {true, "Private" + lcc + exclusive + "\n" + yearMoney + "\n" + marr +
                   "\nIncome Taxes Considered\tYes\nMarginal Income Tax Rate\t26.00 %"},
        {false, "Private" + lcc + exclusive + "\n" + yearMoney + "\n" + marr +
                    "\nIncome Taxes Considered\tNo"},
        {true, "Public" + lcc + exclusive + "\n" + yearMoney + "\n" + discount},
        {false, "Simple Payback Analysis\n" + yearMoney + "\n" + discount}};
    for (int16_t k = 0; k < 4; ++k) {  // private with and without taxes, then analyses 1 and 2
        const auto& [taxes, lines] = cases[k];
        loadInputs(variantOf(k == 0 ? 0 : static_cast<int16_t>(k - 1), 0, taxes));
        ASSERT_TRUE(build("SI"));
        const RtfDocument d = readSaved(0);
        std::string shown;
        for (const std::string& line : nonEmptyLines(d))
            shown += line + "\n";
        EXPECT_EQ(shown,
                  "Study Title\tOffice Building Central Plant\nStudy Description :\n"
                  "Type of Analysis\t" +
                      lines + "\n");
        ASSERT_EQ(d.tables().size(), 1u);
        EXPECT_EQ(tableTexts(*d.tables()[0]), (Rows{{exampleStudy().StudyDescription}}));
    }
}

TEST_F(ReportTest, StudyDescriptionAlignmentByLength) {
    threadState().arrStudy = {"T", "", "0", "0", "2026", "25", "7", "False", "0", "$"};
    for (size_t length : {size_t(64), size_t(65), size_t(66)}) {
        const RtfDocument d = writeReport([&](doc::DocumentObject& docs) {
            EXPECT_EQ(cRptStudyInputs::setDescription(docs, std::string(length, 'x')), "");
            docs.AddText("after", 10.0f, std::nullopt, 0, std::nullopt, 1024,
                         doc::code::kDefaultColour, true);
        });
        ASSERT_EQ(d.tables().size(), 1u) << length;
        const RtfCell& cell = d.tables()[0]->rows.at(0).cells.at(0);
        EXPECT_EQ(cell.text, std::string(length, 'x'));
        EXPECT_EQ(cell.align, length >= 65 ? 'l' : 'r') << length;
        // Only a description longer than 65 characters gets an empty line after it.
        EXPECT_EQ(d.paragraphs().size(), length > 65 ? 2u : 1u) << length;
    }
}

TEST_F(ReportTest, DesignCaseTablesShowEveryItemOfTheCase) {
    loadInputs({}, {exampleCases()[1]});
    ASSERT_TRUE(build("DC"));
    const RtfDocument d = readSaved(0);
    const std::vector<std::string> lines = nonEmptyLines(d);
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[2], "Income Taxes\tConsidered");
    EXPECT_EQ(lines[4], "\tDesign Case Name\tHigh-efficiency chillers and condensing boilers");
    const auto tables = d.tables();
    ASSERT_EQ(tables.size(), 5u);  // the description box and four lists
    EXPECT_EQ(tableTexts(*tables[0]),
              (Rows{{"Magnetic-bearing chillers, condensing boilers and new controls, 70 % "
                     "financed over 10 years"}}));
    // examples/office-hvac/cases/2-high-efficiency.json, row by row.
    const std::vector<Rows> lists{
        {{"Magnetic-bearing chillers", "$610,000", "0", "0", "$40,000", "25", "No",
          "MACRS (Half-Year)", "7"},
         {"Condensing boilers", "$168,000", "0", "0", "$8,000", "20", "No", "MACRS (Half-Year)",
          "15"},
         {"Controls and metering", "$92,000", "0", "0", "$0", "15", "No", "Straight Line", "5"},
         {"Utility efficiency rebate", "-$60,000", "0", "0", "$0", "0", "Yes", "None", "2"}},
        {{"Equipment loan", "0", "$870,000", "70", "10", "5.5", "Level Payments"}},
        {{"Electricity", "$104,200", "1", "25", "2.5"},
         {"Natural gas", "$27,900", "1", "25", "3"},
         {"Maintenance contract", "$19,500", "1", "25", "2.5"},
         {"Water treatment", "$5,200", "1", "25", "2"}},
        {{"Chiller tube cleaning", "$9,500", "5", "5", "5", "2.5"}}};
    for (size_t t = 1; t < tables.size(); ++t) {
        EXPECT_EQ(bodyRows(*tables[t]), lists[t - 1]);
        expectFitsThePage(*tables[t], d.sections.at(0));
    }
    EXPECT_TRUE(notes(d).empty());
}

TEST_F(ReportTest, CasesWithoutItemsGetNotesAndAmountsTheirCurrency) {
    ExampleVariant euro = variantOf(0, 0, false);
    euro.currency = "EUR";
    loadInputs(euro, {doNothing(), exampleCases()[0]});
    ASSERT_TRUE(build("DC"));
    const RtfDocument d = readSaved(0);
    // Four for the empty case, no loans for the refurbishment.
    const std::vector<std::string> expected{res().gXstrDCNoInvTable, res().gXstrDCNoLoanTable,
                                            res().gXstrDCNoAnnOPTable, res().gXstrDCNoOtherOpTable,
                                            res().gXstrDCNoLoanTable};
    const auto n = notes(d);
    ASSERT_EQ(n.size(), expected.size());
    for (size_t k = 0; k < n.size(); ++k)
        EXPECT_EQ(n[k]->text, expected[k]);
    // Two boxes, three lists; without taxes six investment columns, no "$".
    ASSERT_EQ(d.tables().size(), 5u);
    EXPECT_TRUE(contains(d.bodyText(), "Income Taxes\tNot Considered"));
    const Rows investments = tableTexts(*d.tables()[2]);
    EXPECT_EQ(investments.at(0).size(), 6u);
    EXPECT_EQ(investments.at(0).at(4), "Salvage Value (EUR)");
    EXPECT_EQ(investments.at(1).at(1), "185,000");
}

TEST_F(ReportTest, ShortDesignCaseTablesOfTheSimpleAnalyses) {
    cDesignCase single;
    single.CaseTitle = single.CaseShortTitle = "Boiler only";
    single.setInvItemName(1, "Boiler");
    single.setInvCost(1, 9999.5);
    single.setAnnOpCostName(1, "Gas");
    single.setAnnOpCost(1, 4100);
    single.setAnnOpCostEscRate(1, 1.25);
    loadInputs(variantOf(2, 0, false), {exampleCases()[1], single, doNothing()});
    ASSERT_TRUE(build("DC"));
    const RtfDocument d = readSaved(0);
    const auto tables = d.tables();
    ASSERT_EQ(tables.size(), 7u);  // per case: box, investment, annual; the empty case its box
    // The first investment, the first loan, the first two annual costs.
    EXPECT_EQ(tableTexts(*tables[1]), (Rows{{"Initial Investment Cost ($)", "$610,000"},
                                            {"Percent Financed", "70 %"},
                                            {"Term of Loan (years)", "10"},
                                            {"Annual Interest Rate", "5.50 %"},
                                            {"Salvage Value ($)", "$40,000"}}));
    // 9,999.5 rounds to the even 10,000; no loan, no second annual cost.
    EXPECT_EQ(tableTexts(*tables[4]), (Rows{{"Initial Investment Cost ($)", "$10,000"},
                                            {"Percent Financed", "N/A"},
                                            {"Term of Loan (years)", "N/A"},
                                            {"Annual Interest Rate", "N/A"},
                                            {"Salvage Value ($)", "$0"}}));
    EXPECT_EQ(bodyRows(*tables[5]), (Rows{{"Energy Cost Escalation Rate", "1.25 %"},
                                          {"Annual Maintenance Cost ($)", ""},
                                          {"Maintenance Cost Escalation Rate", ""}}));
    // The empty case: the investment and loan notes form one block.
    ASSERT_EQ(notes(d).size(), 2u);
    EXPECT_EQ(notes(d)[0]->text, res().gXstrDCNoInvTable + "\n" + res().gXstrDCNoLoanTable);
}

// A folder in the way, a title '../victim', a long title, a full disk: no file outside changes.
TEST_F(ReportTest, InputReportsStayInTheirFolderAndFailNamingIt) {
    cORVProject& prj = example->project();
    ExampleVariant longTitle;
    longTitle.title = std::string(300, 'L');
    const int16_t id = example->store(exampleStudy(longTitle), {exampleCases()[0]});
    const auto caseId = static_cast<int16_t>(prj.LastAddedCaseID());
    threadState().res.gXstrSI = "../victim";
    // The study title is cut to 120 bytes, the report title made harmless.
    const std::string name = std::string(111, 'L') + "~e29ca105_.._victim.RTF";
    fs::create_directories(out / name);  // a folder in the way: root may write anywhere
    prj.InputReports(id, 0, 0);
    EXPECT_TRUE(prj.getErrorMsg().starts_with("70#")) << prj.getErrorMsg();
    EXPECT_TRUE(contains(prj.getErrorMsg(), "\"" + out.string() + "\"")) << prj.getErrorMsg();
    EXPECT_TRUE(viewer->savedFiles().empty());
    fs::remove(out / name);
    prj.InputReports(id, 0, 0);
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(savedNames(), std::vector<std::string>{name});
    EXPECT_FALSE(fs::exists(dir / "victim.RTF"));
    // The disk fills up half-way: the user's earlier copy stays whole, nothing partial is left.
    const std::string dc = std::string(111, 'L') + "~e29ca105_" + res().gXstrDCI + ".RTF";
    FakeEnv env;
    env.createFolders(work);
    env.addFile(out / dc, "the user's earlier report");
    env.setCapacity(4096);
    rt::ScopedEnv scope(env);
    prj.InputReports(id, 0, caseId);
    const std::string error = prj.getErrorMsg();
    EXPECT_TRUE(error.starts_with("61#Cannot write \"" + dc + "\" into the folder \"" +
                                  out.string() + "\""))
        << error;
    EXPECT_TRUE(contains(error, "No space left on device")) << error;
    EXPECT_EQ(env.contents(out / dc), "the user's earlier report");
    EXPECT_EQ(env.listFolder(out), std::vector<std::string>{dc});
    EXPECT_EQ(env.listFolder(work), std::vector<std::string>{});
}

}  // namespace
}  // namespace qvc::test
