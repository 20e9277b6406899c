#include "import/editor_text.h"

QString toEditorText(const QString &text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

QString fromEditorText(const QString &text)
{
    QString result = text;
    result.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return result;
}

qsizetype editorPosition(const QString &text, qsizetype position)
{
    const QString before = text.left(position);
    return position - before.count(QStringLiteral("\r\n"));
}
