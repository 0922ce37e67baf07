// LOGFONT <-> QFont, the message font, and system colours from the palette.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPalette>
#include <QRawFont>

#include "platform/FontMapping.h"
#include "platform/SysColors.h"
#include "platform/SystemSettings.h"
#include "platform/WinConstants.h"

namespace {

LOGFONT Font(LONG height, LONG weight, const char* face, LONG width = 0)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfWidth = width;
    lf.SetFaceName(face);
    return lf;
}

TEST(FontMapping, HeightAndWeight)
{
    struct Case {
        const char* name;
        LOGFONT lf;
        int pixelSize;
        QFont::Weight weight;
    };
    const Case cases[] = {
        {"negative height is the character height", Font(-12, FW_NORMAL, "DejaVu Sans"), 12, QFont::Normal},
        {"semibold header", Font(-12, FW_SEMIBOLD, "DejaVu Sans"), 12, QFont::DemiBold},
        {"bold", Font(-9, FW_BOLD, "DejaVu Sans"), 9, QFont::Bold},
        {"weight 0 is normal", Font(-20, 0, "DejaVu Sans"), 20, QFont::Normal},
    };
    for (const Case& c : cases) {
        const QFont& font = QFontFromLogFont(c.lf);
        EXPECT_EQ(font.pixelSize(), c.pixelSize) << c.name;
        EXPECT_EQ(font.weight(), c.weight) << c.name;
    }
}

TEST(FontMapping, PositiveHeightIsTheCellHeight)
{
    for (int cell : {15, 24, 60}) {
        const QFont& font = QFontFromLogFont(Font(cell, FW_NORMAL, "DejaVu Sans"));
        const QFontMetrics m(font);
        EXPECT_NEAR(m.ascent() + m.descent(), cell, 1) << cell;
        EXPECT_LT(font.pixelSize(), cell) << "the character height is smaller than the cell";
    }
}

TEST(FontMapping, AverageWidthStretchesTheFont)
{
    const QFont& natural = QFontFromLogFont(Font(-40, FW_NORMAL, "DejaVu Sans"));
    const QFont& narrow = QFontFromLogFont(Font(-40, FW_NORMAL, "DejaVu Sans", 10));
    const int naturalWidth = QFontMetrics(natural).horizontalAdvance(QStringLiteral("abcdefghij"));
    const int narrowWidth = QFontMetrics(narrow).horizontalAdvance(QStringLiteral("abcdefghij"));
    EXPECT_LT(narrow.stretch(), 100);
    EXPECT_LT(narrowWidth, naturalWidth * 9 / 10);
}

TEST(FontMapping, StyleFlagsAndCacheIdentity)
{
    LOGFONT lf = Font(-12, FW_NORMAL, "DejaVu Sans");
    lf.lfItalic = lf.lfUnderline = lf.lfStrikeOut = 1;
    const QFont& font = QFontFromLogFont(lf);
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_TRUE(font.strikeOut());
    EXPECT_EQ(&QFontFromLogFont(lf), &font) << "the same LOGFONT comes from the cache";
}

TEST(FontMapping, ChineseFacesRenderWithACjkFont)
{
    for (const char* face : {"黑体", "宋体", "SimSun"}) {
        const QFont& font = QFontFromLogFont(Font(-16, FW_NORMAL, face));
        const QRawFont raw = QRawFont::fromFont(font, QFontDatabase::SimplifiedChinese);
        ASSERT_TRUE(raw.isValid()) << face;
        EXPECT_TRUE(raw.supportsCharacter(QChar(0x9ED1))) << face << " resolved to " << raw.familyName().toStdString();
    }
}

TEST(FontMapping, MissingLatinFaceStillGivesAFont)
{
    const QFont& font = QFontFromLogFont(Font(-9, FW_NORMAL, "Times New Roman"));
    const QRawFont raw = QRawFont::fromFont(font);
    ASSERT_TRUE(raw.isValid());
    EXPECT_TRUE(raw.supportsCharacter(QLatin1Char('P')));
}

TEST(FontMapping, MessageFontComesFromTheApplicationFont)
{
    const QFont saved = QApplication::font();
    QFont app(QStringLiteral("DejaVu Sans"));
    app.setPixelSize(13);
    app.setWeight(QFont::Bold);
    QApplication::setFont(app);
    const LOGFONT lf = GetMessageLogFont();
    QApplication::setFont(saved);
    EXPECT_EQ(lf.lfHeight, -13);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_STREQ(lf.lfFaceName, "DejaVu Sans");
    EXPECT_EQ(QFontFromLogFont(lf).pixelSize(), 13) << "round trip";
}

TEST(SysColors, FollowTheApplicationPalette)
{
    const QPalette saved = QApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Highlight, QColor(10, 20, 30));
    palette.setColor(QPalette::HighlightedText, QColor(40, 50, 60));
    palette.setColor(QPalette::Dark, QColor(70, 80, 90));
    palette.setColor(QPalette::ToolTipBase, QColor(100, 110, 120));
    QApplication::setPalette(palette);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(1, 2, 3));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(10, 20, 30));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHTTEXT), RGB(40, 50, 60));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), RGB(70, 80, 90));
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(100, 110, 120));
    QApplication::setPalette(saved);
}

TEST(SysColors, ColorRefRoundTrip)
{
    EXPECT_EQ(ToQColor(RGB(255, 0, 0)), QColor(255, 0, 0));
    EXPECT_EQ(ToColorRef(QColor(0, 255, 255)), RGB(0, 255, 255));
    EXPECT_EQ(ToColorRef(ToQColor(0x00123456)), 0x00123456u);
}

TEST(SystemSettings, WheelScrollLinesFollowsTheApplication)
{
    const int saved = QApplication::wheelScrollLines();
    QApplication::setWheelScrollLines(7);
    EXPECT_EQ(GetWheelScrollLines(), 7);
    QApplication::setWheelScrollLines(saved);
}

}  // namespace
