#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <numeric>
#include <stdexcept>

#include "ExampleStudy.h"
#include "RtfReader.h"
#include "TestSupport.h"
#include "common/ResourceStrings.h"
#include "common/ThreadState.h"
#include "qvc/document/DocumentObject.h"
#include "qvc/graph/ChartRenderer.h"
#include "qvc/ui/HeadlessMessageBox.h"
#include "qvc/ui/HeadlessProgressWindow.h"
#include "qvc/ui/HeadlessReportViewer.h"
#include "qvc/ui/Services.h"
#include "reports/ReportInputsReader.h"
#include "reports/ReportState.h"
#include "reports/cRptBuilder.h"
#include "tavlo/IAlternatives.h"
#include "tavlo/IComparisons.h"

namespace qvc::test {

namespace fs = std::filesystem;
using Rows = std::vector<std::vector<std::string>>;

// A whole amount as a reader sees it: half-to-even, "," every three digits.
inline std::string grouped(double value) {
    const double whole = std::nearbyint(value);  // the default rounding is half-to-even
    std::string digits = std::to_string(static_cast<long long>(std::fabs(whole)));
    for (int pos = static_cast<int>(digits.size()) - 3; pos > 0; pos -= 3)
        digits.insert(static_cast<size_t>(pos), ",");
    return (whole < 0 ? "-" : "") + digits;
}
inline std::string dollars(double value) {
    const std::string digits = grouped(value);
    return digits.starts_with("-") ? "-$" + digits.substr(1) : "$" + digits;
}
inline std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

class ReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetThreadState();
        resetReportState();
        ui::Services::reset();
        ui::Services::setMessageBox(messages = std::make_shared<ui::HeadlessMessageBox>());
        ui::Services::setProgressWindow(progress = std::make_shared<ui::HeadlessProgressWindow>(0));
        ui::Services::setReportViewer(viewer = std::make_shared<ui::HeadlessReportViewer>());
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = freshDir("reports", std::string(info->test_suite_name()) + "." + info->name());
        fs::create_directories(work = dir / "work");
        fs::create_directories(out = dir / "out");
        ui::Services::setOutputFolder(out);
        example = std::make_unique<ExampleProject>(work);
        example->project().setProjectPath(dir.string(), "Riverside Campus", "QVComponents",
                                          "acme  engineering of the west", "17.0", dir.string());
    }
    void TearDown() override {
        reportState().gGraph = nullptr;
        example.reset();
        ui::Services::reset();
        resetThreadState();
        resetReportState();
    }

    // The example (or `cases` in its study) calculated; charts drawn by `renderer`.
    void calculate(const ExampleVariant& variant = {}, std::vector<cDesignCase> cases = {}) {
        if (!example->calculate(variant, std::move(cases)))
            throw std::runtime_error("not calculated: " + example->calculator().getErrorMsg());
        reportState().gGraph = &renderer;
    }
    // The study and cases loaded as for the input reports only (no results).
    void loadInputs(const ExampleVariant& variant = {}, std::vector<cDesignCase> cases = {}) {
        EXPECT_FALSE(example->calculate(variant, std::move(cases), "SI-DC"));
        EXPECT_EQ(threadState().gReportMode, 1);
    }

    int16_t lifeCycle() const { return example->calculator().objLifeCycle->AnalysisPeriod(); }
    const tavlo::IAlternatives& alts() const { return *threadState().colAlternatives; }
    const tavlo::IComparisons& comps() const { return *threadState().colComparisons; }
    static std::string caseTitle(int i) { return threadState().colCases.Item(i).Gen(1); }
    static std::string shortTitle(int i) { return threadState().colCases.Item(i).Gen(2); }
    // Positions of the alternatives in the engine's rank order.
    std::vector<int16_t> byRank() const {
        std::vector<int16_t> order(static_cast<size_t>(alts().Count()), 0);
        for (int16_t i = 1; i <= alts().Count(); ++i)
            order.at(static_cast<size_t>(alts().Item(i).Rank() - 1)) = i;
        return order;
    }
    // The case table: ranked by total present worth or by first cost, then case order.
    Rows caseRows(bool ranked, bool beforeTax) const {
        std::vector<int16_t> order = byRank();
        if (!ranked) {
            std::sort(order.begin(), order.end());
            std::stable_sort(order.begin(), order.end(), [&](int16_t a, int16_t b) {
                return alts().Item(a).FirstCost() < alts().Item(b).FirstCost();
            });
        }
        Rows rows;
        for (int16_t k : order) {
            const tavlo::IAlternative& a = alts().Item(k);
            rows.push_back({caseTitle(k), shortTitle(k), dollars(a.TotalPresentWorth())});
            if (beforeTax)
                rows.back().push_back(dollars(a.BeforeTaxTPW()));
            rows.back().push_back(dollars(a.AnnualOperatingCost()));
            rows.back().push_back(dollars(a.FirstCost()));
        }
        return rows;
    }

    bool build(const std::string& request, int16_t action = 0) {
        cRptBuilder builder;
        builder.sReportTypes = request;
        return builder.BuildReports(action);
    }
    std::vector<std::string> savedNames() const {
        std::vector<std::string> names;
        for (const fs::path& p : viewer->savedFiles())
            names.push_back(p.filename().string());
        return names;
    }
    RtfDocument readSaved(size_t i) const { return readRtfFile(viewer->savedFiles().at(i)); }

    // A document opened as the builder does, filled by `body`, written and read back.
    RtfDocument writeReport(const std::function<void(doc::DocumentObject&)>& body,
                            bool landscape = false) {
        doc::DocumentObject docs;
        docs.NewDocument("report.rtf", work.string(), "Untitled", "", "", "", "", 1);
        docs.SetMargins(0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f);
        if (landscape)
            docs.SetOrientation(doc::code::kLandscape);
        body(docs);
        docs.FinishDocument(true, 0);
        return readRtfFile(work / "report.rtf");
    }

    static const ResourceTexts& res() { return texts(); }

    std::shared_ptr<ui::HeadlessMessageBox> messages;
    std::shared_ptr<ui::HeadlessProgressWindow> progress;
    std::shared_ptr<ui::HeadlessReportViewer> viewer;
    std::unique_ptr<ExampleProject> example;
    graph::ChartRenderer renderer;
    fs::path dir, work, out;
};

inline std::vector<std::string> rowTexts(const RtfRow& row) {
    std::vector<std::string> cells;
    for (const RtfCell& c : row.cells)
        cells.push_back(c.text);
    return cells;
}
// The texts of the rows from `first` on (1: under the header row).
inline Rows tableTexts(const RtfTable& t, size_t first = 0) {
    Rows rows;
    for (size_t r = first; r < t.rows.size(); ++r)
        rows.push_back(rowTexts(t.rows[r]));
    return rows;
}
inline Rows bodyRows(const RtfTable& t) {
    return tableTexts(t, 1);
}
inline std::vector<std::string> nonEmptyLines(const RtfDocument& d) {
    std::vector<std::string> out;
    for (const RtfParagraph* p : d.paragraphs())
        if (!p->text.empty())
            out.push_back(p->text);
    return out;
}
inline size_t countParagraphs(const RtfDocument& d,
                              const std::function<bool(const RtfParagraph&)>& pick) {
    size_t n = 0;
    for (const RtfParagraph* p : d.paragraphs())
        n += pick(*p);
    return n;
}
inline int pageStarts(const RtfDocument& d) {
    return static_cast<int>(
        countParagraphs(d, [](const RtfParagraph& p) { return p.pageBreakBefore; }));
}
inline cDesignCase doNothing() {
    cDesignCase c;
    c.CaseTitle = c.CaseShortTitle = "Do nothing";
    return c;
}

// A report on the inputs the builder would read now.
template <typename Report>
struct OnInputs {
    ReportInputs inputs = reports::readReportInputs();
    Report report{inputs};
};

// Every row of `t` ends at the same edge, inside the margins.
inline void expectFitsThePage(const RtfTable& t, const RtfSection& page) {
    const auto width = [](const RtfRow& row) {
        const std::vector<int> w = row.widths();
        return std::accumulate(w.begin(), w.end(), 0);
    };
    for (const RtfRow& row : t.rows)
        EXPECT_EQ(width(row), width(t.rows.at(0)));
    EXPECT_LE(width(t.rows.at(0)), page.pageWidth - page.marginLeft - page.marginRight);
}
inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// "-$1,234" or "1,234" back to its number.
inline double parseWhole(const std::string& text) {
    std::string digits;
    for (char ch : text)
        if (ch != ',' && ch != '$')
            digits += ch;
    return std::stod(digits);
}

}  // namespace qvc::test
