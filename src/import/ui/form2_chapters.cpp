// The book editor: the chapter identifier list, the chapter preview and
// adding the book to the library.

#include "form2.h"

#include "app/settings.h"
#include "import/chapter_preview.h"
#include "import/editor_text.h"
#include "import/saved_settings_add.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

namespace {

constexpr int kRowStartRole = Qt::UserRole;
constexpr int kRowLengthRole = Qt::UserRole + 1;
constexpr int kProgressIntervalMs = 100;

} // namespace

// ---- identifiers ------------------------------------------------------------

void Form2::fillIdentifierList()
{
    const QSignalBlocker block(m_list1);
    m_list1->clear();
    for (const ChapterIdentifier &entry : m_identifiers.entries()) {
        auto *item = new QListWidgetItem(entry.name, m_list1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.flag ? Qt::Checked : Qt::Unchecked);
    }
}

void Form2::addIdentifier(const QString &text)
{
    const int index = m_identifiers.AddIdentifier(text);
    fillIdentifierList();
    m_list1->setCurrentRow(index);
}

void Form2::askAndAddIdentifier()
{
    const auto text = askIdentifier();
    if (text && !text->isEmpty())
        addIdentifier(*text);
}

void Form2::identifierFromText()
{
    QString selection = m_text->textCursor().selectedText();
    selection.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    const QString identifier = identifierFromSelection(selection);
    if (!identifier.isEmpty())
        addIdentifier(identifier);
}

void Form2::removeIdentifier()
{
    const int row = m_list1->currentRow();
    if (row < 0)
        return;
    m_identifiers.remove(row);
    fillIdentifierList();
    m_list1->setCurrentRow(std::min(row, m_list1->count() - 1));
}

void Form2::setAllIdentifiers(bool on)
{
    m_identifiers.setAllOn(on);
    fillIdentifierList();
}

// ---- preview ----------------------------------------------------------------

void Form2::previewChapters()
{
    m_previewStop = false;
    m_command12->setText(QStringLiteral("Стоп"));
    m_textFrame->hide();
    m_blockFrame->hide();
    m_previewFrame->show();
    m_listView1->clear();
    m_command11->setEnabled(false);

    m_previewText = bookText();
    ChapterDetector detector(m_identifiers.entries(), m_check5->isChecked());
    detector.EmptyCount = m_emptyCount;
    m_previewRunning = true;
    const ChapterPreview preview =
        ::previewChapters(m_previewText, m_text9->text(), options(), m_mainSettings.coefficient1, detector, [this] {
            QApplication::processEvents();
            return !m_previewStop;
        });
    m_previewRunning = false;
    m_emptyCount = detector.EmptyCount;
    m_command11->setEnabled(true);
    if (preview.stopped)
        return;

    for (const PreviewRow &row : preview.rows) {
        auto *item = new QTreeWidgetItem(m_listView1, {row.chapter, Vremya(row.seconds)});
        item->setData(0, kRowStartRole, qlonglong(row.start));
        item->setData(0, kRowLengthRole, qlonglong(row.length));
        item->setToolTip(0, QStringLiteral("%1. %2").arg(row.number).arg(row.chapter));
    }
    m_text->moveCursor(QTextCursor::Start);
    m_command12->setText(QStringLiteral("Ok"));
    if (m_listView1->topLevelItemCount() > 0)
        m_listView1->scrollToItem(m_listView1->topLevelItem(0));
}

void Form2::stopPreview()
{
    m_previewStop = true;
    m_previewFrame->hide();
    m_textFrame->show();
    m_blockFrame->show();
}

void Form2::previewRowClicked(QTreeWidgetItem *item)
{
    const qsizetype start = item->data(0, kRowStartRole).toLongLong();
    const qsizetype length = item->data(0, kRowLengthRole).toLongLong();
    const int from = int(editorPosition(m_previewText, start));
    const int to = int(editorPosition(m_previewText, start + length));
    QTextCursor cursor = m_text->textCursor();
    cursor.setPosition(std::min(from, m_text->document()->characterCount() - 1));
    cursor.setPosition(std::min(to, m_text->document()->characterCount() - 1), QTextCursor::KeepAnchor);
    m_text->setTextCursor(cursor);
    m_text->centerCursor();
    m_text->setFocus();
}

// ---- adding -----------------------------------------------------------------

void Form2::setAdding(bool adding)
{
    m_adding = adding;
    for (QWidget *w : std::initializer_list<QWidget *>{m_textFrame, m_blockFrame, m_previewFrame, m_dictionaryFrame,
                                                        m_infoFrame, m_command1, m_command3, m_command11,
                                                        m_command7, m_command9, m_text9})
        w->setEnabled(!adding);
    m_text->setReadOnly(adding);
    m_progressBar->setValue(0);
    m_progressBar->setVisible(adding);
}

void Form2::addBook()
{
    SaveS();
    AddRequest request{m_programFolder, m_text9->text(), bookText(), information(), options()};
    ChapterDetector detector(m_identifiers.entries(), request.options.dialogueStartsWithQuotes);
    detector.EmptyCount = m_emptyCount;
    const qsizetype total = std::max<qsizetype>(1, request.text.size());
    // The pass reports every few lines; showing each report would cost more
    // than the pass itself, so the window is refreshed a few times a second.
    QElapsedTimer sinceShown;
    sinceShown.start();
    setAdding(true);
    const AddResult result = addWithEnabledDictionaries(
        request, detector, m_dialogs, [&, total](const QString &status, qsizetype position) {
            if (position >= 0 && sinceShown.elapsed() < kProgressIntervalMs)
                return;
            sinceShown.restart();
            statusBar()->showMessage(status);
            if (position >= 0)
                m_progressBar->setValue(int(position * 100 / total));
            QApplication::processEvents();
        });
    setAdding(false);
    m_emptyCount = detector.EmptyCount;
    statusBar()->clearMessage();

    switch (result.status) {
    case AddStatus::NoTitle:
        m_text9->setFocus();
        return;
    case AddStatus::WriteFailed:
        return;
    case AddStatus::Cancelled:
        close();
        return;
    case AddStatus::Added:
        break;
    }
    // The blocks already hold the dictionaries' rewriting; applying them
    // again while recording would rewrite the rewritten text.
    if (request.options.applyDictionaries)
        m_mainSettings.applyDictionaries = 0;
    SaveS();
    m_closing = true;
    emit bookAdded(result.book, m_check8->isChecked());
    close();
}
