#include "dictionaries/ui/name_finder_pane.h"

#include "dictionaries/dictionaries.h"
#include "dictionaries/unknown_stress_words.h"

#include "common/program_folder.h"
#include "common/user_dialogs.h"
#include "stress/shared_stress_lexicon.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
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

// The lists of words found in the book, which the filters work on.
constexpr NameFinderPane::List kFoundLists[] = {NameFinderPane::Names, NameFinderPane::ForeignWords,
                                                NameFinderPane::AllWords, NameFinderPane::UnknownStress};

QList<WordCount> asWordCounts(const QStringList &words)
{
    QList<WordCount> list;
    for (const QString &word : words)
        list.append({word, 0});
    return list;
}

} // namespace

NameFinderPane::NameFinderPane(const QString &programFolder, Dictionaries &dictionaries, UserDialogs &dialogs,
                               QWidget *parent)
    : QWidget(parent), m_programFolder(programFolder), m_dictionaries(dictionaries), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("NameFinderPane"));
    m_listTabs = new QTabWidget(this);
    m_listTabs->setObjectName(QStringLiteral("listTabs"));
    const QString captions[ListCount] = {
        QStringLiteral("Имена и названия"), QStringLiteral("Иностранные слова"),
        QStringLiteral("Все слова"),        QStringLiteral("Слова с неизвестным ударением"),
        QStringLiteral("Отфильтрованные"),  QStringLiteral("Правильные произношения")};
    for (int i = 0; i < ListCount; ++i) {
        auto *list = new QTreeWidget(m_listTabs);
        list->setObjectName(i == UnknownStress ? QStringLiteral("unknownStressList")
                                               : QStringLiteral("wordList%1").arg(i));
        list->setRootIsDecorated(false);
        list->setUniformRowHeights(true);
        list->setHeaderLabels({QStringLiteral("Слово"), QStringLiteral("Встречается раз...")});
        list->installEventFilter(this);
        m_wordLists[i] = list;
        if (i != UnknownStress)
            m_listTabs->addTab(list, captions[i]);
    }
    m_wordLists[CorrectWords]->setColumnHidden(1, true);
    m_wordLists[UnknownStress]->setToolTip(QStringLiteral(
        "Слова из двух и более слогов, ударение в которых программа не смогла определить "
        "(омографы, имена, слова, которых нет в словаре ударений). Двойной щелчок или "
        "\"Редактировать выделенное слово\" - новая запись словаря, в которой остается поставить ударение"));
    // The list has a note above it for when there is no stress lexicon.
    auto *unknownStressPage = new QWidget(m_listTabs);
    m_unknownStressNote = new QLabel(unknownStressPage);
    m_unknownStressNote->setObjectName(QStringLiteral("unknownStressNote"));
    m_unknownStressNote->setWordWrap(true);
    m_unknownStressNote->hide();
    auto *unknownStressLayout = new QVBoxLayout(unknownStressPage);
    unknownStressLayout->setContentsMargins(0, 0, 0, 0);
    unknownStressLayout->addWidget(m_unknownStressNote);
    unknownStressLayout->addWidget(m_wordLists[UnknownStress], 1);
    m_listTabs->insertTab(UnknownStress, unknownStressPage, captions[UnknownStress]);

    auto *rare =
        button(this, "filterRareButton", QStringLiteral("Отфильтровать наименее часто встречающиеся из списка..."));
    auto *correct =
        button(this, "filterCorrectButton", QStringLiteral("Отфильтровать имеющиеся в списке правильных произношений"));
    auto *handled = button(this, "filterHandledButton", QStringLiteral("Отфильтровать уже имеющиеся в словаре..."));
    auto *mark = button(this, "markCorrectButton",
                        QStringLiteral("Добавить выделенное слово в список правильных произношений (Del)"));
    auto *edit = button(this, "editWordButton", QStringLiteral("Редактировать выделенное слово"));
    auto *speak = button(this, "tryFoundWordButton", QStringLiteral("Проба (текущий словарь)"));
    m_stopSearchButton = button(this, "stopSearchButton", QStringLiteral("Остановить"),
                                QStringLiteral("Остановить поиск или фильтрацию"));
    m_stopSearchButton->setEnabled(false);

    auto *buttons = new QGridLayout;
    buttons->addWidget(rare, 0, 0);
    buttons->addWidget(correct, 0, 1);
    buttons->addWidget(handled, 1, 0);
    buttons->addWidget(mark, 1, 1);
    buttons->addWidget(edit, 2, 0);
    buttons->addWidget(speak, 2, 1);
    buttons->addWidget(m_stopSearchButton, 3, 0, 1, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_listTabs, 1);
    layout->addLayout(buttons);

    connect(rare, &QPushButton::clicked, this, &NameFinderPane::filterRare);
    connect(correct, &QPushButton::clicked, this, &NameFinderPane::filterCorrect);
    connect(handled, &QPushButton::clicked, this, &NameFinderPane::filterHandled);
    connect(mark, &QPushButton::clicked, this, &NameFinderPane::markCorrect);
    connect(edit, &QPushButton::clicked, this, &NameFinderPane::editSelectedWord);
    connect(m_wordLists[UnknownStress], &QTreeWidget::itemActivated, this, &NameFinderPane::editSelectedWord);
    connect(speak, &QPushButton::clicked, this, [this] {
        if (!selectedWord().isEmpty())
            emit speakWord(selectedWord());
    });
    connect(m_stopSearchButton, &QPushButton::clicked, this, [this] { m_cancelled = true; });

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

QString NameFinderPane::correctWordsPath() const
{
    return ProgramFolder(m_programFolder).file(QStringLiteral("excwords.txt"));
}

ToolProgress NameFinderPane::progress(const QString &prefix)
{
    m_cancelled = false;
    ToolProgress progress;
    // Without a prefix the core's own status ("Ударения: n%") is shown.
    progress.report = [this, prefix](int percent, const QString &coreStatus) {
        emit status(prefix.isEmpty() ? coreStatus : prefix + QString::number(percent) + u'%');
        QApplication::processEvents();
    };
    progress.cancelled = [this] { return m_cancelled; };
    return progress;
}

void NameFinderPane::run(const QString &text, const NameFinderOptions &options)
{
    if (m_running)
        return;
    m_running = true;
    m_stopSearchButton->setEnabled(true);
    emit status(
        QStringLiteral("Загрузка текста (%1МБ)...").arg(QString::number(double(text.size()) / (1024 * 1024), 'f', 2)));
    QApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    NameFinderResult result = ::findNames(text, options, progress(QStringLiteral("Анализ текста: ")));
    m_words[Names] = result.names;
    m_words[ForeignWords] = result.foreignWords;
    m_words[AllWords] = result.allWords;
    m_words[UnknownStress].clear();
    if (!result.cancelled)
        findUnknownStress(text);
    m_words[Filtered].clear();
    m_words[CorrectWords] = asWordCounts(readCorrectWords(correctWordsPath()));
    fillAll();
    m_stopSearchButton->setEnabled(false);
    m_running = false;
    m_listTabs->setCurrentIndex(Names);
    const QString seconds = QString::number(clock.elapsed() / 1000.0, 'f', 2);
    emit status(QStringLiteral("Обнаружено %1 новых имен и названий, %2 иностранных слов, всего %3 слов, "
                               "%4 слов с неизвестным ударением. Поиск занял %5 секунд")
                    .arg(result.names.size())
                    .arg(result.foreignWords.size())
                    .arg(result.allWords.size())
                    .arg(m_words[UnknownStress].size())
                    .arg(seconds));
    m_dialogs.show({QStringLiteral("Поиск завершен"),
                    QStringLiteral("Обнаружено %1 новых имен и названий").arg(result.names.size()),
                    DialogIcon::Information, DialogButtons::Ok});
}

// The words of two or more syllables the stress pass would leave to the
// voice, less those the enabled dictionaries already change.
void NameFinderPane::findUnknownStress(const QString &text)
{
    QString error;
    const StressLexicon &lexicon = sharedStressLexicon(m_programFolder, &error);
    m_dictionaries.loadDictionaryList();
    m_dictionaries.loadEnabledDictionaries();
    const UnknownStressWords found = findUnknownStressWords(text, lexicon, *m_dictionaries.engine(), progress({}));
    m_words[UnknownStress] = found.words;
    m_unknownStressNote->setText(
        found.lexiconMissing
            ? QStringLiteral("Словарь ударений не загружен, поэтому слова с неизвестным ударением не определены.\n")
                  + error
            : QString());
    m_unknownStressNote->setVisible(found.lexiconMissing);
}

void NameFinderPane::editSelectedWord()
{
    const QString word = selectedWord();
    if (word.isEmpty())
        return;
    if (currentListIndex() == UnknownStress)
        emit giveStress(word);
    else
        emit editWord(word);
}

void NameFinderPane::fillList(int list)
{
    QTreeWidget *view = m_wordLists[list];
    view->setUpdatesEnabled(false);
    view->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(m_words[list].size());
    for (const WordCount &word : m_words[list])
        items.append(new QTreeWidgetItem({word.word, word.count > 0 ? QString::number(word.count) : QString()}));
    view->addTopLevelItems(items);
    view->setUpdatesEnabled(true);
}

void NameFinderPane::fillAll()
{
    for (int i = 0; i < ListCount; ++i)
        fillList(i);
}

int NameFinderPane::currentListIndex() const
{
    return m_listTabs->currentIndex();
}

QTreeWidget *NameFinderPane::currentList() const
{
    return m_wordLists[currentListIndex()];
}

QString NameFinderPane::selectedWord() const
{
    const QTreeWidgetItem *item = currentList()->currentItem();
    return item ? item->text(0) : QString();
}

void NameFinderPane::moveToFiltered(int list, const QList<WordCount> &removed)
{
    m_words[Filtered].append(removed);
    fillList(list);
    fillList(Filtered);
}

void NameFinderPane::filterRare()
{
    const int list = currentListIndex();
    if (list == Filtered || list == CorrectWords)
        return;
    const std::optional<int> minimum = askMinimumCount();
    if (!minimum)
        return;
    const QString prefix = QStringLiteral("Удаление слов, встречающихся менее %1 раз(а) ").arg(*minimum);
    emit status(prefix);
    const QList<WordCount> removed = removeRareWords(m_words[list], *minimum);
    moveToFiltered(list, removed);
    emit status(prefix + QStringLiteral(" удалено: %1").arg(removed.size()));
}

void NameFinderPane::filterCorrect()
{
    QStringList correct;
    for (const WordCount &word : m_words[CorrectWords])
        correct.append(word.word);
    int total = 0;
    for (int list : kFoundLists) {
        const QList<WordCount> removed = removeListedWords(m_words[list], correct);
        total += int(removed.size());
        moveToFiltered(list, removed);
    }
    emit status(QStringLiteral("Всего отфильтровано: %1").arg(total));
}

void NameFinderPane::filterHandled()
{
    if (m_running)
        return;
    m_running = true;
    m_stopSearchButton->setEnabled(true);
    const std::optional<QList<ExceptionRow>> rows = engineRows ? engineRows() : std::nullopt;
    if (!rows) {
        m_dictionaries.loadDictionaryList();
        m_dictionaries.loadEnabledDictionaries();
    }
    int total = 0;
    const ToolProgress filterProgress = progress(QStringLiteral("Фильтрация: "));
    for (int list : kFoundLists) {
        if (filterProgress.isCancelled())
            break;
        const QList<WordCount> removed =
            rows ? removeExceptionKeys(m_words[list], *rows)
                 : removeHandledWords(m_words[list], *m_dictionaries.engine(), filterProgress);
        total += int(removed.size());
        moveToFiltered(list, removed);
    }
    m_stopSearchButton->setEnabled(false);
    m_running = false;
    emit status(QStringLiteral("Всего отфильтровано: %1").arg(total));
}

void NameFinderPane::markCorrect()
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
        m_dialogs.show(
            {QStringLiteral("Lectorium"),
             QStringLiteral("Не удалось записать список правильных произношений:\n%1").arg(correctWordsPath()),
             DialogIcon::Exclamation, DialogButtons::Ok});
}

bool NameFinderPane::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete
        && watched == currentList()) {
        markCorrect();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
