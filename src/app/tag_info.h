#pragma once

#include <QString>
#include <QStringList>

// The current book as file names and tags see it: the description from the
// project's "project.ini", the library entry, and the block being named
// (blockCount, blockNo and blockTitle are set just before each name is built).
struct TagInfo
{
    QString title;
    QString series;
    QString seriesNo;
    QString author;
    QString genre;
    QString date;
    QString projectName;
    int blockCount = 0;
    int blockNo = 0;
    QString blockTitle;
};

// The chapter title of every block of the current book, numbered from 1.
class BlockTitles
{
public:
    BlockTitles() = default;
    explicit BlockTitles(QStringList titles) : m_titles(std::move(titles)) { }

    int count() const { return static_cast<int>(m_titles.size()); }
    // The title of block `n` (1-based); empty outside the table.
    QString title(int n) const { return n >= 1 && n <= count() ? m_titles[n - 1] : QString(); }
    const QStringList &all() const { return m_titles; }

private:
    QStringList m_titles;
};
