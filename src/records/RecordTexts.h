#pragma once
// How record fields become table texts. Numbers follow the C library's printf
// conversions exactly ("%d", "%.2f", "%x", "%02x"), NaN and infinities included.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/WinTypes.h"
#include "records/MeterRecord.h"

// Powers below this (or NaN) show as "Low".
constexpr float LOW_POWER_LIMIT = -90.0f;

enum class ThresholdVerdict { Off, Pass, Wrng, Fail };

// Position from 0 in the RecordList, shown from 1.
std::string RecordNumberText(std::size_t position);
// "1310", "1490", "1550" for wavelength index 0, 1, 2; empty otherwise.
std::string_view WavelengthLabel(int wavelengthIndex);
// "Low" when not (power >= LOW_POWER_LIMIT), else "%.2f".
std::string PowerText(float power);
// "dBm" when unitMode is 0, else "dB".
std::string_view UnitText(std::uint16_t unitMode);
// "%.2f" of a reference level or threshold.
std::string LevelText(float level);
// Threshold evaluation of one wavelength of a record (uses the stored power).
ThresholdVerdict VerdictText(const MeterRecord& record, int wavelengthIndex);
// "off", "pass", "wrng", "fail".
std::string_view VerdictWord(ThresholdVerdict verdict);
// Background of the verdict cell; CLR_DEFAULT (grid's default) for off.
COLORREF VerdictColour(ThresholdVerdict verdict);
// "%x%x/%x/%x" of century, year, month, day: 2011/5/23.
std::string DateText(const MeterRecord& record);
// "%x:%02x:%02x" of hour, minute, second: 9:05:07.
std::string TimeText(const MeterRecord& record);
