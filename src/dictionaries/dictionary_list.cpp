#include "dictionaries/dictionary_list.h"

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

void sortDicList(DictionaryList &list)
{
    std::vector<int> order(list.names.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return list.names[a].compare(list.names[b], Qt::CaseInsensitive) < 0; });
    DictionaryList sorted;
    for (const int i : order) {
        sorted.names.append(list.names[i]);
        sorted.enabled.append(list.enabled[i]);
    }
    list = std::move(sorted);
}

DictionaryList loadDictionaryList(const QString &dictionaryFolder)
{
    DictionaryList list;
    list.names = dictionaryFileNames(dictionaryFolder);
    list.enabled = QList<bool>(list.names.size(), false);
    const QString listFile = dicListPath(dictionaryFolder);
    if (!QFileInfo::exists(listFile)) {
        QDir().mkpath(dictionaryFolder);
        list.enabled.fill(true);
        sortDicList(list);
        saveDictionaryList(dictionaryFolder, list);
        return list;
    }
    for (const NameFlag &record : readNameFlagList(listFile)) {
        const qsizetype i = list.names.indexOf(record.name);
        if (i >= 0)
            list.enabled[i] = record.flag;
    }
    sortDicList(list);
    return list;
}

bool saveDictionaryList(const QString &dictionaryFolder, const DictionaryList &list)
{
    QList<NameFlag> records;
    for (int i = 0; i <= list.lastIndex(); ++i)
        records.append({list.names[i], list.enabled[i]});
    return writeNameFlagList(dicListPath(dictionaryFolder), records);
}
