#pragma once

#include "dictionaries/dictionaries.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class UserDialogs;

// DicDebug: "Lectorium - отладчик словаря", a text before and after the
// enabled dictionaries rewrite it, with the time the rewrite took.
class DicDebug : public QDialog
{
    Q_OBJECT
public:
    DicDebug(const QString &programFolder, UserDialogs &dialogs, QWidget *parent = nullptr);

    void loadText(const QString &path);
    void process();

    std::function<QString()> chooseTextFile;

private:
    QString m_programFolder;
    UserDialogs &m_dialogs;
    Dictionaries m_dictionaries;
    QPlainTextEdit *m_source = nullptr;
    QPlainTextEdit *m_result = nullptr;
    QPushButton *m_process = nullptr;
    QLabel *m_time = nullptr;
};
