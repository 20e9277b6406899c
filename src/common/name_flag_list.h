#pragma once
// Name-and-flag list files ("Diclist.cfg", "Batch.cfg", "Chapters.txt"): one
// record per line, the name between double quotes, a comma, and #TRUE# or
// #FALSE#. Names are written without escaping; reading takes the name from the
// first to the last quote before the flag, so a name that holds quotes itself
// reads back unchanged.

#include <QList>
#include <QString>

#include <optional>

struct NameFlag
{
    QString name;
    bool flag = false;
    bool operator==(const NameFlag &) const = default;
};

// Parses one record; nothing for a line that is not one.
std::optional<NameFlag> parseNameFlagLine(const QString &line);
QString formatNameFlagLine(const NameFlag &record);

// Every record of the file in order; lines that are no record are skipped.
// A missing or unreadable file gives an empty list.
QList<NameFlag> readNameFlagList(const QString &path);
bool writeNameFlagList(const QString &path, const QList<NameFlag> &records);
