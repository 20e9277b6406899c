#include "cli/book_file_reading.h"

#include "cli/cli_command.h"
#include "cli/console_dialogs.h"
#include "cli/file_encoding_option.h"

#include "import/word_converter.h"

#include <QFileInfo>

BookLoadResult readBookFileForCommand(const QString &argument, BookFileEncoding encoding)
{
    const QString path = QFileInfo(argument).absoluteFilePath();
    ConsoleDialogs dialogs;
    LibreOfficeConverter converter;
    BookLoader loader(dialogs, converter);
    BookLoadResult result = loader.loadFile(path, fileTitle(path), encoding);
    if (!result.loaded)
        return result;
    if (!result.readingNotes.isEmpty())
        cliErr(result.readingNotes + u'\n');
    if (result.lettersImplausible)
        cliErr(fileEncodingOptionHint());
    return result;
}
