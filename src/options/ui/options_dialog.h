#pragma once
// frmOptions, "Lectorium - Настройки": edits the main window's settings
// record, the voice table ("Voice.ini") and the encoder presets. It copies
// the settings into its controls when it opens and back when the user
// accepts; the main window reacts to `applied` and writes its settings file
// on `saveRequested`.

#include "app/settings.h"
#include "recording/speech/speech_voice.h"
#include "recording/speech/voice_table.h"

#include <QDialog>
#include <QList>
#include <QPair>

#include <functional>
#include <memory>

class EncoderPage;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTabWidget;
class SliderBox;
class SpeechProgramsPage;
class UserDialogs;

class OptionsDialog : public QDialog
{
    Q_OBJECT
public:
    // `voices` are the installed voices in the order their indices refer to
    // (SpeechVoice::voices()); the list shows them Russian first under
    // Russian names. `defaultVoice` is the index "По умолчанию" chooses (-1:
    // keep the choice).
    OptionsDialog(Settings &settings, const QString &programFolder, const QList<VoiceToken> &voices, int defaultVoice,
                  UserDialogs &dialogs, QWidget *parent = nullptr);

    // Voice table: engine voices + "Voice.ini" -> voiceTable; sliders of the
    // chosen voice <- voiceTable; sliders -> voiceTable; voiceTable -> "Voice.ini".
    void readVoiceTableFile();
    // Shows the page of the output folder, which the first start asks for.
    // The box is not given the focus: leaving it asks to create a folder
    // that does not exist yet, which the default one need not.
    void showOutputFolderPage();
    void showChosenVoiceValues();
    void storeChosenVoiceValues();
    // `voice` with the values the page shows for it.
    VoiceParams shownVoiceValues(VoiceParams voice) const;
    void writeVoiceTableFile();
    // Settings record -> controls, and controls -> a settings record (memory
    // only; the fields the window does not edit keep their values).
    void fillControlsFromSettings(const Settings &settings);
    void copyControlsToSettings(Settings &settings) const;

    // Locks what must not change while a book is being recorded.
    void setRecording(bool recording);

    // "Применить": the voice table, the settings record and the presets.
    void apply();

    // The folder picker and the speech program's file dialog; tests replace
    // them.
    std::function<QString(const QString &initial)> chooseOutputFolder;
    std::function<QString(const QString &startFolder)> chooseSpeechProgram;

signals:
    // The settings record holds the accepted values.
    void applied();
    // OK: the main window writes its settings file.
    void saveRequested();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildEnginePage();
    QWidget *buildAdvancedFrame();
    QWidget *buildGeneralPage();
    QWidget *buildMp3Page();
    QWidget *buildBitratePage();
    QWidget *buildFileNamePage();
    QWidget *buildTagPage();
    QCheckBox *addFlag(QWidget *parent, const char *name, const QString &caption, const QString &tip,
                       bool Settings::*field);

    // The voice list, Russian first; each item holds the voice's index.
    void fillVoiceCombo();
    // The index of the voice the list shows, or -1.
    int chosenVoice() const;
    void showVoice(int index);
    void voiceChosen();
    // The role voice lists: every voice and variant a role can be given.
    void fillRoleVoiceCombos();
    // "Прослушать": a short dialogue with the roles as the page sets them.
    void previewRoles();
    // The speech programs were saved: the voice list follows them.
    void reloadVoiceList();
    void highPriorityClicked(bool checked);
    void checkOutputFolder();
    void updateEnabling();
    void refreshFileNamePreview();
    void refreshTagPreviews();
    void nextMainTab();
    void accept() override;
    void restoreDefaults();
    void setVisualStyles(bool on);

    Settings &m_settings;
    QString m_programFolder;
    QList<VoiceToken> m_voices;
    int m_defaultVoice;
    UserDialogs &m_dialogs;
    bool m_recording = false;
    bool m_checkingFolder = false;
    bool m_centred = false;

    QList<QPair<QCheckBox *, bool Settings::*>> m_flags;
    QTabWidget *m_mainTabs = nullptr;
    QTabWidget *m_mp3Tabs = nullptr;
    QStackedWidget *m_engineStack = nullptr;
    QComboBox *m_voiceCombo = nullptr;
    // [column][role - 1], columns rate, pitch, pause.
    SliderBox *m_voiceSliders[3][4] = {};
    // [role - 1]; each item holds the role voice's name, "" for the book's.
    QComboBox *m_roleVoiceCombos[4] = {};
    std::unique_ptr<SpeechVoice> m_previewVoice;
    SliderBox *m_pauseAtStart = nullptr;
    SliderBox *m_pauseAtEnd = nullptr;
    QCheckBox *m_highPriority = nullptr;
    QSpinBox *m_attemptsSpinBox = nullptr;
    QLineEdit *m_speechProgramEdit = nullptr;
    QWidget *m_generalFrame = nullptr;
    QCheckBox *m_scaleInterface = nullptr;
    QCheckBox *m_scaleToolbar = nullptr;
    QLineEdit *m_outputFolderEdit = nullptr;
    QCheckBox *m_compressToMp3 = nullptr;
    QCheckBox *m_deleteWav = nullptr;
    QComboBox *m_lamePriorityCombo = nullptr;
    QComboBox *m_audiobookFormatCombo = nullptr;
    QCheckBox *m_deleteBlockMp3 = nullptr;
    QCheckBox *m_readAlong = nullptr;
    QCheckBox *m_readAlongWords = nullptr;
    QSpinBox *m_encoderJobsSpinBox = nullptr;
    EncoderPage *m_encoderPage = nullptr;
    SpeechProgramsPage *m_speechProgramsPage = nullptr;
    QWidget *m_fileNameFrame = nullptr;
    QLineEdit *m_fileNameTemplateEdit = nullptr;
    QLineEdit *m_fileNamePreviewEdit = nullptr;
    QCheckBox *m_replaceSpaces = nullptr;
    QCheckBox *m_removeDots = nullptr;
    QCheckBox *m_translit = nullptr;
    QCheckBox *m_yoToYe = nullptr;
    QCheckBox *m_id3Tags = nullptr;
    QWidget *m_tagFrame = nullptr;
    QLineEdit *m_tagTemplateEdits[3] = {}; // Artist, Album, Title
    QLineEdit *m_tagPreviewEdits[3] = {};
    QPushButton *m_defaultsButton = nullptr;
};
