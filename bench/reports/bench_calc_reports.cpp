// A whole calculation with every report, headless: 20 design cases with every
// item list full over a 50-year study, PerformCalc + BuildReports("SI-DC-LS-AD-
// CF-TPW-ACF"). The reports are written to a folder as the headless viewer does.
//
// With QVC_BENCH_PROJECT=DIR set, the study is built in DIR and left there, so
// the same calculation can be run as a `qvc calc` process and its peak memory
// measured (bench/reports/peak_memory.sh does that).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "qvc/ProjectDatabase.h"
#include "qvc/ResManager.h"
#include "qvc/cORVCalculator.h"
#include "qvc/cORVProject.h"
#include "qvc/ui/Services.h"

namespace {

namespace fs = std::filesystem;

qvc::cDesignCase fullCase(int k) {
    qvc::cDesignCase c;
    c.CaseTitle = "Design case " + std::to_string(k);
    c.CaseShortTitle = "Case " + std::to_string(k);
    c.CaseDes = "Every list full";
    for (int16_t i = 1; i <= 20; ++i) {
        const int16_t year = static_cast<int16_t>((i - 1) % 5 * 5);
        c.setInvItemName(i, "Investment " + std::to_string(i));
        c.setInvCost(i, 10000.0 * i + 1000.0 * k);
        c.setInvYear(i, year);
        c.setInvEscRate(i, 1.5);
        c.setInvTaxExempt(i, i % 4 == 0);
        c.setSalvageValue(i, 500.0 * i);
        c.setInvDepMethod(i, static_cast<int16_t>(i % 6));
        c.setInvDepLife(i, static_cast<int16_t>(5 + i % 10));
        c.setInvUsefulLife(i, static_cast<int16_t>(10 + i % 15));
        c.setAnnOpCostName(i, "Annual " + std::to_string(i));
        c.setAnnOpCost(i, 1500.0 * i + 100.0 * k);
        c.setAnnOpCostStartYear(i, 1);
        c.setAnnOpCostNumYears(i, 50);
        c.setAnnOpCostEscRate(i, 2.0);
        c.setOtherOpCostName(i, "Other " + std::to_string(i));
        c.setOtherOpCost(i, 800.0 * i);
        c.setOtherOpCostStartYear(i, static_cast<int16_t>(1 + i % 5));
        c.setOtherOpCostTimes(i, 4);
        c.setOtherOpCostInterval(i, 10);
        c.setOtherOpCostEscRate(i, 2.5);
    }
    for (int16_t i = 1; i <= 5; ++i) {
        c.setLoanItemName(i, "Loan " + std::to_string(i));
        c.setLoanYear(i, static_cast<int16_t>((i - 1) * 5));
        c.setLoanPercent(i, 60.0);
        c.setLoanTerm(i, 10);
        c.setLoanIntRate(i, 5.0);
        c.setLoanPayPlan(i, static_cast<int16_t>(i % 3));
    }
    return c;
}

struct BigStudy {
    BigStudy() {
        const char* keepIn = std::getenv("QVC_BENCH_PROJECT");
        keep = keepIn != nullptr && *keepIn != '\0';
        dir = keep ? fs::path(keepIn) : fs::temp_directory_path() / "qvc-bench-reports";
        fs::remove_all(dir);
        fs::create_directories(dir / "out");
        qvc::CreateProjectDatabase(qvc::ProjectDatabaseFile(dir.string()));
        qvc::ResManager().SetResourceDB(QVC_RESOURCE_DB);
        qvc::cORVProject prj;
        prj.setWorkPath(dir.string(), "", "");
        prj.setProjectPath(dir.string(), "Bench", "QVComponents17", "Bench Ltd", "17", "/tmp");
        qvc::cStudy s;
        s.StudyTitle = "Fifty-year study";
        s.TypeOfAnalysis = 0;
        s.CurSymbol = "$";
        s.Lifecycle = 50;
        s.DiscountRate = 4.0;
        s.CalcIncomeTaxes = true;
        s.IncomeTaxes = 25.0;
        prj.addStudyDetails(s);
        for (int k = 1; k <= 20; ++k)
            prj.addCaseDetails(1, fullCase(k));
        qvc::ui::Services::setOutputFolder(dir / "out");
    }
    ~BigStudy() {
        if (!keep) {
            fs::remove_all(dir);
        }
    }
    BigStudy(const BigStudy&) = delete;
    BigStudy& operator=(const BigStudy&) = delete;
    fs::path dir;
    bool keep = false;
};

void BM_PerformCalcAndEveryReport(benchmark::State& state) {
    BigStudy study;
    for (auto _ : state) {
        qvc::cORVCalculator calc;
        calc.StudyID = 1;
        calc.sReportTypes = "SI-DC-LS-AD-CF-TPW-ACF";
        if (!calc.PerformCalc()) {
            state.SkipWithError(("PerformCalc failed: " + calc.getErrorMsg()).c_str());
            break;
        }
        if (!calc.BuildReports(0)) {
            state.SkipWithError("BuildReports failed");
            break;
        }
    }
}
BENCHMARK(BM_PerformCalcAndEveryReport)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
