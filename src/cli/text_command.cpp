// lectorium-cli text [--info] [--encoding NAME] BOOK: the text the book
// editor would receive from a book file (UTF-8, CR LF kept), or with --info
// the proposed title, the seven information fields, one per line, and
// whether the book has a cover.

#include "cli/cli_command.h"

#include "cli/book_file_reading.h"

#include "app/project_cover.h"

#include "cli/file_encoding_option.h"

namespace {

const char *const kUsage =
    "Использование: lectorium-cli text [--info] [--encoding ИМЯ] КНИГА\n"
    "Выводит текст, который получит редактор книги из файла КНИГА (TXT, RTF, DOC, DOCX, ODT,\n"
    "HTML, FB2, EPUB, ZIP, PDF, а через calibre MOBI, AZW3, FB3, DJVU), в UTF-8 с переводами\n"
    "строк CR LF.\n"
    "  --info  вместо текста: предлагаемое название и семь полей сведений о книге (название,\n"
    "          серия, номер в серии, авторы, жанр, аннотация, дата), по полю в строке\n"
    "          (переводы строк внутри поля записаны как \\n), затем «Обложка: cover.jpg, N байт»\n"
    "          или «Обложка: нет»\n"
    "  --encoding ИМЯ  прочитать TXT, HTML или FB2 в кодировке windows-1251, utf-8, koi8-r, cp866,\n"
    "          iso-8859-5 или mac-cyrillic вместо определённой по буквам текста\n";

// A field on one line: its own line breaks are written as "\n".
QString oneLine(const QString &field)
{
    QString text = field;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    text.replace(QLatin1Char('\r'), QStringLiteral("\\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return text;
}

int runText(CliContext &context)
{
    QStringList args = context.args;
    const bool info = args.removeAll(QStringLiteral("--info")) > 0;
    const auto encoding = takeFileEncodingOption(args);
    if (args.size() != 1 || !encoding)
        return usageError(kUsage);
    const BookLoadResult result = readBookFileForCommand(args.first(), *encoding);
    if (!result.loaded)
        return 1;
    if (!info) {
        cliOut(result.text);
        return 0;
    }
    QString text = oneLine(result.title.value_or(QString())) + QLatin1Char('\n');
    for (const QString &field : result.information.value_or(BookInformation()).fields())
        text += oneLine(field) + QLatin1Char('\n');
    text += result.cover ? QStringLiteral("Обложка: %1, %2 байт\n")
                               .arg(projectCoverFileName(result.cover->extension))
                               .arg(result.cover->image.size())
                         : QStringLiteral("Обложка: нет\n");
    cliOut(text);
    return 0;
}

} // namespace

CliCommand textCommand()
{
    return {"text", "показать текст и сведения книжного файла, как их получит редактор", kUsage, runText};
}
