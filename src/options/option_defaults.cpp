#include "options/option_defaults.h"

Settings optionDefaults(const Settings &current)
{
    const Settings fresh;
    Settings s = current;
    // Engine page.
    s.applyDictionaries = fresh.applyDictionaries;
    s.announceBlockNumber = 0;
    s.fullVolume = fresh.fullVolume;
    s.pauseAtStart = fresh.pauseAtStart;
    s.pauseAtEnd = fresh.pauseAtEnd;
    s.highPriority = 0;
    s.attempts = fresh.attempts;
    s.followEngine = fresh.followEngine;
    // General page.
    s.scaleToolbar = fresh.scaleToolbar;
    s.percentInTitle = 1;
    s.minimizeToTray = 1;
    s.scaleInterface = fresh.scaleInterface;
    s.alwaysTrayIcon = fresh.alwaysTrayIcon;
    s.deleteProject = fresh.deleteProject;
    s.rerecordExisting = 0;
    s.renameByChapters = 1;
    // Encoder page.
    s.compressMp3 = 1;
    s.deleteWav = 1;
    s.lamePriority = 1; // "Низкий (Idle)"
    s.lameParameters = fresh.lameParameters;
    // File names and tags.
    s.id3Tags = 1;
    s.fileNameTemplate = fresh.fileNameTemplate;
    s.artistTemplate = fresh.artistTemplate;
    s.albumTemplate = fresh.albumTemplate;
    s.titleTemplate = fresh.titleTemplate;
    s.replaceSpaces = fresh.replaceSpaces;
    s.removeDots = fresh.removeDots;
    s.yoToYe = fresh.yoToYe;
    s.translit = fresh.translit;
    return s;
}
