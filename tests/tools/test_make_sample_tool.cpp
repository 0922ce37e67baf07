// orvik50-make-sample: the demo file and reproducible random files.
#include <gtest/gtest.h>

#include "ToolRun.h"
#include "records/RecordFileReader.h"
#include "records/RecordTexts.h"
#include "sample/SampleRecords.h"

namespace {

const std::string MAKE_SAMPLE_TOOL = ORVIK50_MAKE_SAMPLE_PATH;

TEST(MakeSampleTool, DemoFileCoversEveryVerdictAndSpecialText)
{
    ScratchFolder folder;
    const std::string path = folder.Path("demo.bin");
    ASSERT_EQ(RunTool(MAKE_SAMPLE_TOOL, {path}, folder).exitCode, 0);
    const auto read = ReadRecordFile(path);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.ReadCount(), 12u);
    bool seen[4] = {};
    bool low = false, decibel = false, fullName = false, nonAscii = false;
    for (std::size_t i = 0; i < read.ReadCount(); ++i) {
        const MeterRecord& r = read.records[i];
        for (int w = 0; w < WAVELENGTH_COUNT; ++w) {
            seen[static_cast<int>(VerdictText(r, w))] = true;
            low = low || PowerText(r.readings[w].power) == "Low";
        }
        decibel = decibel || UnitText(r.unitMode) == "dB";
        fullName = fullName || NameBytes(r.oltName).size() == 16;
        for (char c : NameBytes(r.ontName))
            nonAscii = nonAscii || static_cast<unsigned char>(c) >= 0x80;
    }
    EXPECT_TRUE(seen[0] && seen[1] && seen[2] && seen[3]);
    EXPECT_TRUE(low);
    EXPECT_TRUE(decibel);
    EXPECT_TRUE(fullName);
    EXPECT_TRUE(nonAscii);
}

TEST(MakeSampleTool, RandomFilesDependOnlyOnCountAndSeed)
{
    ScratchFolder folder;
    auto make = [&](const std::string& name, const char* count, const char* seed) {
        const std::string path = folder.Path(name);
        EXPECT_EQ(RunTool(MAKE_SAMPLE_TOOL, {"--records", count, "--seed", seed, path}, folder).exitCode, 0);
        return ReadWholeFile(path);
    };
    const std::string a = make("a.bin", "500", "7");
    EXPECT_EQ(a, make("b.bin", "500", "7"));
    EXPECT_NE(a, make("c.bin", "500", "8"));
    EXPECT_EQ(a, EncodeRecordFile(RandomRecords(500, 7)));
    EXPECT_EQ(make("largest.bin", "65535", "1").size(), RECORD_FILE_HEADER_SIZE + 65535 * METER_RECORD_SIZE);
}

TEST(MakeSampleTool, RejectsCountsTheHeaderCannotHold)
{
    ScratchFolder folder;
    const ToolRun run = RunTool(MAKE_SAMPLE_TOOL, {"--records", "65536", folder.Path("x.bin")}, folder);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("65535"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.Path("x.bin")));
}

} // namespace
