#include "dictionaries/exception_dictionary.h"

#include "dictionaries/dictionary_file.h"

#include "common/program_folder.h"
#include "common/user_file.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString kIgnoreCaseSuffix = QStringLiteral(" /i");

// Key and the rest of a line that has a ":"; the rest without TABs.
std::pair<QString, QString> splitExceptionLine(const QString &line)
{
    const qsizetype colon = line.indexOf(u':');
    QString rest = line.mid(colon + 1);
    rest.remove(u'\t');
    return {line.left(colon).trimmed(), rest};
}

QString toOwnNotation(QString pronunciation)
{
    if (pronunciation.startsWith(u'<'))
        pronunciation.remove(0, 1);
    if (pronunciation.endsWith(u'>'))
        pronunciation.chop(1);
    pronunciation.replace(QLatin1String("##"), QLatin1String(" "));
    return pronunciation;
}

// A comment may be indented; a key that began with "//" would come back
// from the written file as a comment, so it is one from the start.
bool isExceptionEntry(const QString &line, qsizetype minimumLength)
{
    return line.size() >= minimumLength && !line.trimmed().startsWith(QLatin1String("//")) && line.contains(u':');
}

bool copyReplacing(const QString &source, const QString &target)
{
    const std::optional<QByteArray> bytes = UserFile::readBytes(source);
    return bytes && UserFile::writeBytes(target, *bytes);
}

} // namespace

std::optional<ExceptionRow> parseExceptionLine(const QString &line, bool toOwn)
{
    if (!isExceptionEntry(line, 4))
        return std::nullopt;
    auto [key, rest] = splitExceptionLine(line);
    QString flag;
    if (rest.endsWith(kIgnoreCaseSuffix)) {
        rest.chop(kIgnoreCaseSuffix.size());
        flag = QStringLiteral("/i");
    }
    if (toOwn)
        rest = toOwnNotation(rest);
    return ExceptionRow{key, rest, flag};
}

std::optional<ExceptionLoad> loadExceptionDictionary(const QString &path, bool toOwn,
                                                     const std::function<bool()> &cancelled)
{
    const std::optional<QString> text = readDictionaryText(path);
    if (!text)
        return std::nullopt;
    ExceptionLoad load;
    for (const QString &line : splitDictionaryLines(*text)) {
        if (cancelled && cancelled()) {
            load.cancelled = true;
            break;
        }
        if (std::optional<ExceptionRow> row = parseExceptionLine(line, toOwn))
            load.rows.append(std::move(*row));
    }
    return load;
}

QString toEngineNotation(const QString &typed)
{
    // A pronunciation shown as stored is already in the notation: editing
    // it must not wrap it once more.
    const QString joined = QString(typed).replace(u' ', QLatin1String("##"));
    if (joined.size() >= 2 && joined.startsWith(u'<') && joined.endsWith(u'>'))
        return joined;
    return u'<' + joined + u'>';
}

QStringList exceptionFileLines(const QList<ExceptionRow> &rows, const QString &programVersion)
{
    QStringList lines = {
        QStringLiteral("// cp1251"),
        QStringLiteral("// Редактор словаря Lectorium ") + programVersion,
        QStringLiteral("/////////////////////////////////////"),
        QStringLiteral("//"),
        QStringLiteral("// Coding :"),
        QStringLiteral("//  :   end of exception word"),
        QStringLiteral("//  []  phonetic codes"),
        QStringLiteral("//  <>  orthographic codes"),
        QStringLiteral("//  ##  word boundary"),
        QStringLiteral("//  /i  to ignore case"),
        QStringLiteral("//  //  comment"),
        QStringLiteral("//  ()  word tag"),
        QStringLiteral("//"),
        QStringLiteral("/////////////////////////////////////"),
    };
    for (const ExceptionRow &row : rows) {
        QString line = row.key + QStringLiteral(" :\t") + row.pronunciation;
        if (row.flag == QLatin1String("/i"))
            line += kIgnoreCaseSuffix;
        lines.append(line);
    }
    lines.append(kDictionaryEndLine);
    return lines;
}

QStringList convertExceptionLines(const QStringList &lines)
{
    QStringList out;
    for (const QString &line : lines) {
        if (!isExceptionEntry(line, 4))
            continue;
        auto [key, rest] = splitExceptionLine(line);
        QString prefix = QStringLiteral("$");
        if (rest.endsWith(kIgnoreCaseSuffix)) {
            rest.chop(kIgnoreCaseSuffix.size());
            prefix.clear();
        }
        out.append(prefix + key + u'=' + toOwnNotation(rest));
    }
    return out;
}

bool convertExceptionDictionary(const QString &source, const QString &target)
{
    const std::optional<QString> text = readDictionaryText(source);
    if (!text)
        return false;
    return UserFile::writeLines(target, convertExceptionLines(splitDictionaryLines(*text)));
}

ExceptionDictionaryFiles::ExceptionDictionaryFiles(const QString &programFolder, const QString &enginePath)
    : m_programFolder(programFolder), m_enginePath(enginePath)
{ }

QString ExceptionDictionaryFiles::workingCopy() const
{
    return ProgramFolder(m_programFolder).file(QStringLiteral("exc_rus.txt"));
}

QString ExceptionDictionaryFiles::programBackup() const
{
    return ProgramFolder(m_programFolder).file(QStringLiteral("exc_rus.bak"));
}

QString ExceptionDictionaryFiles::engineBackup() const
{
    return m_enginePath.left(m_enginePath.size() - 4) + QStringLiteral(".bak");
}

bool ExceptionDictionaryFiles::engineFileExists() const
{
    return !m_enginePath.isEmpty() && QFileInfo(m_enginePath).isFile();
}

ExceptionDictionaryFiles::Refresh ExceptionDictionaryFiles::refreshCopies() const
{
    Refresh result;
    if (!engineFileExists())
        return result;
    result.copied = copyReplacing(m_enginePath, workingCopy());
    copyReplacing(m_enginePath, programBackup());
    if (!QFileInfo::exists(engineBackup()))
        result.madeEngineBackup = QFile::copy(m_enginePath, engineBackup());
    return result;
}

bool ExceptionDictionaryFiles::writeWorkingCopy(const QList<ExceptionRow> &rows, const QString &programVersion) const
{
    return UserFile::writeLines(workingCopy(), exceptionFileLines(rows, programVersion));
}

bool ExceptionDictionaryFiles::replaceEngineFile() const
{
    if (m_enginePath.isEmpty() || !QFileInfo(workingCopy()).isFile())
        return false;
    const QFileInfo engine(m_enginePath);
    if (engine.exists() && !engine.isWritable())
        return false; // a write-protected file stays as its owner wants it
    return copyReplacing(workingCopy(), m_enginePath);
}
