// `qvc calc --json` and the answer `qvc calc` prints, on the bundled example
// made by `qvc demo`: the JSON document read back against the engine's getters
// of the same study calculated here (value for value, no key missing or extra),
// the life-cycle summary's table 3 and the analysis details' rates against the
// rounded JSON values, the printed answer against the JSON, and what a failed
// calculation leaves behind.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "RtfReader.h"
#include "qvc/ResManager.h"
#include "qvc/cORVCalculator.h"
#include "qvc/cORVProject.h"
#include "tavlo/IAlternative.h"
#include "tavlo/IAlternatives.h"
#include "tavlo/IComparison.h"
#include "tavlo/IComparisons.h"

namespace qvc::test {
namespace {

namespace fs = std::filesystem;
using json = nlohmann::json;

struct QvcRun {
    int status = -1;
    std::string out;
};

std::string quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs qvc with `args` (each quoted), standard error into `errFile`.
QvcRun qvc(const std::vector<std::string>& args, const fs::path& errFile) {
    std::string command = quoted(QVC_BIN);
    for (const std::string& a : args)
        command += " " + quoted(a);
    command += " 2>" + quoted(errFile.string());
    QvcRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Whole amounts as the reports show them: half-to-even, "," every three digits.
std::string grouped(double value) {
    const double whole = std::nearbyint(value);
    std::string digits = std::to_string(static_cast<long long>(std::fabs(whole)));
    for (int pos = static_cast<int>(digits.size()) - 3; pos > 0; pos -= 3)
        digits.insert(static_cast<size_t>(pos), ",");
    return (whole < 0 ? "-" : "") + digits;
}
// A money figure: the sign in front of the currency sign ("-$63,041").
std::string dollars(double value) {
    const std::string digits = grouped(value);
    return digits.starts_with("-") ? "-$" + digits.substr(1) : "$" + digits;
}
std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}
// An undefined rate, ratio or payback (-1) reads N/A.
std::string orNA(const json& value, int decimals, double scale = 1.0) {
    return value.get<double>() == -1.0 ? "N/A" : fixed(value.get<double>() * scale, decimals);
}

template <typename Item>
using YearGetter = double (Item::*)(int16_t) const;

const std::vector<std::pair<std::string, YearGetter<tavlo::IAlternative>>> kAlternativeYears{
    {"CashInvestmentAt", &tavlo::IAlternative::CashInvestmentAt},
    {"LoanPrincipalAt", &tavlo::IAlternative::LoanPrincipalAt},
    {"LoanInterestAt", &tavlo::IAlternative::LoanInterestAt},
    {"TotalInvestmentAt", &tavlo::IAlternative::TotalInvestmentAt},
    {"AnnualOpCostAt", &tavlo::IAlternative::AnnualOpCostAt},
    {"NonAnnualOpCostAt", &tavlo::IAlternative::NonAnnualOpCostAt},
    {"TotalOpCostAt", &tavlo::IAlternative::TotalOpCostAt},
    {"BeforeTaxCashFlowAt", &tavlo::IAlternative::BeforeTaxCashFlowAt},
    {"NetIncomeAt", &tavlo::IAlternative::NetIncomeAt},
    {"DepreciationAt", &tavlo::IAlternative::DepreciationAt},
    {"TaxableIncomeAt", &tavlo::IAlternative::TaxableIncomeAt},
    {"TaxAt", &tavlo::IAlternative::TaxAt},
    {"AfterTaxCashFlowAt", &tavlo::IAlternative::AfterTaxCashFlowAt},
    {"BookValueAt", &tavlo::IAlternative::BookValueAt},
    {"PWInvestmentAt", &tavlo::IAlternative::PWInvestmentAt},
    {"PWOpCostAt", &tavlo::IAlternative::PWOpCostAt},
    {"PWCashFlowAt", &tavlo::IAlternative::PWCashFlowAt}};

const std::vector<std::pair<std::string, YearGetter<tavlo::IComparison>>> kComparisonYears{
    {"AddInvCostAt", &tavlo::IComparison::AddInvCostAt},
    {"CumAddInvCostAt", &tavlo::IComparison::CumAddInvCostAt},
    {"OpCostSavingsAt", &tavlo::IComparison::OpCostSavingsAt},
    {"CumOpCostSavingsAt", &tavlo::IComparison::CumOpCostSavingsAt},
    {"NPWSavingsAt", &tavlo::IComparison::NPWSavingsAt},
    {"SIR", &tavlo::IComparison::SIR}};

class CalcResultsTest : public ::testing::Test {
  protected:
    // One demo project for the whole suite; every test writes its own outputs.
    // ctest runs the tests of this suite as parallel processes, each with its
    // own suite set-up: each process gets a folder of its own.
    static void SetUpTestSuite() {
        root_ =
            fs::path(QVC_TEST_OUTPUT_DIR) / "apps" / ("calc-results-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
        const QvcRun demo = qvc({"demo", (root_ / "demo").string()}, root_ / "demo.err");
        ASSERT_EQ(demo.status, 0) << readFile(root_ / "demo.err");
        demoOut_ = demo.out;
    }

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = root_ / info->name();
        fs::create_directories(dir);
    }

    static void TearDownTestSuite() {
        if (!::testing::UnitTest::GetInstance()->Failed()) {
            std::error_code ec;
            fs::remove_all(root_, ec);
        }
    }

    static fs::path project() { return root_ / "demo" / "Office HVAC project"; }

    // The example calculated in this process, through the component.
    void calculateHere() {
        ResManager().SetResourceDB((project() / "QVCStrings.mdb").string());
        prj = std::make_unique<cORVProject>();
        prj->setWorkPath(project().string(), "", "");
        calc = std::make_unique<cORVCalculator>();
        calc->StudyID = 1;
        calc->sReportTypes = "LS";
        ASSERT_TRUE(calc->PerformCalc()) << calc->getErrorMsg();
    }
    const tavlo::ILifeCycleEngine& engine() const { return *calc->objLifeCycle; }

    static inline fs::path root_;
    static inline std::string demoOut_;
    fs::path dir;
    std::unique_ptr<cORVProject> prj;
    std::unique_ptr<cORVCalculator> calc;
};

TEST_F(CalcResultsTest, JsonHoldsEveryResultOfTheEngineValueForValue) {
    const fs::path file = dir / "results.json";
    const QvcRun run = qvc({"calc", project().string(), "1", "--json", file.string()}, dir / "err");
    ASSERT_EQ(run.status, 0) << readFile(dir / "err");
    const std::string text = readFile(file);
    EXPECT_NE(text.find("\r\n"), std::string::npos);  // a text file of this program
    const json doc = json::parse(text);
    calculateHere();
    const tavlo::ILifeCycleEngine& e = engine();
    const int16_t L = e.AnalysisPeriod();

    EXPECT_EQ(doc["StudyID"], 1);
    EXPECT_EQ(doc["Study"]["StudyTitle"], "Office Building Central Plant");
    EXPECT_EQ(doc["Study"]["DiscountRate"], 7.0);
    EXPECT_EQ(doc["Settings"], (json{{"AnalysisType", 0},
                                     {"AlternativeType", 0},
                                     {"AnalysisPeriod", 25},
                                     {"DiscountRate", e.DiscountRate()},
                                     {"IncomeTaxFlag", true},
                                     {"IncomeTaxRate", e.IncomeTaxRate()}}));

    // Alternatives in Number order; the example's cases have IDs 1..3.
    const char* titles[] = {"Refurbish the existing plant",
                            "High-efficiency chillers and condensing boilers",
                            "Ground-source heat pump plant"};
    ASSERT_EQ(doc["Alternatives"].size(), 3u);
    for (int16_t i = 1; i <= 3; ++i) {
        SCOPED_TRACE(i);
        const json& j = doc["Alternatives"][static_cast<size_t>(i - 1)];
        const tavlo::IAlternative& a = e.Alternatives().Item(i);
        ASSERT_EQ(a.Number(), i);
        EXPECT_EQ(j.size(), 9u + kAlternativeYears.size());  // nothing missing, nothing else
        EXPECT_EQ(j["Number"], i);
        EXPECT_EQ(j["CaseID"], i);
        EXPECT_EQ(j["CaseTitle"], titles[i - 1]);
        EXPECT_FALSE(j["CaseShortTitle"].get<std::string>().empty());
        EXPECT_EQ(j["Rank"], a.Rank());
        EXPECT_EQ(j["TotalPresentWorth"].get<double>(), a.TotalPresentWorth());
        EXPECT_EQ(j["BeforeTaxTPW"].get<double>(), a.BeforeTaxTPW());
        EXPECT_EQ(j["FirstCost"].get<double>(), a.FirstCost());
        EXPECT_EQ(j["AnnualOperatingCost"].get<double>(), a.AnnualOperatingCost());
        for (const auto& [name, get] : kAlternativeYears) {
            ASSERT_EQ(j[name].size(), static_cast<size_t>(L + 1)) << name;
            for (int16_t y = 0; y <= L; ++y)
                EXPECT_EQ(j[name][static_cast<size_t>(y)].get<double>(), (a.*get)(y))
                    << name << " " << y;
        }
    }

    const tavlo::IComparisons& comparisons = e.Comparisons();
    ASSERT_EQ(doc["Comparisons"].size(), static_cast<size_t>(comparisons.Count()));
    ASSERT_EQ(comparisons.Count(), 2);
    for (int16_t k = 1; k <= comparisons.Count(); ++k) {
        SCOPED_TRACE(k);
        const json& j = doc["Comparisons"][static_cast<size_t>(k - 1)];
        const tavlo::IComparison& c = comparisons.Item(k);
        EXPECT_EQ(j.size(), 9u + kComparisonYears.size());
        EXPECT_EQ(j["BaseCase"], c.BaseCase());
        EXPECT_EQ(j["Challenger"], c.Challenger());
        EXPECT_EQ(j["Winner"], c.Winner());
        EXPECT_EQ(j["AdditionalFirstCost"].get<double>(), c.AdditionalFirstCost());
        EXPECT_EQ(j["NPWSavings"].get<double>(), c.NPWSavings());
        EXPECT_EQ(j["IRR"].get<double>(), c.IRR());
        EXPECT_EQ(j["BeforeTaxIRR"].get<double>(), c.BeforeTaxIRR());
        EXPECT_EQ(j["AIRR"].get<double>(), c.AIRR());
        EXPECT_EQ(j["PaybackYears"].get<double>(), c.PaybackYears());
        for (const auto& [name, get] : kComparisonYears) {
            ASSERT_EQ(j[name].size(), static_cast<size_t>(L + 1)) << name;
            for (int16_t y = 0; y <= L; ++y)
                EXPECT_EQ(j[name][static_cast<size_t>(y)].get<double>(), (c.*get)(y))
                    << name << " " << y;
        }
    }
    // The loan-financed high-efficiency plant saves from year 0 and pays later:
    // it has no rate of return (the old answer, a borrowing rate of -68.83 %,
    // is gone) but an adjusted one.
    EXPECT_EQ(doc["Comparisons"][0]["Challenger"], 2);
    EXPECT_EQ(doc["Comparisons"][0]["IRR"], -1.0);
    EXPECT_GT(doc["Comparisons"][0]["AIRR"].get<double>(), e.DiscountRate());
}

TEST_F(CalcResultsTest, ReportsShowTheRoundedJsonValues) {
    const fs::path file = dir / "results.json";
    const fs::path out = dir / "reports";
    const QvcRun run = qvc({"calc", project().string(), "1", "--reports", "LS-AD", "--out",
                            out.string(), "--json", file.string()},
                           dir / "err");
    ASSERT_EQ(run.status, 0) << readFile(dir / "err");
    const json doc = json::parse(readFile(file));
    const json& comparisons = doc["Comparisons"];
    auto shortTitle = [&](const json& number) {
        return doc["Alternatives"][number.get<size_t>() - 1]["CaseShortTitle"].get<std::string>();
    };

    // Summary table 3: challenger, base, additional first cost, savings,
    // after-tax IRR, before-tax IRR, payback.
    const RtfDocument summary =
        readRtfFile(out / "Office Building Central Plant_Life-Cycle Cost Summary.RTF");
    const RtfTable& t3 = *summary.tables().back();
    ASSERT_EQ(t3.rows.size(), comparisons.size() + 1);
    for (size_t k = 0; k < comparisons.size(); ++k) {
        SCOPED_TRACE(k);
        const json& c = comparisons[k];
        const RtfRow& row = t3.rows[k + 1];
        ASSERT_EQ(row.cells.size(), 7u);
        EXPECT_EQ(row.cells[0].text.rfind(shortTitle(c["Challenger"]), 0), 0u);
        EXPECT_EQ(row.cells[1].text.rfind(shortTitle(c["BaseCase"]), 0), 0u);
        EXPECT_EQ(row.cells[2].text, dollars(c["AdditionalFirstCost"]));
        EXPECT_EQ(row.cells[3].text, dollars(c["NPWSavings"]));
        EXPECT_EQ(row.cells[4].text, orNA(c["IRR"], 2, 100));
        EXPECT_EQ(row.cells[5].text, orNA(c["BeforeTaxIRR"], 2, 100));
        EXPECT_EQ(row.cells[6].text, orNA(c["PaybackYears"], 1));
    }
    EXPECT_EQ(t3.rows[1].cells[4].text, "N/A");

    // Analysis details: the summary of each comparison ends with the rates
    // (before tax, after tax, adjusted) and the payback.
    const RtfDocument details =
        readRtfFile(out / "Office Building Central Plant_Analysis Details.RTF");
    const auto tables = details.tables();
    ASSERT_EQ(tables.size(), 2 * comparisons.size());
    for (size_t k = 0; k < comparisons.size(); ++k) {
        SCOPED_TRACE(k);
        const json& c = comparisons[k];
        const RtfTable& s = *tables[2 * k];
        ASSERT_EQ(s.rows.size(), 9u);
        auto rate = [](const json& v) { return v == -1.0 ? "N/A" : orNA(v, 1, 100) + " %"; };
        EXPECT_EQ(s.rows[5].cells.back().text, rate(c["BeforeTaxIRR"]));
        EXPECT_EQ(s.rows[6].cells.back().text, rate(c["IRR"]));
        EXPECT_EQ(s.rows[7].cells[0].text, "Incremental Adjusted Internal Rate of Return");
        EXPECT_EQ(s.rows[7].cells.back().text, rate(c["AIRR"]));
    }
    for (const fs::path& report :
         {out / "Office Building Central Plant_Life-Cycle Cost Summary.RTF",
          out / "Office Building Central Plant_Analysis Details.RTF"})
        EXPECT_EQ(readFile(report).find("-68.8"), std::string::npos) << report;
}

TEST_F(CalcResultsTest, TheAnswerListsTheCasesByRankAndNamesThePreferredOne) {
    const QvcRun run = qvc({"calc", project().string(), "1", "--json", "-"}, dir / "err");
    ASSERT_EQ(run.status, 0) << readFile(dir / "err");
    // Standard output is the document alone; the answer went to standard error.
    const json doc = json::parse(run.out);
    const std::string answer = readFile(dir / "err");
    std::vector<std::string> lines;
    std::istringstream in(answer);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 6u) << answer;
    EXPECT_EQ(
        lines[0],
        "Answer for study 1, Office Building Central Plant (mutually exclusive design cases)");
    const json& alternatives = doc["Alternatives"];
    const int winner = doc["Comparisons"].back()["Winner"];
    for (int rank = 1; rank <= 3; ++rank) {
        const std::string& line = lines[static_cast<size_t>(1 + rank)];
        for (const json& a : alternatives) {
            if (a["Rank"] != rank)
                continue;
            const std::string worth = grouped(a["TotalPresentWorth"]);
            std::ostringstream start;
            start << "     " << rank << "     " << a["CaseID"].get<int>() << "  "
                  << a["CaseTitle"].get<std::string>();
            EXPECT_EQ(line.rfind(start.str(), 0), 0u) << line;
            const size_t at = line.find(worth);
            ASSERT_NE(at, std::string::npos) << line;
            // Amounts are right-aligned under the header's column.
            EXPECT_EQ(at + worth.size(), lines[1].size()) << line;
            EXPECT_EQ(line.substr(at + worth.size()), a["Number"] == winner ? "  preferred" : "");
        }
    }
    EXPECT_EQ(lines[5],
              "Preferred: " +
                  alternatives[static_cast<size_t>(winner - 1)]["CaseTitle"].get<std::string>());
    // The demo prints the same answer before the list of its reports.
    const size_t at = demoOut_.find(answer);
    ASSERT_NE(at, std::string::npos) << demoOut_;
    EXPECT_EQ(demoOut_.substr(at + answer.size(), 10), "\nReports:\n");
}

TEST_F(CalcResultsTest, IndependentCasesNameThoseThatBeatTheBaseCase) {
    std::ofstream(dir / "study.json")
        << R"({"StudyTitle": "Independent plants", "TypeOfAnalysis": 1, "TypeOfAlternative": 1,
               "BaseYear": 2026, "CurSymbol": "EUR", "Lifecycle": 25, "DiscountRate": 7.0})";
    const QvcRun copy = qvc({"study", "copy", project().string(), "1"}, dir / "err");
    ASSERT_EQ(copy.status, 0) << readFile(dir / "err");
    const QvcRun count = qvc({"count", project().string()}, dir / "err");
    const std::string studyId = count.out.substr(0, count.out.find('\n'));
    ASSERT_EQ(qvc({"study", "update", project().string(), studyId, "--json",
                   (dir / "study.json").string()},
                  dir / "err")
                  .status,
              0)
        << readFile(dir / "err");
    const QvcRun run = qvc(
        {"calc", project().string(), studyId, "--json", (dir / "r.json").string()}, dir / "err");
    ASSERT_EQ(run.status, 0) << readFile(dir / "err");
    const json doc = json::parse(readFile(dir / "r.json"));
    // The copied cases have new IDs (4..6) but keep their numbers 1..3.
    const char* titles[] = {"Refurbish the existing plant",
                            "High-efficiency chillers and condensing boilers",
                            "Ground-source heat pump plant"};
    for (int n = 1; n <= 3; ++n) {
        const json& a = doc["Alternatives"][static_cast<size_t>(n - 1)];
        EXPECT_EQ(a["Number"], n);
        EXPECT_EQ(a["CaseID"], n + 3);
        EXPECT_EQ(a["CaseTitle"], titles[n - 1]);
        EXPECT_NE(run.out.find("     " + std::to_string(n + 3) + "  " + titles[n - 1]),
                  std::string::npos)
            << run.out;
    }
    std::string beating;
    for (const json& c : doc["Comparisons"]) {
        EXPECT_EQ(c["BaseCase"], 1);
        if (c["Winner"] == c["Challenger"])
            beating += (beating.empty() ? " " : "; ") +
                       doc["Alternatives"][c["Challenger"].get<size_t>() - 1]["CaseTitle"]
                           .get<std::string>();
    }
    ASSERT_FALSE(beating.empty());  // the example's efficient plants beat the old one
    EXPECT_NE(run.out.find("Total present worth (EUR)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Beat the base case (Refurbish the existing plant):" + beating + "\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("Refurbish the existing plant"), std::string::npos);
    EXPECT_EQ(run.out.find("preferred"), std::string::npos) << run.out;
}

TEST_F(CalcResultsTest, AFailedCalculationWritesNoFile) {
    // A study without design cases cannot be calculated.
    std::ofstream(dir / "study.json") << R"({"StudyTitle": "Empty", "Lifecycle": 25})";
    const QvcRun add = qvc(
        {"study", "add", project().string(), "--json", (dir / "study.json").string()}, dir / "err");
    ASSERT_EQ(add.status, 0) << readFile(dir / "err");
    const std::string empty = add.out.substr(0, add.out.find('\n'));
    const fs::path file = dir / "results.json";
    QvcRun run = qvc({"calc", project().string(), empty, "--json", file.string()}, dir / "err");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(readFile(dir / "err").find("not calculated"), std::string::npos);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(run.out, "");  // no answer either
    // A file of that name stays as it was.
    std::ofstream(file) << "kept";
    run = qvc({"calc", project().string(), empty, "--json", file.string()}, dir / "err");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(readFile(file), "kept");
    // Input reports alone have no results to write.
    run = qvc({"calc", project().string(), "1", "--reports", "SI", "--json", file.string()},
              dir / "err");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(readFile(file), "kept");
    // Without --out and --json there is nothing to do: a usage error.
    EXPECT_EQ(qvc({"calc", project().string(), "1"}, dir / "err").status, 2);
    // No temporary file is left beside the results.
    for (const auto& entry : fs::directory_iterator(dir))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".qvc")) << entry.path();
}

}  // namespace
}  // namespace qvc::test
