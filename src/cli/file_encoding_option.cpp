#include "cli/file_encoding_option.h"

#include "cli/cli_command.h"

namespace {

const QString kOption = QStringLiteral("--encoding");

} // namespace

std::optional<BookFileEncoding> takeFileEncodingOption(QStringList &args)
{
    const qsizetype at = args.indexOf(kOption);
    if (at < 0)
        return BookFileEncoding::Automatic;
    const QString name = at + 1 < args.size() ? args.at(at + 1) : QString();
    const auto encoding = bookFileEncodingFromName(name);
    if (!encoding) {
        cliErr(QStringLiteral("Неизвестная кодировка «%1»: укажите одну из: %2.\n").arg(name, bookFileEncodingNames()));
        return std::nullopt;
    }
    args.remove(at, 2);
    return encoding;
}

QString fileEncodingOptionUsage()
{
    return QStringLiteral("--encoding: кодировка файла книги (%1; auto — определить по буквам текста)\n")
        .arg(bookFileEncodingNames());
}

QString fileEncodingOptionHint()
{
    return QStringLiteral("Если текст искажён, укажите кодировку файла: --encoding ИМЯ (%1).\n")
        .arg(bookFileEncodingNames());
}
