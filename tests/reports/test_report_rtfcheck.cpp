// The reports of a long study (the example over 40 years with seven cases of
// up to eight times its amounts) opened by a real RTF reader:
// LibreOffice converts each to PDF, and in the PDF's text (pdftotext -layout)
// every figure and word of every table cell appears whole, on one line; the cash flow
// tables of 40 years take one landscape page each, with no empty pages.
// Skipped when LibreOffice or poppler is not installed.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "ReportTest.h"

namespace qvc::test {
namespace {

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "");
    std::string dir;
    while (std::getline(dirs, dir, ':'))
        if (!dir.empty() && fs::exists(fs::path(dir) / program))
            return true;
    return false;
}

std::string quoted(const fs::path& p) {
    return "'" + p.string() + "'";
}

// The PDF text of `rtf` as LibreOffice lays it out, pages split at form feeds.
std::vector<std::string> pdfPages(const fs::path& rtf, const fs::path& folder) {
    const fs::path profile = folder / "lo-profile";
    const std::string convert = "timeout 300 soffice -env:UserInstallation=file://" +
                                profile.string() + " --headless --convert-to pdf --outdir " +
                                quoted(folder) + " " + quoted(rtf) + " > /dev/null 2>&1";
    EXPECT_EQ(std::system(convert.c_str()), 0) << convert;
    const fs::path pdf = folder / (rtf.stem().string() + ".pdf");
    const fs::path text = folder / (rtf.stem().string() + ".txt");
    const std::string extract = "pdftotext -layout " + quoted(pdf) + " " + quoted(text);
    EXPECT_EQ(std::system(extract.c_str()), 0) << extract;
    std::ifstream in(text);
    std::stringstream all;
    all << in.rdbuf();
    std::vector<std::string> pages;
    std::string page;
    std::stringstream split(all.str());
    while (std::getline(split, page, '\f'))
        pages.push_back(page);
    if (!pages.empty() && pages.back().find_first_not_of(" \r\n") == std::string::npos)
        pages.pop_back();
    return pages;
}

// The words of four or more ASCII letters in `text`.
std::vector<std::string> lettersOnly(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : text + " ") {
        if (std::isalpha(static_cast<unsigned char>(c))) {
            word += c;
            continue;
        }
        if (word.size() >= 4)
            words.push_back(word);
        word.clear();
    }
    return words;
}

// The pages (1-based) that show a picture, from pdfimages -list.
std::set<size_t> pagesWithPictures(const fs::path& pdf) {
    const fs::path list = pdf.parent_path() / (pdf.stem().string() + ".images");
    const std::string command = "pdfimages -list " + quoted(pdf) + " > " + quoted(list);
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in(list);
    std::set<size_t> pages;
    std::string line;
    std::getline(in, line);  // the column names
    std::getline(in, line);  // the rule under them
    size_t page = 0;
    while (in >> page && std::getline(in, line))
        pages.insert(page);
    return pages;
}

// Seven cases from the example's three: each later one with longer names and
// larger amounts, up to eight times the example's (seven-figure figures).
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

class ReportRtfCheck : public ReportTest {};

TEST_F(ReportRtfCheck, LibreOfficeShowsEveryFigureWholeAndNoEmptyPage) {
    if (!onPath("soffice") || !onPath("pdftotext"))
        GTEST_SKIP() << "LibreOffice (soffice) or poppler (pdftotext) is not installed";
    ExampleVariant longStudy;
    longStudy.lifecycle = 40;
    ASSERT_TRUE(example->calculate(longStudy, sevenLargeCases(), "DC-LS-AD-CF-TPW"));
    cORVCalculator& calc = example->calculator();
    ASSERT_TRUE(calc.BuildReports(0)) << calc.getErrorMsg();
    ASSERT_EQ(viewer->savedFiles().size(), 5u);

    // A figure: digits with thousands separators, maybe a sign and currency.
    const std::regex figure(R"(^\$? ?-?\$?\d{1,3}(,\d{3})+$)");
    const fs::path pdfs = dir / "pdf";
    fs::create_directories(pdfs);
    size_t checked = 0;
    for (size_t i = 0; i < viewer->savedFiles().size(); ++i) {
        const fs::path rtf = viewer->savedFiles()[i];
        const std::vector<std::string> pages = pdfPages(rtf, pdfs);
        ASSERT_FALSE(pages.empty()) << rtf;
        std::string text;
        for (const std::string& page : pages)
            text += page + "\n";
        const RtfDocument document = readSaved(i);
        for (const RtfTable* table : document.tables())
            for (const RtfRow& row : table->rows)
                for (const RtfCell& cell : row.cells)
                    if (cell.text.size() >= 32 || !std::regex_match(cell.text, figure)) {
                        // Words appear whole too.
                        for (const std::string& word : lettersOnly(cell.text)) {
                            ++checked;
                            EXPECT_NE(text.find(word), std::string::npos)
                                << rtf.filename() << ": the word \"" << word << "\" is broken";
                        }
                    } else {
                        ++checked;
                        EXPECT_NE(text.find(cell.text), std::string::npos)
                            << rtf.filename() << ": \"" << cell.text << "\" is broken";
                    }
        // Every page shows more than its page frame (four or five lines) or
        // a chart: no empty pages.
        const std::set<size_t> pictured = pagesWithPictures(pdfs / (rtf.stem().string() + ".pdf"));
        for (size_t p = 0; p < pages.size(); ++p) {
            if (pictured.count(p + 1) != 0)
                continue;
            size_t lines = 0;
            std::stringstream in(pages[p]);
            for (std::string line; std::getline(in, line);)
                lines += line.find_first_not_of(' ') != std::string::npos;
            EXPECT_GT(lines, 5u) << rtf.filename() << " page " << p + 1 << " is empty";
        }
        // The cash flows: per case the chart, then each 41-year table on a
        // landscape page of its own.
        if (rtf.filename().string().find(res().gXstrCF) != std::string::npos) {
            EXPECT_EQ(pages.size(), 7u * 4u) << rtf.filename();
        }
    }
    EXPECT_GT(checked, 1000u);
}

}  // namespace
}  // namespace qvc::test
