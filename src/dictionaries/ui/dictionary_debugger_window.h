#pragma once

#include "dictionaries/dictionaries.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class UserDialogs;

// DictionaryDebuggerWindow: "Lectorium - отладчик словаря", a text before and after the
// enabled dictionaries rewrite it, with the time the rewrite took.
class DictionaryDebuggerWindow : public QDialog
{
    Q_OBJECT
public:
    DictionaryDebuggerWindow(const QString &programFolder, UserDialogs &dialogs, QWidget *parent = nullptr);

    void loadText(const QString &path);
    void process();

    std::function<QString()> chooseTextFile;

private:
    QString m_programFolder;
    UserDialogs &m_dialogs;
    Dictionaries m_dictionaries;
    QPlainTextEdit *m_sourceTextEdit = nullptr;
    QPlainTextEdit *m_resultTextEdit = nullptr;
    QPushButton *m_processButton = nullptr;
    QLabel *m_timeLabel = nullptr;
};
