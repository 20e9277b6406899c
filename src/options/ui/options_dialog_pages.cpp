// The pages of the options window; what they do is in options_dialog.cpp.

#include "options/ui/options_dialog.h"

#include "audiobook/audiobook_format.h"

#include "common/program_folder.h"
#include "common/ui/named_control.h"

#include "options/ui/encoder_page.h"
#include "options/ui/slider_box.h"

#include "dictionaries/ui/dictionary_windows.h"
#include "recording/encoder_pool.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// A read-only line showing what a template gives.
QLineEdit *previewBox(QWidget *parent, const char *name)
{
    auto *preview = named(new QLineEdit(parent), name);
    preview->setReadOnly(true);
    return preview;
}

const QStringList kFileNameHelp = {
    QStringLiteral("Пустая строка = по умолчанию"),
    QStringLiteral("%P% = Имя проекта (\"Книга1\")"),
    QStringLiteral("%t% = Название блока (\"Глава первая\")"),
    QStringLiteral("%N% = Кол-во блоков в книге (\"92\")"),
    QStringLiteral("%n% = Номер текущего блока (\"2\")"),
    QStringLiteral("%l% = длина аудиофайла (\"04-56\")"),
    QStringLiteral("%T% = Название книги (\"КНИГА\")"),
    QStringLiteral("%A% = Автор(ы)  (\"Автор\")"),
    QStringLiteral("%S% = Цикл/серия (\"Цикл\")"),
    QStringLiteral("%Sn% = Индекс книги в цикле (\"3\")"),
    QStringLiteral("%D% = Год/Дата (\"2006\")"),
    QStringLiteral("%G% = Жанр (\"Жанр\")"),
};

} // namespace

QCheckBox *OptionsDialog::addFlag(QWidget *parent, const char *name, const QString &caption, const QString &tip,
                                  bool Settings::*field)
{
    auto *box = named(new QCheckBox(caption, parent), name, tip);
    m_flags.append({box, field});
    return box;
}

QWidget *OptionsDialog::buildEnginePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("enginePage"));
    m_voiceCombo = new QComboBox(page);
    m_voiceCombo->setObjectName(QStringLiteral("voiceCombo"));
    m_voiceCombo->setToolTip(QStringLiteral("Выберите голосовой движок"));

    auto *voices = new QGroupBox(QStringLiteral("Параметры голоса"), page);
    auto *grid = new QGridLayout(voices);
    const QString columns[4] = {QStringLiteral("Скорость"), QStringLiteral("Тембр"), QStringLiteral("Пауза (ms)"),
                                QStringLiteral("Голос")};
    const QString columnNames[3] = {QStringLiteral("Rate"), QStringLiteral("Pitch"), QStringLiteral("Pause")};
    const QString roleNames[4] = {QStringLiteral("narration"), QStringLiteral("speech"), QStringLiteral("secondSpeech"),
                                  QStringLiteral("author")};
    const QString rows[4] = {QStringLiteral("Повествование:"), QStringLiteral("Речь (голос 1):"),
                             QStringLiteral("Речь (Голос 2):"), QStringLiteral("Комментарий:")};
    for (int c = 0; c < 4; ++c)
        grid->addWidget(new QLabel(columns[c], voices), 0, c + 1, Qt::AlignCenter);
    for (int r = 0; r < 4; ++r) {
        grid->addWidget(new QLabel(rows[r], voices), r + 1, 0);
        for (int c = 0; c < 3; ++c) {
            m_voiceSliders[c][r] = new SliderBox(roleNames[r] + columnNames[c], voices);
            grid->addWidget(m_voiceSliders[c][r], r + 1, c + 1);
        }
        m_roleVoiceCombos[r] = new QComboBox(voices);
        m_roleVoiceCombos[r]->setObjectName(roleNames[r] + QStringLiteral("VoiceCombo"));
        m_roleVoiceCombos[r]->setToolTip(QStringLiteral("Голос, которым читается эта роль; «Голос книги» — "
                                                        "выбранный выше голосовой движок"));
        m_roleVoiceCombos[r]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        m_roleVoiceCombos[r]->setMinimumContentsLength(14);
        grid->addWidget(m_roleVoiceCombos[r], r + 1, 4);
    }
    QPushButton *preview = named(new QPushButton(QStringLiteral("Прослушать"), voices), "previewRolesButton",
                                 QStringLiteral("Прочитать короткий диалог выбранными голосами ролей"));
    connect(preview, &QPushButton::clicked, this, &OptionsDialog::previewRoles);
    grid->addWidget(preview, 5, 4, Qt::AlignRight);

    auto *dictionary = new QGroupBox(QStringLiteral("Обработка словарем"), page);
    QCheckBox *useDictionary = addFlag(
        dictionary, "applyDictionaries", QStringLiteral("Вкл."),
        QStringLiteral("Включить обработку собственным словарем во время записи книги (в \"реальном времени\")"),
        &Settings::applyDictionaries);
    QPushButton *dictionaries = named(new QPushButton(QStringLiteral("Словари..."), dictionary), "dictionariesButton");
    auto *dictionaryRow = new QHBoxLayout(dictionary);
    dictionaryRow->addWidget(useDictionary);
    dictionaryRow->addWidget(dictionaries);
    connect(dictionaries, &QPushButton::clicked, this,
            [this] { showDictionaryList(this, m_programFolder, m_dialogs); });

    QCheckBox *announce =
        addFlag(page, "announceBlockNumber", QStringLiteral("Объявлять номер блока"),
                QStringLiteral("Объявлять голосом \"Блок n\" ... \"Конец блока n\""), &Settings::announceBlockNumber);
    QCheckBox *stress =
        addFlag(page, "autoStress", QStringLiteral("Расставлять ударения автоматически"),
                QStringLiteral("Ставить ударения и букву \"ё\" по словарю ударений перед тем, как голос прочтёт текст "
                               "(слова, изменённые вашими словарями, и уже помеченные ударения не трогаются)"),
                &Settings::autoStress);
    QCheckBox *volume =
        addFlag(page, "fullVolume", QStringLiteral("Повысить громкость"),
                QStringLiteral("Устанавливает максимальную громкость голосового движка"), &Settings::fullVolume);

    auto *pauses = new QGroupBox(QStringLiteral("Дополнительные паузы"), page);
    auto *pauseGrid = new QGridLayout(pauses);
    m_pauseAtStart = new SliderBox(QStringLiteral("pauseAtStart"), pauses);
    m_pauseAtEnd = new SliderBox(QStringLiteral("pauseAtEnd"), pauses);
    for (SliderBox *valueEdit : {m_pauseAtStart, m_pauseAtEnd})
        valueEdit->setRange(blockPauseRange());
    pauseGrid->addWidget(new QLabel(QStringLiteral("В начале блока:"), pauses), 0, 0);
    pauseGrid->addWidget(m_pauseAtStart, 0, 1);
    pauseGrid->addWidget(new QLabel(QStringLiteral("В конце блока:"), pauses), 1, 0);
    pauseGrid->addWidget(m_pauseAtEnd, 1, 1);

    QPushButton *more = named(new QPushButton(QStringLiteral("Дополнительно>>"), page), "advancedButton");
    connect(more, &QPushButton::clicked, this, [this] { m_engineStack->setCurrentIndex(1); });

    auto *options = new QVBoxLayout;
    options->addWidget(dictionary);
    options->addWidget(announce);
    options->addWidget(stress);
    options->addWidget(volume);
    options->addStretch();
    options->addWidget(more, 0, Qt::AlignRight);
    auto *lower = new QHBoxLayout;
    lower->addWidget(pauses, 1);
    lower->addLayout(options);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(m_voiceCombo);
    layout->addWidget(voices);
    layout->addLayout(lower);
    layout->addStretch();

    m_engineStack = new QStackedWidget;
    m_engineStack->setObjectName(QStringLiteral("engineStack"));
    m_engineStack->addWidget(page);
    m_engineStack->addWidget(buildAdvancedFrame());
    return m_engineStack;
}

QWidget *OptionsDialog::buildAdvancedFrame()
{
    auto *frame = new QWidget;
    frame->setObjectName(QStringLiteral("advancedFrame"));
    m_highPriority = addFlag(frame, "highPriority", QStringLiteral("Высокий приоритет процесса SpeechCube (*)"),
                             QStringLiteral("Включите опцию, если  происходят ошибки при записи аудиофайлов "
                                            "(пропуск слов и предложений в конце файла)"),
                             &Settings::highPriority);
    connect(m_highPriority, &QCheckBox::clicked, this, &OptionsDialog::highPriorityClicked);
    m_attemptsSpinBox = new QSpinBox(frame);
    m_attemptsSpinBox->setObjectName(QStringLiteral("attemptsSpinBox"));
    m_attemptsSpinBox->setRange(1, 99);
    m_attemptsSpinBox->setToolTip(
        QStringLiteral("Количество попыток повторно записать блок при возникновении ошибок."));
    QCheckBox *follow = addFlag(frame, "alternativeRecordingMode", QStringLiteral("Альтернативный режим записи"),
                                QStringLiteral("Альтернативный режим записи аудиофайлов..."), &Settings::followEngine);
    QPushButton *back =
        named(new QPushButton(QStringLiteral("Назад <<"), frame), "backButton", QStringLiteral("К настройкам движка"));
    connect(back, &QPushButton::clicked, this, [this] { m_engineStack->setCurrentIndex(0); });

    auto *attempts = new QHBoxLayout;
    attempts->addWidget(new QLabel(QStringLiteral("Максимальное кол-во ошибок записи:"), frame));
    attempts->addWidget(m_attemptsSpinBox);
    attempts->addStretch();
    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(m_highPriority);
    layout->addLayout(attempts);
    layout->addWidget(follow);
    layout->addStretch();
    layout->addWidget(back, 0, Qt::AlignRight);
    return frame;
}

QWidget *OptionsDialog::buildGeneralPage()
{
    auto *page = new QWidget;
    m_generalFrame = new QWidget(page);
    m_generalFrame->setObjectName(QStringLiteral("generalFrame"));
    QWidget *f = m_generalFrame;

    m_scaleToolbar =
        addFlag(f, "scaleToolbar", QStringLiteral("Масштабировать панель инструментов"), {}, &Settings::scaleToolbar);
    QCheckBox *percent = addFlag(f, "percentInTitle", QStringLiteral("Показывать процент выполнения в заголовке окна"),
                                 {}, &Settings::percentInTitle);
    QCheckBox *tray =
        addFlag(f, "minimizeToTray", QStringLiteral("Сворачивать в трей "),
                QStringLiteral("При сворачивании добавлять иконку в системный трей"), &Settings::minimizeToTray);
    m_scaleInterface =
        addFlag(f, "scaleInterface", QStringLiteral("Масштабируемый интерфейс"), {}, &Settings::scaleInterface);
    QCheckBox *alwaysTray =
        addFlag(f, "alwaysTrayIcon", QStringLiteral("Всегда отображать в трее"),
                QStringLiteral("Всегда отображать иконку программы в системном трее"), &Settings::alwaysTrayIcon);
    QCheckBox *deleteProject =
        addFlag(f, "deleteProjectAfterRecording", QStringLiteral("Удалять проект по завершении записи"),
                QStringLiteral("Автоматически удалять проект из библиотеки после записи всех блоков."),
                &Settings::deleteProject);
    QCheckBox *rerecord = addFlag(f, "rerecordExisting", QStringLiteral("Перезаписывать готовые файлы"),
                                  QStringLiteral("Включите опцию, если программа была завершена некорректно."),
                                  &Settings::rerecordExisting);
    QCheckBox *rename =
        addFlag(f, "renameByChapters", QStringLiteral("Переименовывать по главам "),
                QStringLiteral("Добавлять название блока к имени mp3 файла"), &Settings::renameByChapters);
    connect(m_scaleInterface, &QCheckBox::toggled, this, &OptionsDialog::updateEnabling);

    m_outputFolderEdit = named(new QLineEdit(f), "outputFolderEdit",
                               QStringLiteral("В указанном каталоге будут созданы подкаталоги для каждой книги"));
    QPushButton *browse = named(new QPushButton(QStringLiteral("..."), f), "browseOutputButton");
    connect(m_outputFolderEdit, &QLineEdit::editingFinished, this, &OptionsDialog::checkOutputFolder);
    connect(browse, &QPushButton::clicked, this,
            [this] { m_outputFolderEdit->setText(chooseOutputFolder(m_outputFolderEdit->text())); });
    m_speechProgramEdit =
        named(new QLineEdit(f), "speechProgramEdit", QStringLiteral("Программа, которую запускает голос Speech Cube"));

    auto *styles = new QGroupBox(QStringLiteral("Оформление окон (со следующего запуска)"), f);
    QPushButton *stylesOn = named(new QPushButton(QStringLiteral("Как в системе"), styles), "enableVisualStylesButton",
                                  QStringLiteral("Окна программы в стиле рабочего стола"));
    QPushButton *stylesOff = named(new QPushButton(QStringLiteral("Fusion"), styles), "disableVisualStylesButton",
                                   QStringLiteral("Окна программы в стиле Fusion библиотеки Qt"));
    auto *stylesRow = new QHBoxLayout(styles);
    stylesRow->addWidget(stylesOn);
    stylesRow->addWidget(stylesOff);
    connect(stylesOn, &QPushButton::clicked, this, [this] { setVisualStyles(true); });
    connect(stylesOff, &QPushButton::clicked, this, [this] { setVisualStyles(false); });

    auto *checks = new QGridLayout;
    checks->addWidget(m_scaleInterface, 0, 0);
    checks->addWidget(m_scaleToolbar, 1, 0);
    checks->addWidget(percent, 2, 0);
    checks->addWidget(tray, 3, 0);
    checks->addWidget(alwaysTray, 4, 0);
    checks->addWidget(deleteProject, 0, 1);
    checks->addWidget(rerecord, 1, 1);
    checks->addWidget(rename, 2, 1);
    checks->addWidget(styles, 3, 1, 2, 1);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(m_outputFolderEdit, 1);
    folderRow->addWidget(browse);
    auto *layout = new QVBoxLayout(f);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(checks);
    layout->addWidget(new QLabel(QStringLiteral("Каталог для готовых аудиофайлов:"), f));
    layout->addLayout(folderRow);
    layout->addWidget(new QLabel(QStringLiteral("Программа синтеза речи (голос Speech Cube):"), f));
    layout->addWidget(m_speechProgramEdit);
    layout->addStretch();
    auto *outer = new QVBoxLayout(page);
    outer->addWidget(m_generalFrame);
    return page;
}

QWidget *OptionsDialog::buildMp3Page()
{
    m_mp3Tabs = new QTabWidget;
    m_mp3Tabs->setObjectName(QStringLiteral("mp3Tabs"));
    m_mp3Tabs->addTab(buildBitratePage(), QStringLiteral("Битрейт"));
    m_mp3Tabs->addTab(buildFileNamePage(), QStringLiteral("Имя файла"));
    m_mp3Tabs->addTab(buildTagPage(), QStringLiteral("ID3 тэги"));
    connect(m_mp3Tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 1)
            refreshFileNamePreview();
        else if (index == 2)
            refreshTagPreviews();
    });
    return m_mp3Tabs;
}

QWidget *OptionsDialog::buildBitratePage()
{
    auto *page = new QWidget;
    m_compressToMp3 = addFlag(page, "compressToMp3", QStringLiteral("Сжимать в MP3 "),
                              QStringLiteral("Сжимать каждый блок программой LAME"), &Settings::compressMp3);
    m_deleteWav =
        addFlag(page, "deleteWav", QStringLiteral("Удалять Wav "),
                QStringLiteral("Если отключить, то WAV файлы не будут автоматически удаляться после сжатия в Mp3"),
                &Settings::deleteWav);
    connect(m_compressToMp3, &QCheckBox::toggled, this, &OptionsDialog::updateEnabling);
    m_lamePriorityCombo = new QComboBox(page);
    m_lamePriorityCombo->setObjectName(QStringLiteral("lamePriorityCombo"));
    m_lamePriorityCombo->setToolTip(
        QStringLiteral("Приоритет для кодирования в MP3 (рекомендуется низкий или нормальный)"));
    m_encoderJobsSpinBox = new QSpinBox(page);
    m_encoderJobsSpinBox->setObjectName(QStringLiteral("encoderJobsSpinBox"));
    m_encoderJobsSpinBox->setRange(0, EncoderPool::kMostJobs);
    m_encoderJobsSpinBox->setSpecialValueText(QStringLiteral("по числу процессоров"));
    m_encoderJobsSpinBox->setToolTip(
        QStringLiteral("Сколько блоков сжимать в MP3 одновременно, пока записываются следующие "
                       "(0 — по числу процессоров, 1 — по одному)"));
    m_encoderPage = new EncoderPage(ProgramFolder(m_programFolder).settingsFile(), m_dialogs, page);
    m_encoderPage->setObjectName(QStringLiteral("encoderPage"));

    m_audiobookFormatCombo = named(
        new QComboBox(page), "audiobookFormatCombo",
        QStringLiteral("MP3-файлы блоков записываются всегда; книга одним файлом с главами собирается из них, когда "
                       "записаны все блоки до конца выбранного диапазона"));
    m_audiobookFormatCombo->addItems(audiobookFormatCaptions());
    m_deleteBlockMp3 =
        addFlag(page, "deleteBlockMp3", QStringLiteral("Удалять MP3 блоков"),
                QStringLiteral("Удалять MP3-файлы блоков, когда книга одним файлом собрана из всех блоков книги"),
                &Settings::deleteBlockMp3);
    connect(m_audiobookFormatCombo, &QComboBox::currentIndexChanged, this, &OptionsDialog::updateEnabling);
    m_readAlong = addFlag(page, "readAlong", QStringLiteral("Текст для чтения вслед (LRC)"),
                          QStringLiteral("Рядом со звуком каждого блока — LRC-файл со временем каждого предложения, "
                                         "чтобы плеер показывал текст вслед за чтением; для книги одним файлом — "
                                         "ещё LRC и SRT на всю книгу"),
                          &Settings::readAlong);
    m_readAlongWords = addFlag(page, "readAlongWords", QStringLiteral("по словам"),
                               QStringLiteral("В LRC-файле время и каждого слова (плееры, которые это умеют, "
                                              "подсвечивают слово)"),
                               &Settings::readAlongWords);
    connect(m_readAlong, &QCheckBox::toggled, this, &OptionsDialog::updateEnabling);

    auto *top = new QHBoxLayout;
    top->addWidget(m_compressToMp3);
    top->addWidget(m_deleteWav);
    top->addStretch();
    top->addWidget(new QLabel(QStringLiteral("Приоритет LAME:"), page));
    top->addWidget(m_lamePriorityCombo);
    auto *book = new QHBoxLayout;
    book->addWidget(new QLabel(QStringLiteral("Формат аудиокниги:"), page));
    book->addWidget(m_audiobookFormatCombo);
    book->addWidget(m_deleteBlockMp3);
    book->addStretch();
    book->addWidget(new QLabel(QStringLiteral("Потоков кодирования:"), page));
    book->addWidget(m_encoderJobsSpinBox);
    auto *readAlong = new QHBoxLayout;
    readAlong->addWidget(m_readAlong);
    readAlong->addWidget(m_readAlongWords);
    readAlong->addStretch();
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addLayout(book);
    layout->addLayout(readAlong);
    layout->addWidget(m_encoderPage);
    layout->addStretch();
    return page;
}

QWidget *OptionsDialog::buildFileNamePage()
{
    auto *page = new QWidget;
    m_fileNameFrame = new QWidget(page);
    m_fileNameFrame->setObjectName(QStringLiteral("fileNameFrame"));
    QWidget *f = m_fileNameFrame;
    m_fileNameTemplateEdit = named(new QLineEdit(f), "fileNameTemplateEdit");
    m_fileNamePreviewEdit = previewBox(f, "fileNamePreviewEdit");
    m_replaceSpaces =
        addFlag(f, "replaceSpaces", QStringLiteral("Пробел=_"),
                QStringLiteral("Заменять пробелы нижним подчеркиванием в имени файла"), &Settings::replaceSpaces);
    m_removeDots = addFlag(f, "removeDots", QStringLiteral("Удалить точки"),
                           QStringLiteral("Удалить лишние точки из имени файла"), &Settings::removeDots);
    m_translit = addFlag(f, "translit", QStringLiteral("Translit"), QStringLiteral("Perevodit imena failov v translit"),
                         &Settings::translit);
    m_yoToYe = addFlag(f, "yoToYe", QStringLiteral("Ё -> Е"),
                       QStringLiteral("Заменить все \"ё\" на \"е\" в имени файла"), &Settings::yoToYe);
    auto *help = new QLabel(kFileNameHelp.join(u'\n'), f);
    help->setObjectName(QStringLiteral("fileNameHelpLabel"));
    help->setTextInteractionFlags(Qt::TextSelectableByMouse);

    connect(m_fileNameTemplateEdit, &QLineEdit::textChanged, this, &OptionsDialog::refreshFileNamePreview);
    for (QCheckBox *valueEdit : {m_replaceSpaces, m_removeDots, m_translit, m_yoToYe})
        connect(valueEdit, &QCheckBox::toggled, this, &OptionsDialog::refreshFileNamePreview);
    // The tag previews follow the options too: they share the "ё" option.
    for (QCheckBox *valueEdit : {m_removeDots, m_translit, m_yoToYe})
        connect(valueEdit, &QCheckBox::clicked, this, &OptionsDialog::refreshTagPreviews);

    auto *form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("Шаблон:"), f), 0, 0);
    form->addWidget(m_fileNameTemplateEdit, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("Пример:"), f), 1, 0);
    form->addWidget(m_fileNamePreviewEdit, 1, 1);
    auto *options = new QVBoxLayout;
    for (QCheckBox *valueEdit : {m_replaceSpaces, m_removeDots, m_translit, m_yoToYe})
        options->addWidget(valueEdit);
    options->addStretch();
    auto *left = new QVBoxLayout;
    left->addLayout(form);
    left->addLayout(options);
    auto *layout = new QHBoxLayout(f);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(left, 1);
    layout->addWidget(help, 0, Qt::AlignTop);
    auto *outer = new QVBoxLayout(page);
    outer->addWidget(f);
    return page;
}

QWidget *OptionsDialog::buildTagPage()
{
    auto *page = new QWidget;
    m_id3Tags = addFlag(page, "id3Tags", QStringLiteral("Включить ID3 тэги"),
                        QStringLiteral("Добавить ID3 тэги к mp3 файлам."), &Settings::id3Tags);
    connect(m_id3Tags, &QCheckBox::toggled, this, &OptionsDialog::updateEnabling);
    m_tagFrame = new QWidget(page);
    m_tagFrame->setObjectName(QStringLiteral("tagFrame"));
    auto *grid = new QGridLayout(m_tagFrame);
    grid->setContentsMargins(0, 0, 0, 0);
    const char *const templateNames[3] = {"artistTemplateEdit", "albumTemplateEdit", "titleTemplateEdit"};
    const char *const previewNames[3] = {"artistPreviewEdit", "albumPreviewEdit", "titlePreviewEdit"};
    const QString captions[3] = {QStringLiteral("Artist:"), QStringLiteral("Album:"), QStringLiteral("Title:")};
    grid->addWidget(new QLabel(QStringLiteral("Пример:"), m_tagFrame), 0, 2);
    for (int i = 0; i < 3; ++i) {
        m_tagTemplateEdits[i] = named(new QLineEdit(m_tagFrame), templateNames[i]);
        m_tagPreviewEdits[i] = previewBox(m_tagFrame, previewNames[i]);
        grid->addWidget(new QLabel(captions[i], m_tagFrame), i + 1, 0);
        grid->addWidget(m_tagTemplateEdits[i], i + 1, 1);
        grid->addWidget(m_tagPreviewEdits[i], i + 1, 2);
        connect(m_tagTemplateEdits[i], &QLineEdit::textChanged, this, &OptionsDialog::refreshTagPreviews);
    }
    auto *help = new QLabel(kFileNameHelp.mid(1).join(u'\n'), page);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(m_id3Tags);
    layout->addWidget(m_tagFrame);
    layout->addWidget(help);
    layout->addStretch();
    return page;
}
