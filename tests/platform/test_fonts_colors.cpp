// LOGFONT <-> QFont: the face a font names and the message font.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QRawFont>

#include "platform/FontMapping.h"
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

}  // namespace
