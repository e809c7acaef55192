// `qvc calc --json` value for value against the engine, and the printed answer against it.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

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
using tavlo::IAlternative;
using tavlo::IComparison;

std::string quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct QvcRun {
    int status = -1;
    std::string out, err;
};

// Runs qvc with `args`; its output and errors pass through `files`.out and .err.
QvcRun qvc(const std::vector<std::string>& args, const fs::path& files) {
    std::string command = quoted(QVC_BIN);
    for (const std::string& a : args)
        command += " " + quoted(a);
    const std::string out = files.string() + ".out", err = files.string() + ".err";
    const int status = std::system((command + " >" + quoted(out) + " 2>" + quoted(err)).c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(out), readFile(err)};
}

// Whole amounts as the reports show them: half-to-even, "," every three digits.
std::string grouped(double value) {
    const double whole = std::nearbyint(value);
    std::string digits = std::to_string(static_cast<long long>(std::fabs(whole)));
    for (int pos = static_cast<int>(digits.size()) - 3; pos > 0; pos -= 3)
        digits.insert(static_cast<size_t>(pos), ",");
    return (whole < 0 ? "-" : "") + digits;
}

template <typename Item>
using YearGetter = double (Item::*)(int16_t) const;
// The member of the document and the engine's getter of the same name.
#define QVC_YEARS(Item, name) std::pair<std::string, YearGetter<Item>>(#name, &Item::name)
const std::vector<std::pair<std::string, YearGetter<IAlternative>>> kAlternativeYears{
    QVC_YEARS(IAlternative, CashInvestmentAt),   QVC_YEARS(IAlternative, LoanPrincipalAt),
    QVC_YEARS(IAlternative, LoanInterestAt),     QVC_YEARS(IAlternative, TotalInvestmentAt),
    QVC_YEARS(IAlternative, AnnualOpCostAt),     QVC_YEARS(IAlternative, NonAnnualOpCostAt),
    QVC_YEARS(IAlternative, TotalOpCostAt),      QVC_YEARS(IAlternative, BeforeTaxCashFlowAt),
    QVC_YEARS(IAlternative, NetIncomeAt),        QVC_YEARS(IAlternative, DepreciationAt),
    QVC_YEARS(IAlternative, TaxableIncomeAt),    QVC_YEARS(IAlternative, TaxAt),
    QVC_YEARS(IAlternative, AfterTaxCashFlowAt), QVC_YEARS(IAlternative, BookValueAt),
    QVC_YEARS(IAlternative, PWInvestmentAt),     QVC_YEARS(IAlternative, PWOpCostAt),
    QVC_YEARS(IAlternative, PWCashFlowAt),
};
const std::vector<std::pair<std::string, YearGetter<IComparison>>> kComparisonYears{
    QVC_YEARS(IComparison, AddInvCostAt),    QVC_YEARS(IComparison, CumAddInvCostAt),
    QVC_YEARS(IComparison, OpCostSavingsAt), QVC_YEARS(IComparison, CumOpCostSavingsAt),
    QVC_YEARS(IComparison, NPWSavingsAt),    QVC_YEARS(IComparison, SIR),
};
const char* const kTitles[] = {"Refurbish the existing plant",
                               "High-efficiency chillers and condensing boilers",
                               "Ground-source heat pump plant"};

// Every year 0..L of every getter in `years`; no other members than `scalars`.
template <typename Item>
void expectYears(const json& j, const Item& item,
                 const std::vector<std::pair<std::string, YearGetter<Item>>>& years, int16_t L,
                 size_t scalars) {
    EXPECT_EQ(j.size(), scalars + years.size());
    for (const auto& [name, get] : years) {
        ASSERT_EQ(j[name].size(), static_cast<size_t>(L + 1)) << name;
        for (int16_t y = 0; y <= L; ++y)
            EXPECT_EQ(j[name][static_cast<size_t>(y)].template get<double>(), (item.*get)(y))
                << name << y;
    }
}

class CalcResultsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        root_ = fs::path(QVC_TEST_OUTPUT_DIR) / "apps" / ("calc-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
        const QvcRun demo = qvc({"demo", (root_ / "demo").string()}, root_ / "demo");
        ASSERT_EQ(demo.status, 0) << demo.err;
        demoOut_ = demo.out;
    }
    static void TearDownTestSuite() {
        if (!::testing::UnitTest::GetInstance()->Failed())
            fs::remove_all(root_);
    }
    static std::string project() { return (root_ / "demo" / "Office HVAC project").string(); }

    const tavlo::ILifeCycleEngine& calculateHere() {
        ResManager().SetResourceDB(project() + "/QVCStrings.mdb");
        prj = std::make_unique<cORVProject>();
        prj->setWorkPath(project(), "", "");
        calc = std::make_unique<cORVCalculator>();
        calc->StudyID = 1;
        calc->sReportTypes = "LS";
        EXPECT_TRUE(calc->PerformCalc()) << calc->getErrorMsg();
        return *calc->objLifeCycle;
    }
    void expectJsonMatchesTheEngine(const json& doc);
    void expectTheAnswer(const json& doc, const std::string& answer);

    static inline fs::path root_;
    static inline std::string demoOut_;
    std::unique_ptr<cORVProject> prj;
    std::unique_ptr<cORVCalculator> calc;
};

void CalcResultsTest::expectJsonMatchesTheEngine(const json& doc) {
    const tavlo::ILifeCycleEngine& e = calculateHere();
    EXPECT_EQ(doc["StudyID"], 1);
    EXPECT_EQ(doc["Settings"], (json{{"AnalysisType", 0},
                                     {"AlternativeType", 0},
                                     {"AnalysisPeriod", 25},
                                     {"DiscountRate", e.DiscountRate()},
                                     {"IncomeTaxFlag", true},
                                     {"IncomeTaxRate", e.IncomeTaxRate()}}));
    ASSERT_EQ(doc["Alternatives"].size(), 3u);
    for (int16_t i = 1; i <= 3; ++i) {  // in Number order; the example's case IDs are 1..3
        const json& j = doc["Alternatives"][static_cast<size_t>(i - 1)];
        const IAlternative& a = e.Alternatives().Item(i);
        EXPECT_EQ(j["Number"], i);
        EXPECT_EQ(j["CaseID"], i);
        EXPECT_EQ(j["CaseTitle"], kTitles[i - 1]);
        EXPECT_EQ(j["Rank"], a.Rank());
        EXPECT_EQ(j["TotalPresentWorth"].get<double>(), a.TotalPresentWorth());
        EXPECT_EQ(j["BeforeTaxTPW"].get<double>(), a.BeforeTaxTPW());
        EXPECT_EQ(j["FirstCost"].get<double>(), a.FirstCost());
        EXPECT_EQ(j["AnnualOperatingCost"].get<double>(), a.AnnualOperatingCost());
        expectYears(j, a, kAlternativeYears, e.AnalysisPeriod(), 9);
    }
    ASSERT_EQ(e.Comparisons().Count(), 2);
    ASSERT_EQ(doc["Comparisons"].size(), 2u);
    for (int16_t k = 1; k <= 2; ++k) {
        const json& j = doc["Comparisons"][static_cast<size_t>(k - 1)];
        const IComparison& c = e.Comparisons().Item(k);
        EXPECT_EQ(j["BaseCase"], c.BaseCase());
        EXPECT_EQ(j["Challenger"], c.Challenger());
        EXPECT_EQ(j["Winner"], c.Winner());
        EXPECT_EQ(j["AdditionalFirstCost"].get<double>(), c.AdditionalFirstCost());
        EXPECT_EQ(j["NPWSavings"].get<double>(), c.NPWSavings());
        EXPECT_EQ(j["IRR"].get<double>(), c.IRR());
        EXPECT_EQ(j["BeforeTaxIRR"].get<double>(), c.BeforeTaxIRR());
        EXPECT_EQ(j["AIRR"].get<double>(), c.AIRR());
        EXPECT_EQ(j["PaybackYears"].get<double>(), c.PaybackYears());
        expectYears(j, c, kComparisonYears, e.AnalysisPeriod(), 9);
    }
    // The loan-financed plant saves from year 0, pays later: no IRR (not -68.83 %), an AIRR.
    EXPECT_EQ(doc["Comparisons"][0]["Challenger"], 2);
    EXPECT_EQ(doc["Comparisons"][0]["IRR"], -1.0);
    EXPECT_GT(doc["Comparisons"][0]["AIRR"].get<double>(), e.DiscountRate());
}

// Ranked lines with each case's total present worth, the winner marked.
void CalcResultsTest::expectTheAnswer(const json& doc, const std::string& answer) {
    std::vector<std::string> lines;
    std::istringstream in(answer);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 6u) << answer;
    const int winner = doc["Comparisons"].back()["Winner"];
    for (const json& a : doc["Alternatives"]) {
        const std::string& line = lines.at(1 + a["Rank"].get<size_t>());
        std::ostringstream start;
        start << "     " << a["Rank"] << "     " << a["CaseID"] << "  "
              << a["CaseTitle"].get<std::string>();
        EXPECT_EQ(line.rfind(start.str(), 0), 0u) << line;
        const std::string end =
            grouped(a["TotalPresentWorth"]) + (a["Number"] == winner ? "  preferred" : "");
        EXPECT_TRUE(line.ends_with(" " + end)) << line;
    }
    EXPECT_EQ(lines[5], "Preferred: " + std::string(kTitles[winner - 1]));
    EXPECT_NE(demoOut_.find(answer + "\nReports:\n"), std::string::npos) << demoOut_;
}

// One run: the document on standard output, the answer on standard error.
TEST_F(CalcResultsTest, JsonReportsAndAnswerAgreeWithTheEngine) {
    const fs::path dir = root_ / "agree";
    fs::create_directories(dir);
    const QvcRun run = qvc({"calc", project(), "1", "--reports", "LS-AD", "--out",
                            (dir / "reports").string(), "--json", "-"},
                           root_ / "agree");
    ASSERT_EQ(run.status, 0) << run.err;
    const json doc = json::parse(run.out);
    expectJsonMatchesTheEngine(doc);
    expectTheAnswer(doc, run.err.substr(0, run.err.find("\nReports:\n")));
}

}  // namespace
}  // namespace qvc::test
