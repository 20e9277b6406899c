#include "import/rtf_paragraph_text.h"

#include <QStringList>

QString rtfParagraphText(const RtfDocument &document)
{
    static const QString kParagraphMark = QStringLiteral("    ");
    QStringList lines;
    lines.reserve(document.paragraphs.size());
    for (const RtfParagraph &paragraph : document.paragraphs) {
        const bool marked = paragraph.firstLineIndent > 0 && !paragraph.text.isEmpty();
        lines.append(marked ? kParagraphMark + paragraph.text : paragraph.text);
    }
    return lines.join(u"\r\n");
}
