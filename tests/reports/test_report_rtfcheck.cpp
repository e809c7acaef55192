// The reports of a long study (40 years, seven cases of up to eight times the
// example's amounts) opened by LibreOffice and converted to PDF: in the PDF's
// text every figure and word of every table cell appears whole, and each
// 41-year cash flow table takes one landscape page. Skipped without
// LibreOffice or poppler.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include "ReportTest.h"

namespace qvc::test {
namespace {

// The PDF text of `rtf` as LibreOffice lays it out, one string per page.
std::vector<std::string> pdfPages(const fs::path& rtf, const fs::path& folder) {
    const std::string convert = "timeout 300 soffice -env:UserInstallation=file://" +
                                (folder / "lo-profile").string() +
                                " --headless --convert-to pdf --outdir '" + folder.string() +
                                "' '" + rtf.string() + "' > /dev/null 2>&1";
    EXPECT_EQ(std::system(convert.c_str()), 0) << convert;
    const fs::path text = folder / (rtf.stem().string() + ".txt");
    const std::string extract = "pdftotext -layout '" +
                                (folder / (rtf.stem().string() + ".pdf")).string() + "' '" +
                                text.string() + "'";
    EXPECT_EQ(std::system(extract.c_str()), 0) << extract;
    std::ifstream in(text);
    std::vector<std::string> pages;
    for (std::string page; std::getline(in, page, '\f');)
        pages.push_back(page);
    if (!pages.empty() && pages.back().find_first_not_of(" \r\n") == std::string::npos)
        pages.pop_back();
    return pages;
}

// Seven cases from the example's three, each with a longer name and larger amounts.
std::vector<cDesignCase> sevenLargeCases() {
    std::vector<cDesignCase> cases;
    for (int k = 0; k < 7; ++k) {
        cDesignCase c = exampleCases()[static_cast<size_t>(k % 3)];
        const double f = 2 + k;
        c.CaseTitle += ", option " + std::to_string(k + 1) + " at " + std::to_string(k + 2) +
                       " times the size";
        for (int16_t i = 1; i <= cDesignCase::kInvestments; ++i) {
            c.setInvCost(i, c.InvCost(i) * f);
            c.setSalvageValue(i, c.SalvageValue(i) * f);
            c.setAnnOpCost(i, c.AnnOpCost(i) * f);
            c.setOtherOpCost(i, c.OtherOpCost(i) * f);
        }
        for (int16_t i = 1; i <= cDesignCase::kLoans; ++i)
            c.setLoanTotlaInvest(i, c.LoanTotlaInvest(i) * f);
        cases.push_back(c);
    }
    return cases;
}

TEST_F(ReportTest, LibreOfficeShowsEveryFigureAndWordWhole) {
    if (std::system("command -v soffice > /dev/null && command -v pdftotext > /dev/null") != 0)
        GTEST_SKIP() << "LibreOffice (soffice) or poppler (pdftotext) is not installed";
    ExampleVariant longStudy;
    longStudy.lifecycle = 40;
    ASSERT_TRUE(example->calculate(longStudy, sevenLargeCases(), "DC-LS-AD-CF-TPW"));
    ASSERT_TRUE(example->calculator().BuildReports(0)) << example->calculator().getErrorMsg();
    ASSERT_EQ(viewer->savedFiles().size(), 5u);
    const std::regex figure(R"(^\$? ?-?\$?\d{1,3}(,\d{3})+$)");
    const std::regex word("[A-Za-z]{4,}");
    const fs::path pdfs = dir / "pdf";
    fs::create_directories(pdfs);
    size_t checked = 0;
    for (size_t i = 0; i < viewer->savedFiles().size(); ++i) {
        const fs::path rtf = viewer->savedFiles()[i];
        const std::vector<std::string> pages = pdfPages(rtf, pdfs);
        std::string text;
        for (const std::string& page : pages)
            text += page + "\n";
        const RtfDocument document = readSaved(i);
        for (const RtfTable* table : document.tables())
            for (const RtfRow& row : table->rows)
                for (const RtfCell& cell : row.cells) {
                    std::vector<std::string> parts{cell.text};
                    if (cell.text.size() >= 32 || !std::regex_match(cell.text, figure))
                        parts.assign(
                            std::sregex_token_iterator(cell.text.begin(), cell.text.end(), word),
                            {});
                    for (const std::string& part : parts) {
                        ++checked;
                        EXPECT_TRUE(contains(text, part)) << rtf.filename() << ": " << part;
                    }
                }
        // The cash flows: per case the chart, then each table on a page of its own.
        if (contains(rtf.filename().string(), res().gXstrCF)) {
            EXPECT_EQ(pages.size(), 7u * 4u) << rtf.filename();
        }
    }
    EXPECT_GT(checked, 1000u);
}

}  // namespace
}  // namespace qvc::test
