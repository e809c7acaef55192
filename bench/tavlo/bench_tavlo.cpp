// Speed and memory of the cost engine.
//
// Targets: Calculate for 20 alternatives with every list full over 50 years in
// under 1 ms (median), for 2 small alternatives in under 20 us; the engine's
// memory for the 20 full alternatives under 5 MB; getters allocate nothing.
// Memory is measured by counting the bytes that pass through operator new.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdlib>
#include <memory>
#include <new>

#include "tavlo/ILifeCycleEngine.h"

// The replacement operators below pair malloc with free by design.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
long long gLiveBytes = 0;
long long gAllocations = 0;
}  // namespace

void* operator new(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    gLiveBytes += static_cast<long long>(malloc_usable_size(p));
    ++gAllocations;
    return p;
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    operator delete(p);
}
void operator delete[](void* p) noexcept {
    operator delete(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    operator delete(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    operator delete(p);
}
void operator delete(void* p) noexcept {
    if (p != nullptr) {
        gLiveBytes -= static_cast<long long>(malloc_usable_size(p));
    }
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace {

// 20 investments (all methods, loans on every other item), 20 annual and 20
// non-annual items per alternative; private sector with taxes.
std::unique_ptr<tavlo::ILifeCycleEngine> fullStudy(int16_t count, int16_t years) {
    auto engine = tavlo::createEngine();
    engine->setAnalysisType(0);
    engine->setAlternativeType(0);
    engine->setAnalysisPeriod(years);
    engine->setDiscountRate(0.04);
    engine->setIncomeTaxFlag(true);
    engine->setIncomeTaxRate(0.35);
    engine->Alternatives().Initialize(count);
    engine->Comparisons().Initialize(static_cast<int16_t>(count - 1));
    for (int16_t i = 1; i <= count; ++i) {
        tavlo::IAlternative& a = engine->Alternatives().Item(i);
        a.setNumber(i);
        for (int16_t j = 1; j <= 20; ++j) {
            const int16_t year = static_cast<int16_t>((j * 3 + i) % 25);
            a.setInvestmentCost(j, 10000.0 * j + 137.0 * i);
            a.setInvestmentYear(j, year);
            a.setInvestmentEscalation(j, 0.01 * (j % 4));
            a.setTaxExempt(j, j % 7 == 0);
            a.setDepreciationMethod(j, static_cast<int16_t>(j % 6));
            a.setDepreciationLife(j, static_cast<int16_t>(3 + j % 18));
            a.setUsefulLife(j, static_cast<int16_t>((j % 3) * 10));
            a.setSalvage(j, 500.0 * j);
            if (j % 2 == 0) {
                a.setLoanRate(j, 0.06);
                a.setLoanFraction(j, 0.7);
                a.setPaymentPlan(j, static_cast<int16_t>(j % 3));
                a.setLoanTerm(j, 10);
            }
            a.setAnnualCost(j, 1500.0 + 50.0 * i - 20.0 * j);
            a.setAnnualStartYear(j, 1);
            a.setAnnualYears(j, years);
            a.setAnnualEscalation(j, 0.02);
            a.setOtherCost(j, 3000.0 + 10.0 * j);
            a.setOtherStartYear(j, static_cast<int16_t>(1 + j % 5));
            a.setOtherTimes(j, 5);
            a.setOtherInterval(j, static_cast<int16_t>(1 + j % 9));
            a.setOtherEscalation(j, 0.03);
        }
    }
    return engine;
}

std::unique_ptr<tavlo::ILifeCycleEngine> smallStudy() {
    auto engine = tavlo::createEngine();
    engine->setAnalysisType(1);
    engine->setAnalysisPeriod(20);
    engine->setDiscountRate(0.03);
    engine->Alternatives().Initialize(2);
    engine->Comparisons().Initialize(1);
    for (int16_t i = 1; i <= 2; ++i) {
        tavlo::IAlternative& a = engine->Alternatives().Item(i);
        a.setNumber(i);
        a.setInvestmentCost(1, i == 1 ? 0.0 : 25000.0);
        a.setDepreciationLife(1, 2);
        a.setUsefulLife(1, 20);
        a.setAnnualCost(1, i == 1 ? 4000.0 : 2000.0);
        a.setAnnualStartYear(1, 1);
        a.setAnnualYears(1, 20);
        a.setOtherCost(1, 1000.0);
        a.setOtherStartYear(1, 5);
        a.setOtherTimes(1, 3);
        a.setOtherInterval(1, 5);
    }
    return engine;
}

void reportMemory(benchmark::State& state, long long engineBytes, long long allocations) {
    state.counters["engine_bytes"] = static_cast<double>(engineBytes);
    state.counters["allocs_per_calc"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

// How many of the rates of return were found: the root search scans the whole
// grid unless it finds a root above the discount rate first, so a study where
// most rates are undefined measures its slowest path.
void reportRatesOfReturn(benchmark::State& state, const tavlo::ILifeCycleEngine& engine) {
    int defined = 0;
    int total = 0;
    for (int16_t k = 1; k <= engine.Comparisons().Count(); ++k) {
        const tavlo::IComparison& c = engine.Comparisons().Item(k);
        defined += (c.IRR() != -1.0 ? 1 : 0) + (c.BeforeTaxIRR() != -1.0 ? 1 : 0);
        total += 2;
    }
    state.counters["irr_defined"] = defined;
    state.counters["irr_total"] = total;
}

void BM_CalculateTwentyFullAlternatives(benchmark::State& state) {
    const long long start = gLiveBytes;
    auto engine = fullStudy(20, 50);
    engine->Calculate();
    const long long engineBytes = gLiveBytes - start;
    const long long allocationsBefore = gAllocations;
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine->Calculate());
    }
    reportMemory(state, engineBytes, gAllocations - allocationsBefore);
    reportRatesOfReturn(state, *engine);
}
BENCHMARK(BM_CalculateTwentyFullAlternatives)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_CalculateTwoSmallAlternatives(benchmark::State& state) {
    const long long start = gLiveBytes;
    auto engine = smallStudy();
    engine->Calculate();
    const long long engineBytes = gLiveBytes - start;
    const long long allocationsBefore = gAllocations;
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine->Calculate());
    }
    reportMemory(state, engineBytes, gAllocations - allocationsBefore);
}
BENCHMARK(BM_CalculateTwoSmallAlternatives)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Every summary getter of one alternative and of one comparison, as the
// reports read them; the number of getters called.
int readSummaries(const tavlo::IAlternative& a, const tavlo::IComparison& c, double& sum) {
    sum += a.Rank() + a.TotalPresentWorth() + a.BeforeTaxTPW() + a.FirstCost() +
           a.AnnualOperatingCost() + c.BaseCase() + c.Challenger() + c.Winner() +
           c.AdditionalFirstCost() + c.NPWSavings() + c.IRR() + c.BeforeTaxIRR() + c.AIRR() +
           c.PaybackYears();
    return 14;
}

// Reads every getter of every alternative and comparison once, as the reports
// do. Getters promise not to allocate: getter_allocs counts the allocations
// per getter call (expected 0).
void BM_ReadAllResults(benchmark::State& state) {
    auto engine = fullStudy(20, 50);
    engine->Calculate();
    const long long allocationsBefore = gAllocations;
    long long calls = 0;
    for (auto _ : state) {
        double sum = 0;
        for (int16_t i = 1; i <= 20; ++i) {
            const tavlo::IAlternative& a = engine->Alternatives().Item(i);
            for (int16_t y = 0; y <= 50; ++y) {
                sum += a.CashInvestmentAt(y) + a.LoanPrincipalAt(y) + a.LoanInterestAt(y) +
                       a.TotalInvestmentAt(y) + a.AnnualOpCostAt(y) + a.NonAnnualOpCostAt(y) +
                       a.TotalOpCostAt(y) + a.BeforeTaxCashFlowAt(y) + a.NetIncomeAt(y) +
                       a.DepreciationAt(y) + a.TaxableIncomeAt(y) + a.TaxAt(y) +
                       a.AfterTaxCashFlowAt(y) + a.BookValueAt(y) + a.PWInvestmentAt(y) +
                       a.PWOpCostAt(y) + a.PWCashFlowAt(y);
            }
            calls += 17 * 51 + 1;
        }
        for (int16_t k = 1; k <= engine->Comparisons().Count(); ++k) {
            const tavlo::IComparison& c = engine->Comparisons().Item(k);
            for (int16_t y = 0; y <= 50; ++y) {
                sum += c.AddInvCostAt(y) + c.CumAddInvCostAt(y) + c.OpCostSavingsAt(y) +
                       c.CumOpCostSavingsAt(y) + c.NPWSavingsAt(y) + c.SIR(y);
            }
            calls += 6 * 51 + 1 + readSummaries(engine->Alternatives().Item(k), c, sum);
        }
        calls += 2;
        sum += engine->Alternatives().Count() + engine->Comparisons().Count();
        benchmark::DoNotOptimize(sum);
    }
    state.counters["getter_allocs"] =
        static_cast<double>(gAllocations - allocationsBefore) / static_cast<double>(calls);
}
BENCHMARK(BM_ReadAllResults)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
