#include "app/project_store.h"

#include "common/program_folder.h"

#include "common/ini_file.h"
#include "common/text_codec.h"
#include "common/user_file.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QString kStatus = QStringLiteral("Статус");
const QString kFirstBlock = QStringLiteral("Начальный блок");
const QString kLastBlock = QStringLiteral("Конечный блок");
const QString kContents = QStringLiteral("Оглавление");
const QString kInfo = QStringLiteral("Информация");

std::optional<int> intValue(const IniDocument &ini, const QString &section, const QString &key)
{
    const auto text = ini.read(section, key);
    if (!text)
        return std::nullopt;
    bool ok = false;
    const int v = text->trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

} // namespace

QString blockFileName(int n)
{
    return QStringLiteral("%1.txt").arg(n, 4, 10, QLatin1Char('0'));
}

QString projectsRoot(const QString &programFolder)
{
    return ProgramFolder(programFolder).projectsDir();
}

QString bookFolder(const QString &programFolder, const QString &book)
{
    return projectsRoot(programFolder) + u'/' + book;
}

QString projectIniPath(const QString &bookFolder)
{
    return bookFolder + QStringLiteral("/project.ini");
}

bool isBlockFileName(const QString &name)
{
    // Block files are exactly the numbered names; anything else in the
    // folder (the user's own notes.txt) is the user's and is not a block.
    static const QRegularExpression blockName(QStringLiteral("^[0-9]{4,}\\.txt$"));
    return blockName.match(name).hasMatch();
}

int countBlocks(const QString &bookFolder)
{
    const QStringList names =
        QDir(bookFolder, QStringLiteral("*.txt"), QDir::NoSort, QDir::Files | QDir::Hidden).entryList();
    return int(std::count_if(names.cbegin(), names.cend(), isBlockFileName));
}

QString readBlockFile(const QString &bookFolder, int n)
{
    const auto bytes = UserFile::readBytes(bookFolder + u'/' + blockFileName(n));
    return bytes ? Codec::decodeUserFile(*bytes) : QString();
}

BlockRange readRange(const QString &bookFolder, int blockCount)
{
    const IniDocument ini = IniDocument::load(projectIniPath(bookFolder));
    return {intValue(ini, kStatus, kFirstBlock).value_or(1), intValue(ini, kStatus, kLastBlock).value_or(blockCount)};
}

bool writeRange(const QString &bookFolder, const BlockRange &range)
{
    const QString path = projectIniPath(bookFolder);
    auto ini = IniDocument::loadForUpdate(path);
    if (!ini)
        return false;
    ini->write(kStatus, kFirstBlock, range.first);
    ini->write(kStatus, kLastBlock, range.last);
    return ini->save(path);
}

void loadChapters(const QString &bookFolder, const QString &book, int blockCount, TagInfo &info, BlockTitles &titles)
{
    const IniDocument ini = IniDocument::load(projectIniPath(bookFolder));
    // A hand-edited table of contents is believed no further than the block
    // files that exist: a count of two billion must not cost the memory.
    const int count = std::min(intValue(ini, kContents, QStringLiteral("Кол-во")).value_or(0), blockCount);
    QStringList list;
    if (count < 1) {
        for (int i = 1; i <= blockCount; ++i)
            list.append(QStringLiteral("Блок %1").arg(i));
    } else {
        QStringList keys;
        for (int i = 1; i <= count; ++i)
            keys.append(QStringLiteral("Блок%1").arg(i));
        for (const std::optional<QString> &name : ini.readKeys(kContents, keys))
            list.append(name.value_or(QString()));
    }
    titles = BlockTitles(list);
    auto text = [&](const char *key) { return ini.read(kInfo, QString::fromUtf8(key)).value_or(QString()); };
    info.author = text("Автор");
    info.title = text("Название");
    info.series = text("Цикл");
    info.seriesNo = text("Номер");
    info.date = text("Дата");
    info.genre = text("Жанр");
    info.projectName = book;
}
