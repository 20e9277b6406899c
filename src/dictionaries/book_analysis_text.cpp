#include "book_analysis_text.h"

#include "app/project_store.h"
#include "common/replace_all.h"

QString bookAnalysisText(const QString &programFolder, const QStringList &books)
{
    static const QStringList markers = {
        QStringLiteral(" {повествование->} "), QStringLiteral(" {автор->} "), QStringLiteral(" {речь->} "),
        QStringLiteral(" {речь2->} "), QStringLiteral(" {пауза->} ")};
    QString text;
    for (const QString &book : books) {
        const QString folder = bookFolder(programFolder, book);
        const int blocks = countBlocks(folder);
        for (int n = 1; n <= blocks; ++n)
            text += readBlockFile(folder, n);
        text += u'\n';
    }
    for (const QString &marker : markers)
        text = ReplaceAll(text, marker, QString(), true);
    return text;
}
