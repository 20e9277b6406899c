// The main window's side of the options window: opening it over the main
// window and taking its accepted values.

#include "form1.h"

#include "app/ui/tray_control.h"
#include "common/window_placement.h"
#include "options/ui/frm_options.h"
#include "recording/speech/speech_voice.h"

void Form1::openOptions()
{
    if (m_options) {
        m_options->raise();
        m_options->activateWindow();
        return;
    }
    QStringList voices;
    for (const VoiceToken &voice : SpeechVoice::GetVoices())
        voices.append(voice.description);
    m_options = new FrmOptions(m_settings, m_programFolder, voices, SpeechVoice::voiceForLanguage(QStringLiteral("ru")),
                               *m_dialogs, this);
    m_options->setAttribute(Qt::WA_DeleteOnClose);
    m_options->setWindowModality(Qt::ApplicationModal);
    m_options->setRecording(isRecording());
    connect(m_options, &FrmOptions::applied, this, &Form1::optionsApplied);
    connect(m_options, &FrmOptions::saveRequested, this, &Form1::SaveS);
    m_options->show();
}

void Form1::optionsApplied()
{
    if (m_settings.scaleInterface == 0) {
        showNormal();
        resize(8070 / kTwipsPerPixel, height());
    }
    if (m_settings.alwaysTrayIcon == 1)
        m_tray->showIcon(QStringLiteral("Lectorium"));
    else
        m_tray->removeIcon();
}
