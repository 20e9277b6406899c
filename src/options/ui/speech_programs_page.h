#pragma once
// The options window's "Добавить голос…" page: the speech programs of
// "SpeechPrograms.ini" that become voices, with a form for each and
// "Проверить", which speaks a sample sentence through the program as the
// form stands and shows the program's error output when it fails, and
// "Найти голоса", which switches on the programs installed; the list says
// what a program that stays off is missing.

#include "recording/speech/speech_program_definition.h"
#include "recording/speech/speech_voice.h"

#include <QHash>
#include <QTimer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class UserDialogs;

class SpeechProgramsPage : public QWidget
{
    Q_OBJECT
public:
    static const QString kSampleSentence;

    SpeechProgramsPage(const QString &iniPath, UserDialogs &dialogs, QWidget *parent = nullptr);

    // Writes the file when anything was changed; true when it was written
    // (the voice lists then change).
    bool save();
    // Speaks the sample through the program of the chosen row.
    void tryChosenProgram();
    // Looks for the known programs and switches on those installed.
    void findVoices();

private:
    void fillList();
    void showChosen();
    void storeChosen();
    void addProgram();
    void removeProgram();
    void followTrial();
    int chosenRow() const;

    QString m_iniPath;
    UserDialogs &m_dialogs;
    QList<SpeechProgramDefinition> m_definitions;
    QStringList m_removedSections;
    QHash<QString, QString> m_missing; // what a known program lacks, by section
    bool m_changed = false;
    int m_shownRow = -1;
    SpeechVoice m_trialVoice;
    QTimer m_trialTimer;

    QListWidget *m_programList;
    QPushButton *m_addButton;
    QPushButton *m_removeButton;
    QPushButton *m_findButton;
    QCheckBox *m_enabledBox;
    QLineEdit *m_nameEdit;
    QLineEdit *m_commandEdit;
    QComboBox *m_inputCombo;
    QLineEdit *m_encodingEdit;
    QLineEdit *m_rateEdit;
    QLineEdit *m_pitchEdit;
    QComboBox *m_stressCombo;
    QPushButton *m_tryButton;
    QLabel *m_trialLabel;
};
