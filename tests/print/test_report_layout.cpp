// Page arithmetic of the report, its viewport extent and its font.
#include "print/PrintFont.h"
#include "print/ReportLayout.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

struct PageCase {
    std::size_t records;
    int pages;
    int recordsOnLastPage;
};

void PrintTo(const PageCase& c, std::ostream* os)
{
    *os << c.records << " records: " << c.pages << " pages, " << c.recordsOnLastPage << " on the last";
}

class PageCountTest : public ::testing::TestWithParam<PageCase> {};

TEST_P(PageCountTest, OnePagePerStartedGroupOfEightAtLeastOne)
{
    const PageCase& c = GetParam();
    EXPECT_EQ(report::PageCount(c.records), c.pages);
    EXPECT_EQ(report::RecordsOnPage(c.records, c.pages), c.recordsOnLastPage);
    EXPECT_EQ(report::RecordsOnPage(c.records, c.pages + 1), 0);
}

INSTANTIATE_TEST_SUITE_P(Counts, PageCountTest,
                         ::testing::Values(PageCase{0, 1, 0}, PageCase{1, 1, 1}, PageCase{8, 1, 8},
                                           PageCase{9, 2, 1}, PageCase{16, 2, 8}, PageCase{17, 3, 1},
                                           PageCase{65535, 8192, 7}),
                         [](const ::testing::TestParamInfo<PageCase>& info) {
                             return std::to_string(info.param.records) + "_records";
                         });

TEST(ReportLayoutTest, ViewportExtentTruncatesIntegerDivisions)
{
    EXPECT_EQ(report::ViewportExtent(96, 96), (SIZE{872, 672}));
    EXPECT_EQ(report::ViewportExtent(1200, 300), (SIZE{10909, 2100}));
}

TEST(PrintFontTest, FieldsAndSettersThatRemakeTheFont)
{
    PrintFont font("黑体");
    const LOGFONT& lf = font.GetLogFont();
    EXPECT_EQ(std::tuple(lf.lfHeight, lf.lfWidth, lf.lfWeight), std::tuple(-12, 0, 400));
    EXPECT_EQ(std::tuple(lf.lfCharSet, lf.lfQuality, lf.lfPitchAndFamily), std::tuple(1, 2, 0x12));
    EXPECT_STREQ(lf.lfFaceName, "黑体");
    EXPECT_EQ(font.GetFont()->LogFont(), lf);
    EXPECT_EQ(font.SetFontHeight(15), -12) << "setters return the previous value";
    EXPECT_EQ(font.SetFontWidth(5), 0);
    EXPECT_EQ(font.SetFontHeight(20), 15);
    EXPECT_EQ(font.GetFont()->LogFont().lfHeight, 20);
    EXPECT_EQ(font.GetFont()->LogFont().lfWidth, 5);
}

} // namespace
