#include "import/placeholder_metadata.h"

#include <QStringList>

bool isPlaceholderName(const QString &value)
{
    static const QStringList kPlaceholders = {
        QStringLiteral("unknown"),    QStringLiteral("unknown author"),    QStringLiteral("author unknown"),
        QStringLiteral("untitled"),   QStringLiteral("неизвестный"),       QStringLiteral("неизвестен"),
        QStringLiteral("неизвестно"), QStringLiteral("неизвестный автор"), QStringLiteral("автор неизвестен"),
        QStringLiteral("без автора"), QStringLiteral("нет автора"),
    };
    return kPlaceholders.contains(value.simplified().toLower());
}
