#include "import/reading_report.h"

#include "common/russian_count.h"

#include <QStringList>

QString ReadingReport::notes() const
{
    QStringList parts;
    if (!overruledDeclaration.isEmpty())
        parts
            << QStringLiteral("%1 (файл называет кодировку %2, но текст не в ней)").arg(encoding, overruledDeclaration);
    else if (replacedBytes > 0)
        parts << encoding;
    if (replacedBytes > 0) {
        const QString bytes =
            russianCount(replacedBytes, QStringLiteral("повреждённый байт заменён"),
                         QStringLiteral("повреждённых байта заменены"), QStringLiteral("повреждённых байтов заменены"));
        parts << bytes;
    }
    if (!complete)
        parts << QStringLiteral("прочитано только %1% файла").arg(percentRead);
    return parts.join(QStringLiteral(", "));
}
