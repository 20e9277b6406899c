#include "find_names.h"

#include "dictionaries/dictionaries.h"

#include "common/program_folder.h"
#include "common/user_dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QString &tip = {})
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip.isEmpty() ? caption : tip);
    return b;
}

QList<WordCount> asWordCounts(const QStringList &words)
{
    QList<WordCount> list;
    for (const QString &word : words)
        list.append({word, 0});
    return list;
}

} // namespace

FindNames::FindNames(const QString &programFolder, Dictionaries &dictionaries, UserDialogs &dialogs,
                     QWidget *parent)
    : QWidget(parent), m_programFolder(programFolder), m_dictionaries(dictionaries), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FindNames"));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("TabStrip2"));
    const QString captions[ListCount] = {QStringLiteral("Имена и названия"), QStringLiteral("Иностранные слова"),
                                         QStringLiteral("Все слова"), QStringLiteral("Отфильтрованные"),
                                         QStringLiteral("Правильные произношения")};
    for (int i = 0; i < ListCount; ++i) {
        auto *list = new QTreeWidget(m_tabs);
        list->setObjectName(QStringLiteral("ListNames%1").arg(i));
        list->setRootIsDecorated(false);
        list->setUniformRowHeights(true);
        list->setHeaderLabels({QStringLiteral("Слово"), QStringLiteral("Встречается раз...")});
        list->installEventFilter(this);
        m_lists[i] = list;
        m_tabs->addTab(list, captions[i]);
    }
    m_lists[CorrectWords]->setColumnHidden(1, true);

    auto *rare = button(this, "cmdFilterRare", QStringLiteral("Отфильтровать наименее часто встречающиеся из списка..."));
    auto *correct = button(this, "cmdFilterCorrect", QStringLiteral("Отфильтровать имеющиеся в списке правильных произношений"));
    auto *handled = button(this, "cmdFilterDic", QStringLiteral("Отфильтровать уже имеющиеся в словаре..."));
    auto *mark = button(this, "cmdMarkCorrect", QStringLiteral("Добавить выделенное слово в список правильных произношений (Del)"));
    auto *edit = button(this, "cmdEditWord", QStringLiteral("Редактировать выделенное слово"));
    auto *speak = button(this, "cmdTryFinder", QStringLiteral("Проба (текущий словарь)"));
    m_stop = button(this, "cmdStopSearch", QStringLiteral("Остановить"), QStringLiteral("Остановить поиск или фильтрацию"));
    m_stop->setEnabled(false);

    auto *buttons = new QGridLayout;
    buttons->addWidget(rare, 0, 0);
    buttons->addWidget(correct, 0, 1);
    buttons->addWidget(handled, 1, 0);
    buttons->addWidget(mark, 1, 1);
    buttons->addWidget(edit, 2, 0);
    buttons->addWidget(speak, 2, 1);
    buttons->addWidget(m_stop, 3, 0, 1, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);

    connect(rare, &QPushButton::clicked, this, &FindNames::filterRare);
    connect(correct, &QPushButton::clicked, this, &FindNames::filterCorrect);
    connect(handled, &QPushButton::clicked, this, &FindNames::filterHandled);
    connect(mark, &QPushButton::clicked, this, &FindNames::markCorrect);
    connect(edit, &QPushButton::clicked, this, [this] {
        if (!selectedWord().isEmpty())
            emit editWord(selectedWord());
    });
    connect(speak, &QPushButton::clicked, this, [this] {
        if (!selectedWord().isEmpty())
            emit speakWord(selectedWord());
    });
    connect(m_stop, &QPushButton::clicked, this, [this] { m_cancelled = true; });

    askMinimumCount = [this]() -> std::optional<int> {
        bool ok = false;
        const int n = QInputDialog::getInt(this, QStringLiteral("Lectorium"),
                                           QStringLiteral("Удалить слова, встречающиеся менее скольких раз?"), 2, 1,
                                           1000000, 1, &ok);
        return ok ? std::optional(n) : std::nullopt;
    };

    m_words[CorrectWords] = asWordCounts(readCorrectWords(correctWordsPath()));
    fillList(CorrectWords);
}

QString FindNames::correctWordsPath() const
{
    return programPath(m_programFolder, QStringLiteral("\\excwords.txt"));
}

ToolProgress FindNames::progress(const QString &prefix)
{
    m_cancelled = false;
    ToolProgress progress;
    progress.report = [this, prefix](int percent, const QString &) {
        emit status(prefix + QString::number(percent) + u'%');
        QApplication::processEvents();
    };
    progress.cancelled = [this] { return m_cancelled; };
    return progress;
}

void FindNames::run(const QString &text, const NameFinderOptions &options)
{
    if (m_running)
        return;
    m_running = true;
    m_stop->setEnabled(true);
    emit status(QStringLiteral("Загрузка текста (%1МБ)...")
                    .arg(QString::number(double(text.size()) / (1024 * 1024), 'f', 2)));
    QApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    NameFinderResult result = ::FindNames(text, options, progress(QStringLiteral("Анализ текста: ")));
    m_words[Names] = result.names;
    m_words[ForeignWords] = result.foreignWords;
    m_words[AllWords] = result.allWords;
    m_words[Filtered].clear();
    m_words[CorrectWords] = asWordCounts(readCorrectWords(correctWordsPath()));
    fillAll();
    m_stop->setEnabled(false);
    m_running = false;
    m_tabs->setCurrentIndex(Names);
    const QString seconds = QString::number(clock.elapsed() / 1000.0, 'f', 2);
    emit status(QStringLiteral("Обнаружено %1 новых имен и названий, %2 иностранных слов, всего %3 слов. "
                               "Поиск занял %4 секунд")
                    .arg(result.names.size()).arg(result.foreignWords.size()).arg(result.allWords.size())
                    .arg(seconds));
    m_dialogs.show({QStringLiteral("Поиск завершен"),
                    QStringLiteral("Обнаружено %1 новых имен и названий").arg(result.names.size()),
                    DialogIcon::Information, DialogButtons::Ok});
}

void FindNames::fillList(int list)
{
    QTreeWidget *view = m_lists[list];
    view->setUpdatesEnabled(false);
    view->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(m_words[list].size());
    for (const WordCount &word : m_words[list])
        items.append(new QTreeWidgetItem({word.word, word.count > 0 ? QString::number(word.count) : QString()}));
    view->addTopLevelItems(items);
    view->setUpdatesEnabled(true);
}

void FindNames::fillAll()
{
    for (int i = 0; i < ListCount; ++i)
        fillList(i);
}

int FindNames::currentListIndex() const
{
    return m_tabs->currentIndex();
}

QTreeWidget *FindNames::currentList() const
{
    return m_lists[currentListIndex()];
}

QString FindNames::selectedWord() const
{
    const QTreeWidgetItem *item = currentList()->currentItem();
    return item ? item->text(0) : QString();
}

void FindNames::moveToFiltered(int list, const QList<WordCount> &removed)
{
    m_words[Filtered].append(removed);
    fillList(list);
    fillList(Filtered);
}

void FindNames::filterRare()
{
    const int list = currentListIndex();
    if (list > AllWords)
        return;
    const std::optional<int> minimum = askMinimumCount();
    if (!minimum)
        return;
    const QString prefix = QStringLiteral("Удаление слов, встечающихся менее %1 раз(а) ").arg(*minimum);
    emit status(prefix);
    const QList<WordCount> removed = removeRareWords(m_words[list], *minimum);
    moveToFiltered(list, removed);
    emit status(prefix + QStringLiteral(" удалено: %1").arg(removed.size()));
}

void FindNames::filterCorrect()
{
    QStringList correct;
    for (const WordCount &word : m_words[CorrectWords])
        correct.append(word.word);
    int total = 0;
    for (int list : {Names, ForeignWords, AllWords}) {
        const QList<WordCount> removed = removeListedWords(m_words[list], correct);
        total += int(removed.size());
        moveToFiltered(list, removed);
    }
    emit status(QStringLiteral("Всего отфильтровано: %1").arg(total));
}

void FindNames::filterHandled()
{
    if (m_running)
        return;
    m_running = true;
    m_stop->setEnabled(true);
    const std::optional<QList<ExceptionRow>> rows = engineRows ? engineRows() : std::nullopt;
    if (!rows) {
        m_dictionaries.LoadDicList();
        m_dictionaries.LoadEnabledDictionaries();
    }
    int total = 0;
    const ToolProgress filterProgress = progress(QStringLiteral("Фильтрация: "));
    for (int list : {Names, ForeignWords, AllWords}) {
        if (filterProgress.isCancelled())
            break;
        const QList<WordCount> removed = rows ? removeExceptionKeys(m_words[list], *rows)
                                              : removeHandledWords(m_words[list], *m_dictionaries.engine(),
                                                                   filterProgress);
        total += int(removed.size());
        moveToFiltered(list, removed);
    }
    m_stop->setEnabled(false);
    m_running = false;
    emit status(QStringLiteral("Всего отфильтровано: %1").arg(total));
}

void FindNames::markCorrect()
{
    const int list = currentListIndex();
    QTreeWidgetItem *item = currentList()->currentItem();
    if (list == CorrectWords || !item)
        return;
    const int row = currentList()->indexOfTopLevelItem(item);
    const WordCount word = m_words[list].takeAt(row);
    delete item;
    m_words[CorrectWords].append({word.word, 0});
    fillList(CorrectWords);
    QStringList words;
    for (const WordCount &w : m_words[CorrectWords])
        words.append(w.word);
    if (!writeCorrectWords(correctWordsPath(), words))
        m_dialogs.show({QStringLiteral("Lectorium"),
                        QStringLiteral("Не удалось записать список правильных произношений:\n%1").arg(correctWordsPath()),
                        DialogIcon::Exclamation, DialogButtons::Ok});
}

bool FindNames::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete
        && watched == currentList()) {
        markCorrect();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
