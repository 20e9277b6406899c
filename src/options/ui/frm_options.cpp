#include "frm_options.h"

#include "encoder_page.h"
#include "folder_picker.h"
#include "slider_box.h"

#include "common/user_dialogs.h"
#include "options/high_priority_option.h"
#include "options/name_previews.h"
#include "options/option_defaults.h"
#include "options/output_folder_check.h"
#include "options/small_windows_logic.h"
#include "options/voice_table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

FrmOptions::FrmOptions(Settings &settings, const QString &programFolder, const QStringList &voices,
                       int defaultVoice, UserDialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_programFolder(programFolder), m_voices(voices),
      m_defaultVoice(defaultVoice), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Lectorium - Настройки"));

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabMain"));
    m_tabs->addTab(buildEnginePage(), QStringLiteral("Голосовой движок"));
    m_tabs->setTabToolTip(0, QStringLiteral("Выбор движка, настройка скорости и высоты голоса..."));
    m_tabs->addTab(buildGeneralPage(), QStringLiteral("Общие настройки"));
    m_tabs->addTab(buildMp3Page(), QStringLiteral("Настройки MP3"));
    auto *nextTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(nextTab, &QShortcut::activated, this, &FrmOptions::nextMainTab);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto *applyButton = new QPushButton(QStringLiteral("Применить"), this);
    applyButton->setObjectName(QStringLiteral("cmdApply"));
    auto *cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    // Clicking "Отмена" must not first leave the output folder box: that
    // would ask about a folder the user is throwing away.
    cancel->setFocusPolicy(Qt::NoFocus);
    m_defaults = new QPushButton(QStringLiteral("По умолчанию"), this);
    m_defaults->setObjectName(QStringLiteral("cmdDefaults"));
    connect(ok, &QPushButton::clicked, this, &FrmOptions::accept);
    connect(applyButton, &QPushButton::clicked, this, &FrmOptions::apply);
    connect(cancel, &QPushButton::clicked, this, &FrmOptions::reject);
    connect(m_defaults, &QPushButton::clicked, this, &FrmOptions::restoreDefaults);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_defaults);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(applyButton);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);

    OpenFolderDialog = [this](const QString &initial) { return ::OpenFolderDialog(m_dialogs, initial, this); };
    chooseSpeechProgram = [this](const QString &startFolder) {
        return QFileDialog::getOpenFileName(this, QStringLiteral("SpeechCube.exe"), startFolder,
                                            QStringLiteral("SpeechCube.exe (SpeechCube.exe)"));
    };

    // Opening: voices, priorities, presets, the voice table, the settings.
    m_voiceList->addItems(m_voices);
    m_lamePriority->addItems({QStringLiteral("Обычный (Normal)"), QStringLiteral("Низкий (Idle)"),
                              QStringLiteral("Высокий (High)")});
    connect(m_voiceList, &QComboBox::currentIndexChanged, this, &FrmOptions::voiceChosen);
    m_encoder->loadPresets();
    LoadVpar();
    LoadCFG(m_settings);
    FillVpar();
    m_encoder->applyParameters(m_settings.lameParameters);
    updateEnabling();
    m_tabs->setCurrentIndex(1);
}

void FrmOptions::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    if (QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

// ---- voice table ------------------------------------------------------------

void FrmOptions::LoadVpar()
{
    VoicePar() = loadVoiceTable(m_voices, m_programFolder + QStringLiteral("/Voice.ini"));
}

void FrmOptions::FillVpar()
{
    const int index = m_voiceList->currentIndex();
    if (index < 0 || index >= VoicePar().size())
        return;
    const VoiceParams &voice = VoicePar().at(index);
    const VoiceColumn columns[3] = {VoiceColumn::Rate, VoiceColumn::Pitch, VoiceColumn::Pause};
    const std::array<int, 4> *values[3] = {&voice.Speed, &voice.Pitch, &voice.Pause};
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 4; ++r) {
            m_voiceSliders[c][r]->setRange(voiceSliderRange(voice.VoiceKind, columns[c]));
            m_voiceSliders[c][r]->setValue((*values[c])[r]);
        }
}

void FrmOptions::GetVpar()
{
    const int index = m_voiceList->currentIndex();
    if (index < 0 || index >= VoicePar().size())
        return;
    VoiceParams &voice = VoicePar()[index];
    for (int r = 0; r < 4; ++r) {
        voice.Speed[r] = m_voiceSliders[0][r]->value();
        voice.Pitch[r] = m_voiceSliders[1][r]->value();
        voice.Pause[r] = m_voiceSliders[2][r]->value();
    }
}

void FrmOptions::SaveVpar()
{
    saveVoiceTable(VoicePar(), m_programFolder + QStringLiteral("/Voice.ini"));
}

void FrmOptions::voiceChosen(int index)
{
    m_highPriority->setVisible(isSpeechCubeVoice(m_voiceList->itemText(index)));
    FillVpar();
}

// ---- settings ---------------------------------------------------------------

void FrmOptions::LoadCFG(const Settings &s)
{
    if (s.voiceIndex >= 0 && s.voiceIndex < m_voiceList->count())
        m_voiceList->setCurrentIndex(s.voiceIndex);
    voiceChosen(m_voiceList->currentIndex());
    m_outputFolder->setText(s.outputFolder);
    m_encoder->parameterBox()->setText(s.lameParameters);
    m_speechProgram->setText(s.speechCubePath);
    m_lamePriority->setCurrentIndex(std::clamp(s.lamePriority, 0, 2));
    for (const auto &[box, field] : m_flags)
        box->setChecked(s.*field == 1);
    m_fileNameTemplate->setText(s.fileNameTemplate);
    m_tagTemplates[0]->setText(s.artistTemplate);
    m_tagTemplates[1]->setText(s.albumTemplate);
    m_tagTemplates[2]->setText(s.titleTemplate);
    updateEnabling();
    m_pauseAtStart->setValue(s.pauseAtStart);
    m_pauseAtEnd->setValue(s.pauseAtEnd);
    m_attempts->setValue(s.attempts);
}

void FrmOptions::SaveCFG(Settings &s) const
{
    if (m_voiceList->currentIndex() >= 0)
        s.voiceIndex = m_voiceList->currentIndex();
    s.outputFolder = m_outputFolder->text();
    s.lameParameters = m_encoder->parameters();
    s.speechCubePath = m_speechProgram->text();
    s.lamePriority = m_lamePriority->currentIndex();
    for (const auto &[box, field] : m_flags)
        s.*field = box->isChecked() ? 1 : 0;
    s.fileNameTemplate = m_fileNameTemplate->text();
    s.artistTemplate = m_tagTemplates[0]->text();
    s.albumTemplate = m_tagTemplates[1]->text();
    s.titleTemplate = m_tagTemplates[2]->text();
    s.pauseAtStart = m_pauseAtStart->value();
    s.pauseAtEnd = m_pauseAtEnd->value();
    s.attempts = m_attempts->value();
}

// ---- enabling ---------------------------------------------------------------

void FrmOptions::setRecording(bool recording)
{
    m_recording = recording;
    updateEnabling();
}

void FrmOptions::updateEnabling()
{
    const bool free = !m_recording;
    const bool compress = m_compress->isChecked();
    m_generalFrame->setEnabled(free);
    m_compress->setEnabled(free);
    m_deleteWav->setEnabled(free && compress);
    m_encoder->parameterBox()->setEnabled(free && compress);
    m_id3Tags->setEnabled(free && compress);
    m_encoder->setLocked(m_recording);
    m_defaults->setEnabled(free);
    m_fileNameFrame->setEnabled(free);
    m_tagFrame->setEnabled(free);
    for (int i = 0; i < 3; ++i) {
        m_tagTemplates[i]->setEnabled(m_id3Tags->isChecked());
        m_tagPreviews[i]->setEnabled(m_id3Tags->isChecked());
    }
    m_scaleToolbar->setEnabled(m_scaleInterface->isChecked());
}

// ---- boxes and options ------------------------------------------------------

void FrmOptions::highPriorityClicked(bool checked)
{
    if (!checked)
        return;
    warnPriorityNeedsRestart(m_dialogs);
    if (speechProgramFound(m_speechProgram->text()))
        return;
    askForSpeechProgram(m_dialogs);
    const QString chosen = chooseSpeechProgram(speechProgramSearchFolder(m_programFolder));
    if (!chosen.isEmpty())
        m_speechProgram->setText(chosen);
}

void FrmOptions::checkOutputFolder()
{
    // The question box takes the focus away from the box, which would leave
    // it once more while it is being checked.
    if (m_checkingFolder)
        return;
    m_checkingFolder = true;
    const OutputFolderCheck check = ::checkOutputFolder(m_outputFolder->text(), m_programFolder, m_dialogs);
    m_outputFolder->setText(check.text);
    if (check.keepFocus)
        QTimer::singleShot(0, m_outputFolder, [box = m_outputFolder] { box->setFocus(); });
    m_checkingFolder = false;
}

void FrmOptions::refreshFileNamePreview()
{
    Settings s = m_settings;
    SaveCFG(s);
    m_fileNamePreview->setText(fileNamePreview(s));
}

void FrmOptions::refreshTagPreviews()
{
    Settings s = m_settings;
    SaveCFG(s);
    for (int i = 0; i < 3; ++i)
        m_tagPreviews[i]->setText(tagPreview(s, m_tagTemplates[i]->text()));
}

void FrmOptions::nextMainTab()
{
    m_tabs->setCurrentIndex((m_tabs->currentIndex() + 1) % m_tabs->count());
}

void FrmOptions::setVisualStyles(bool on)
{
    if (on)
        WriteManifest(m_programFolder);
    else
        DeleteManifest(m_programFolder);
    m_dialogs.show({QStringLiteral("Lectorium"),
                    QStringLiteral("Чтобы изменения вступили в силу необходимо перезапустить программу."),
                    DialogIcon::Information, DialogButtons::Ok});
}

// ---- buttons ----------------------------------------------------------------

void FrmOptions::apply()
{
    GetVpar();
    SaveVpar();
    SaveCFG(m_settings);
    m_settings.audioStreams = 0;
    m_encoder->SavePresets();
    emit applied();
}

void FrmOptions::accept()
{
    apply();
    emit saveRequested();
    QDialog::accept();
}

void FrmOptions::restoreDefaults()
{
    const DialogAnswer answer =
        m_dialogs.show({QStringLiteral("По умолчанию."), QStringLiteral("Выставить все настройки по умолчанию?"),
                        DialogIcon::Question, DialogButtons::YesNo});
    if (answer != DialogAnswer::Yes)
        return;
    Settings shown = m_settings;
    SaveCFG(shown);
    Settings defaults = optionDefaults(shown);
    if (m_defaultVoice >= 0)
        defaults.voiceIndex = m_defaultVoice;
    LoadCFG(defaults);
    m_encoder->applyParameters(defaults.lameParameters);
}
