// orvik50-make-sample: the demo file and reproducible random files.
#include <gtest/gtest.h>

#include <set>

#include "ToolRun.h"
#include "records/NameText.h"
#include "records/RecordFileReader.h"
#include "records/RecordTexts.h"
#include "sample/SampleRecords.h"

namespace {

TEST(MakeSampleTool, DemoFileCoversEveryVerdictAndSpecialText)
{
    ScratchFolder folder;
    const std::string path = folder.Path("demo.bin");
    ASSERT_EQ(RunTool(ORVIK50_MAKE_SAMPLE_PATH, {path}, folder).exitCode, 0);
    const auto read = ReadRecordFile(path);
    ASSERT_EQ(read.ReadCount(), 12u);
    std::set<std::string> seen;   // verdict words, power and unit texts, kinds of names
    for (std::size_t i = 0; i < read.ReadCount(); ++i) {
        const MeterRecord& r = read.records[i];
        for (int w = 0; w < WAVELENGTH_COUNT; ++w)
            seen.insert({std::string(VerdictWord(VerdictText(r, w))), PowerText(r.readings[w].power), std::string(UnitText(r.unitMode))});
        seen.insert(NameBytes(r.oltName).size() == 16 ? "16-byte name" : "");
        seen.insert(NameText(NameBytes(r.ontName)) != NameBytes(r.ontName) ? "GBK name" : "");
    }
    for (const char* text : {"off", "pass", "wrng", "fail", "Low", "dB", "16-byte name", "GBK name"})
        EXPECT_TRUE(seen.contains(text)) << text;
}

TEST(MakeSampleTool, RandomFilesDependOnlyOnCountAndSeed)
{
    ScratchFolder folder;
    auto make = [&](const std::string& name, const char* count, const char* seed) {
        const std::string path = folder.Path(name);
        EXPECT_EQ(RunTool(ORVIK50_MAKE_SAMPLE_PATH, {"--records", count, "--seed", seed, path}, folder).exitCode, 0);
        return ReadWholeFile(path);
    };
    const std::string a = make("a.bin", "500", "7");
    EXPECT_EQ(a, EncodeRecordFile(RandomRecords(500, 7))) << "the same file on every run";
    EXPECT_NE(a, make("c.bin", "500", "8"));
    EXPECT_EQ(make("largest.bin", "65535", "1").size(), RECORD_FILE_HEADER_SIZE + 65535 * METER_RECORD_SIZE);

    const ToolRun tooMany = RunTool(ORVIK50_MAKE_SAMPLE_PATH, {"--records", "65536", folder.Path("x.bin")}, folder);
    EXPECT_EQ(tooMany.exitCode, 2) << "the header cannot hold more than 65535";
    EXPECT_NE(tooMany.err.find("65535"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.Path("x.bin")));
}

} // namespace
