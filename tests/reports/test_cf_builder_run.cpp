// The cash flow, present worth profile and text cash flow reports built
// through the report builder from a calculated study: the documents, their
// orientation, the number of charts and tables, and the text file message.

#include <gmock/gmock.h>

#include "CashFlowStudyFixture.h"

namespace qvc::test {
namespace {

class CashFlowBuildTest : public CashFlowStudyTest {};

TEST_F(CashFlowBuildTest, BuilderWritesCashFlowAndProfileReportsWithTheirCharts) {
    calculateExample(settings(0, 0, true));
    reportState().gGraph = nullptr;  // the builder takes the viewer's surface
    ASSERT_TRUE(build("CF-TPW-ACF"));
    EXPECT_EQ(threadState().gErrMsg, "");
    const std::vector<std::string> names = savedNames();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], "Office Building Central Plant_Cash Flows.RTF");
    EXPECT_EQ(names[1], "Office Building Central Plant_Total Present Worth Profiles.RTF");

    const RtfDocument cf = readSaved(0);
    ASSERT_FALSE(cf.sections.empty());
    for (const RtfSection& section : cf.sections)
        EXPECT_TRUE(section.landscape);
    EXPECT_EQ(cf.pictures().size(), 3u);   // one chart per design case
    EXPECT_EQ(pageStarts(cf), 2 + 3 * 3);  // each case and each 25-year table
    // The builder's general information may add tables of its own; the three
    // of each case are those with a totals row.
    size_t withTotals = 0;
    for (const RtfTable* table : cf.tables())
        withTotals += rowTexts(table->rows.back())[0] == res().gXstrTotals;
    EXPECT_EQ(withTotals, 9u);

    const RtfDocument tpw = readSaved(1);
    EXPECT_EQ(tpw.pictures().size(), 1u);

    // The text cash flow file goes where the reports go.
    const fs::path text = out / "CashFlow_Office Building Central Plant.TXT";
    EXPECT_TRUE(fs::exists(text));
}

TEST_F(CashFlowBuildTest, StudiesWithoutTaxesGetTwoTablesPerCase) {
    calculateExample(settings(1, 0, false));
    reportState().gGraph = nullptr;
    ASSERT_TRUE(build("CF-TPW"));
    const RtfDocument cf = readSaved(0);
    size_t withTotals = 0;
    for (const RtfTable* table : cf.tables())
        withTotals += rowTexts(table->rows.back())[0] == res().gXstrTotals;
    EXPECT_EQ(withTotals, 6u);
    EXPECT_EQ(cf.pictures().size(), 3u);
    EXPECT_EQ(readSaved(1).pictures().size(), 1u);
}

}  // namespace
}  // namespace qvc::test
