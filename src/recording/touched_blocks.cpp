#include "recording/touched_blocks.h"

#include "app/project_store.h"
#include "common/russian_count.h"
#include "stress/spoken_text.h"

#include <algorithm>

QList<int> TouchedBlocks::blocksOf(const QString &book) const
{
    const auto found =
        std::find_if(books.cbegin(), books.cend(), [&](const TouchedBook &touched) { return touched.book == book; });
    return found == books.cend() ? QList<int>() : found->blocks;
}

int TouchedBlocks::blocksElsewhere(const QString &book) const
{
    int count = 0;
    for (const TouchedBook &touched : books)
        if (touched.book != book)
            count += int(touched.blocks.size());
    return count;
}

int TouchedBlocks::booksElsewhere(const QString &book) const
{
    return int(
        std::count_if(books.cbegin(), books.cend(), [&](const TouchedBook &touched) { return touched.book != book; }));
}

QString touchedBlocksText(const TouchedBlocks &touched)
{
    if (!touched.failure.isEmpty())
        return touched.failure;
    int count = 0;
    QStringList books;
    for (const TouchedBook &book : touched.books) {
        count += int(book.blocks.size());
        QStringList numbers;
        for (const int block : book.blocks)
            numbers.append(QString::number(block));
        books.append(QStringLiteral("«%1»: %2").arg(book.book, numbers.join(QStringLiteral(", "))));
    }
    const QString stopped = touched.complete ? QString() : QStringLiteral(" (подсчёт прерван)");
    if (count == 0)
        return QStringLiteral("Изменение не меняет произношение ни в одном блоке книг библиотеки") + stopped + u'.';
    return QStringLiteral("Изменение меняет произношение в %1%2: %3.")
        .arg(russianCount(count, QStringLiteral("блоке"), QStringLiteral("блоках"), QStringLiteral("блоках")), stopped,
             books.join(QStringLiteral("; ")));
}

std::unique_ptr<Dictionaries> enabledDictionaries(const QString &programFolder)
{
    auto dictionaries = std::make_unique<Dictionaries>(programFolder);
    dictionaries->loadDictionaryList();
    dictionaries->loadEnabledDictionaries();
    return dictionaries;
}

TouchedBlocks blocksTouchedByChange(const QString &programFolder, bool autoStress, const QStringList &books,
                                    const Dictionaries &before, const Dictionaries &after,
                                    const std::function<bool()> &keepGoing)
{
    TouchedBlocks touched;
    const SpokenTextOptions options = spokenTextOptions(programFolder, autoStress);
    for (const QString &book : books) {
        const QString folder = bookFolder(programFolder, book);
        const int blockCount = countBlocks(folder);
        TouchedBook found{book, {}};
        for (int n = 1; n <= blockCount; ++n) {
            if (keepGoing && !keepGoing()) {
                touched.complete = false;
                return touched;
            }
            const QString text = readBlockFile(folder, n);
            const DictionaryRewrite was = before.applyDictionaries(text);
            const DictionaryRewrite is = after.applyDictionaries(text);
            if (!was.ok() || !is.ok()) {
                touched.failure = is.ok() ? was.failure : is.failure;
                return touched;
            }
            // The same rewrite gives the same spoken text: the stresses,
            // the slow part, only run where the dictionaries differ.
            if (was.text != is.text && spokenText(text, was.text, options) != spokenText(text, is.text, options))
                found.blocks.append(n);
        }
        if (!found.blocks.isEmpty())
            touched.books.append(found);
    }
    return touched;
}
