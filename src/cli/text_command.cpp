// lectorium-cli text [--info] BOOK: the text the book editor would receive
// from a book file (UTF-8, CR LF kept), or with --info the proposed title,
// the seven information fields, one per line, and whether the book has a
// cover.

#include "cli/cli_command.h"

#include "import/book_loader.h"

#include "app/project_cover.h"
#include "import/word_converter.h"

#include "cli/console_dialogs.h"

#include <QDir>
#include <QFileInfo>

namespace {

const char *const kUsage =
    "Использование: lectorium-cli text [--info] КНИГА\n"
    "Выводит текст, который получит редактор книги из файла КНИГА (TXT, RTF, DOC, DOCX, ODT,\n"
    "HTML, FB2, EPUB, ZIP), в UTF-8 с переводами строк CR LF.\n"
    "  --info  вместо текста: предлагаемое название и семь полей сведений о книге (название,\n"
    "          серия, номер в серии, авторы, жанр, аннотация, дата), по полю в строке\n"
    "          (переводы строк внутри поля записаны как \\n), затем «Обложка: cover.jpg, N байт»\n"
    "          или «Обложка: нет»\n";

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
    if (args.size() != 1)
        return usageError(kUsage);
    const QString path = QFileInfo(args.first()).absoluteFilePath();
    ConsoleDialogs dialogs;
    LibreOfficeConverter converter;
    BookLoader loader(dialogs, converter);
    const BookLoadResult result = loader.loadFile(path, fileTitle(path));
    if (!result.loaded)
        return 1;
    if (!result.readingNotes.isEmpty())
        cliErr(result.readingNotes + u'\n');
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
