#include "print/ReportLayout.h"

namespace report {
namespace {

constexpr std::array<std::string_view, kColumnCount> kHeaderLine1{
    "No.", "OLT name", "ONT name", "Wavelength", "Power", "Unit", "Ref.", "Thres.", "", "", "", "Date", "Time"};
constexpr std::array<std::string_view, kColumnCount> kHeaderLine2{
    "", "", "", "", "", "", "(dBm)", "Status", "PASS", "WRNG", "FAIL", "", ""};

static_assert(ColumnLeft(13) == 851);
static_assert(ColumnLeft(8) == 547);

} // namespace

std::string_view HeaderLine1(int column)
{
    return column >= 0 && column < kColumnCount ? kHeaderLine1[static_cast<std::size_t>(column)] : "";
}

std::string_view HeaderLine2(int column)
{
    return column >= 0 && column < kColumnCount ? kHeaderLine2[static_cast<std::size_t>(column)] : "";
}

int PageCount(std::size_t recordCount)
{
    if (recordCount <= static_cast<std::size_t>(kRecordsPerPage))
        return 1;
    return static_cast<int>((recordCount + kRecordsPerPage - 1) / kRecordsPerPage);
}

int RecordsOnPage(std::size_t recordCount, int page)
{
    if (page < 1)
        return 0;
    const std::size_t first = static_cast<std::size_t>(page - 1) * kRecordsPerPage;
    if (first >= recordCount)
        return 0;
    const std::size_t left = recordCount - first;
    return static_cast<int>(left < kRecordsPerPage ? left : kRecordsPerPage);
}

} // namespace report
