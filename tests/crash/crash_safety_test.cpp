// Killing the program while it saves must leave the old file or the new one,
// never a torn one. A child process saves two alternating versions of a file
// in a loop; the test kills it at random moments and reads what is left.

#include "app/batch_queue.h"
#include "app/settings.h"

#include "support/child_mode.h"
#include "support/temp_program_folder.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>

#include <gtest/gtest.h>

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
        {"settings", [](const QString &path, int version) {
             Settings s;
             s.bookIndex = version;
             s.outputFolder = QString(200, version ? u'а' : u'б');
             s.fileNameTemplate = QString(200, version ? u'x' : u'y');
             SaveS(s, path);
         }},
        {"batch", [](const QString &path, int version) {
             BatchEntries entries;
             for (int i = 0; i < 400; ++i)
                 entries.append({QStringLiteral("Книга номер %1").arg(i), (i + version) % 2 == 0});
             SaveBatch(path, entries);
         }},
    };
    return all;
}

QByteArray expectedBytes(const Writer &write, const QString &scratch, int version)
{
    QFile::remove(scratch);
    write(scratch, version);
    QFile file(scratch);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(CrashSafety, KilledWhileSavingLeavesOldOrNew)
{
    const QString self = QCoreApplication::applicationFilePath();
    for (const NamedWriter &writer : writers()) {
        TempProgramFolder folder;
        const QString target = folder.file(QStringLiteral("target"));
        const QByteArray v0 = expectedBytes(writer.write, folder.file(QStringLiteral("v0")), 0);
        const QByteArray v1 = expectedBytes(writer.write, folder.file(QStringLiteral("v1")), 1);
        ASSERT_FALSE(v0.isEmpty());
        ASSERT_NE(v0, v1);
        writer.write(target, 0);
        QSet<int> seen;
        for (int round = 0; round < 15; ++round) {
            QProcess child;
            child.start(self, {QStringLiteral("--crash-writer"), QString::fromLatin1(writer.name), target});
            ASSERT_TRUE(child.waitForStarted(5000));
            QThread::msleep(20 + QRandomGenerator::global()->bounded(60));
            ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
            child.waitForFinished(5000);
            QFile file(target);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << writer.name;
            const QByteArray left = file.readAll();
            EXPECT_TRUE(left == v0 || left == v1) << writer.name << " round " << round << ": " << left.size() << " bytes";
            seen.insert(left == v1 ? 1 : 0);
        }
        // Both versions were left at some point, so the child really wrote.
        EXPECT_EQ(seen.size(), 2) << writer.name;
    }
}

namespace {

// The child: "--crash-writer NAME PATH" saves versions 0 and 1 of NAME for ever.
int crashWriter(int argc, char **argv)
{
    if (argc != 4 || QByteArray(argv[1]) != "--crash-writer")
        return -1;
    const QString path = QString::fromLocal8Bit(argv[3]);
    for (const NamedWriter &writer : writers())
        if (QByteArray(argv[2]) == writer.name)
            for (int version = 0;; version ^= 1)
                writer.write(path, version);
    return 2;
}

const bool kRegistered = registerChildMode(crashWriter);

} // namespace
