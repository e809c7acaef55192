// The life-cycle summary and analysis details reports built through the report
// builder from a calculated study: the builder finds both generators, the
// summary gets its three charts and three numbered tables, the details two
// tables per comparison with a page between comparisons.

#include "OfficeHvacRun.h"

namespace qvc::test {
namespace {

class SummaryBuildTest : public OfficeHvacRun {
  protected:
    static bool hasText(const RtfDocument& d, const std::string& text) {
        for (const RtfParagraph* p : d.paragraphs())
            if (p->text == text)
                return true;
        return false;
    }
};

TEST_F(SummaryBuildTest, BuilderWritesTheSummaryWithChartsAndTheDetailsPerComparison) {
    calculate(0, 0, true);
    reportState().gGraph = nullptr;  // the builder takes the viewer's surface
    ASSERT_TRUE(build("LS-AD"));
    EXPECT_EQ(threadState().gErrMsg, "");
    ASSERT_EQ(viewer->savedFiles().size(), 2u);

    const ResourceTexts& r = res();
    const RtfDocument ls = readSaved(0);
    EXPECT_EQ(ls.pictures().size(), 3u);
    EXPECT_TRUE(hasText(ls, r.gXstrTable + " 1. " + r.gXstrLSTableExeSummary));
    EXPECT_TRUE(hasText(ls, r.gXstrTable + " 2. " + r.gXstrLSTableFirstCostDesignCases));
    EXPECT_TRUE(hasText(ls, r.gXstrTable + " 3. " + r.gXstrLSTableIncAnalyData));
    EXPECT_EQ(ls.bodyText().find(r.gXstrCanNotGen), std::string::npos);

    const RtfDocument ad = readSaved(1);
    for (int n = 1; n <= comps().Count(); ++n) {
        EXPECT_TRUE(hasText(ad, std::to_string(n) + r.gXstrA + ". " + r.gXstrADTableSumOfResults));
        EXPECT_TRUE(hasText(ad, std::to_string(n) + r.gXstrB + ". " + r.gXstrADTableCompAD));
    }
    size_t withTotals = 0;
    for (const RtfTable* table : ad.tables())
        withTotals += rowTexts(table->rows.back())[0] == r.gXstrTotals;
    EXPECT_EQ(withTotals, static_cast<size_t>(comps().Count()));
    EXPECT_EQ(ad.bodyText().find(r.gXstrCanNotGen), std::string::npos);
}

TEST_F(SummaryBuildTest, PaybackStudyHasNoChartsAndPublicSectorGetsTheRatio) {
    calculate(2, 0, false);
    reportState().gGraph = nullptr;
    ASSERT_TRUE(build("LS-AD"));
    ASSERT_EQ(viewer->savedFiles().size(), 2u);
    const RtfDocument ls = readSaved(0);
    EXPECT_TRUE(ls.pictures().empty());
    EXPECT_TRUE(hasText(ls, res().gXstrTable + " 3. " + res().gXstrLSTableIncAnalyData));
    const RtfDocument ad = readSaved(1);
    EXPECT_EQ(ad.bodyText().find(res().gXstrADColInternalRateReturn), std::string::npos);
    EXPECT_NE(ad.bodyText().find(res().gXstrColPayBackPeriod), std::string::npos);
}

}  // namespace
}  // namespace qvc::test
