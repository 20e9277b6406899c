#pragma once

#include <QDialog>

class QLabel;
class QTextBrowser;

// The About box: name, version, licence and change list, and links to the
// program's page and its author.
class AboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit AboutBox(const QString &programFolder, QWidget *parent = nullptr);

    static const char *const kWebSite;
    static const char *const kMail;

private:
    // Loads "license.txt" or "whatsnew.txt" of the program folder when it exists.
    void showFile(const QString &name);

    QString m_programFolder;
    QTextBrowser *m_descriptionView;
};
