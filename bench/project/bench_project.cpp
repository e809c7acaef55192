// Adding and reading a full design case (20 investments, 5 loans, 20 annual
// and 20 other costs) through cORVProject.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "project/ProjectSchema.h"
#include "qvc/cORVProject.h"

namespace {

qvc::cDesignCase fullCase() {
    qvc::cDesignCase c;
    c.CaseTitle = "Full case";
    for (int16_t i = 1; i <= 20; ++i) {
        c.setInvItemName(i, "Investment " + std::to_string(i));
        c.setInvCost(i, 1000.0 * i);
        c.setInvUsefulLife(i, 15);
        c.setAnnOpCostName(i, "Annual " + std::to_string(i));
        c.setAnnOpCost(i, 100.0 * i);
        c.setOtherOpCostName(i, "Other " + std::to_string(i));
        c.setOtherOpCost(i, 50.0 * i);
    }
    for (int16_t i = 1; i <= 5; ++i) {
        c.setLoanItemName(i, "Loan " + std::to_string(i));
        c.setLoanPercent(i, 50.0);
    }
    return c;
}

struct Project {
    Project() {
        dir = std::filesystem::temp_directory_path() / "qvc-bench-project";
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        qvc::project::createProjectDatabase((dir / "ORV30.mdb").string());
        prj.setWorkPath(dir.string(), "", "");
        qvc::cStudy s;
        s.StudyTitle = "Bench";
        s.Lifecycle = 25;
        prj.addStudyDetails(s);
    }
    ~Project() { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
    qvc::cORVProject prj;
};

void BM_AddFullCase(benchmark::State& state) {
    Project p;
    const qvc::cDesignCase c = fullCase();
    for (auto _ : state)
        p.prj.addCaseDetails(1, c);
    if (!p.prj.getErrorMsg().empty())
        state.SkipWithError(p.prj.getErrorMsg().c_str());
}
BENCHMARK(BM_AddFullCase)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_GetFullCase(benchmark::State& state) {
    Project p;
    p.prj.addCaseDetails(1, fullCase());
    qvc::cDesignCase out;
    for (auto _ : state)
        p.prj.getCaseDetails(1, 1, out);
    if (!p.prj.getErrorMsg().empty())
        state.SkipWithError(p.prj.getErrorMsg().c_str());
}
BENCHMARK(BM_GetFullCase)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
