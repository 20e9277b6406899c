#include "dic_list.h"

#include "common/name_flag_list.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <numeric>

QString pathInDictionaryFolder(const QString &dictionaryFolder, const QString &name)
{
    const QStringList present = QDir(dictionaryFolder).entryList(QDir::Files | QDir::Hidden);
    for (const QString &existing : present) {
        if (existing.compare(name, Qt::CaseInsensitive) == 0)
            return dictionaryFolder + u'/' + existing;
    }
    return dictionaryFolder + u'/' + name;
}

QString dicListPath(const QString &dictionaryFolder)
{
    return pathInDictionaryFolder(dictionaryFolder, kDicListFileName);
}

QStringList dictionaryFileNames(const QString &dictionaryFolder)
{
    QStringList names;
    const QStringList files = QDir(dictionaryFolder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : files) {
        if (name.endsWith(QLatin1String(".dic"), Qt::CaseInsensitive))
            names.append(name);
    }
    return names;
}

void sortDicList(DicList &list)
{
    std::vector<int> order(list.DicNames.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return list.DicNames[a].compare(list.DicNames[b], Qt::CaseInsensitive) < 0;
    });
    DicList sorted;
    for (const int i : order) {
        sorted.DicNames.append(list.DicNames[i]);
        sorted.DicEnabled.append(list.DicEnabled[i]);
    }
    list = std::move(sorted);
}

DicList LoadDicList(const QString &dictionaryFolder)
{
    DicList list;
    list.DicNames = dictionaryFileNames(dictionaryFolder);
    list.DicEnabled = QList<bool>(list.DicNames.size(), false);
    const QString listFile = dicListPath(dictionaryFolder);
    if (!QFileInfo::exists(listFile)) {
        QDir().mkpath(dictionaryFolder);
        list.DicEnabled.fill(true);
        sortDicList(list);
        SaveDicList(dictionaryFolder, list);
        return list;
    }
    for (const NameFlag &record : readNameFlagList(listFile)) {
        const qsizetype i = list.DicNames.indexOf(record.name);
        if (i >= 0)
            list.DicEnabled[i] = record.flag;
    }
    sortDicList(list);
    return list;
}

bool SaveDicList(const QString &dictionaryFolder, const DicList &list)
{
    QList<NameFlag> records;
    for (int i = 0; i <= list.DicLast(); ++i)
        records.append({list.DicNames[i], list.DicEnabled[i]});
    return writeNameFlagList(dicListPath(dictionaryFolder), records);
}
