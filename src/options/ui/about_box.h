#pragma once

#include <QDialog>

class QLabel;
class QTextBrowser;

// The About box: name, version, licence and change list, and a button that
// opens the read-me of the program folder.
class AboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit AboutBox(const QString &programFolder, QWidget *parent = nullptr);

private:
    // Loads "license.txt" or "whatsnew.txt" of the program folder when it
    // exists, its hard-wrapped lines joined into paragraphs.
    void showFile(const QString &name);

    QString m_programFolder;
    QTextBrowser *m_descriptionView;
};
