// The sensitivity analysis of the largest study: 20 design cases with every
// item list full over 50 years, private sector with taxes. Ten factors (the
// two study rates and the four groups of two cases), each at -20 % and +20 %,
// with the break-even search. Goal: under 50 ms.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "qvc/ProjectDatabase.h"
#include "qvc/ResManager.h"
#include "qvc/SensitivityAnalysis.h"
#include "qvc/cORVProject.h"

namespace {

namespace fs = std::filesystem;

void fillLists(qvc::cDesignCase& c, int k) {
    for (int16_t i = 1; i <= 20; ++i) {
        c.setInvItemName(i, "Investment " + std::to_string(i));
        c.setInvCost(i, 10000.0 * i + 1000.0 * k);
        c.setInvYear(i, static_cast<int16_t>((i - 1) % 5 * 5));
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
}

struct LargestStudy {
    LargestStudy() : dir(fs::temp_directory_path() / "qvc-bench-sensitivity") {
        fs::remove_all(dir);
        fs::create_directories(dir);
        qvc::CreateProjectDatabase(qvc::ProjectDatabaseFile(dir.string()));
        qvc::ResManager().SetResourceDB(QVC_RESOURCE_DB);
        prj.setWorkPath(dir.string(), "", "");
        qvc::cStudy s;
        s.StudyTitle = "Fifty-year study";
        s.TypeOfAnalysis = 0;
        s.CurSymbol = "$";
        s.Lifecycle = 50;
        s.DiscountRate = 4.0;
        s.CalcIncomeTaxes = true;
        s.IncomeTaxes = 25.0;
        prj.addStudyDetails(s);
        for (int k = 1; k <= 20; ++k) {
            qvc::cDesignCase c;
            c.CaseTitle = "Design case " + std::to_string(k);
            c.CaseShortTitle = "Case " + std::to_string(k);
            fillLists(c, k);
            prj.addCaseDetails(1, c);
        }
    }
    ~LargestStudy() { fs::remove_all(dir); }
    LargestStudy(const LargestStudy&) = delete;
    LargestStudy& operator=(const LargestStudy&) = delete;
    fs::path dir;
    qvc::cORVProject prj;
};

std::vector<qvc::SensitivityFactor> tenFactors() {
    std::vector<qvc::SensitivityFactor> factors;
    for (const char* name : {"discount-rate", "tax-rate", "investment:1", "annual:1", "other:1",
                             "escalation:1", "investment:2", "annual:2", "other:2", "escalation:2"})
        factors.push_back(*qvc::SensitivityFactor::fromName(name));
    return factors;
}

// Reading the study from the project, the base point, ten factors and the
// break-even search: what `qvc sensitivity` does apart from its files.
void BM_LoadAndTenFactors(benchmark::State& state) {
    LargestStudy study;
    const auto factors = tenFactors();
    for (auto _ : state) {
        qvc::SensitivityAnalysis analysis;
        analysis.StudyID = 1;
        if (!analysis.Load() || !analysis.Run(factors)) {
            state.SkipWithError(analysis.getErrorMsg().c_str());
            break;
        }
        benchmark::DoNotOptimize(analysis.Result().factors.size());
    }
}
BENCHMARK(BM_LoadAndTenFactors)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Ten factors on a study already in memory.
void BM_TenFactors(benchmark::State& state) {
    LargestStudy study;
    const auto factors = tenFactors();
    qvc::SensitivityAnalysis analysis;
    analysis.StudyID = 1;
    if (!analysis.Load()) {
        state.SkipWithError(analysis.getErrorMsg().c_str());
        return;
    }
    for (auto _ : state) {
        if (!analysis.Run(factors)) {
            state.SkipWithError(analysis.getErrorMsg().c_str());
            break;
        }
    }
}
BENCHMARK(BM_TenFactors)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
