// Cell names and the escaping of texts XML cannot hold.
#include <gtest/gtest.h>

#include "spreadsheet/CellReference.h"
#include "spreadsheet/XmlText.h"

namespace {

TEST(CellNames, NamesAndPositions)
{
    struct Case {
        int row, column;
        const char* name;
    };
    for (const Case& c : {Case{1, 1, "A1"}, Case{4, 13, "M4"}, Case{6, 26, "Z6"}, Case{1, 27, "AA1"}, Case{9, 702, "ZZ9"},
                          Case{1, 703, "AAA1"}, Case{1048576, 16384, "XFD1048576"}}) {
        EXPECT_EQ(CellName(c.row, c.column), c.name);
        EXPECT_EQ(ParseCellName(c.name), (CellPosition{c.row, c.column})) << c.name;
    }
    EXPECT_EQ(ParseCellName("$F$6"), (CellPosition{6, 6}));
    for (const char* bad : {"", "A", "6", "A0", "A01", "XFE1", "A1048577", "6F", "F6:", "F-6"})
        EXPECT_FALSE(ParseCellName(bad).has_value()) << bad;
}

TEST(CellText, ControlCharactersAndLiteralEscapesSurviveTheRoundTrip)
{
    struct Case {
        const char* text;
        const char* stored;
    };
    for (const Case& c : {Case{"OLT-A", "OLT-A"}, Case{"tab\tand\nline", "tab\tand\nline"},
                          Case{"bell\x07", "bell_x0007_"}, Case{"cr\r", "cr_x000D_"}, Case{"\x1f\x7f", "_x001F__x007F_"},
                          Case{"_x0041_", "_x005F_x0041_"}, Case{"_x41_ _xZZZZ_", "_x41_ _xZZZZ_"},
                          Case{"光功率", "光功率"}}) {
        EXPECT_EQ(EscapeCellText(c.text), c.stored) << c.text;
        EXPECT_EQ(UnescapeCellText(EscapeCellText(c.text)), c.text) << c.text;
    }
}

} // namespace
