#include "import/book_loader.h"
#include "import/word_converter.h"

#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// A stand-in for soffice: a shell script with the given body.
QString writeFakeOffice(const TempProgramFolder &folder, const QByteArray &body)
{
    const QString path = folder.file(QStringLiteral("fake soffice"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("#!/bin/sh\n" + body + "\n");
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    return path;
}

QString writeDocument(const TempProgramFolder &folder)
{
    const QString path = folder.file(QStringLiteral("Моя книга 'один'.doc"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("not really a document");
    return path;
}

} // namespace

TEST(LibreOfficeConverter, RunsWithItsOwnProfileAndOutputFolder)
{
    TempProgramFolder folder;
    const QString argsFile = folder.file(QStringLiteral("args"));
    // Writes its arguments one per line, then an RTF into the --outdir folder.
    const QString office =
        writeFakeOffice(folder, QStringLiteral("for a in \"$@\"; do echo \"$a\" >> '%1'; done\n"
                                               "while [ \"$1\" != --outdir ]; do shift; done\n"
                                               "printf '{\\\\rtf1 converted\\\\par}' > \"$2/out.rtf\"")
                                    .arg(argsFile)
                                    .toUtf8());
    const QString document = writeDocument(folder);
    const WordConversion conversion = LibreOfficeConverter(office, 10).convertToRtf(document);
    ASSERT_EQ(conversion.outcome, WordConversionOutcome::Converted);
    EXPECT_EQ(conversion.rtf, QByteArray("{\\rtf1 converted\\par}"));
    const QStringList args =
        QString::fromUtf8(folder.readBytes(QStringLiteral("args"))).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(args.size(), 9);
    EXPECT_EQ(args.mid(0, 3), (QStringList{"--headless", "--norestore", "--nolockcheck"}));
    EXPECT_TRUE(args[3].startsWith(QStringLiteral("-env:UserInstallation=file:///")));
    EXPECT_EQ(args.mid(4, 2), (QStringList{"--convert-to", "rtf"}));
    EXPECT_EQ(args.last(), document);
}

TEST(LibreOfficeConverter, MissingFailingAndHangingConverters)
{
    TempProgramFolder folder;
    const QString document = writeDocument(folder);
    EXPECT_EQ(LibreOfficeConverter(QString()).convertToRtf(document).outcome, WordConversionOutcome::ConverterMissing);
    EXPECT_EQ(LibreOfficeConverter(folder.file(QStringLiteral("nowhere"))).convertToRtf(document).outcome,
              WordConversionOutcome::ConverterMissing);
    // LibreOffice ends with 0 even when it wrote nothing.
    EXPECT_EQ(LibreOfficeConverter(writeFakeOffice(folder, "exit 0"), 10).convertToRtf(document).outcome,
              WordConversionOutcome::Failed);
    EXPECT_EQ(LibreOfficeConverter(writeFakeOffice(folder, "exit 1"), 10).convertToRtf(document).outcome,
              WordConversionOutcome::Failed);
    EXPECT_EQ(LibreOfficeConverter(writeFakeOffice(folder, "exec sleep 30"), 1).convertToRtf(document).outcome,
              WordConversionOutcome::TimedOut);
}

TEST(LibreOfficeConverter, RealWordDocumentThroughTheLoader)
{
    const QString office = findLibreOffice();
    if (office.isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed; scripts/install-deps installs it";
    TempProgramFolder folder;
    // The Word document is made here from a small RTF by LibreOffice itself.
    const QString source = folder.file(QStringLiteral("Повесть.rtf"));
    QFile rtf(source);
    ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
    rtf.write("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Times New Roman;}}\\f0"
              "\\pard \\'c3\\'eb\\'e0\\'e2\\'e0 \\'ef\\'e5\\'f0\\'e2\\'e0\\'ff\\par"
              "\\pard\\fi567 \\'cf\\'e5\\'f0\\'e2\\'fb\\'e9 \\'e0\\'e1\\'e7\\'e0\\'f6.\\par"
              "\\pard\\fi567 \\'c2\\'f2\\'ee\\'f0\\'ee\\'e9 \\'e0\\'e1\\'e7\\'e0\\'f6.\\par}");
    rtf.close();
    QProcess make;
    make.start(office, {QStringLiteral("--headless"), QStringLiteral("--norestore"),
                        QStringLiteral("-env:UserInstallation=")
                            + QUrl::fromLocalFile(folder.file(QStringLiteral("profile"))).toString(),
                        QStringLiteral("--convert-to"), QStringLiteral("doc"), QStringLiteral("--outdir"),
                        folder.path(), source});
    ASSERT_TRUE(make.waitForFinished(120000));
    const QString document = folder.file(QStringLiteral("Повесть.doc"));
    ASSERT_TRUE(QFile::exists(document)) << make.readAllStandardError().toStdString();

    ScriptedDialogs dialogs;
    LibreOfficeConverter converter;
    BookLoader loader(dialogs, converter);
    const BookLoadResult result = loader.loadFile(document, QStringLiteral("Повесть.doc"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
    ASSERT_TRUE(result.loaded);
    EXPECT_EQ(result.status, QStringLiteral("Конвертация файла: Ok!"));
    EXPECT_EQ(result.title, QStringLiteral("Повесть"));
    EXPECT_EQ(result.text.trimmed(), QStringLiteral("Глава первая\r\n    Первый абзац.\r\n    Второй абзац."));
}
