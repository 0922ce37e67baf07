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

#include <string>
#include <tuple>

namespace {

LOGFONT Font(LONG height, LONG weight, const char* face = "DejaVu Sans", LONG width = 0)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfWidth = width;
    lf.SetFaceName(face);
    return lf;
}

TEST(FontMapping, HeightWeightWidthAndStyle)
{
    const struct {
        LOGFONT lf;
        int pixelSize;
        QFont::Weight weight;
    } cases[] = {
        {Font(-12, FW_NORMAL), 12, QFont::Normal},   // negative height is the character height
        {Font(-12, FW_SEMIBOLD), 12, QFont::DemiBold},
        {Font(-9, FW_BOLD), 9, QFont::Bold},
        {Font(-20, 0), 20, QFont::Normal},   // weight 0 is normal
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::pair(QFontFromLogFont(c.lf).pixelSize(), QFontFromLogFont(c.lf).weight()), std::pair(c.pixelSize, c.weight))
            << c.lf.lfHeight << ", " << c.lf.lfWeight;
    for (int cell : {15, 24, 60}) {
        const QFont& font = QFontFromLogFont(Font(cell, FW_NORMAL));
        const QFontMetrics m(font);
        EXPECT_NEAR(m.ascent() + m.descent(), cell, 1) << "positive height is the cell height";
        EXPECT_LT(font.pixelSize(), cell) << "the character height is smaller than the cell";
    }
    const QFont& natural = QFontFromLogFont(Font(-40, FW_NORMAL));
    const QFont& narrow = QFontFromLogFont(Font(-40, FW_NORMAL, "DejaVu Sans", 10));
    const QString sample = QStringLiteral("abcdefghij");
    EXPECT_LT(narrow.stretch(), 100);
    EXPECT_LT(QFontMetrics(narrow).horizontalAdvance(sample), QFontMetrics(natural).horizontalAdvance(sample) * 9 / 10)
        << "an average width stretches the font";

    LOGFONT styled = Font(-12, FW_NORMAL);
    styled.lfItalic = styled.lfUnderline = styled.lfStrikeOut = 1;
    const QFont& font = QFontFromLogFont(styled);
    EXPECT_TRUE(font.italic() && font.underline() && font.strikeOut());
    EXPECT_EQ(&QFontFromLogFont(styled), &font) << "the same LOGFONT comes from the cache";
}

TEST(FontMapping, FacesResolveToFontsWithTheirCharacters)
{
    for (const char* face : {"黑体", "宋体", "SimSun"}) {
        const QRawFont raw = QRawFont::fromFont(QFontFromLogFont(Font(-16, FW_NORMAL, face)), QFontDatabase::SimplifiedChinese);
        ASSERT_TRUE(raw.isValid()) << face;
        EXPECT_TRUE(raw.supportsCharacter(QChar(0x9ED1))) << face << " resolved to " << raw.familyName().toStdString();
    }
    const QRawFont latin = QRawFont::fromFont(QFontFromLogFont(Font(-9, FW_NORMAL, "Times New Roman")));
    EXPECT_TRUE(latin.isValid() && latin.supportsCharacter(QLatin1Char('P'))) << "a missing Latin face still gives a font";
    EXPECT_EQ(QFontFromLogFont(Font(-9, FW_NORMAL, "Times New Roman")).families().value(0), "Times New Roman")
        << "the face the font names is asked for first";
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
    EXPECT_EQ(std::tuple(lf.lfHeight, lf.lfWeight, std::string(lf.lfFaceName)), std::tuple(-13, FW_BOLD, "DejaVu Sans"));
    EXPECT_EQ(QFontFromLogFont(lf).pixelSize(), 13) << "round trip";
}

TEST(SysColors, FollowTheApplicationPaletteAndSettings)
{
    const QPalette saved = QApplication::palette();
    const struct {
        QPalette::ColorRole role;
        int index;
        COLORREF expected;
    } cases[] = {{QPalette::Base, COLOR_WINDOW, RGB(1, 2, 3)},
                 {QPalette::Highlight, COLOR_HIGHLIGHT, RGB(10, 20, 30)},
                 {QPalette::HighlightedText, COLOR_HIGHLIGHTTEXT, RGB(40, 50, 60)},
                 {QPalette::Dark, COLOR_BTNSHADOW, RGB(70, 80, 90)},
                 {QPalette::ToolTipBase, COLOR_INFOBK, RGB(100, 110, 120)}};
    QPalette palette = saved;
    for (const auto& c : cases)
        palette.setColor(c.role, ToQColor(c.expected));
    QApplication::setPalette(palette);
    for (const auto& c : cases)
        EXPECT_EQ(GetSysColor(c.index), c.expected) << c.index;
    QApplication::setPalette(saved);
    EXPECT_EQ(ToQColor(RGB(255, 0, 0)), QColor(255, 0, 0)) << "COLORREF is 0x00BBGGRR";
    EXPECT_EQ(ToColorRef(QColor(0, 255, 255)), RGB(0, 255, 255));

    const int savedLines = QApplication::wheelScrollLines();
    QApplication::setWheelScrollLines(7);
    const int lines = GetWheelScrollLines();
    QApplication::setWheelScrollLines(savedLines);
    EXPECT_EQ(lines, 7);
}

}  // namespace
