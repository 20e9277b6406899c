// The main window's side of the options window: opening it over the main
// window and taking its accepted values.

#include "app/ui/main_window.h"

#include "app/ui/tray_control.h"
#include "common/window_placement.h"
#include "options/ui/options_dialog.h"
#include "recording/speech/speech_voice.h"

void MainWindow::openOptions()
{
    if (m_options) {
        m_options->raise();
        m_options->activateWindow();
        return;
    }
    m_options = new OptionsDialog(m_settings, m_programFolder, SpeechVoice::voices(),
                                  SpeechVoice::voiceForLanguage(QStringLiteral("ru")), *m_dialogs, this);
    m_options->setAttribute(Qt::WA_DeleteOnClose);
    m_options->setWindowModality(Qt::ApplicationModal);
    m_options->setRecording(isRecording());
    connect(m_options, &OptionsDialog::applied, this, &MainWindow::optionsApplied);
    connect(m_options, &OptionsDialog::saveRequested, this, &MainWindow::saveSettings);
    m_options->show();
}

void MainWindow::optionsApplied()
{
    if (!m_settings.scaleInterface) {
        showNormal();
        resize(8070 / kTwipsPerPixel, height());
    }
    if (m_settings.alwaysTrayIcon)
        m_tray->showIcon(QStringLiteral("Lectorium"));
    else
        m_tray->removeIcon();
    // The audio folder or the kind of book may have changed.
    showBookStates();
}
