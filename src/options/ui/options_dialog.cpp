#include "options/ui/options_dialog.h"
#include "common/ui/help_key.h"
#include "common/user_guide.h"

#include "common/program_folder.h"

#include "options/ui/encoder_page.h"
#include "options/ui/folder_picker.h"
#include "options/ui/slider_box.h"
#include "options/ui/speech_programs_page.h"

#include "common/user_dialogs.h"
#include "options/high_priority_option.h"
#include "options/name_previews.h"
#include "options/option_defaults.h"
#include "options/output_folder_check.h"
#include "options/visual_style_manifest.h"
#include "recording/role_voice_preview.h"
#include "recording/speech/role_voices.h"
#include "recording/speech/speech_voice.h"
#include "recording/speech/voice_list.h"
#include "recording/speech/voice_table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

OptionsDialog::OptionsDialog(Settings &settings, const QString &programFolder, const QList<VoiceToken> &voices,
                             int defaultVoice, UserDialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_programFolder(programFolder), m_voices(voices),
      m_defaultVoice(defaultVoice), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("OptionsDialog"));
    installHelpKey(this, HelpAnchor::optionsGeneral);
    setWindowTitle(QStringLiteral("Lectorium - Настройки"));

    m_mainTabs = new QTabWidget(this);
    m_mainTabs->setObjectName(QStringLiteral("mainTabs"));
    m_mainTabs->addTab(buildEnginePage(), QStringLiteral("Голосовой движок"));
    m_mainTabs->setTabToolTip(0, QStringLiteral("Выбор движка, настройка скорости и высоты голоса..."));
    m_mainTabs->addTab(buildGeneralPage(), QStringLiteral("Общие настройки"));
    m_mainTabs->addTab(buildMp3Page(), QStringLiteral("Настройки MP3"));
    m_speechProgramsPage =
        new SpeechProgramsPage(ProgramFolder(programFolder).speechProgramsFile(), m_dialogs, m_mainTabs);
    m_mainTabs->addTab(m_speechProgramsPage, QStringLiteral("Добавить голос…"));
    auto *nextTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(nextTab, &QShortcut::activated, this, &OptionsDialog::nextMainTab);
    // F1 opens the guide at the page shown.
    connect(m_mainTabs, &QTabWidget::currentChanged, this, [this](int page) {
        const QString anchors[] = {HelpAnchor::optionsVoice, HelpAnchor::optionsGeneral, HelpAnchor::optionsMp3,
                                   HelpAnchor::optionsPrograms};
        if (page >= 0 && page < int(std::size(anchors)))
            setHelpAnchor(this, anchors[page]);
    });

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto *applyButton = new QPushButton(QStringLiteral("Применить"), this);
    applyButton->setObjectName(QStringLiteral("applyButton"));
    auto *cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    // Clicking "Отмена" must not first leave the output folder box: that
    // would ask about a folder the user is throwing away.
    cancel->setFocusPolicy(Qt::NoFocus);
    m_defaultsButton = new QPushButton(QStringLiteral("По умолчанию"), this);
    m_defaultsButton->setObjectName(QStringLiteral("defaultsButton"));
    connect(ok, &QPushButton::clicked, this, &OptionsDialog::accept);
    connect(applyButton, &QPushButton::clicked, this, &OptionsDialog::apply);
    connect(cancel, &QPushButton::clicked, this, &OptionsDialog::reject);
    connect(m_defaultsButton, &QPushButton::clicked, this, &OptionsDialog::restoreDefaults);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_defaultsButton);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(applyButton);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_mainTabs, 1);
    layout->addLayout(buttons);

    chooseOutputFolder = [this](const QString &initial) { return ::pickFolder(m_dialogs, initial, this); };
    chooseSpeechProgram = [this](const QString &startFolder) {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Программа синтеза речи"), startFolder);
    };

    // Opening: voices, priorities, presets, the voice table, the settings.
    fillVoiceCombo();
    fillRoleVoiceCombos();
    m_lamePriorityCombo->addItems(
        {QStringLiteral("Обычный (Normal)"), QStringLiteral("Низкий (Idle)"), QStringLiteral("Высокий (High)")});
    connect(m_voiceCombo, &QComboBox::currentIndexChanged, this, &OptionsDialog::voiceChosen);
    m_encoderPage->loadPresets();
    readVoiceTableFile();
    fillControlsFromSettings(m_settings);
    showChosenVoiceValues();
    m_encoderPage->applyParameters(m_settings.lameParameters);
    updateEnabling();
    m_mainTabs->setCurrentIndex(1);
}

void OptionsDialog::showOutputFolderPage()
{
    m_mainTabs->setCurrentWidget(m_generalFrame->parentWidget());
}

void OptionsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    if (QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

// ---- voice table ------------------------------------------------------------

void OptionsDialog::readVoiceTableFile()
{
    QStringList descriptions;
    for (const VoiceToken &voice : m_voices)
        descriptions.append(voice.description);
    voiceTable() = loadVoiceTable(descriptions, ProgramFolder(m_programFolder).voiceSettingsFile());
}

void OptionsDialog::fillVoiceCombo()
{
    const QSignalBlocker blocker(m_voiceCombo);
    m_voiceCombo->clear();
    for (const ListedVoice &voice : listedVoices(m_voices))
        m_voiceCombo->addItem(voice.name, voice.index);
}

void OptionsDialog::fillRoleVoiceCombos()
{
    const QList<RoleVoiceChoice> choices = roleVoiceChoices(m_voices, SpeechVoice::variants());
    for (QComboBox *combo : m_roleVoiceCombos) {
        const QSignalBlocker blocker(combo);
        combo->clear();
        for (const RoleVoiceChoice &choice : choices)
            combo->addItem(choice.shown, choice.name);
    }
}

int OptionsDialog::chosenVoice() const
{
    return m_voiceCombo->currentIndex() < 0 ? -1 : m_voiceCombo->currentData().toInt();
}

void OptionsDialog::showVoice(int index)
{
    const int item = m_voiceCombo->findData(index);
    if (item >= 0)
        m_voiceCombo->setCurrentIndex(item);
}

void OptionsDialog::showChosenVoiceValues()
{
    const int index = chosenVoice();
    if (index < 0 || index >= voiceTable().size())
        return;
    const VoiceParams &voice = voiceTable().at(index);
    const VoiceColumn columns[3] = {VoiceColumn::Rate, VoiceColumn::Pitch, VoiceColumn::Pause};
    const std::array<int, 4> *values[3] = {&voice.speed, &voice.pitch, &voice.pause};
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 4; ++r) {
            m_voiceSliders[c][r]->setRange(voiceSliderRange(voice.voiceKind, columns[c]));
            m_voiceSliders[c][r]->setValue((*values[c])[r]);
        }
    for (int r = 0; r < 4; ++r) {
        QComboBox *combo = m_roleVoiceCombos[r];
        const QString &name = voice.roleVoice[r];
        // A name the list lacks (typed into the file, a program switched
        // off) is shown as it stands and kept.
        if (combo->findData(name) < 0)
            combo->addItem(name, name);
        combo->setCurrentIndex(combo->findData(name));
    }
}

VoiceParams OptionsDialog::shownVoiceValues(VoiceParams voice) const
{
    for (int r = 0; r < 4; ++r) {
        voice.speed[r] = m_voiceSliders[0][r]->value();
        voice.pitch[r] = m_voiceSliders[1][r]->value();
        voice.pause[r] = m_voiceSliders[2][r]->value();
        voice.roleVoice[r] = m_roleVoiceCombos[r]->currentData().toString();
    }
    return voice;
}

void OptionsDialog::storeChosenVoiceValues()
{
    const int index = chosenVoice();
    if (index < 0 || index >= voiceTable().size())
        return;
    voiceTable()[index] = shownVoiceValues(voiceTable().at(index));
}

void OptionsDialog::previewRoles()
{
    const int index = chosenVoice();
    if (index < 0 || index >= voiceTable().size())
        return;
    // What the page shows, tried before it is applied.
    const VoiceParams voice = shownVoiceValues(voiceTable().at(index));
    if (!m_previewVoice)
        m_previewVoice = std::make_unique<SpeechVoice>();
    m_previewVoice->selectVoice(index);
    m_previewVoice->speak(rolePreviewMarkup(voice), rolePreviewFlags(voice));
}

void OptionsDialog::writeVoiceTableFile()
{
    saveVoiceTable(voiceTable(), ProgramFolder(m_programFolder).voiceSettingsFile());
}

void OptionsDialog::reloadVoiceList()
{
    loadSpeechPrograms(m_programFolder);
    m_voices = SpeechVoice::voices();
    {
        const int chosen = chosenVoice();
        fillVoiceCombo();
        fillRoleVoiceCombos();
        const QSignalBlocker blocker(m_voiceCombo);
        showVoice(std::min(chosen, int(m_voices.size()) - 1));
    }
    readVoiceTableFile();
    voiceChosen();
}

void OptionsDialog::voiceChosen()
{
    const int index = chosenVoice();
    m_highPriority->setVisible(index >= 0 && index < m_voices.size()
                               && isSpeechCubeVoice(m_voices.at(index).description));
    showChosenVoiceValues();
}

// ---- settings ---------------------------------------------------------------

void OptionsDialog::fillControlsFromSettings(const Settings &s)
{
    showVoice(s.voiceIndex);
    voiceChosen();
    m_outputFolderEdit->setText(s.outputFolder);
    m_encoderPage->parametersEdit()->setText(s.lameParameters);
    m_speechProgramEdit->setText(s.speechCubePath);
    m_lamePriorityCombo->setCurrentIndex(std::clamp(s.lamePriority, 0, 2));
    m_audiobookFormatCombo->setCurrentIndex(int(s.audiobookFormat));
    m_encoderJobsSpinBox->setValue(std::max(0, s.encoderJobs));
    for (const auto &[box, field] : m_flags)
        box->setChecked(s.*field);
    m_fileNameTemplateEdit->setText(s.fileNameTemplate);
    m_tagTemplateEdits[0]->setText(s.artistTemplate);
    m_tagTemplateEdits[1]->setText(s.albumTemplate);
    m_tagTemplateEdits[2]->setText(s.titleTemplate);
    updateEnabling();
    m_pauseAtStart->setValue(s.pauseAtStart);
    m_pauseAtEnd->setValue(s.pauseAtEnd);
    m_attemptsSpinBox->setValue(s.attempts);
}

void OptionsDialog::copyControlsToSettings(Settings &s) const
{
    if (chosenVoice() >= 0)
        s.voiceIndex = chosenVoice();
    s.outputFolder = m_outputFolderEdit->text();
    s.lameParameters = m_encoderPage->parameters();
    s.speechCubePath = m_speechProgramEdit->text();
    s.lamePriority = m_lamePriorityCombo->currentIndex();
    s.audiobookFormat = AudiobookFormat(m_audiobookFormatCombo->currentIndex());
    s.encoderJobs = m_encoderJobsSpinBox->value();
    for (const auto &[box, field] : m_flags)
        s.*field = box->isChecked();
    s.fileNameTemplate = m_fileNameTemplateEdit->text();
    s.artistTemplate = m_tagTemplateEdits[0]->text();
    s.albumTemplate = m_tagTemplateEdits[1]->text();
    s.titleTemplate = m_tagTemplateEdits[2]->text();
    s.pauseAtStart = m_pauseAtStart->value();
    s.pauseAtEnd = m_pauseAtEnd->value();
    s.attempts = m_attemptsSpinBox->value();
}

// ---- enabling ---------------------------------------------------------------

void OptionsDialog::setRecording(bool recording)
{
    m_recording = recording;
    updateEnabling();
}

void OptionsDialog::updateEnabling()
{
    const bool free = !m_recording;
    const bool compress = m_compressToMp3->isChecked();
    m_generalFrame->setEnabled(free);
    m_compressToMp3->setEnabled(free);
    m_deleteWav->setEnabled(free && compress);
    m_audiobookFormatCombo->setEnabled(free && compress);
    m_deleteBlockMp3->setEnabled(free && compress && m_audiobookFormatCombo->currentIndex() != 0);
    m_readAlong->setEnabled(free);
    m_readAlongWords->setEnabled(free && m_readAlong->isChecked());
    m_encoderPage->parametersEdit()->setEnabled(free && compress);
    m_id3Tags->setEnabled(free && compress);
    m_encoderJobsSpinBox->setEnabled(free && compress);
    m_encoderPage->setLocked(m_recording);
    m_defaultsButton->setEnabled(free);
    m_speechProgramsPage->setEnabled(free);
    m_fileNameFrame->setEnabled(free);
    m_tagFrame->setEnabled(free);
    for (int i = 0; i < 3; ++i) {
        m_tagTemplateEdits[i]->setEnabled(m_id3Tags->isChecked());
        m_tagPreviewEdits[i]->setEnabled(m_id3Tags->isChecked());
    }
    m_scaleToolbar->setEnabled(m_scaleInterface->isChecked());
}

// ---- boxes and options ------------------------------------------------------

void OptionsDialog::highPriorityClicked(bool checked)
{
    if (!checked)
        return;
    warnPriorityNeedsRestart(m_dialogs);
    if (speechProgramFound(m_speechProgramEdit->text()))
        return;
    askForSpeechProgram(m_dialogs);
    const QString chosen = chooseSpeechProgram(speechProgramSearchFolder(m_programFolder));
    if (!chosen.isEmpty())
        m_speechProgramEdit->setText(chosen);
}

void OptionsDialog::checkOutputFolder()
{
    // The question box takes the focus away from the box, which would leave
    // it once more while it is being checked.
    if (m_checkingFolder)
        return;
    m_checkingFolder = true;
    const OutputFolderCheck check = ::checkOutputFolder(m_outputFolderEdit->text(), m_dialogs);
    m_outputFolderEdit->setText(check.text);
    if (check.keepFocus)
        QTimer::singleShot(0, m_outputFolderEdit, [valueEdit = m_outputFolderEdit] { valueEdit->setFocus(); });
    m_checkingFolder = false;
}

void OptionsDialog::refreshFileNamePreview()
{
    Settings s = m_settings;
    copyControlsToSettings(s);
    m_fileNamePreviewEdit->setText(fileNamePreview(s));
}

void OptionsDialog::refreshTagPreviews()
{
    Settings s = m_settings;
    copyControlsToSettings(s);
    for (int i = 0; i < 3; ++i)
        m_tagPreviewEdits[i]->setText(tagPreview(s, m_tagTemplateEdits[i]->text()));
}

void OptionsDialog::nextMainTab()
{
    m_mainTabs->setCurrentIndex((m_mainTabs->currentIndex() + 1) % m_mainTabs->count());
}

void OptionsDialog::setVisualStyles(bool on)
{
    if (on)
        writeManifest(m_programFolder);
    else
        deleteManifest(m_programFolder);
    m_dialogs.show({QStringLiteral("Lectorium"),
                    QStringLiteral("Чтобы изменения вступили в силу необходимо перезапустить программу."),
                    DialogIcon::Information, DialogButtons::Ok});
}

// ---- buttons ----------------------------------------------------------------

void OptionsDialog::apply()
{
    storeChosenVoiceValues();
    writeVoiceTableFile();
    copyControlsToSettings(m_settings);
    m_settings.audioStreams = 0;
    m_encoderPage->writePresets();
    if (m_speechProgramsPage->save())
        reloadVoiceList();
    emit applied();
}

void OptionsDialog::accept()
{
    apply();
    emit saveRequested();
    QDialog::accept();
}

void OptionsDialog::restoreDefaults()
{
    const DialogAnswer answer =
        m_dialogs.show({QStringLiteral("По умолчанию."), QStringLiteral("Выставить все настройки по умолчанию?"),
                        DialogIcon::Question, DialogButtons::YesNo});
    if (answer != DialogAnswer::Yes)
        return;
    Settings shown = m_settings;
    copyControlsToSettings(shown);
    Settings defaults = optionDefaults(shown);
    if (m_defaultVoice >= 0)
        defaults.voiceIndex = m_defaultVoice;
    fillControlsFromSettings(defaults);
    m_encoderPage->applyParameters(defaults.lameParameters);
}
