#pragma once

#include "dictionaries/dictionaries.h"

#include <QDialog>

#include <functional>
#include <optional>

class QListWidget;
class QListWidgetItem;
class QPushButton;
class QToolButton;
class UserDialogs;

// DictionaryListDialog: "Выбор словарей", the dictionary list window. A tick takes a
// dictionary into speech and is written to the list file at once; the
// buttons add, create, rename and delete dictionary files.
class DictionaryListDialog : public QDialog
{
    Q_OBJECT
public:
    DictionaryListDialog(const QString &programFolder, UserDialogs &dialogs, QWidget *parent = nullptr);

    // Rebuilds the rows from the list, which is kept in its sorted order.
    void fillDictionaryRows();
    // loadDictionaryList and refill.
    void refresh();

    // Input boxes and the file dialog; tests replace them. askText returns
    // nothing when the user cancels.
    std::function<std::optional<QString>(const QString &prompt, const QString &initial)> askText;
    struct ChosenFile
    {
        QString path;
        int filter = 0; // 0 own, 1 the outside reader's, 2 the speech engine's
    };
    std::function<std::optional<ChosenFile>()> chooseFileToAdd;
    // Opens the operations window (modal); tests replace it.
    std::function<void()> openOperations;

private:
    void onItemChanged(QListWidgetItem *item);
    void setAllTicks(bool enabled);
    QString selectedName() const;
    void createNew();
    void addFile();
    void renameSelected();
    void deleteSelected();
    void reportFailure(bool failed);

    QString m_programFolder;
    UserDialogs &m_dialogs;
    Dictionaries m_dictionaries;
    QListWidget *m_dictionaryList = nullptr;
    bool m_filling = false;
};
