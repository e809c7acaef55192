// Building and writing a large report document: 20 tables of 81 rows (a
// cash-flow report over an 80-year study), 10 charts at 440 x 300 pt and the
// text around them, about 60 pages. The report code writes the file after every
// table, so that case is measured too.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "qvc/document/DocumentObject.h"
#include "qvc/document/RtfWriter.h"
#include "qvc/document/Table.h"
#include "qvc/graph/ChartRenderer.h"

namespace fs = std::filesystem;
using namespace qvc;
using namespace qvc::doc;

namespace {

const std::vector<uint8_t>& chartPng() {
    static const std::vector<uint8_t> png = [] {
        graph::Chart c;
        c.kind = graph::ChartKind::StackedBar;
        c.title = "Before-Tax Cash Flow";
        c.showLegend = true;
        graph::Subset a{"Investment Cost", {130, 130, 255}, {}};
        graph::Subset b{"Operating Cost", {151, 6, 46}, {}};
        for (int y = 0; y <= 50; ++y) {
            c.pointLabels.push_back(std::to_string(y));
            a.values.push_back(y % 10 == 0 ? 400000.0 : 0.0);
            b.values.push_back(y == 0 ? 0.0 : 60000.0 + 900.0 * y);
        }
        c.subsets = {a, b};
        return graph::ChartRenderer().render(c).png;
    }();
    return png;
}

void addTable(DocumentObject& docs, int n) {
    Table t;
    t.Attach(docs);
    docs.EndTableBlock();
    t.SetHeaderRow(true);
    const int columns = 6;
    const float widths[columns] = {0.75f, 1.0f, 1.5f, 1.5f, 1.25f, 1.5f};
    for (int r = 0; r <= 81; ++r) {
        for (int c = 0; c < columns; ++c) {
            TableCell& cell = t.AddCell();
            cell.SetRowStart(c == 0);
            cell.SetWidth(widths[c]);
            cell.SetBackColor(r == 0 ? 0xE1E1E1 : 0xFFFFFF);
            cell.SetBold(r == 0);
            cell.SetAlignment(c < 2 ? code::kAlignLeft : code::kAlignRight);
            cell.SetPadding(6.0f / 32.0f);
            cell.SetFontSize(10.0f);
            cell.SetValue(r == 0 ? "Column " + std::to_string(c)
                                 : (c == 0 ? std::to_string(r - 1)
                                           : std::to_string(123456 + r * 1001 + c * 17)));
        }
    }
    docs.AddText(std::to_string(n) + "A. Component cash flows [Alternative " + std::to_string(n) +
                     "], actual values",
                 10.0f, std::nullopt, 0, std::nullopt, code::kAlignLeft);
    t.InsertInto(docs);
}

void buildDocument(DocumentObject& docs, const fs::path& folder, bool writeAfterEachTable) {
    docs.NewDocument("bench-report.rtf", folder.string());
    docs.SetMargins(0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f);
    docs.EditHeader(true);
    docs.AddText("Cash Flows", 12.0f, std::nullopt, 2, 1.2f, code::kAlignCentre,
                 code::kDefaultColour, true);
    docs.EditHeader(false);
    docs.EditFooter(true);
    docs.AddText("Page", 9.0f, std::nullopt, 0, std::nullopt, code::kAlignRight, 16);
    docs.InsertField(code::kFieldSeparator);
    docs.InsertField(code::kFieldPageNumber);
    docs.EditFooter(false);
    docs.ApplyHeaderFooter(true);
    for (int n = 1; n <= 20; ++n) {
        if (n % 2 == 1) {
            docs.InsertPicture(chartPng(), 440, 300);
            docs.SetTextFlags(code::kFlagEndBlock, true);
        }
        docs.AddText("Design case " + std::to_string(n) + ": a short description of the case.",
                     10.0f, std::nullopt, 0, std::nullopt, code::kAlignLeft, code::kDefaultColour,
                     true);
        addTable(docs, n);
        docs.SetTextFlags(code::kFlagEndBlock, true);
        if (writeAfterEachTable) {
            docs.WriteDocument(-1, 0);
        }
        docs.NewLine(1);
        if (n < 20) {
            docs.InsertBreak(code::kBreakPage);
        }
    }
    docs.FinishDocument(true, 0);
}

fs::path benchFolder() {
    fs::path dir = fs::temp_directory_path() / "qvc-bench-document";
    fs::create_directories(dir);
    return dir;
}

void BM_BuildAndWriteOnce(benchmark::State& state) {
    chartPng();
    for (auto _ : state) {
        DocumentObject docs;
        buildDocument(docs, benchFolder(), false);
        benchmark::DoNotOptimize(docs.DocumentCount());
    }
    state.counters["bytes"] =
        static_cast<double>(fs::file_size(benchFolder() / "bench-report.rtf"));
}
BENCHMARK(BM_BuildAndWriteOnce)->Unit(benchmark::kMillisecond);

void BM_BuildWritingAfterEachTable(benchmark::State& state) {
    chartPng();
    for (auto _ : state) {
        DocumentObject docs;
        buildDocument(docs, benchFolder(), true);
        benchmark::DoNotOptimize(docs.DocumentCount());
    }
}
BENCHMARK(BM_BuildWritingAfterEachTable)->Unit(benchmark::kMillisecond);

void BM_RtfTextOnly(benchmark::State& state) {
    DocumentObject docs;
    buildDocument(docs, benchFolder(), false);
    for (auto _ : state) {
        std::string rtf = toRtf(docs.ActiveDocument());
        benchmark::DoNotOptimize(rtf.data());
    }
}
BENCHMARK(BM_RtfTextOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
