#include "options/ui/folder_picker.h"
#include "common/ui/help_key.h"
#include "common/user_guide.h"

#include "common/user_dialogs.h"
#include "options/new_folder_path.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

FolderPicker::FolderPicker(UserDialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_dialogs(dialogs), m_pathEdit(new QLineEdit(this)), m_volumeCombo(new QComboBox(this)),
      m_folderTree(new QTreeView(this)), m_model(new QFileSystemModel(this))
{
    setObjectName(QStringLiteral("FolderPicker"));
    installHelpKey(this, HelpAnchor::folderPicker);
    setWindowTitle(QStringLiteral("Lectorium - Выбор каталога"));
    m_pathEdit->setObjectName(QStringLiteral("pathEdit"));
    m_volumeCombo->setObjectName(QStringLiteral("volumeCombo"));
    m_folderTree->setObjectName(QStringLiteral("folderTree"));
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady())
            m_volumeCombo->addItem(volume.rootPath());
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    m_model->setRootPath(QStringLiteral("/"));
    m_folderTree->setModel(m_model);
    for (int column = 1; column < m_model->columnCount(); ++column)
        m_folderTree->hideColumn(column);
    m_folderTree->header()->hide();

    auto *ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    auto *create = new QPushButton(QStringLiteral("Создать каталог"), this);
    create->setObjectName(QStringLiteral("createFolderButton"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(create);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pathEdit);
    layout->addWidget(m_volumeCombo);
    layout->addWidget(m_folderTree, 1);
    layout->addLayout(buttons);
    resize(420, 420);

    askFolderName = [this] {
        return QInputDialog::getText(this, QStringLiteral("Создать каталог..."), QStringLiteral("Имя каталога"));
    };
    connect(ok, &QPushButton::clicked, this, &FolderPicker::accept);
    connect(cancel, &QPushButton::clicked, this, &FolderPicker::reject);
    connect(create, &QPushButton::clicked, this, &FolderPicker::createFolder);
    connect(m_volumeCombo, &QComboBox::activated, this,
            [this](int index) { showFolder(m_volumeCombo->itemText(index)); });
    connect(m_folderTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { m_pathEdit->setText(m_model->filePath(current)); });
    // The model reads folders in the background: the folder shown is
    // scrolled to again once the folders on its way have been read.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, [this] {
        const QModelIndex index = m_folderTree->currentIndex();
        if (index.isValid())
            m_folderTree->scrollTo(index, QAbstractItemView::PositionAtCenter);
    });
}

QString FolderPicker::currentFolder() const
{
    const QModelIndex index = m_folderTree->currentIndex();
    return index.isValid() ? m_model->filePath(index) : QDir::rootPath();
}

void FolderPicker::showFolder(const QString &path)
{
    const QModelIndex index = m_model->index(QDir::cleanPath(path));
    if (!index.isValid())
        return;
    m_folderTree->setCurrentIndex(index);
    m_folderTree->scrollTo(index, QAbstractItemView::PositionAtCenter);
    m_pathEdit->setText(m_model->filePath(index));
}

void FolderPicker::openAtFolder(const QString &path)
{
    if (path.isEmpty())
        return;
    showFolder(path);
    const QString root = QStorageInfo(path).rootPath();
    const int drive = m_volumeCombo->findText(root);
    if (drive >= 0)
        m_volumeCombo->setCurrentIndex(drive);
}

void FolderPicker::accept()
{
    const QString folder = QDir::cleanPath(m_pathEdit->text().trimmed());
    if (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        const DialogAnswer answer =
            m_dialogs.show({QStringLiteral("Lectorium"),
                            QStringLiteral("Каталог ") + folder + QStringLiteral(" не существует. Создать его?"),
                            DialogIcon::Question, DialogButtons::YesNo});
        if (answer == DialogAnswer::Yes) {
            if (!QDir().mkpath(folder))
                m_dialogs.show({QStringLiteral("Lectorium"), QStringLiteral("Недопустимое имя каталога!"),
                                DialogIcon::Critical, DialogButtons::Ok});
        } else {
            m_pathEdit->setText(currentFolder());
        }
    }
    const QString target = QDir::cleanPath(m_pathEdit->text().trimmed());
    m_chosen = QFileInfo(target).isDir() ? target : currentFolder();
    m_cancelled = false;
    QDialog::accept();
}

void FolderPicker::reject()
{
    m_cancelled = true;
    QDialog::reject();
}

void FolderPicker::createFolder()
{
    const QString path = newFolderPath(currentFolder(), askFolderName());
    if (path.isEmpty())
        return;
    QDir().mkpath(path);
    if (QFileInfo(path).isDir())
        showFolder(path);
}

QString pickFolder(UserDialogs &dialogs, const QString &initial, QWidget *parent)
{
    FolderPicker picker(dialogs, parent);
    if (!initial.isEmpty() && QFileInfo(initial).isDir())
        picker.openAtFolder(initial);
    if (picker.exec() != QDialog::Accepted || picker.cancelled())
        return initial;
    return picker.chosenFolder();
}
