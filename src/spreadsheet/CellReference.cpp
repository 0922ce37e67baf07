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

namespace {

// One side of a reference: a cell ("$B4"), or of a range a column ("B") or a row ("4").
struct ReferencePart {
    enum class Kind { Cell, Column, Row } kind = Kind::Cell;
    int row = 0, column = 0;
    bool fixedRow = false, fixedColumn = false;
};

bool IsNameChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '$' || c == '_' || c == '.'
        || c == '\\' || u >= 0x80;
}

std::optional<ReferencePart> ParseReferencePart(std::string_view token)
{
    std::size_t at = 0;
    auto run = [&](auto accepts) {
        const std::size_t from = at;
        while (at < token.size() && accepts(token[at]))
            ++at;
        return token.substr(from, at - from);
    };
    auto dollar = [&] {
        const bool found = at < token.size() && token[at] == '$';
        at += found ? 1 : 0;
        return found;
    };
    ReferencePart part;
    const bool firstDollar = dollar();
    const std::string_view letters = run([](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
    const bool secondDollar = !letters.empty() && dollar();
    const std::string_view digits = run([](char c) { return c >= '0' && c <= '9'; });
    if (at != token.size() || (letters.empty() && digits.empty()) || (digits.empty() && secondDollar))
        return std::nullopt;
    if (!letters.empty()) {
        const std::optional<int> column = ParseColumnName(letters);
        if (!column)
            return std::nullopt;
        part.column = *column;
        part.fixedColumn = firstDollar;
    }
    if (!digits.empty()) {
        if (digits.front() == '0' || digits.size() > 7)
            return std::nullopt;
        for (char c : digits)
            part.row = part.row * 10 + (c - '0');
        if (part.row > kMaxRows)
            return std::nullopt;
        part.fixedRow = letters.empty() ? firstDollar : secondDollar;
    }
    part.kind = letters.empty() ? ReferencePart::Kind::Row : digits.empty() ? ReferencePart::Kind::Column : ReferencePart::Kind::Cell;
    return part;
}

// Moves the part's relative sides; false when it leaves the sheet.
bool ShiftPart(ReferencePart& part, int rows, int columns)
{
    bool inside = true;
    if (part.kind != ReferencePart::Kind::Row) {
        if (!part.fixedColumn)
            part.column += columns;
        inside = part.column >= 1 && part.column <= kMaxColumns;
    }
    if (part.kind != ReferencePart::Kind::Column) {
        if (!part.fixedRow)
            part.row += rows;
        inside = inside && part.row >= 1 && part.row <= kMaxRows;
    }
    return inside;
}

std::string PartText(const ReferencePart& part)
{
    std::string text;
    if (part.kind != ReferencePart::Kind::Row)
        text += (part.fixedColumn ? "$" : "") + ColumnName(part.column);
    if (part.kind != ReferencePart::Kind::Column)
        text += (part.fixedRow ? "$" : "") + std::to_string(part.row);
    return text;
}

// The end of a quoted text or sheet name starting at `at` (a doubled quote stays inside).
std::size_t QuotedEnd(std::string_view formula, std::size_t at)
{
    const char quote = formula[at];
    for (++at; at < formula.size(); ++at) {
        if (formula[at] != quote)
            continue;
        if (at + 1 < formula.size() && formula[at + 1] == quote)
            ++at;
        else
            return at + 1;
    }
    return formula.size();
}

// The end of a bracketed part ("[1]", "Table1[[#This Row],[Col]]") starting at `at`.
std::size_t BracketEnd(std::string_view formula, std::size_t at)
{
    int depth = 0;
    for (; at < formula.size(); ++at) {
        depth += formula[at] == '[' ? 1 : formula[at] == ']' ? -1 : 0;
        if (depth == 0)
            return at + 1;
    }
    return formula.size();
}

} // namespace

std::string ShiftFormula(std::string_view formula, int rows, int columns)
{
    std::string out;
    std::size_t at = 0;
    // The name-like token at `from` and where it ends.
    auto tokenAt = [&](std::size_t from) {
        std::size_t end = from;
        while (end < formula.size() && IsNameChar(formula[end]))
            ++end;
        return formula.substr(from, end - from);
    };
    // A token right before "(", "!" or "[" names a function, sheet or table.
    auto isReference = [&](std::string_view token, std::size_t end) {
        return end >= formula.size() || (formula[end] != '(' && formula[end] != '!' && formula[end] != '[') ? ParseReferencePart(token)
                                                                                                            : std::nullopt;
    };
    while (at < formula.size()) {
        const char c = formula[at];
        if (c == '"' || c == '\'' || c == '[' || !IsNameChar(c)) {
            const std::size_t end = c == '"' || c == '\'' ? QuotedEnd(formula, at) : c == '[' ? BracketEnd(formula, at) : at + 1;
            out += formula.substr(at, end - at);
            at = end;
            continue;
        }
        const std::string_view token = tokenAt(at);
        std::size_t end = at + token.size();
        std::optional<ReferencePart> first = isReference(token, end), second;
        if (first && end < formula.size() && formula[end] == ':') {
            const std::string_view next = tokenAt(end + 1);
            second = isReference(next, end + 1 + next.size());
            if (second && second->kind == first->kind)
                end += 1 + next.size();
            else
                second.reset();
        }
        if (!first || (!second && first->kind != ReferencePart::Kind::Cell)) {
            out += token;
        } else if (!ShiftPart(*first, rows, columns) || (second && !ShiftPart(*second, rows, columns))) {
            out += "#REF!";
        } else {
            out += PartText(*first);
            if (second)
                out += ":" + PartText(*second);
        }
        at = end;
    }
    return out;
}
