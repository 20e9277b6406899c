#include "import/paragraph_layout.h"

#include "import/add_pass.h"
#include "import/line_cleanup.h"
#include "import/text_normalisation.h"

ParagraphLayout detectParagraphLayout(const QString &text)
{
    const QStringList lines = splitBookLines(text);
    qsizetype filled = 0, indented = 0, beforeEmpty = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (isBlank(lines[i]))
            continue;
        ++filled;
        if (startsIndented(lines[i]))
            ++indented;
        if (i + 1 == lines.size() || isBlank(lines[i + 1]))
            ++beforeEmpty;
    }
    ParagraphLayout layout;
    layout.withoutIndent = filled > 0 && indented * 5 < filled && beforeEmpty * 2 < filled;
    const QString option = QStringLiteral("«Абзац НЕ начинается пробелом или табуляцией»");
    layout.status = layout.withoutIndent
                        ? QStringLiteral("Абзацы книги без отступов: ") + option + QStringLiteral(" включено.")
                        : QStringLiteral("Абзацы книги начинаются с отступа или отделены пустой строкой: ") + option
                              + QStringLiteral(" выключено.");
    return layout;
}
