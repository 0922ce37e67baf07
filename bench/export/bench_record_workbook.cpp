// Converting the largest record file (65,535 records, 2.56 million cells)
// into a workbook: building the sheet, and the whole file written.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "LargeFile.h"
#include "export/RecordWorkbook.h"
#include "spreadsheet/Workbook.h"

static void BM_BuildRecordWorkbook(benchmark::State& state)
{
    const RecordList records = LargeRecordList();
    for (auto _ : state) {
        Workbook book = RecordTableWorkbook(records);
        benchmark::DoNotOptimize(book);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(records.GetSize()));
}
BENCHMARK(BM_BuildRecordWorkbook)->Unit(benchmark::kMillisecond);

static void BM_SaveBuiltWorkbook(benchmark::State& state)
{
    Workbook book = RecordTableWorkbook(LargeRecordList());
    const std::string path = LargeRecordFilePath() + ".xlsx";
    for (auto _ : state)
        book.Save(path);
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveBuiltWorkbook)->Unit(benchmark::kMillisecond);

static void BM_WriteRecordWorkbookFile(benchmark::State& state)
{
    const RecordList records = LargeRecordList();
    const std::string path = LargeRecordFilePath() + ".xlsx";
    for (auto _ : state) {
        if (!WriteRecordWorkbookFile(path, records))
            state.SkipWithError("export failed");
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_WriteRecordWorkbookFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
