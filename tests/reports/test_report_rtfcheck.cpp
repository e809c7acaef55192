// A long study's reports through LibreOffice to PDF: every table figure appears whole, each
// 41-year cash flow table on one landscape page. Skipped without LibreOffice or poppler.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>

#include "ReportTest.h"

namespace qvc::test {
namespace {

TEST_F(ReportTest, LibreOfficeShowsEveryFigureWhole) {
    if (std::system("command -v soffice > /dev/null && command -v pdftotext > /dev/null") != 0)
        GTEST_SKIP() << "LibreOffice (soffice) or poppler (pdftotext) is not installed";
    std::vector<cDesignCase> cases;
    for (int k = 0; k < 7; ++k) {  // up to eight times the example's amounts
        cases.push_back(exampleCases()[static_cast<size_t>(k % 3)]);
        for (int16_t i = 1; i <= cDesignCase::kInvestments; ++i) {
            cases.back().setInvCost(i, cases.back().InvCost(i) * (2 + k));
            cases.back().setAnnOpCost(i, cases.back().AnnOpCost(i) * (2 + k));
        }
    }
    ExampleVariant longStudy;
    longStudy.lifecycle = 40;
    ASSERT_TRUE(example->calculate(longStudy, cases, "DC-LS-AD-CF-TPW"));
    ASSERT_TRUE(example->calculator().BuildReports(0)) << example->calculator().getErrorMsg();
    ASSERT_EQ(viewer->savedFiles().size(), 5u);
    const std::regex figure(R"(^\$? ?-?\$?\d{1,3}(,\d{3})+$)");
    const std::string profile = "-env:UserInstallation=file://" + (dir / "lo").string();
    size_t checked = 0;
    for (size_t i = 0; i < viewer->savedFiles().size(); ++i) {
        const fs::path rtf = viewer->savedFiles()[i];
        const fs::path pdf = dir / (rtf.stem().string() + ".pdf");
        const std::string convert = "timeout 300 soffice " + profile +
                                    " --headless --convert-to pdf --outdir '" + dir.string() +
                                    "' '" + rtf.string() + "' > /dev/null 2>&1 && pdftotext " +
                                    "-layout '" + pdf.string() + "' '" + dir.string() + "/t.txt'";
        ASSERT_EQ(std::system(convert.c_str()), 0) << convert;
        std::ifstream in(dir / "t.txt");
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        const RtfDocument document = readSaved(i);
        for (const RtfTable* table : document.tables()) {
            for (const RtfRow& row : table->rows)
                for (const RtfCell& cell : row.cells) {
                    if (!std::regex_match(cell.text, figure))
                        continue;
                    ++checked;
                    EXPECT_TRUE(contains(text, cell.text)) << rtf.filename() << ": " << cell.text;
                }
        }
        // The cash flows: per case the chart, then each table on a page of its own.
        const bool cashFlows = contains(rtf.filename().string(), res().gXstrCF);
        EXPECT_TRUE(!cashFlows || std::count(text.begin(), text.end(), '\f') == 7 * 4);
    }
    EXPECT_GT(checked, 1000u);
}

}  // namespace
}  // namespace qvc::test
