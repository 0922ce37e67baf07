// Formatting the 13 column texts of every table row of the largest file
// (196,605 record rows, 2.56 million texts), as the table view does.
#include <benchmark/benchmark.h>

#include "LargeFile.h"
#include "records/NameText.h"
#include "records/RecordTexts.h"

// Only the formatting: where the texts are kept is the grid's business.
static void BM_FormatAllTableTexts(benchmark::State& state)
{
    const RecordList records = LargeRecordList();
    std::int64_t textCount = 0;
    for (auto _ : state) {
        std::size_t totalLength = 0;
        textCount = 0;
        auto keep = [&](const auto& text) {
            totalLength += text.size();
            ++textCount;
        };
        for (std::size_t n = 0; n < records.GetSize(); ++n) {
            const MeterRecord& r = records[n];
            // Record-wide texts are formatted once and shown in all three rows.
            const std::string number = RecordNumberText(n);
            const std::string olt = NameText(NameBytes(r.oltName));
            const std::string ont = NameText(NameBytes(r.ontName));
            const std::string_view unit = UnitText(r.unitMode);
            const std::string date = DateText(r);
            const std::string time = TimeText(r);
            for (int w = 0; w < WAVELENGTH_COUNT; ++w) {
                const WavelengthReading& reading = r.readings[w];
                keep(number);
                keep(olt);
                keep(ont);
                keep(WavelengthLabel(w));
                keep(PowerText(reading.power));
                keep(unit);
                keep(LevelText(reading.reference));
                keep(VerdictWord(VerdictText(r, w)));
                keep(LevelText(reading.passThreshold));
                keep(LevelText(reading.warnThreshold));
                keep(LevelText(reading.failThreshold));
                keep(date);
                keep(time);
            }
        }
        benchmark::DoNotOptimize(totalLength);
    }
    state.SetItemsProcessed(state.iterations() * textCount);
}
BENCHMARK(BM_FormatAllTableTexts)->Unit(benchmark::kMillisecond);

// The numeric conversion alone: "%.2f" of the 12 floats of every record.
static void BM_Fixed2OfAllFloats(benchmark::State& state)
{
    const RecordList records = LargeRecordList();
    std::string out;
    for (auto _ : state) {
        std::size_t total = 0;
        for (const MeterRecord& r : records)
            for (const WavelengthReading& reading : r.readings)
                for (float v : {reading.power, reading.reference, reading.passThreshold, reading.warnThreshold})
                    total += LevelText(v).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(records.GetSize()) * 12);
}
BENCHMARK(BM_Fixed2OfAllFloats)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
