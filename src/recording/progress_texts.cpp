#include "recording/progress_texts.h"

#include <QLocale>

#include <cmath>

QString numberText(double x)
{
    return QLocale::c().toString(x, 'g', 15);
}

QString percentText(double x)
{
    return QLocale::c().toString(x, 'f', 2) + u'%';
}

QString activityText(const RecordingProgress &progress)
{
    switch (progress.phase) {
    case RecordingPhase::WaitingForEncoder: return QStringLiteral("Ожидание LAME");
    case RecordingPhase::Assembling: return QStringLiteral("Сборка аудиокниги «%1»").arg(progress.book);
    case RecordingPhase::Finished: return QStringLiteral("Запись выбранных блоков окончена");
    case RecordingPhase::BatchFinished: return QStringLiteral("Пакетная обработка окончена");
    case RecordingPhase::Stopped: return QStringLiteral("Запись была прервана пользователем");
    case RecordingPhase::Failed: return QStringLiteral("Запись остановлена из-за ошибки");
    case RecordingPhase::Speaking: break;
    }
    QString suffix;
    // The pause holds the voice; encoder runs under way go on, and the
    // status says so rather than call everything paused.
    if (progress.paused)
        suffix += progress.encodingFiles.isEmpty()
                      ? QStringLiteral(" (Приостановлено)")
                      : QStringLiteral(" (Озвучивание приостановлено, сжатие в MP3 продолжается)");
    if (progress.stopAfterBlock)
        suffix += QStringLiteral(" (Остановка после текущего блока)");
    return QStringLiteral("Блок %1 (%2/%3)").arg(progress.block).arg(progress.blockOfRange).arg(progress.blocksInRange)
           + suffix;
}

QString encoderText(const RecordingProgress &progress)
{
    if (progress.applyingDictionaries)
        return QStringLiteral("Обработка словарем...");
    if (progress.encodingFiles.isEmpty())
        return {};
    return QStringLiteral("Сжатие в MP3: ") + progress.encodingFiles.join(QStringLiteral(", "));
}

ProgressDisplay progressDisplay(const RecordingProgress &progress, bool percentInTitle)
{
    ProgressDisplay shown;
    shown.panel(StatusPanel::Activity) = activityText(progress);
    shown.panel(StatusPanel::Encoder) = encoderText(progress);
    if (progress.ended()) {
        if (progress.phase == RecordingPhase::BatchFinished)
            shown.panel(StatusPanel::Remaining) = QStringLiteral("Осталось~ ") + formatDuration(0);
        shown.bookBar = shown.blockBar = 0;
        shown.title = QStringLiteral("Lectorium - ") + progress.book;
        return shown;
    }
    shown.bookBar = int(progress.bookPercent);
    shown.blockBar = int(progress.blockPercent);
    shown.panel(StatusPanel::Percent) = percentText(progress.bookPercent);
    shown.panel(StatusPanel::Elapsed) = QStringLiteral("Прошло: ") + formatDuration(progress.elapsedSeconds) + u' ';
    if (progress.remainingSeconds)
        shown.panel(StatusPanel::Remaining) =
            QStringLiteral("Осталось: ") + formatDuration(*progress.remainingSeconds) + u' ';
    if (percentInTitle)
        shown.title = QStringLiteral("Lectorium - ") + percentText(progress.bookPercent) + QStringLiteral(" - ")
                      + progress.book + (progress.paused ? QStringLiteral(" (Приостановлено)") : QString());
    return shown;
}
