// Killing the program while it saves must leave the old file or the new one,
// never a torn one. A child process saves two alternating versions of a file
// (or of a book project's folder) in a loop; the test kills it at random
// moments and reads what is left.

#include "app/batch_queue.h"
#include "app/settings.h"
#include "dictionaries/dictionary_file.h"
#include "import/project_writer.h"
#include "recording/speech/voice_table.h"

#include "support/child_mode.h"
#include "support/temp_program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>

#include <csignal>
#include <functional>

namespace {

using Writer = std::function<void(const QString &path, int version)>;

struct NamedWriter
{
    const char *name;
    Writer write;
};

const QList<NamedWriter> &writers()
{
    static const QList<NamedWriter> all = {
        {"settings",
         [](const QString &path, int version) {
             Settings s;
             s.bookIndex = version;
             s.outputFolder = QString(200, version ? u'а' : u'б');
             s.fileNameTemplate = QString(200, version ? u'x' : u'y');
             saveSettings(s, path);
         }},
        {"batch",
         [](const QString &path, int version) {
             BatchEntries entries;
             for (int i = 0; i < 400; ++i)
                 entries.append({QStringLiteral("Книга номер %1").arg(i), (i + version) % 2 == 0});
             saveBatch(path, entries);
         }},
        {"dictionary",
         [](const QString &path, int version) {
             DictionaryTable table;
             for (int i = 0; i < 3000; ++i)
                 table.append({QStringLiteral("слово%1").arg(i), QStringLiteral("сло+во%1").arg(i + version), false,
                               BoundaryMode::DelimiterBeforeAndAfter});
             writeDictionary(path, table);
         }},
        {"voices",
         [](const QString &path, int version) {
             VoiceTable table;
             for (int i = 0; i < 40; ++i) {
                 VoiceParams voice;
                 voice.name = QStringLiteral("Голос %1").arg(i);
                 voice.speed = {version, i % 10, -version, 2};
                 table.append(voice);
             }
             saveVoiceTable(table, path);
         }},
        {"project",
         [](const QString &path, int version) {
             BookBlocks book;
             for (int i = 0; i < 8 - 2 * version; ++i) {
                 book.blocks.append(QString(2000, version ? u'я' : u'ж'));
                 book.names.append(QStringLiteral("Глава %1").arg(i));
             }
             BookInformation info;
             info.title = QStringLiteral("Книга %1").arg(version);
             (void)writeProject(path, book, info);
         }},
    };
    return all;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file's bytes, or for a folder every file's name and bytes in name order.
QByteArray snapshot(const QString &path)
{
    if (!QFileInfo(path).isDir())
        return fileBytes(path);
    QStringList names;
    for (QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
        names.append(QDir(path).relativeFilePath(it.next()));
    names.sort();
    QByteArray all;
    for (const QString &name : names)
        all += name.toUtf8() + '\n' + fileBytes(path + u'/' + name) + '\n';
    return all;
}

// A book folder also holds files of the user's own, which every save keeps.
void prepareTarget(const QString &path)
{
    QDir().mkpath(path + QStringLiteral("/mine"));
    QFile cover(path + QStringLiteral("/mine/cover.jpg"));
    if (cover.open(QIODevice::WriteOnly))
        cover.write("\xff\xd8 my picture");
}

// What a save of `version` leaves over the other version: a save may keep
// parts of the file it replaces (the user's own keys of "project.ini").
QByteArray expectedSnapshot(const NamedWriter &writer, const QString &scratch, int version)
{
    if (QByteArray(writer.name) == "project")
        prepareTarget(scratch);
    writer.write(scratch, version ^ 1);
    writer.write(scratch, version);
    return snapshot(scratch);
}

} // namespace

TEST(CrashSafety, KilledWhileSavingLeavesOldOrNew)
{
    const QString self = QCoreApplication::applicationFilePath();
    for (const NamedWriter &writer : writers()) {
        TempProgramFolder folder;
        QDir().mkpath(folder.file(QStringLiteral("Projects")));
        const QString target = folder.file(QStringLiteral("Projects/target"));
        const QByteArray v0 = expectedSnapshot(writer, folder.file(QStringLiteral("Projects/v0")), 0);
        const QByteArray v1 = expectedSnapshot(writer, folder.file(QStringLiteral("Projects/v1")), 1);
        ASSERT_FALSE(v0.isEmpty());
        ASSERT_NE(v0, v1);
        expectedSnapshot(writer, target, 0);
        for (int round = 0; round < 15; ++round) {
            QProcess child;
            child.start(self, {QStringLiteral("--crash-writer"), QString::fromLatin1(writer.name), target});
            ASSERT_TRUE(child.waitForStarted(5000));
            // The child tells each save it finished; it is killed only once
            // it has saved both versions, at a random moment of a later save,
            // so the kill lands in the middle of real writing however slow
            // the machine is.
            QByteArray told;
            while (told.size() < 2 && child.state() == QProcess::Running) {
                child.waitForReadyRead(1000);
                told += child.readAllStandardOutput();
            }
            ASSERT_GE(told.size(), 2) << writer.name << ": the child saved nothing";
            QThread::msleep(QRandomGenerator::global()->bounded(30));
            ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
            child.waitForFinished(5000);
            ASSERT_TRUE(QFileInfo::exists(target)) << writer.name;
            const QByteArray left = snapshot(target);
            EXPECT_TRUE(left == v0 || left == v1)
                << writer.name << " round " << round << ": " << left.size() << " bytes";
        }
    }
}

namespace {

// The child: "--crash-writer NAME PATH" saves versions 0 and 1 of NAME for
// ever, writing the version's digit to standard output after each save.
int crashWriter(int argc, char **argv)
{
    if (argc != 4 || QByteArray(argv[1]) != "--crash-writer")
        return -1;
    const QString path = QString::fromLocal8Bit(argv[3]);
    for (const NamedWriter &writer : writers())
        if (QByteArray(argv[2]) == writer.name)
            for (int version = 0;; version ^= 1) {
                writer.write(path, version);
                std::fputc('0' + version, stdout);
                std::fflush(stdout);
            }
    return 2;
}

const bool kRegistered = registerChildMode(crashWriter);

} // namespace
