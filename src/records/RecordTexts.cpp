#include "records/RecordTexts.h"

#include "records/NumberFormat.h"

std::string RecordNumberText(std::size_t position)
{
    std::string text;
    AppendDecimal(text, static_cast<std::uint64_t>(position) + 1);
    return text;
}

std::string_view WavelengthLabel(int wavelengthIndex)
{
    switch (wavelengthIndex) {
    case 0: return "1310";
    case 1: return "1490";
    case 2: return "1550";
    default: return {};
    }
}

std::string PowerText(float power)
{
    // Written as "not (>=)" so that NaN shows "Low" too.
    if (!(power >= LOW_POWER_LIMIT))
        return "Low";
    std::string text;
    AppendFixed2(text, power);
    return text;
}

std::string_view UnitText(std::uint16_t unitMode)
{
    return unitMode == 0 ? "dBm" : "dB";
}

std::string LevelText(float level)
{
    std::string text;
    AppendFixed2(text, level);
    return text;
}

ThresholdVerdict VerdictText(const MeterRecord& record, int wavelengthIndex)
{
    if (record.thresholdMode == 0)
        return ThresholdVerdict::Off;
    const WavelengthReading& r = record.readings[wavelengthIndex];
    const float p = r.power;
    // Each test is "not (p >= t)": a NaN power or threshold makes it true.
    // Thresholds are used in the order stored, whatever their values.
    if (!(p >= r.failThreshold))
        return ThresholdVerdict::Fail;
    if (!(p >= r.warnThreshold))
        return ThresholdVerdict::Wrng;
    if (!(p >= r.passThreshold))
        return ThresholdVerdict::Pass;
    return ThresholdVerdict::Fail;   // at or above PASS: too strong
}

std::string_view VerdictWord(ThresholdVerdict verdict)
{
    switch (verdict) {
    case ThresholdVerdict::Pass: return "pass";
    case ThresholdVerdict::Wrng: return "wrng";
    case ThresholdVerdict::Fail: return "fail";
    case ThresholdVerdict::Off: break;
    }
    return "off";
}

COLORREF VerdictColour(ThresholdVerdict verdict)
{
    switch (verdict) {
    case ThresholdVerdict::Pass: return RGB(0, 255, 0);
    case ThresholdVerdict::Wrng: return RGB(255, 255, 0);
    case ThresholdVerdict::Fail: return RGB(255, 0, 0);
    case ThresholdVerdict::Off: break;
    }
    return CLR_DEFAULT;
}

std::string DateText(const MeterRecord& record)
{
    std::string text;
    AppendHex(text, record.century);
    AppendHex(text, record.year);
    text += '/';
    AppendHex(text, record.month);
    text += '/';
    AppendHex(text, record.day);
    return text;
}

std::string TimeText(const MeterRecord& record)
{
    std::string text;
    AppendHex(text, record.hour);
    text += ':';
    AppendHex02(text, record.minute);
    text += ':';
    AppendHex02(text, record.second);
    return text;
}
