#pragma once
// Qt's own buttons and dialogs (Yes/No, the file, font and colour dialogs)
// speak the language of the rest of the program.

class QCoreApplication;

// Installs Qt's Russian translation from Qt's translations folder (Debian
// package qt6-translations-l10n). The system locale is followed where it asks
// for Russian or one of its variants; any other locale still gets Russian,
// since every caption of our own is Russian. Returns false when the
// translation files are not installed.
bool installQtTranslations(QCoreApplication &app);
