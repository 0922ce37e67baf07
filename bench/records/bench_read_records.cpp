// Reading the largest record file (65,535 records, 6.8 MB) from the page cache.
#include <benchmark/benchmark.h>

#include "LargeFile.h"

static void BM_ReadLargestRecordFile(benchmark::State& state)
{
    const std::string& path = LargeRecordFilePath();
    for (auto _ : state) {
        RecordFileReadResult result = ReadRecordFile(path);
        if (!result.ok || result.ReadCount() != MAX_RECORD_COUNT)
            state.SkipWithError("large file did not read completely");
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations() * MAX_RECORD_COUNT);
}
BENCHMARK(BM_ReadLargestRecordFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
