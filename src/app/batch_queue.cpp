#include "app/batch_queue.h"

#include "common/program_folder.h"

BatchEntries loadBatch(const QString &batchFile, const QStringList &books)
{
    BatchEntries entries;
    for (const QString &book : books)
        entries.append({book, false});
    for (const NameFlag &stored : readNameFlagList(batchFile))
        for (NameFlag &entry : entries)
            if (entry.name == stored.name)
                entry.flag = stored.flag;
    return entries;
}

bool saveBatch(const QString &batchFile, const BatchEntries &entries)
{
    return writeNameFlagList(batchFile, entries);
}

int firstSelected(const BatchEntries &entries)
{
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].flag)
            return i;
    return -1;
}

QString batchFilePath(const QString &programFolder)
{
    return ProgramFolder(programFolder).batchFile();
}
