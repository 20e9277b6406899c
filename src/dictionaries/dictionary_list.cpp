#include "dictionaries/dictionary_list.h"

#include "common/name_flag_list.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

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
    std::stable_sort(list.begin(), list.end(), [](const ListedDictionary &a, const ListedDictionary &b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
}

DictionaryList loadDictionaryList(const QString &dictionaryFolder)
{
    const QString listFile = dicListPath(dictionaryFolder);
    const bool firstLoad = !QFileInfo::exists(listFile);
    DictionaryList list;
    for (const QString &name : dictionaryFileNames(dictionaryFolder))
        list.append({name, firstLoad});
    if (firstLoad) {
        QDir().mkpath(dictionaryFolder);
        sortDicList(list);
        saveDictionaryList(dictionaryFolder, list);
        return list;
    }
    for (const NameFlag &record : readNameFlagList(listFile)) {
        const auto listed =
            std::find_if(list.begin(), list.end(), [&](const ListedDictionary &d) { return d.name == record.name; });
        if (listed != list.end())
            listed->enabled = record.flag;
    }
    sortDicList(list);
    return list;
}

bool saveDictionaryList(const QString &dictionaryFolder, const DictionaryList &list)
{
    QList<NameFlag> records;
    for (const ListedDictionary &dictionary : list)
        records.append({dictionary.name, dictionary.enabled});
    return writeNameFlagList(dicListPath(dictionaryFolder), records);
}
