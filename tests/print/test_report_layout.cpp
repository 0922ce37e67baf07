// Page arithmetic of the report, its viewport extent and its font.
#include "print/PrintFont.h"
#include "print/ReportLayout.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

TEST(ReportLayoutTest, OnePagePerStartedGroupOfEightAtLeastOne)
{
    // records, pages, records on the last page
    for (const auto& [records, pages, onLast] : {std::tuple<std::size_t, int, int>{0, 1, 0}, {1, 1, 1}, {8, 1, 8},
                                                 {9, 2, 1}, {16, 2, 8}, {17, 3, 1}, {65535, 8192, 7}}) {
        EXPECT_EQ(report::PageCount(records), pages) << records;
        EXPECT_EQ(report::RecordsOnPage(records, pages), onLast) << records;
        EXPECT_EQ(report::RecordsOnPage(records, pages + 1), 0) << records;
    }
}

TEST(ReportLayoutTest, ViewportExtentTruncatesIntegerDivisions)
{
    EXPECT_EQ(report::ViewportExtent(96, 96), (SIZE{872, 672}));
    EXPECT_EQ(report::ViewportExtent(1200, 300), (SIZE{10909, 2100}));
}

TEST(PrintFontTest, FieldsAndSettersThatRemakeTheFont)
{
    PrintFont font("黑体");
    const LOGFONT& lf = font.GetLogFont();
    EXPECT_EQ(std::tuple(lf.lfHeight, lf.lfWidth, lf.lfWeight, lf.lfCharSet, lf.lfQuality, lf.lfPitchAndFamily),
              std::tuple(-12, 0, 400, 1, 2, 0x12));
    EXPECT_STREQ(lf.lfFaceName, "黑体");
    EXPECT_EQ(font.SetFontHeight(15), -12) << "setters return the previous value";
    EXPECT_EQ(font.SetFontWidth(5), 0);
    EXPECT_EQ(font.SetFontHeight(20), 15);
    EXPECT_EQ(std::tuple(font.GetFont()->LogFont().lfHeight, font.GetFont()->LogFont().lfWidth), std::tuple(20, 5));
}

} // namespace
