// lectorium-cli rerecord: blocks of a recorded book recorded again, by their
// numbers or because the dictionaries changed what they say. Each old MP3
// stays until its new one is whole; the playlist follows, and the one-file
// book when the book has one.

#include "cli/book_recording.h"
#include "cli/cli_command.h"

#include "app/folder_removal.h"
#include "app/project_store.h"
#include "app/session/changed_blocks.h"
#include "app/settings.h"
#include "audiobook/audiobook_assembler.h"
#include "common/program_folder.h"
#include "dictionaries/dictionaries.h"
#include "options/default_output_folder.h"
#include "recording/block_text.h"

#include <QDir>

#include <algorithm>

namespace {

const char *const kUsage =
    "Использование: lectorium-cli rerecord КНИГА (--blocks N,N,... | --changed-by-dictionaries) [--jobs N]\n"
    "                                      [--format ФОРМАТ] [--output ПАПКА] [--quiet]\n"
    "Записывает заново блоки записанной книги. Старый MP3-файл блока остаётся, пока новый не\n"
    "готов целиком; затем обновляются список воспроизведения и, если он есть, файл аудиокниги.\n"
    "  --blocks N,N,...           эти блоки (например 3,7,12)\n"
    "  --changed-by-dictionaries  блоки, текст которых после словарей и ударений отличается от\n"
    "                             того, с которого записан их MP3-файл\n"
    "  --jobs, --format, --output, --quiet  как у record\n";

// "3,7,12" into ascending block numbers; nothing when a part is no number.
std::optional<QList<int>> parseBlockList(const QString &text)
{
    QList<int> blocks;
    for (const QString &part : text.split(u',', Qt::SkipEmptyParts)) {
        bool number = false;
        const int block = part.trimmed().toInt(&number);
        if (!number)
            return std::nullopt;
        blocks.append(block);
    }
    if (blocks.isEmpty())
        return std::nullopt;
    std::sort(blocks.begin(), blocks.end());
    blocks.erase(std::unique(blocks.begin(), blocks.end()), blocks.end());
    return blocks;
}

// The blocks of `book` the dictionaries changed since they were recorded,
// with the settings the recording will use; nothing when they cannot be told.
std::optional<QList<int>> blocksChangedByDictionaries(const QString &programFolder, const QString &book,
                                                      const RecordOptions &options)
{
    Settings settings;
    loadSettings(settings, ProgramFolder(programFolder).settingsFile());
    settings.autoStress = settings.autoStress && options.autoStress;
    const QString output = outputFolderOrDefault(options.outputFolder.value_or(settings.outputFolder));
    Dictionaries dictionaries(programFolder);
    dictionaries.loadDictionaryList();
    if (settings.applyDictionaries)
        dictionaries.loadEnabledDictionaries();
    const BlockTextSource source(settings, programFolder, &dictionaries);
    const ChangedBlocks changed =
        blocksChangedSinceRecording(settings, programFolder, source, book, output + u'/' + book);
    if (!changed.failure.isEmpty()) {
        cliErr(changed.failure + u'\n');
        return std::nullopt;
    }
    if (changed.unknown > 0)
        cliErr(QStringLiteral("Блоков, записанных без отпечатка текста (их изменения не видны): %1\n")
                   .arg(changed.unknown));
    return changed.blocks;
}

int runRerecord(CliContext &context)
{
    QStringList args = context.args;
    RecordOptions options;
    options.autoStress = context.autoStress;
    const auto blockList = takeOption(args, QStringLiteral("--blocks"));
    const bool changedByDictionaries = args.removeAll(QStringLiteral("--changed-by-dictionaries")) > 0;
    const bool understood = takeEncodingOptions(args, options);
    options.output = takeProgressOutput(args);
    if (args.size() != 1 || !understood || blockList.has_value() == changedByDictionaries)
        return usageError(kUsage);
    const QString book = args.first();
    const int blockCount = isPlainEntryName(book) ? countBlocks(bookFolder(context.programFolder, book)) : 0;
    if (blockCount == 0) {
        cliErr(QStringLiteral("В библиотеке нет книги «%1».\n").arg(book));
        return 1;
    }
    std::optional<QList<int>> blocks;
    if (blockList) {
        blocks = parseBlockList(*blockList);
        if (!blocks)
            return usageError(kUsage);
        if (blocks->first() < 1 || blocks->last() > blockCount) {
            cliErr(QStringLiteral("В книге «%1» блоки с 1 по %2.\n").arg(book).arg(blockCount));
            return 1;
        }
    } else {
        blocks = blocksChangedByDictionaries(context.programFolder, book, options);
        if (!blocks)
            return 1;
        if (blocks->isEmpty()) {
            cliErr(QStringLiteral("Словари не изменили ни одного записанного блока книги «%1».\n").arg(book));
            return 0;
        }
    }
    cliErr(QStringLiteral("Блоки для перезаписи: %1\n").arg(blockNumbersText(*blocks)));
    options.blocks = *blocks;
    return recordBook(context.programFolder, book, options);
}

} // namespace

CliCommand rerecordCommand()
{
    return {"rerecord", "записать заново блоки книги: по номерам или изменённые словарями", kUsage, runRerecord};
}
