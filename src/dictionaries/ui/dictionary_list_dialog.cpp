#include "dictionaries/ui/dictionary_list_dialog.h"
#include "common/ui/help_key.h"
#include "common/user_guide.h"

#include "dictionaries/ui/dictionary_tools_dialog.h"

#include "dictionaries/dictionary_files.h"

#include "common/user_dialogs.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QString &tip = {})
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    return b;
}

const QString kTitle = QStringLiteral("Lectorium");

} // namespace

DictionaryListDialog::DictionaryListDialog(const QString &programFolder, UserDialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_programFolder(programFolder), m_dialogs(dialogs), m_dictionaries(programFolder)
{
    setObjectName(QStringLiteral("DictionaryListDialog"));
    installHelpKey(this, HelpAnchor::dictionaryList);
    setWindowTitle(QStringLiteral("Выбор словарей"));

    m_dictionaryList = new QListWidget(this);
    m_dictionaryList->setObjectName(QStringLiteral("dictionaryList"));
    connect(m_dictionaryList, &QListWidget::itemChanged, this, &DictionaryListDialog::onItemChanged);

    auto *refreshButton =
        button(this, "refreshButton", QStringLiteral("Обновить"), QStringLiteral("Обновить список словарей"));
    auto *addButton =
        button(this, "addDictionaryButton", QStringLiteral("Добавить..."), QStringLiteral("Добавить словарь..."));
    auto *addMenuButton = new QToolButton(this);
    addMenuButton->setObjectName(QStringLiteral("addMenuButton"));
    addMenuButton->setArrowType(Qt::DownArrow);
    auto *addMenu = new QMenu(addMenuButton);
    addMenu->setObjectName(QStringLiteral("addMenu"));
    QAction *openItem = addMenu->addAction(QStringLiteral("Открыть файл..."));
    openItem->setObjectName(QStringLiteral("openFileAction"));
    QAction *createItem = addMenu->addAction(QStringLiteral("Создать новый"));
    createItem->setObjectName(QStringLiteral("createNewAction"));
    addMenuButton->setMenu(addMenu);
    addMenuButton->setPopupMode(QToolButton::InstantPopup);
    auto *renameButton = button(this, "renameButton", QStringLiteral("Переименовать"),
                                QStringLiteral("Переименовать выделенный словарь"));
    auto *deleteButton =
        button(this, "deleteButton", QStringLiteral("Удалить"), QStringLiteral("Удалить выделенный словарь"));
    auto *tickAll = button(this, "tickAllButton", QStringLiteral("Выделить все"));
    auto *clearAll = button(this, "untickAllButton", QStringLiteral("Снять выделение"));
    auto *operations =
        button(this, "dictionaryToolsButton", QStringLiteral("Обработка словарей"),
               QStringLiteral("Открыть окно обработки словарей (Объединение, разделение, вычитание, проверка...)"));

    auto *addRow = new QHBoxLayout;
    addRow->setSpacing(0);
    addRow->addWidget(addButton, 1);
    addRow->addWidget(addMenuButton);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(refreshButton);
    buttons->addLayout(addRow);
    buttons->addWidget(renameButton);
    buttons->addWidget(deleteButton);
    buttons->addSpacing(12);
    buttons->addWidget(tickAll);
    buttons->addWidget(clearAll);
    buttons->addStretch();
    buttons->addWidget(operations);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_dictionaryList, 1);
    layout->addLayout(buttons);
    resize(520, 360);

    connect(refreshButton, &QPushButton::clicked, this, &DictionaryListDialog::refresh);
    connect(addButton, &QPushButton::clicked, this, &DictionaryListDialog::addFile);
    connect(openItem, &QAction::triggered, this, &DictionaryListDialog::addFile);
    connect(createItem, &QAction::triggered, this, &DictionaryListDialog::createNew);
    connect(renameButton, &QPushButton::clicked, this, &DictionaryListDialog::renameSelected);
    connect(deleteButton, &QPushButton::clicked, this, &DictionaryListDialog::deleteSelected);
    connect(tickAll, &QPushButton::clicked, this, [this] { setAllTicks(true); });
    connect(clearAll, &QPushButton::clicked, this, [this] { setAllTicks(false); });
    connect(operations, &QPushButton::clicked, this, [this] {
        if (openOperations)
            openOperations();
        refresh();
    });

    askText = [this](const QString &prompt, const QString &initial) -> std::optional<QString> {
        bool ok = false;
        const QString text = QInputDialog::getText(this, kTitle, prompt, QLineEdit::Normal, initial, &ok);
        return ok ? std::optional(text) : std::nullopt;
    };
    chooseFileToAdd = [this]() -> std::optional<ChosenFile> {
        const QStringList filters = {QStringLiteral("Словарь Lectorium (*.dic)"),
                                     QStringLiteral("Словарь Говорилки (*.dic *.txt)"),
                                     QStringLiteral("Словарь ELAN Speech Cube (*.txt)")};
        QString selected = filters[0];
        const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Добавить словарь..."), QString(),
                                                          filters.join(QStringLiteral(";;")), &selected);
        if (path.isEmpty())
            return std::nullopt;
        return ChosenFile{path, int(std::max<qsizetype>(0, filters.indexOf(selected)))};
    };

    openOperations = [this] {
        DictionaryToolsDialog operations(m_programFolder, this);
        operations.exec();
    };

    refresh();
}

void DictionaryListDialog::refresh()
{
    m_dictionaries.loadDictionaryList();
    fillDictionaryRows();
}

void DictionaryListDialog::fillDictionaryRows()
{
    // loadDictionaryList keeps the list in its case-blind order, which is also the
    // order the dictionaries rewrite text in.
    const DictionaryList &list = m_dictionaries.dicList();
    const QString selected = selectedName();
    m_filling = true;
    m_dictionaryList->clear();
    for (const ListedDictionary &dictionary : list) {
        auto *item = new QListWidgetItem(dictionary.name, m_dictionaryList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(dictionary.enabled ? Qt::Checked : Qt::Unchecked);
        if (dictionary.name == selected)
            m_dictionaryList->setCurrentItem(item);
    }
    m_filling = false;
}

void DictionaryListDialog::onItemChanged(QListWidgetItem *item)
{
    if (m_filling)
        return;
    const int row = m_dictionaryList->row(item);
    const bool enabled = item->checkState() == Qt::Checked;
    if (m_dictionaries.dicList().value(row).enabled != enabled)
        reportFailure(!m_dictionaries.setEnabled(row, enabled));
}

void DictionaryListDialog::setAllTicks(bool enabled)
{
    for (int i = 0; i < m_dictionaryList->count(); ++i)
        m_dictionaryList->item(i)->setCheckState(enabled ? Qt::Checked : Qt::Unchecked);
}

QString DictionaryListDialog::selectedName() const
{
    const QListWidgetItem *item = m_dictionaryList->currentItem();
    return item ? item->text() : QString();
}

void DictionaryListDialog::createNew()
{
    const std::optional<QString> name =
        askText(QStringLiteral("Введите имя файла словаря"), QStringLiteral("Новый словарь"));
    if (!name || name->isEmpty())
        return;
    reportFailure(createDictionary(m_dictionaries.dictionaryFolder(), *name, m_dialogs)
                  == DictionaryFileResult::Failed);
    refresh();
}

void DictionaryListDialog::addFile()
{
    const std::optional<ChosenFile> chosen = chooseFileToAdd();
    if (!chosen)
        return;
    const AddedFileKind kind = chosen->filter == 2 ? AddedFileKind::EngineExceptions : AddedFileKind::Dictionary;
    reportFailure(addDictionaryFile(m_dictionaries.dictionaryFolder(), chosen->path, kind, m_dialogs)
                  == DictionaryFileResult::Failed);
    refresh();
}

void DictionaryListDialog::renameSelected()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    const std::optional<QString> typed = askText(QStringLiteral("Введите новое имя файла словаря"), name);
    if (!typed)
        return;
    reportFailure(renameDictionary(m_dictionaries.dictionaryFolder(), name, *typed) == DictionaryFileResult::Failed);
    refresh();
}

void DictionaryListDialog::deleteSelected()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    reportFailure(deleteDictionary(m_dictionaries.dictionaryFolder(), name, m_dialogs) == DictionaryFileResult::Failed);
    refresh();
}

void DictionaryListDialog::reportFailure(bool failed)
{
    if (failed)
        m_dialogs.show({kTitle,
                        QStringLiteral("Не удалось изменить файлы в каталоге словарей:\n%1")
                            .arg(m_dictionaries.dictionaryFolder()),
                        DialogIcon::Exclamation, DialogButtons::Ok});
}
