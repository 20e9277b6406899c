#include "options/option_defaults.h"

Settings optionDefaults(const Settings &current)
{
    const Settings fresh;
    Settings s = current;
    // Engine page.
    s.applyDictionaries = fresh.applyDictionaries;
    s.autoStress = fresh.autoStress;
    s.announceBlockNumber = false;
    s.fullVolume = fresh.fullVolume;
    s.pauseAtStart = fresh.pauseAtStart;
    s.pauseAtEnd = fresh.pauseAtEnd;
    s.highPriority = false;
    s.attempts = fresh.attempts;
    s.followEngine = fresh.followEngine;
    // General page.
    s.scaleToolbar = fresh.scaleToolbar;
    s.percentInTitle = true;
    s.minimizeToTray = true;
    s.scaleInterface = fresh.scaleInterface;
    s.alwaysTrayIcon = fresh.alwaysTrayIcon;
    s.deleteProject = fresh.deleteProject;
    s.rerecordExisting = false;
    s.renameByChapters = true;
    // Encoder page.
    s.compressMp3 = true;
    s.deleteWav = true;
    s.lamePriority = 1; // "Низкий (Idle)"
    s.lameParameters = fresh.lameParameters;
    s.audiobookFormat = fresh.audiobookFormat;
    s.deleteBlockMp3 = fresh.deleteBlockMp3;
    s.encoderJobs = fresh.encoderJobs;
    s.readAlong = fresh.readAlong;
    s.readAlongWords = fresh.readAlongWords;
    // File names and tags.
    s.id3Tags = true;
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
