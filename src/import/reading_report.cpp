#include "import/reading_report.h"

#include "common/russian_count.h"

#include <QStringList>

namespace {

QString implausibleNote(const ReadingReport &report)
{
    if (report.encodingChosen)
        return QStringLiteral("в кодировке %1 буквы не похожи на русский текст").arg(report.encoding);
    if (report.encodingGuessed)
        return QStringLiteral("буквы не похожи на русский текст ни в одной кодировке (прочитан как %1)")
            .arg(report.encoding);
    return QStringLiteral("в кодировке %1, которую называет файл, буквы не похожи на русский текст")
        .arg(report.encoding);
}

// The encoding, and why it is that one, where the user may want to know.
QString encodingNote(const ReadingReport &report)
{
    if (report.implausibleLetters)
        return implausibleNote(report);
    if (!report.overruledDeclaration.isEmpty())
        return QStringLiteral("%1 (файл называет кодировку %2, но текст не в ней)")
            .arg(report.encoding, report.overruledDeclaration);
    if (report.encodingChosen)
        return QStringLiteral("%1 (выбрана вручную)").arg(report.encoding);
    // Windows-1251 is what a Russian text file is unless it says otherwise.
    if (report.encodingGuessed && report.encoding != u"Windows-1251")
        return QStringLiteral("%1 (определена по буквам текста)").arg(report.encoding);
    return report.replacedBytes > 0 ? report.encoding : QString();
}

} // namespace

QString ReadingReport::notes() const
{
    QStringList parts;
    if (const QString encodingPart = encodingNote(*this); !encodingPart.isEmpty())
        parts << encodingPart;
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
