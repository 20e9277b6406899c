#pragma once
// The encoder part of the options window's MP3 page: the encoder options
// control, the option string box with the expected output size, and the
// named presets of the settings file's "LAME" section.

#include "mp3/lame_presets.h"

#include <QWidget>

#include <functional>

class LameOptionsWidget;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class UserDialogs;

class EncoderPage : public QWidget
{
    Q_OBJECT
public:
    EncoderPage(const QString &iniPath, UserDialogs &dialogs, QWidget *parent = nullptr);

    // Reads the presets and chooses the stored "Selected" one.
    void loadPresets();
    // Shows an option string in the control and, unchanged, in the box.
    void applyParameters(const QString &parameters);
    QString parameters() const;
    bool writePresets();

    // Everything that must not change while a book is recorded.
    void setLocked(bool locked);
    QLineEdit *parametersEdit() const { return m_parametersEdit; }

    // Asks a preset's name, proposing one; empty when cancelled. Tests
    // replace it.
    std::function<QString(const QString &proposed)> askPresetName;

private:
    void showSize();
    void fillPresetList(std::optional<int> choose);
    void choosePreset(int index);
    void savePreset();
    void deletePreset();

    QString m_iniPath;
    UserDialogs &m_dialogs;
    LamePresets m_presets;
    LameOptionsWidget *m_encoderOptions;
    QLineEdit *m_parametersEdit;
    QLabel *m_sizeLabel;
    QComboBox *m_presetCombo;
    QPushButton *m_savePresetButton;
    QPushButton *m_deletePresetButton;
};
