#pragma once

#include <QDialog>

#include <functional>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QTreeView;
class UserDialogs;

// The folder picker "Lectorium - Выбор каталога": a path box, the mounted
// file systems in place of drives, the folder tree, "Ok", "Отмена" and
// "Создать каталог".
class FolderPicker : public QDialog
{
    Q_OBJECT
public:
    explicit FolderPicker(UserDialogs &dialogs, QWidget *parent = nullptr);

    // Points the file-system list and the folder tree at `path`.
    void openAtFolder(const QString &path);
    QString chosenFolder() const { return m_chosen; }
    bool cancelled() const { return m_cancelled; }
    // The folder tree's current folder.
    QString currentFolder() const;
    // Asks the name of a new folder ("Создать каталог..."); tests replace it.
    std::function<QString()> askFolderName;

private:
    void accept() override;
    void reject() override;
    void createFolder();
    void showFolder(const QString &path);

    UserDialogs &m_dialogs;
    QLineEdit *m_pathEdit;
    QComboBox *m_volumeCombo;
    QTreeView *m_folderTree;
    QFileSystemModel *m_model;
    QString m_chosen;
    bool m_cancelled = false;
};

// `pickFolder`: the picker over `parent`, starting at `initial` when it
// is an existing folder; the chosen folder, or `initial` when cancelled.
QString pickFolder(UserDialogs &dialogs, const QString &initial, QWidget *parent = nullptr);
