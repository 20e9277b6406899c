#include "app/ui/main_window.h"
#include "common/ini_file.h"
#include "options/ui/encoder_page.h"
#include "options/ui/options_dialog.h"
#include "options/ui/slider_box.h"
#include "recording/speech/voice_table.h"

#include "support/find_child.h"
#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kSapi = QStringLiteral("eSpeak Russian");
const QString kCube = QStringLiteral("ELAN Speech Cube Milena");
const QList<VoiceToken> kVoices = {{kSapi, QStringLiteral("ru")}, {kCube, QString(), MarkupKind::PlainText, true}};

class OptionsWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.writeCp1251(QStringLiteral("Voice.ini"),
                           QStringLiteral("[ELAN Speech Cube Milena]\r\n1Speed=150\r\n2Pitch=80\r\n1Pause=40\r\n"
                                          "[eSpeak Russian]\r\n1Speed=3\r\n4Pause=700\r\n"));
        folder.writeCp1251(QStringLiteral("Lectorium.ini"),
                           QStringLiteral("[LAME]\r\nPreset1=Речь:-b 32\r\nPreset2=Музыка:-V 2 -h\r\nSelected=2\r\n"));
        settings.outputFolder = folder.path();
    }

    std::unique_ptr<OptionsDialog> open(const QList<VoiceToken> &voices = kVoices)
    {
        auto window = std::make_unique<OptionsDialog>(settings, folder.path(), voices, 0, dialogs);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }

    // Near the left edge: a check box reacts only on its box and caption.
    static void click(QWidget *w, const char *name)
    {
        QAbstractButton *button = child<QAbstractButton>(w, name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }

    static void typeInto(QLineEdit *valueEdit, const QString &text)
    {
        valueEdit->setFocus();
        valueEdit->setText(text);
        emit valueEdit->editingFinished();
    }

    TempProgramFolder folder;
    Settings settings;
    ScriptedDialogs dialogs;
};

TEST_F(OptionsWindowTest, OpensOnTheGeneralPageWithTheSettingsAndPresets)
{
    settings.voiceIndex = 1;
    settings.compressMp3 = true;
    settings.rerecordExisting = true;
    settings.lameParameters = QStringLiteral("-b 128 -h");
    settings.attempts = 7;
    settings.pauseAtStart = 400;
    auto w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Lectorium - Настройки"));
    auto *tabs = child<QTabWidget>(w.get(), "mainTabs");
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(child<QComboBox>(w.get(), "voiceCombo")->currentIndex(), 1);
    EXPECT_TRUE(child<QCheckBox>(w.get(), "rerecordExisting")->isChecked());
    EXPECT_EQ(child<QSpinBox>(w.get(), "attemptsSpinBox")->value(), 7);
    EXPECT_EQ(child<QLineEdit>(w.get(), "pauseAtStartEdit")->text(), QStringLiteral("400"));
    // The stored preset is chosen first, then the current parameters win.
    EXPECT_EQ(child<QComboBox>(w.get(), "presetCombo")->currentText(), QStringLiteral("Музыка"));
    EXPECT_EQ(child<QLineEdit>(w.get(), "parametersEdit")->text(), QStringLiteral("-b 128 -h"));

    // Ctrl+Tab walks the main tabs round; the advanced frame replaces the engine page.
    for (int expected : {2, 3, 0, 1}) {
        QTest::keyClick(w.get(), Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(tabs->currentIndex(), expected);
    }
    auto *stack = child<QStackedWidget>(w.get(), "engineStack");
    click(w.get(), "advancedButton");
    EXPECT_EQ(stack->currentWidget()->objectName(), QStringLiteral("advancedFrame"));
    click(w.get(), "backButton");
    EXPECT_EQ(stack->currentWidget()->objectName(), QStringLiteral("enginePage"));
}

TEST_F(OptionsWindowTest, VoicesAreListedRussianFirstAndKeepTheirStoredIndex)
{
    // Indices as the engine gives them: the stored "Номер движка" and the
    // "Voice.ini" sections (by engine name) must mean the same voice.
    const QList<VoiceToken> voices = {
        {QStringLiteral("English_(Great_Britain)"), QStringLiteral("en-gb")},
        {QStringLiteral("Russian"), QStringLiteral("ru")},
        {QStringLiteral("Afrikaans"), QStringLiteral("af")},
        {QStringLiteral("RHVoice (Александр)"), QString(), MarkupKind::PlainText, true},
        {QStringLiteral("Russian_(Latvia)"), QStringLiteral("ru-lv")},
    };
    folder.writeCp1251(QStringLiteral("Voice.ini"),
                       QStringLiteral("[Russian]\r\n1Speed=4\r\n[Afrikaans]\r\n1Speed=-2\r\n"));
    settings.voiceIndex = 2;
    auto w = open(voices);
    auto *combo = child<QComboBox>(w.get(), "voiceCombo");
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i)
        shown.append(combo->itemText(i));
    EXPECT_EQ(shown, QStringList({QStringLiteral("Русский"), QStringLiteral("Русский (Латвия)"),
                                  QStringLiteral("RHVoice (Александр)"), QStringLiteral("Afrikaans"),
                                  QStringLiteral("English (Great Britain)")}));
    // The stored voice 2 is Afrikaans, shown fourth, with its own values.
    EXPECT_EQ(combo->currentText(), QStringLiteral("Afrikaans"));
    EXPECT_EQ(child<QSlider>(w.get(), "narrationRateSlider")->value(), -2);
    combo->setCurrentIndex(0);
    EXPECT_EQ(child<QSlider>(w.get(), "narrationRateSlider")->value(), 4);
    click(w.get(), "applyButton");
    EXPECT_EQ(settings.voiceIndex, 1);
}

TEST_F(OptionsWindowTest, VoiceKindSetsRangesAndBoxesClamp)
{
    auto w = open();
    child<QTabWidget>(w.get(), "mainTabs")->setCurrentIndex(0);
    auto *voices = child<QComboBox>(w.get(), "voiceCombo");
    auto *highPriority = child<QCheckBox>(w.get(), "highPriority");
    auto *rate1 = child<QSlider>(w.get(), "narrationRateSlider");
    auto *rateBox1 = child<QLineEdit>(w.get(), "narrationRateEdit");

    EXPECT_TRUE(highPriority->isHidden());
    EXPECT_EQ(rate1->minimum(), -10);
    EXPECT_EQ(rate1->maximum(), 10);
    EXPECT_EQ(rate1->value(), 3);
    EXPECT_EQ(child<QLineEdit>(w.get(), "authorPauseEdit")->text(), QStringLiteral("700"));
    typeInto(rateBox1, QStringLiteral("-20"));
    EXPECT_EQ(rateBox1->text(), QStringLiteral("-10"));
    EXPECT_EQ(rate1->value(), -10);

    voices->setCurrentIndex(1);
    EXPECT_FALSE(highPriority->isHidden());
    EXPECT_EQ(rate1->minimum(), 25);
    EXPECT_EQ(rate1->maximum(), 200);
    EXPECT_EQ(rate1->value(), 150);
    EXPECT_EQ(child<QSlider>(w.get(), "speechPitchSlider")->value(), 80);
    // A missing key is the voice's normal, not the lowest it allows.
    EXPECT_EQ(child<QLineEdit>(w.get(), "narrationPitchEdit")->text(), QStringLiteral("100"));
    EXPECT_EQ(child<QSlider>(w.get(), "narrationPauseSlider")->maximum(), 3000);
    typeInto(child<QLineEdit>(w.get(), "narrationPauseEdit"), QStringLiteral("нет"));
    EXPECT_EQ(child<QSlider>(w.get(), "narrationPauseSlider")->value(), 0);

    // What was moved for the first voice was never stored: it comes back as it was.
    voices->setCurrentIndex(0);
    EXPECT_EQ(rate1->value(), 3);
}

TEST_F(OptionsWindowTest, OkStoresEverythingAndCancelNothing)
{
    {
        auto w = open();
        child<QCheckBox>(w.get(), "rerecordExisting")->setChecked(true);
        child<QLineEdit>(w.get(), "artistTemplateEdit")->setText(QStringLiteral("%A%"));
        click(w.get(), "cancelButton");
    }
    EXPECT_EQ(settings.rerecordExisting, 0);
    EXPECT_EQ(settings.artistTemplate, QString());

    settings.audioStreams = 4;
    auto w = open();
    QSignalSpy applied(w.get(), &OptionsDialog::applied);
    QSignalSpy save(w.get(), &OptionsDialog::saveRequested);
    child<QCheckBox>(w.get(), "rerecordExisting")->setChecked(true);
    child<QCheckBox>(w.get(), "announceBlockNumber")->setChecked(true);
    child<QComboBox>(w.get(), "lamePriorityCombo")->setCurrentIndex(2);
    child<QComboBox>(w.get(), "audiobookFormatCombo")->setCurrentIndex(1);
    child<QCheckBox>(w.get(), "deleteBlockMp3")->setChecked(true);
    child<QSpinBox>(w.get(), "encoderJobsSpinBox")->setValue(3);
    child<QLineEdit>(w.get(), "artistTemplateEdit")->setText(QStringLiteral("%A%"));
    child<QLineEdit>(w.get(), "fileNameTemplateEdit")->setText(QStringLiteral("%n%"));
    child<QSpinBox>(w.get(), "attemptsSpinBox")->setValue(5);
    child<QSlider>(w.get(), "pauseAtEndSlider")->setValue(1200);
    child<QComboBox>(w.get(), "voiceCombo")->setCurrentIndex(1);
    child<QSlider>(w.get(), "secondSpeechRateSlider")->setValue(175);
    click(w.get(), "okButton");

    EXPECT_EQ(applied.count(), 1);
    EXPECT_EQ(save.count(), 1);
    EXPECT_EQ(settings.rerecordExisting, 1);
    EXPECT_EQ(settings.announceBlockNumber, 1);
    EXPECT_EQ(settings.lamePriority, 2);
    EXPECT_EQ(settings.audiobookFormat, AudiobookFormat::M4bBook);
    EXPECT_TRUE(settings.deleteBlockMp3);
    EXPECT_EQ(settings.encoderJobs, 3);
    EXPECT_EQ(settings.artistTemplate, QStringLiteral("%A%"));
    EXPECT_EQ(settings.fileNameTemplate, QStringLiteral("%n%"));
    EXPECT_EQ(settings.attempts, 5);
    EXPECT_EQ(settings.pauseAtEnd, 1200);
    EXPECT_EQ(settings.voiceIndex, 1);
    EXPECT_EQ(settings.audioStreams, 0);
    EXPECT_EQ(settings.lameParameters, QStringLiteral("-b 64 -h"));
    EXPECT_EQ(voiceTable().at(1).speed[2], 175);
    const QString voiceIni = folder.file(QStringLiteral("Voice.ini"));
    EXPECT_EQ(readIni(kCube, QStringLiteral("3Speed"), voiceIni), QStringLiteral("175"));
    EXPECT_EQ(readIni(kSapi, QStringLiteral("4Pause"), voiceIni), QStringLiteral("700"));
    const QString ini = folder.file(QStringLiteral("Lectorium.ini"));
    EXPECT_EQ(readIni(QStringLiteral("LAME"), QStringLiteral("Selected"), ini), QStringLiteral("2"));
    EXPECT_EQ(readIni(QStringLiteral("LAME"), QStringLiteral("Preset1"), ini), QStringLiteral("Речь:-b 32"));
}

TEST_F(OptionsWindowTest, PreviewsFollowTemplatesAndOptions)
{
    auto w = open();
    auto *mp3Tabs = child<QTabWidget>(w.get(), "mp3Tabs");
    mp3Tabs->setCurrentIndex(1);
    auto *preview = child<QLineEdit>(w.get(), "fileNamePreviewEdit");
    EXPECT_EQ(preview->text(), QStringLiteral("02-Глава первая.mp3"));
    child<QLineEdit>(w.get(), "fileNameTemplateEdit")->setText(QStringLiteral("%n%. %t%"));
    click(w.get(), "removeDots");
    click(w.get(), "replaceSpaces");
    EXPECT_EQ(preview->text(), QStringLiteral("02_Глава_первая.mp3"));

    mp3Tabs->setCurrentIndex(2);
    child<QLineEdit>(w.get(), "albumTemplateEdit")->setText(QStringLiteral("%T% (%S% %Sn%) ё"));
    EXPECT_EQ(child<QLineEdit>(w.get(), "albumPreviewEdit")->text(), QStringLiteral("КНИГА (Цикл 3) ё"));
    mp3Tabs->setCurrentIndex(1);
    click(w.get(), "yoToYe");
    EXPECT_EQ(child<QLineEdit>(w.get(), "albumPreviewEdit")->text(), QStringLiteral("КНИГА (Цикл 3) е"));
}

TEST_F(OptionsWindowTest, EnableRulesAndTheRecordingLock)
{
    auto w = open();
    auto enabled = [&](const char *name) { return child<QWidget>(w.get(), name)->isEnabled(); };
    child<QCheckBox>(w.get(), "compressToMp3")->setChecked(false);
    for (const char *name : {"deleteWav", "parametersEdit", "id3Tags", "audiobookFormatCombo", "deleteBlockMp3"})
        EXPECT_FALSE(enabled(name)) << name;
    child<QCheckBox>(w.get(), "compressToMp3")->setChecked(true);
    // Deleting the blocks' files means something only beside a book file.
    EXPECT_FALSE(enabled("deleteBlockMp3"));
    child<QComboBox>(w.get(), "audiobookFormatCombo")->setCurrentIndex(2);
    EXPECT_TRUE(enabled("deleteBlockMp3"));
    EXPECT_TRUE(enabled("id3Tags"));
    child<QCheckBox>(w.get(), "id3Tags")->setChecked(false);
    EXPECT_FALSE(enabled("titleTemplateEdit"));
    EXPECT_FALSE(enabled("titlePreviewEdit"));
    child<QCheckBox>(w.get(), "scaleInterface")->setChecked(false);
    EXPECT_FALSE(enabled("scaleToolbar"));

    const char *const locked[] = {"generalFrame",     "outputFolderEdit",    "browseOutputButton",   "renameByChapters",
                                  "compressToMp3",    "deleteWav",           "parametersEdit",       "id3Tags",
                                  "savePresetButton", "deletePresetButton",  "presetCombo",          "encoderOptions",
                                  "defaultsButton",   "fileNameFrame",       "fileNameTemplateEdit", "translit",
                                  "tagFrame",         "audiobookFormatCombo"};
    w->setRecording(true);
    for (const char *name : locked)
        EXPECT_FALSE(enabled(name)) << name;
    EXPECT_TRUE(enabled("voiceCombo"));
    w->setRecording(false);
    for (const char *name : locked)
        EXPECT_TRUE(enabled(name)) << name;
}

TEST_F(OptionsWindowTest, OutputFolderIsCheckedAndBrowsed)
{
    auto w = open();
    auto *valueEdit = child<QLineEdit>(w.get(), "outputFolderEdit");
    dialogs = ScriptedDialogs({DialogAnswer::Yes});
    const QString nested = folder.path() + QStringLiteral("/Аудиокниги/Новые/");
    typeInto(valueEdit, nested);
    EXPECT_TRUE(QFileInfo(nested).isDir());
    ASSERT_EQ(dialogs.shown.size(), 1);

    typeInto(valueEdit, QString());
    EXPECT_EQ(valueEdit->text(), folder.home() + QStringLiteral("/Аудиокниги"));

    QString asked;
    w->chooseOutputFolder = [&](const QString &initial) {
        asked = initial;
        return QStringLiteral("/tmp");
    };
    click(w.get(), "browseOutputButton");
    EXPECT_EQ(asked, folder.home() + QStringLiteral("/Аудиокниги"));
    EXPECT_EQ(valueEdit->text(), QStringLiteral("/tmp"));
}

TEST_F(OptionsWindowTest, HighPriorityAsksForTheSpeechProgram)
{
    settings.voiceIndex = 1;
    auto w = open();
    child<QTabWidget>(w.get(), "mainTabs")->setCurrentIndex(0);
    click(w.get(), "advancedButton");
    QString startFolder;
    w->chooseSpeechProgram = [&](const QString &start) {
        startFolder = start;
        return QStringLiteral("/opt/cube/SpeechCube.exe");
    };
    click(w.get(), "highPriority");
    ASSERT_EQ(dialogs.shown.size(), 2);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Изменение приоритета процесса Speech Cube"));
    EXPECT_EQ(dialogs.shown[1].title, QStringLiteral("Программа синтеза речи"));
    EXPECT_TRUE(startFolder.endsWith(QStringLiteral("ELAN Speech/Speech Cube/Bin")));
    EXPECT_EQ(child<QLineEdit>(w.get(), "speechProgramEdit")->text(), QStringLiteral("/opt/cube/SpeechCube.exe"));
}

TEST_F(OptionsWindowTest, DefaultsAndVisualStyles)
{
    settings.announceBlockNumber = true;
    settings.compressMp3 = false;
    settings.lamePriority = 2;
    settings.voiceIndex = 1;
    auto w = open();
    dialogs = ScriptedDialogs({DialogAnswer::No, DialogAnswer::Yes});
    click(w.get(), "defaultsButton");
    EXPECT_TRUE(child<QCheckBox>(w.get(), "announceBlockNumber")->isChecked());
    click(w.get(), "defaultsButton");
    EXPECT_EQ(dialogs.shown[1].text, QStringLiteral("Выставить все настройки по умолчанию?"));
    EXPECT_FALSE(child<QCheckBox>(w.get(), "announceBlockNumber")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(w.get(), "compressToMp3")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(w.get(), "deleteWav")->isEnabled());
    EXPECT_EQ(child<QComboBox>(w.get(), "lamePriorityCombo")->currentText(), QStringLiteral("Низкий (Idle)"));
    EXPECT_EQ(child<QComboBox>(w.get(), "voiceCombo")->currentIndex(), 0);
    // Nothing is stored before OK or "Применить".
    EXPECT_EQ(settings.announceBlockNumber, 1);

    const QString manifest = folder.file(QStringLiteral("Lectorium.exe.MANIFEST"));
    click(w.get(), "enableVisualStylesButton");
    EXPECT_TRUE(QFile::exists(manifest));
    click(w.get(), "disableVisualStylesButton");
    EXPECT_FALSE(QFile::exists(manifest));
    EXPECT_EQ(dialogs.shown.last().text,
              QStringLiteral("Чтобы изменения вступили в силу необходимо перезапустить программу."));
}

TEST_F(OptionsWindowTest, PresetsAreSavedChosenAndDeleted)
{
    settings.lameParameters = QStringLiteral("--abr 96 -f");
    auto w = open();
    auto *encoder = child<EncoderPage>(w.get(), "encoderPage");
    auto *presets = child<QComboBox>(w.get(), "presetCombo");
    auto *parameters = child<QLineEdit>(w.get(), "parametersEdit");
    QString proposed;
    encoder->askPresetName = [&](const QString &name) {
        proposed = name;
        return QStringLiteral("Книги 96");
    };
    click(w.get(), "savePresetButton");
    EXPECT_EQ(proposed, QStringLiteral("Музыка"));
    const QString ini = folder.file(QStringLiteral("Lectorium.ini"));
    EXPECT_EQ(readIni(QStringLiteral("LAME"), QStringLiteral("Preset3"), ini), QStringLiteral("Книги 96:--abr 96 -f"));
    EXPECT_EQ(presets->currentText(), QStringLiteral("Книги 96"));

    presets->setCurrentIndex(0);
    emit presets->activated(0);
    EXPECT_EQ(parameters->text(), QStringLiteral("-b 32"));
    click(w.get(), "deletePresetButton");
    EXPECT_EQ(presets->count(), 2);
    EXPECT_EQ(presets->currentText(), QStringLiteral("Музыка"));
    EXPECT_EQ(parameters->text(), QStringLiteral("-V 2 -h"));
    // The file changes only when the window's values are accepted.
    EXPECT_EQ(readIni(QStringLiteral("LAME"), QStringLiteral("Preset3"), ini), QStringLiteral("Книги 96:--abr 96 -f"));
    click(w.get(), "applyButton");
    EXPECT_EQ(readIni(QStringLiteral("LAME"), QStringLiteral("Preset3"), ini).value_or(QString()), QString());
    EXPECT_EQ(readIni(QStringLiteral("LAME"), QStringLiteral("Preset2"), ini), QStringLiteral("Книги 96:--abr 96 -f"));
    EXPECT_EQ(settings.lameParameters, QStringLiteral("-V 2 -h"));
}

TEST_F(OptionsWindowTest, MainWindowOpensItFromButtonNineAndOnFirstStart)
{
    folder.writeCp1251(QStringLiteral("Lectorium.ini"), QStringLiteral("[Общие настройки]\r\nПервый запуск=1\r\n"));
    MainWindow main(folder.path());
    main.setDialogs(&dialogs);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    auto options = [&] { return main.findChild<OptionsDialog *>(QStringLiteral("OptionsDialog")); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return options() != nullptr; }, 2000));
    EXPECT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(options()->isModal());

    child<QCheckBox>(options(), "alwaysTrayIcon")->setChecked(true);
    child<QCheckBox>(options(), "rerecordExisting")->setChecked(true);
    click(options(), "okButton");
    QTest::qWait(10);
    EXPECT_EQ(options(), nullptr);
    EXPECT_EQ(main.settings().rerecordExisting, 1);
    const QString ini = folder.file(QStringLiteral("Lectorium.ini"));
    EXPECT_EQ(
        readIni(QStringLiteral("Настройки аудиофайлов"), QStringLiteral("Не пропускать, если файл существует"), ini),
        QStringLiteral("1"));
    EXPECT_EQ(readIni(QStringLiteral("Общие настройки"), QStringLiteral("Первый запуск"), ini), QStringLiteral("0"));

    QAction *button9 = main.findChild<QAction *>(QStringLiteral("optionsButton"));
    ASSERT_NE(button9, nullptr);
    EXPECT_TRUE(button9->isEnabled());
    button9->trigger();
    ASSERT_NE(options(), nullptr);
    click(options(), "cancelButton");
}

} // namespace

TEST_F(OptionsWindowTest, RoleVoicesAreChosenKeptAndReadBack)
{
    const QString voiceIni = folder.file(QStringLiteral("Voice.ini"));
    // A name the lists lack, typed into the file, is shown and kept.
    writeIni(kSapi, QStringLiteral("4Voice"), QStringLiteral("Голос, которого нет"), voiceIni);
    const QString m3 = kSapi + QStringLiteral("+m3");
    {
        auto w = open();
        child<QComboBox>(w.get(), "voiceCombo")->setCurrentIndex(0);
        auto *speech = child<QComboBox>(w.get(), "speechVoiceCombo");
        EXPECT_EQ(speech->itemText(0), QStringLiteral("Голос книги"));
        EXPECT_EQ(speech->currentIndex(), 0);
        EXPECT_EQ(child<QComboBox>(w.get(), "authorVoiceCombo")->currentText(), QStringLiteral("Голос, которого нет"));
        ASSERT_GE(speech->findData(m3), 0);
        ASSERT_GE(speech->findData(kCube), 0);
        speech->setCurrentIndex(speech->findData(m3));
        auto *second = child<QComboBox>(w.get(), "secondSpeechVoiceCombo");
        second->setCurrentIndex(second->findData(kCube));
        click(w.get(), "okButton");
    }
    EXPECT_EQ(readIni(kSapi, QStringLiteral("2Voice"), voiceIni), m3);
    EXPECT_EQ(readIni(kSapi, QStringLiteral("3Voice"), voiceIni), kCube);
    EXPECT_EQ(readIni(kSapi, QStringLiteral("4Voice"), voiceIni), QStringLiteral("Голос, которого нет"));
    EXPECT_FALSE(readIni(kSapi, QStringLiteral("1Voice"), voiceIni));
    EXPECT_FALSE(readIni(kCube, QStringLiteral("2Voice"), voiceIni));

    // Opened again (a restart reads the file the same way), the page shows the choice.
    auto w = open();
    child<QComboBox>(w.get(), "voiceCombo")->setCurrentIndex(0);
    EXPECT_EQ(child<QComboBox>(w.get(), "speechVoiceCombo")->currentData().toString(), m3);
    EXPECT_EQ(child<QComboBox>(w.get(), "secondSpeechVoiceCombo")->currentData().toString(), kCube);
    EXPECT_EQ(child<QComboBox>(w.get(), "narrationVoiceCombo")->currentIndex(), 0);
    // Another voice has its own roles.
    child<QComboBox>(w.get(), "voiceCombo")->setCurrentIndex(1);
    EXPECT_EQ(child<QComboBox>(w.get(), "speechVoiceCombo")->currentIndex(), 0);
}
