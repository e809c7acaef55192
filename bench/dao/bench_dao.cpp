// Adding one row through AddNew/Update and reading it back by key.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "qvc/dao/Database.h"

namespace {

using qvc::rt::Value;

void BM_AddRowAndReadBack(benchmark::State& state) {
    auto dir = std::filesystem::temp_directory_path() / "qvc-bench-dao";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    auto db = qvc::dao::Database::Create((dir / "b.db").string());
    db->Execute(
        "CREATE TABLE tblItem (iItemId INTEGER PRIMARY KEY AUTOINCREMENT, iCaseId LONG, sName "
        "TEXT, "
        "dCost DOUBLE, nYear SHORT, bExempt YESNO)");
    for (auto _ : state) {
        auto rs = db->OpenRecordset("SELECT * FROM tblItem WHERE 0 = 1");
        rs->AddNew();
        int32_t key = rs->field("iItemId").toInt32();
        rs->setField("iCaseId", Value(int32_t{1}));
        rs->setField("sName", Value("Chiller"));
        rs->setField("dCost", Value(125000.0));
        rs->setField("nYear", Value(int16_t{0}));
        rs->setField("bExempt", Value(false));
        rs->Update();
        rs->Close();
        auto back = db->OpenRecordset("SELECT * FROM tblItem WHERE iItemId=" + std::to_string(key));
        benchmark::DoNotOptimize(back->field("dCost").toDouble());
    }
    state.SetItemsProcessed(state.iterations());
    db->Close();
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_AddRowAndReadBack)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
