#include "grid/GridFind.h"

#include "grid/store/GridCellStore.h"

#include <algorithm>

namespace {

char FoldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Chinese and most other scripts have no case; only letters that do need
// the slow comparison through QString.
bool HasCasedNonAscii(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x80 && c.toLower() != c.toUpper(); });
}

} // namespace

GridTextMatcher::GridTextMatcher(std::string text, bool matchCase)
    : needle(std::move(text))
    , matchCase(matchCase)
{
    if (matchCase)
        return;
    std::transform(needle.begin(), needle.end(), needle.begin(), FoldAscii);
    const QString unicode = QString::fromStdString(needle);
    if (HasCasedNonAscii(unicode))
        unicodeNeedle = unicode;
}

bool GridTextMatcher::Matches(std::string_view cellText) const
{
    if (needle.empty() || cellText.size() < needle.size())
        return false;
    if (matchCase)
        return cellText.find(needle) != std::string_view::npos;
    if (!unicodeNeedle.isEmpty())
        return QString::fromUtf8(cellText.data(), static_cast<qsizetype>(cellText.size()))
            .contains(unicodeNeedle, Qt::CaseInsensitive);
    return std::search(cellText.begin(), cellText.end(), needle.begin(), needle.end(),
                       [](char a, char b) { return FoldAscii(a) == b; }) != cellText.end();
}

GridSearchOrder::GridSearchOrder(const GridCellStore& store)
    : store(&store)
    , firstRow(store.FixedRowCount())
    , firstColumn(store.FixedColumnCount())
    , rowCount(std::max(0, store.RowCount() - store.FixedRowCount()))
    , columnCount(std::max(0, store.ColumnCount() - store.FixedColumnCount()))
{
}

long long GridSearchOrder::Size() const
{
    return static_cast<long long>(rowCount) * columnCount;
}

CellId GridSearchOrder::CellAt(long long position) const
{
    return {firstRow + static_cast<int>(position / columnCount), firstColumn + static_cast<int>(position % columnCount)};
}

long long GridSearchOrder::PositionOf(CellId cell) const
{
    if (!store->IsValid(cell) || cell.row < firstRow || cell.col < firstColumn)
        return -1;
    return static_cast<long long>(cell.row - firstRow) * columnCount + (cell.col - firstColumn);
}

bool GridSearchOrder::Visits(long long position) const
{
    const CellId cell = CellAt(position);
    return !store->GetCellMerge(cell.row, cell.col).covered;
}

bool GridSearchOrder::Matches(long long position, const GridTextMatcher& matcher) const
{
    const CellId cell = CellAt(position);
    return Visits(position) && matcher.Matches(store->ItemTextView(cell.row, cell.col));
}

GridFindResult FindCell(const GridCellStore& store, const GridTextMatcher& matcher, CellId from, bool forward,
                        bool includeFrom)
{
    const GridSearchOrder order(store);
    const long long size = order.Size();
    if (matcher.IsEmpty() || size == 0)
        return {};
    long long start = order.PositionOf(from);
    if (start < 0) {
        start = forward ? 0 : size - 1;
        includeFrom = true;
    }
    const long long step = forward ? 1 : -1;
    for (long long k = includeFrom ? 0 : 1; k <= size - (includeFrom ? 1 : 0); ++k) {
        const long long unwrapped = start + step * k;
        const long long position = (unwrapped % size + size) % size;
        if (order.Matches(position, matcher))
            return {order.CellAt(position), unwrapped != position};
    }
    return {};
}

long long CountMatches(const GridCellStore& store, const GridTextMatcher& matcher, long long first, long long end)
{
    const GridSearchOrder order(store);
    long long count = 0;
    for (long long position = std::max(0LL, first); position < std::min(end, order.Size()); ++position)
        count += order.Matches(position, matcher) ? 1 : 0;
    return count;
}
