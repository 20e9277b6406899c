#pragma once
// Book projects: one folder per book under "Projects" in the program folder,
// holding numbered block files (0001.txt, 0002.txt, ...) and "project.ini"
// with the description, the recording range and the table of contents.

#include "app/tag_info.h"

#include <QString>

// Block file name: the number padded with "0" to at least four digits + ".txt".
QString blockFileName(int n);

QString projectsRoot(const QString &programFolder);

// Folders the program itself keeps inside "Projects" while it writes a book
// (staging, a replaced book set aside) begin with this; they are no books.
inline const QString kWorkingEntryPrefix = QStringLiteral(".lectorium-");
QString bookFolder(const QString &programFolder, const QString &book);
QString projectIniPath(const QString &bookFolder);

// Number of "*.txt" files in the book folder; counted afresh every time.
// "0001.txt" and the like; nothing else in a book folder is a block.
bool isBlockFileName(const QString &name);
int countBlocks(const QString &bookFolder);

// The text of one block file as stored (its final CR LF included); empty when
// the file cannot be read. A block is Windows-1251, or UTF-8 with a byte-order
// mark where Windows-1251 could not hold its text.
QString readBlockFile(const QString &bookFolder, int n);

struct BlockRange
{
    int first = 1;
    int last = 0;
};

// The stored range; a missing first block is 1, a missing last block the
// block count.
BlockRange readRange(const QString &bookFolder, int blockCount);
bool writeRange(const QString &bookFolder, const BlockRange &range);

// The book's description into `info` (projectName = `book`) and its table of
// contents into `titles`; without a table ("Кол-во" missing or below 1) every
// block is titled "Блок n".
void loadChapters(const QString &bookFolder, const QString &book, int blockCount, TagInfo &info, BlockTitles &titles);
