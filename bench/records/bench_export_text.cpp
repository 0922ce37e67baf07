// Exporting the largest file as delimited text: the bytes, and the bytes
// written to a file (temporary file, fsync, rename).
#include <benchmark/benchmark.h>

#include <cstdio>

#include "LargeFile.h"
#include "export/DelimitedTextExport.h"

static void BM_FormatDelimitedText(benchmark::State& state)
{
    const RecordList records = LargeRecordList();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = FormatDelimitedText(records, '\t');
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_FormatDelimitedText)->Unit(benchmark::kMillisecond);

static void BM_WriteDelimitedTextFile(benchmark::State& state)
{
    const RecordList records = LargeRecordList();
    const std::string path = LargeRecordFilePath() + ".txt";
    for (auto _ : state) {
        if (!WriteDelimitedTextFile(path, records, '\t'))
            state.SkipWithError("export failed");
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_WriteDelimitedTextFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
