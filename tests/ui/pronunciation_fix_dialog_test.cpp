// The reader's "Исправить произношение" offscreen: the stress put by a click
// on a vowel, the entry saved, the blocks it changes counted and handed on
// for re-recording; and the reader opening it on a word.

#include "app/project_store.h"
#include "app/settings.h"
#include "common/text_codec.h"
#include "dictionaries/trial_voice.h"
#include "reader/ui/pronunciation_fix_dialog.h"
#include "reader/ui/reader_window.h"

#include "support/find_child.h"
#include "support/temp_program_folder.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class HeardVoice : public TrialVoice
{
public:
    void speak(const QString &sapiXml, bool) override { heard.append(sapiXml); }
    void stop() override { }
    QStringList heard;
};

class PronunciationFixDialogTest : public ::testing::Test
{
protected:
    PronunciationFixDialogTest()
    {
        writeBlock(QStringLiteral("Дом"), 1, QStringLiteral("Старый дом.\r\n"));
        writeBlock(QStringLiteral("Дом"), 2, QStringLiteral("В замке горел свет.\r\n"));
        writeBlock(QStringLiteral("Дом"), 3, QStringLiteral("Утро.\r\n"));
        writeBlock(QStringLiteral("Лес"), 1, QStringLiteral("О замке говорили.\r\n"));
        folder.writeCp1251(QStringLiteral("Dic/Diclist.cfg"), QStringLiteral("\"ударения.dic\",#TRUE#\r\n"));
        folder.writeCp1251(QStringLiteral("Dic/ударения.dic"),
                           QStringLiteral("//Словарь Lectorium\r\nзамке=замке+\r\n"));
    }
    void writeBlock(const QString &book, int n, const QString &text)
    {
        folder.writeCp1251(QStringLiteral("Projects/%1/%2").arg(book, blockFileName(n)), text);
    }

    TempProgramFolder folder;
    Settings settings;
    HeardVoice voice;
};

} // namespace

TEST_F(PronunciationFixDialogTest, AStressClickedSavedCountedAndTheBlocksHandedOn)
{
    PronunciationFixDialog dialog(std::make_unique<PronunciationFix>(folder.path(), settings, QStringLiteral("замке"),
                                                                     QStringLiteral("В замке горел свет.")),
                                  &voice, QStringLiteral("Дом"), {QStringLiteral("Дом"), QStringLiteral("Лес")});
    dialog.show();
    EXPECT_EQ(child<QLabel>(dialog, "spokenLabel")->text(), QStringLiteral("замке+"));
    auto *respelling = child<QLineEdit>(dialog, "respellingEdit");
    EXPECT_EQ(respelling->text(), QStringLiteral("замке+"));
    EXPECT_EQ(child<QComboBox>(dialog, "dictionaryChoice")->currentText(), QStringLiteral("ударения.dic"));
    EXPECT_FALSE(child<QPushButton>(dialog, "rerecordButton")->isEnabled());

    // A click on the first vowel puts the stress there and says the word.
    QTest::mouseClick(child<QPushButton>(dialog, "stressButton0"), Qt::LeftButton);
    EXPECT_EQ(respelling->text(), QStringLiteral("за+мке"));
    EXPECT_EQ(voice.heard.value(0), QStringLiteral("за+мке"));
    EXPECT_EQ(child<QLabel>(dialog, "entryLabel")->text(), QStringLiteral("Запись: замке=за+мке"));
    QTest::mouseClick(child<QPushButton>(dialog, "listenButton"), Qt::LeftButton);
    EXPECT_TRUE(voice.heard.last().contains(QStringLiteral("за+мке"))) << voice.heard.last().toStdString();

    // Every form: the stem.
    child<QComboBox>(dialog, "formChoice")->setCurrentIndex(1);
    EXPECT_EQ(child<QLabel>(dialog, "entryLabel")->text(), QStringLiteral("Запись: замк*=за+мк"));
    child<QComboBox>(dialog, "formChoice")->setCurrentIndex(0);

    QSignalSpy rerecord(&dialog, &PronunciationFixDialog::rerecordRequested);
    QTest::mouseClick(child<QPushButton>(dialog, "saveButton"), Qt::LeftButton);
    EXPECT_TRUE(Codec::fromCp1251(folder.readBytes(QStringLiteral("Dic/ударения.dic")))
                    .contains(QStringLiteral("\r\nзамке=за+мке\r\n")));
    EXPECT_EQ(child<QLabel>(dialog, "spokenLabel")->text(), QStringLiteral("за+мке"));
    const QString touched = child<QLabel>(dialog, "touchedLabel")->text();
    EXPECT_TRUE(touched.contains(QStringLiteral("в 1 блоке этой книги и в 1 блоке других книг (1)")))
        << touched.toStdString();
    auto *rerecordButton = child<QPushButton>(dialog, "rerecordButton");
    ASSERT_TRUE(rerecordButton->isEnabled());
    QTest::mouseClick(rerecordButton, Qt::LeftButton);
    ASSERT_EQ(rerecord.size(), 1);
    EXPECT_EQ(rerecord.at(0).at(0).toString(), QStringLiteral("Дом"));
    EXPECT_EQ(rerecord.at(0).at(1).value<QList<int>>(), QList<int>({2}));
}

TEST_F(PronunciationFixDialogTest, TheReaderOpensItOnTheWordAtAPlace)
{
    ReaderWindow reader(folder.path(), {QStringLiteral("Дом"), QStringLiteral("Лес")}, QStringLiteral("Дом"), settings);
    reader.show();
    // A chapter of the reader is a block.
    child<QListWidget>(reader, "chapterList")->setCurrentRow(1);
    const QString text = child<QPlainTextEdit>(reader, "textView")->toPlainText();
    const int at = int(text.indexOf(QStringLiteral("замке")));
    ASSERT_GE(at, 0) << text.toStdString();
    // No word at the line's end.
    EXPECT_EQ(reader.openPronunciationFix(int(text.indexOf(u'\n'))), nullptr);
    PronunciationFixDialog *dialog = reader.openPronunciationFix(at + 2);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->fix().word(), QStringLiteral("замке"));
    EXPECT_EQ(dialog->fix().sentence(), QStringLiteral("В замке горел свет."));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Исправить произношение «замке»"));
    QSignalSpy rerecord(&reader, &ReaderWindow::rerecordRequested);
    emit dialog->rerecordRequested(QStringLiteral("Дом"), {2});
    EXPECT_EQ(rerecord.size(), 1);
    dialog->close();
}
