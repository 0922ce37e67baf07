#include "platform/FontMapping.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

#include "platform/WinConstants.h"

namespace {

QString FaceName(const LOGFONT& lf)
{
    return QString::fromUtf8(lf.lfFaceName, static_cast<qsizetype>(strnlen(lf.lfFaceName, LF_FACESIZE)));
}

// Chinese faces of the Windows desktop; none of them exists here, so they go
// to the CJK fonts this system has instead of a Latin-only default.
bool IsChineseFace(const QString& face)
{
    static const QStringList known = {"SimSun", "NSimSun", "SimHei", "KaiTi", "FangSong", "Microsoft YaHei",
                                      "MS Song", "MingLiU", "PMingLiU"};
    for (QChar c : face)
        if (c.unicode() >= 0x80)
            return true;
    return known.contains(face, Qt::CaseInsensitive);
}

QStringList FamiliesFor(const QString& face)
{
    if (IsChineseFace(face))
        return {face, "WenQuanYi Micro Hei", "Noto Sans CJK SC", "Droid Sans Fallback"};
    return {face};
}

QFont::StyleHint StyleHintFor(BYTE pitchAndFamily)
{
    switch (pitchAndFamily & 0xF0) {
    case FF_ROMAN: return QFont::Serif;
    case FF_SWISS: return QFont::SansSerif;
    case FF_MODERN: return QFont::TypeWriter;
    default: return QFont::AnyStyle;
    }
}

int CellHeightOf(const QFont& font)
{
    const QFontMetrics m(font);
    return m.ascent() + m.descent();
}

// The pixel size whose ascent + descent comes closest to a cell height.
int PixelSizeForCellHeight(QFont font, int cellHeight)
{
    int size = cellHeight;
    for (int attempt = 0; attempt < 4; ++attempt) {
        font.setPixelSize(size);
        const int cell = CellHeightOf(font);
        if (cell == cellHeight || cell <= 0)
            break;
        const int next = std::max(1, static_cast<int>(std::lround(double(size) * cellHeight / cell)));
        if (next == size)
            break;
        size = next;
    }
    return size;
}

QFont MakeQFont(const LOGFONT& lf)
{
    QFont font = QGuiApplication::font();
    const QString face = FaceName(lf);
    if (!face.isEmpty())
        font.setFamilies(FamiliesFor(face));
    font.setStyleHint(StyleHintFor(lf.lfPitchAndFamily));
    if (lf.lfWeight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp<int>(lf.lfWeight, 1, 1000)));
    else
        font.setWeight(QFont::Normal);
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    if (lf.lfHeight < 0)
        font.setPixelSize(-lf.lfHeight);
    else if (lf.lfHeight > 0)
        font.setPixelSize(PixelSizeForCellHeight(font, lf.lfHeight));
    if (lf.lfWidth > 0) {
        const int natural = QFontMetrics(font).averageCharWidth();
        if (natural > 0)
            font.setStretch(std::clamp(static_cast<int>(std::lround(100.0 * lf.lfWidth / natural)), 1, 4000));
    }
    return font;
}

struct LogFontHash {
    size_t operator()(const LOGFONT& lf) const
    {
        size_t h = 1469598103934665603ull;
        auto mix = [&h](long v) { h = (h ^ static_cast<size_t>(v)) * 1099511628211ull; };
        mix(lf.lfHeight), mix(lf.lfWidth), mix(lf.lfWeight), mix(lf.lfItalic), mix(lf.lfUnderline);
        mix(lf.lfStrikeOut), mix(lf.lfPitchAndFamily);
        for (int i = 0; i < LF_FACESIZE && lf.lfFaceName[i]; ++i)
            mix(lf.lfFaceName[i]);
        return h;
    }
};

using FontCache = std::unordered_map<LOGFONT, QFont, LogFontHash>;

// Never destroyed: QFont objects must not outlive the font database at exit.
FontCache& Cache()
{
    static auto* cache = new FontCache;
    return *cache;
}

constexpr size_t kMaxCachedFonts = 512;

}  // namespace

const QFont& QFontFromLogFont(const LOGFONT& logFont)
{
    FontCache& cache = Cache();
    auto it = cache.find(logFont);
    if (it != cache.end())
        return it->second;
    if (cache.size() >= kMaxCachedFonts)
        cache.clear();
    return cache.emplace(logFont, MakeQFont(logFont)).first->second;
}

const QFont& QFontFromLogFont(const LOGFONT& logFont, double scaleX, double scaleY)
{
    if (scaleX == 1.0 && scaleY == 1.0)
        return QFontFromLogFont(logFont);
    LOGFONT device = logFont;
    device.lfHeight = static_cast<LONG>(std::lround(logFont.lfHeight * std::fabs(scaleY)));
    device.lfWidth = static_cast<LONG>(std::lround(logFont.lfWidth * std::fabs(scaleX)));
    if (logFont.lfHeight != 0 && device.lfHeight == 0)
        device.lfHeight = logFont.lfHeight < 0 ? -1 : 1;
    return QFontFromLogFont(device);
}

LOGFONT LogFontFromQFont(const QFont& font)
{
    LOGFONT lf;
    double pixels = font.pixelSize();
    if (pixels <= 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
        pixels = font.pointSizeF() * dpi / 72.0;
    }
    lf.lfHeight = -static_cast<LONG>(std::lround(pixels));
    lf.lfWeight = static_cast<LONG>(font.weight());
    lf.lfItalic = font.italic() ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.SetFaceName(font.family().toStdString());
    return lf;
}

LOGFONT GetMessageLogFont()
{
    return LogFontFromQFont(QGuiApplication::font());
}

void ClearFontCache()
{
    Cache().clear();
}
