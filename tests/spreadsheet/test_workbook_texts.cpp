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

TEST(CellNames, FormulasShiftedToAnotherCell)
{
    struct Case {
        const char* formula;
        int rows, columns;
        const char* shifted;
    };
    for (const Case& c : {Case{"B4*2", 3, 0, "B7*2"}, Case{"$B$4+B$4+$B4+b4", 2, 1, "$B$4+C$4+$B6+C6"},
                          Case{"SUM(A1:B2,A:A,1:3)", 1, 1, "SUM(B2:C3,B:B,2:4)"},
                          Case{"LOG10(A1)&\"A1\"&'A1 x'!A1&Sheet2!A1", 1, 0, "LOG10(A2)&\"A1\"&'A1 x'!A2&Sheet2!A2"},
                          Case{"Tbl[[#This Row],[A1]]+[1]S!A1+1.5E3+TRUE", 0, 1, "Tbl[[#This Row],[A1]]+[1]S!B1+1.5E3+TRUE"},
                          Case{"XFD1+A1048576+SUM(A1:A1048576)+$XFD$1", 1, 1, "#REF!+#REF!+SUM(#REF!)+$XFD$1"}})
        EXPECT_EQ(ShiftFormula(c.formula, c.rows, c.columns), c.shifted) << c.formula;
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
