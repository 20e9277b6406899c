// A three-block book recorded through the main window with the real voice
// and the real encoder, then recorded again: the finished blocks are skipped.

#include "app/project_store.h"
#include "app/session/recording_session.h"
#include "app/ui/main_window.h"
#include "common/ini_file.h"
#include "recording/speech/speech_voice.h"

#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

bool waitUntilIdle(const MainWindow &window, int seconds)
{
    for (int i = 0; i < seconds * 20 && window.isRecording(); ++i)
        QTest::qWait(50);
    return !window.isRecording();
}

// Past the first start, a Russian voice, MP3s named "N - chapter".
void writeRecordingSettings(const TempProgramFolder &folder)
{
    const QString ini = folder.file(QStringLiteral("Lectorium.ini"));
    writeIni(QStringLiteral("Общие настройки"), QStringLiteral("Первый запуск"), 0, ini);
    writeIni(QStringLiteral("Настройки движка"), QStringLiteral("Номер движка"),
             SpeechVoice::voiceForLanguage(QStringLiteral("ru")), ini);
    writeIni(QStringLiteral("Имя файла и тэги"), QStringLiteral("Имя файла"), QStringLiteral("%n% - %t%"), ini);
}

} // namespace

TEST(WindowRecording, ThreeBlocksToTaggedMp3sAndASecondRunSkipsThem)
{
    TempProgramFolder folder;
    writeRecordingSettings(folder);
    const QStringList texts = {QStringLiteral(" {повествование->} Первая глава."), QStringLiteral("Вторая часть."),
                               QStringLiteral(" {речь->} Третья.")};
    for (int n = 1; n <= 3; ++n)
        folder.writeCp1251(QStringLiteral("Projects/Книга/") + blockFileName(n), texts[n - 1] + QStringLiteral("\r\n"));
    folder.writeCp1251(QStringLiteral("Projects/Книга/project.ini"),
                       QStringLiteral("[Информация]\r\nНазвание=Книга\r\nАвтор=Автор\r\n[Оглавление]\r\nКол-во=3\r\n"
                                      "Блок1=Глава \"первая\"\r\nБлок2=Глава $2\r\nБлок3=Эпилог\r\n"));

    MainWindow window(folder.path());
    ScriptedDialogs dialogs;
    window.setDialogs(&dialogs);
    window.show();
    window.findChild<QAction *>(QStringLiteral("recordButton"))->trigger();
    ASSERT_TRUE(window.isRecording());
    ASSERT_TRUE(waitUntilIdle(window, 120));

    const QString audio = folder.home() + QStringLiteral("/Аудиокниги/Книга");
    QStringList mp3s = QDir(audio).entryList({QStringLiteral("*.mp3")}, QDir::Files, QDir::Name);
    EXPECT_EQ(mp3s, QStringList({QStringLiteral("1 - Глава первая.mp3"), QStringLiteral("2 - Глава 2.mp3"),
                                 QStringLiteral("3 - Эпилог.mp3")}));
    EXPECT_TRUE(QDir(audio).entryList({QStringLiteral("*.wav")}).isEmpty());
    for (const QString &mp3 : mp3s)
        EXPECT_GT(QFileInfo(audio + u'/' + mp3).size(), 1000) << mp3.toStdString();
    // The range moved on to the end of the book.
    EXPECT_EQ(readIni(QStringLiteral("Статус"), QStringLiteral("Начальный блок"),
                      folder.file(QStringLiteral("Projects/Книга/project.ini"))),
              QStringLiteral("3"));

    // Again from block 1: everything is there, so nothing is spoken.
    const QDateTime before = QFileInfo(audio + QStringLiteral("/1 - Глава первая.mp3")).lastModified();
    window.findChild<QLineEdit *>(QStringLiteral("firstBlockEdit"))->setText(QStringLiteral("1"));
    emit window.findChild<QLineEdit *>(QStringLiteral("firstBlockEdit"))->editingFinished();
    window.findChild<QAction *>(QStringLiteral("recordButton"))->trigger();
    ASSERT_TRUE(waitUntilIdle(window, 30));
    EXPECT_EQ(QFileInfo(audio + QStringLiteral("/1 - Глава первая.mp3")).lastModified(), before);
}

TEST(WindowRecording, ABatchNamesEachBooksFilesByItsOwnChapters)
{
    // The next book starts while the last one's final block is encoded: that
    // block must still be named and tagged after its own book.
    TempProgramFolder folder;
    writeRecordingSettings(folder);
    const QStringList books = {QStringLiteral("Альфа"), QStringLiteral("Бета")};
    for (const QString &book : books) {
        for (int n = 1; n <= 2; ++n)
            folder.writeCp1251(QStringLiteral("Projects/%1/").arg(book) + blockFileName(n),
                               QStringLiteral("Блок %1 книги %2.\r\n").arg(n).arg(book));
        folder.writeCp1251(QStringLiteral("Projects/%1/project.ini").arg(book),
                           QStringLiteral("[Информация]\r\nНазвание=%1\r\n[Оглавление]\r\nКол-во=2\r\n"
                                          "Блок1=%1 один\r\nБлок2=%1 два\r\n")
                               .arg(book));
    }

    MainWindow window(folder.path());
    ScriptedDialogs dialogs;
    window.setDialogs(&dialogs);
    window.show();
    window.findChild<QCheckBox *>(QStringLiteral("batchProcessing"))->setChecked(true);
    auto *batch = window.findChild<QListWidget *>(QStringLiteral("batchList"));
    ASSERT_EQ(batch->count(), 2);
    batch->item(0)->setSelected(true);
    batch->item(1)->setSelected(true);
    window.findChild<QAction *>(QStringLiteral("recordButton"))->trigger();
    ASSERT_TRUE(window.isRecording());
    ASSERT_TRUE(waitUntilIdle(window, 120));

    for (const QString &book : books) {
        const QString audio = folder.home() + QStringLiteral("/Аудиокниги/") + book;
        EXPECT_EQ(
            QDir(audio).entryList({QStringLiteral("*.mp3")}, QDir::Files, QDir::Name),
            QStringList({QStringLiteral("1 - %1 один.mp3").arg(book), QStringLiteral("2 - %1 два.mp3").arg(book)}))
            << book.toStdString();
    }
    EXPECT_TRUE(batch->selectedItems().isEmpty());
}
