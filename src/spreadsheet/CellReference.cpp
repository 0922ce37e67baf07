#include "spreadsheet/CellReference.h"

std::string ColumnName(int column)
{
    std::string letters;
    for (; column > 0; column = (column - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (column - 1) % 26));
    return letters;
}

std::string CellName(int row, int column)
{
    return ColumnName(column) + std::to_string(row);
}

std::optional<int> ParseColumnName(std::string_view letters)
{
    if (letters.empty() || letters.size() > 3)
        return std::nullopt;
    int column = 0;
    for (char c : letters) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c < 'A' || c > 'Z')
            return std::nullopt;
        column = column * 26 + (c - 'A' + 1);
    }
    if (column > kMaxColumns)
        return std::nullopt;
    return column;
}

std::optional<CellPosition> ParseCellName(std::string_view name)
{
    auto skipDollar = [&name] {
        if (!name.empty() && name.front() == '$')
            name.remove_prefix(1);
    };
    skipDollar();
    std::size_t letters = 0;
    while (letters < name.size() && ((name[letters] >= 'A' && name[letters] <= 'Z') || (name[letters] >= 'a' && name[letters] <= 'z')))
        ++letters;
    const std::optional<int> column = ParseColumnName(name.substr(0, letters));
    name.remove_prefix(letters);
    skipDollar();
    if (!column || name.empty() || name.size() > 7 || name.front() == '0')
        return std::nullopt;
    int row = 0;
    for (char c : name) {
        if (c < '0' || c > '9')
            return std::nullopt;
        row = row * 10 + (c - '0');
    }
    if (row > kMaxRows)
        return std::nullopt;
    return CellPosition{row, *column};
}
