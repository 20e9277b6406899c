#include "common/name_flag_list.h"

#include "common/text_codec.h"
#include "common/user_file.h"

std::optional<NameFlag> parseNameFlagLine(const QString &line)
{
    const QString t = line.trimmed();
    const qsizetype comma = t.lastIndexOf(u',');
    if (comma < 0)
        return std::nullopt;
    const QString flag = t.mid(comma + 1).trimmed();
    NameFlag record;
    if (flag.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0)
        record.flag = true;
    else if (flag.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const QString name = t.left(comma).trimmed();
    if (name.size() >= 2 && name.front() == u'"' && name.back() == u'"')
        record.name = name.mid(1, name.size() - 2);
    else
        record.name = name;
    return record;
}

QString formatNameFlagLine(const NameFlag &record)
{
    return u'"' + record.name + QLatin1String("\",") + QLatin1String(record.flag ? "#TRUE#" : "#FALSE#");
}

QList<NameFlag> readNameFlagList(const QString &path)
{
    QList<NameFlag> records;
    const auto bytes = UserFile::readBytes(path);
    if (!bytes)
        return records;
    for (const QString &line : UserFile::splitLines(Codec::decodeUserFile(*bytes)))
        if (auto record = parseNameFlagLine(line))
            records.append(*record);
    return records;
}

bool writeNameFlagList(const QString &path, const QList<NameFlag> &records)
{
    QStringList lines;
    lines.reserve(records.size());
    for (const NameFlag &record : records)
        lines.append(formatNameFlagLine(record));
    return UserFile::writeLines(path, lines);
}
