#include "import/text_file_export.h"

#include "common/text_codec.h"
#include "common/user_file.h"

#include <QRegularExpression>

QString withTxtExtension(const QString &path)
{
    if (path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive))
        return path;
    return path + QStringLiteral(".txt");
}

bool saveTextFile(const QString &path, const QString &text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QString crlf = text;
    crlf.replace(lineEnd, QStringLiteral("\r\n"));
    return UserFile::writeBytes(path, Codec::toCp1251(crlf));
}
