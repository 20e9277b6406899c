#include "common/terminal_columns.h"

namespace {

bool isWide(char32_t c)
{
    struct Range
    {
        char32_t first, last;
    };
    // East Asian wide and full-width blocks, and the emoji a title may hold.
    static constexpr Range kWide[] = {
        {0x1100, 0x115F}, {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},
        {0xA000, 0xA4CF}, {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE30, 0xFE4F},   {0xFF00, 0xFF60},
        {0xFFE0, 0xFFE6}, {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
    };
    for (const Range &range : kWide)
        if (c >= range.first && c <= range.last)
            return true;
    return false;
}

int columnsOf(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    if (category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing || c == 0x200B)
        return 0;
    return isWide(c) ? 2 : 1;
}

// The code point at `at` and how many UTF-16 units it takes.
char32_t codePointAt(const QString &text, qsizetype at, qsizetype &units)
{
    const QChar c = text.at(at);
    if (c.isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate()) {
        units = 2;
        return QChar::surrogateToUcs4(c, text.at(at + 1));
    }
    units = 1;
    return c.unicode();
}

} // namespace

int terminalColumnsOf(const QString &text)
{
    int columns = 0;
    qsizetype units = 1;
    for (qsizetype at = 0; at < text.size(); at += units)
        columns += columnsOf(codePointAt(text, at, units));
    return columns;
}

QString cutToColumns(const QString &text, int columns)
{
    if (terminalColumnsOf(text) <= columns)
        return text;
    if (columns <= 0)
        return QString();
    const QString ellipsis = QStringLiteral("…");
    // The ellipsis takes the last column.
    int used = 0;
    qsizetype at = 0;
    qsizetype units = 1;
    for (; at < text.size(); at += units) {
        const int width = columnsOf(codePointAt(text, at, units));
        if (used + width > columns - 1)
            break;
        used += width;
    }
    return text.left(at) + ellipsis;
}
