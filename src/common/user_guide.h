#pragma once
// The user guide «Справка»: an HTML book in Russian shipped beside the
// program (Doc/guide/index.html in the build tree and a portable install,
// share/lectorium/Doc/guide in an installed one). Each window opens its own
// section with F1; the sections' anchors are named here, in one place, and a
// test checks that the guide has every one of them.

#include <QList>
#include <QString>

namespace HelpAnchor {
inline const QString start = QStringLiteral("start");
inline const QString library = QStringLiteral("library");
inline const QString bookEditor = QStringLiteral("book-editor");
inline const QString reader = QStringLiteral("reader");
inline const QString recording = QStringLiteral("recording");
inline const QString dictionaryEditor = QStringLiteral("dictionary-editor");
inline const QString dictionaryList = QStringLiteral("dictionary-list");
inline const QString dictionaryTools = QStringLiteral("dictionary-tools");
inline const QString dictionaryDebugger = QStringLiteral("dictionary-debugger");
inline const QString optionsVoice = QStringLiteral("options-voice");
inline const QString optionsGeneral = QStringLiteral("options-general");
inline const QString optionsMp3 = QStringLiteral("options-mp3");
inline const QString optionsPrograms = QStringLiteral("options-programs");
inline const QString folderPicker = QStringLiteral("options-general");
inline const QString about = QStringLiteral("about");
inline const QString shutdown = QStringLiteral("after-finish");
inline const QString progress = QStringLiteral("dictionary-tools");
inline const QString problems = QStringLiteral("problems");
} // namespace HelpAnchor

// Every anchor a window opens, once each.
QList<QString> helpAnchors();

// The guide's start page where it is found (beside the executable, then in
// the installed data folder); empty when it is nowhere.
QString userGuidePath();
