#pragma once
// The batch queue: the library's books, each ticked or not for recording in
// list order. The ticks survive restarts in "Batch.cfg".

#include "common/name_flag_list.h"

#include <QList>
#include <QStringList>

using BatchEntries = QList<NameFlag>;

// The library's books, none ticked, with the ticks of `batchFile` applied:
// every entry whose name equals a stored name exactly takes its state; stored
// names no longer in the library are ignored. A missing file ticks nothing.
BatchEntries loadBatch(const QString &batchFile, const QStringList &books);
bool saveBatch(const QString &batchFile, const BatchEntries &entries);

// Index of the first ticked entry, or -1 when none is left.
int firstSelected(const BatchEntries &entries);

QString batchFilePath(const QString &programFolder);
