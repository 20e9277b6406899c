// The book editor: the chapter identifier list, the chapter preview and
// adding the book to the library.

#include "import/ui/book_editor_window.h"

#include "app/settings.h"
#include "import/chapter_preview.h"
#include "import/editor_text.h"
#include "import/layout_headings.h"
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

void BookEditorWindow::fillIdentifierList()
{
    const QSignalBlocker block(m_chapterIdentifierList);
    m_chapterIdentifierList->clear();
    for (const ChapterIdentifier &entry : m_identifiers.entries()) {
        auto *item = new QListWidgetItem(entry.name, m_chapterIdentifierList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.flag ? Qt::Checked : Qt::Unchecked);
        if (entry.name == kLayoutHeadingIdentifier)
            item->setToolTip(layoutHeadingHelp());
    }
}

void BookEditorWindow::addIdentifier(const QString &text)
{
    const int index = m_identifiers.addIdentifier(text);
    fillIdentifierList();
    m_chapterIdentifierList->setCurrentRow(index);
}

void BookEditorWindow::askAndAddIdentifier()
{
    const auto text = askIdentifier();
    if (text && !text->isEmpty())
        addIdentifier(*text);
}

void BookEditorWindow::identifierFromText()
{
    QString selection = m_bookTextEdit->textCursor().selectedText();
    selection.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    const QString identifier = identifierFromSelection(selection);
    if (!identifier.isEmpty())
        addIdentifier(identifier);
}

void BookEditorWindow::removeIdentifier()
{
    const int row = m_chapterIdentifierList->currentRow();
    if (row < 0)
        return;
    m_identifiers.remove(row);
    fillIdentifierList();
    m_chapterIdentifierList->setCurrentRow(std::min(row, m_chapterIdentifierList->count() - 1));
}

void BookEditorWindow::setAllIdentifiers(bool on)
{
    m_identifiers.setAllOn(on);
    fillIdentifierList();
}

// ---- preview ----------------------------------------------------------------

void BookEditorWindow::previewChapters()
{
    m_previewStop = false;
    m_stopPreviewButton->setText(QStringLiteral("Стоп"));
    m_textProcessingFrame->hide();
    m_blockSplittingFrame->hide();
    m_previewFrame->show();
    m_chapterPreviewList->clear();
    m_previewChaptersButton->setEnabled(false);

    m_previewText = bookText();
    ChapterDetector detector(m_identifiers.entries(), m_dialogueStartsWithQuotes->isChecked());
    detector.emptyCount = m_emptyCount;
    m_previewRunning = true;
    const ChapterPreview preview =
        ::previewChapters(m_previewText, m_titleEdit->text(), options(), speakingRate(), detector, [this] {
            QApplication::processEvents();
            return !m_previewStop;
        });
    m_previewRunning = false;
    m_emptyCount = detector.emptyCount;
    m_previewChaptersButton->setEnabled(true);
    if (preview.stopped)
        return;

    for (const PreviewRow &row : preview.rows) {
        auto *item = new QTreeWidgetItem(m_chapterPreviewList, {row.chapter, formatDuration(row.seconds)});
        item->setData(0, kRowStartRole, qlonglong(row.start));
        item->setData(0, kRowLengthRole, qlonglong(row.length));
        item->setToolTip(0, QStringLiteral("%1. %2").arg(row.number).arg(row.chapter));
    }
    m_bookTextEdit->moveCursor(QTextCursor::Start);
    m_stopPreviewButton->setText(QStringLiteral("Ok"));
    if (m_chapterPreviewList->topLevelItemCount() > 0)
        m_chapterPreviewList->scrollToItem(m_chapterPreviewList->topLevelItem(0));
}

void BookEditorWindow::stopPreview()
{
    m_previewStop = true;
    m_previewFrame->hide();
    m_textProcessingFrame->show();
    m_blockSplittingFrame->show();
}

void BookEditorWindow::previewRowClicked(QTreeWidgetItem *item)
{
    const qsizetype start = item->data(0, kRowStartRole).toLongLong();
    const qsizetype length = item->data(0, kRowLengthRole).toLongLong();
    const int from = int(editorPosition(m_previewText, start));
    const int to = int(editorPosition(m_previewText, start + length));
    QTextCursor cursor = m_bookTextEdit->textCursor();
    cursor.setPosition(std::min(from, m_bookTextEdit->document()->characterCount() - 1));
    cursor.setPosition(std::min(to, m_bookTextEdit->document()->characterCount() - 1), QTextCursor::KeepAnchor);
    m_bookTextEdit->setTextCursor(cursor);
    m_bookTextEdit->centerCursor();
    m_bookTextEdit->setFocus();
}

// ---- adding -----------------------------------------------------------------

void BookEditorWindow::setAdding(bool adding)
{
    m_adding = adding;
    for (QWidget *w : std::initializer_list<QWidget *>{
             m_textProcessingFrame, m_blockSplittingFrame, m_previewFrame, m_dictionaryFrame, m_infoFrame,
             m_addBookButton, m_cancelButton, m_previewChaptersButton, m_openFileButton, m_pasteButton, m_titleEdit})
        w->setEnabled(!adding);
    m_bookTextEdit->setReadOnly(adding);
    m_progressBar->setValue(0);
    m_progressBar->setVisible(adding);
}

void BookEditorWindow::addBook()
{
    saveEditorSettings();
    AddRequest request{m_programFolder, m_titleEdit->text(), bookText(), information(), options(), {}, {}, m_cover};
    ChapterDetector detector(m_identifiers.entries(), request.options.dialogueStartsWithQuotes);
    detector.emptyCount = m_emptyCount;
    const qsizetype total = std::max<qsizetype>(1, request.text.size());
    // The pass reports every few lines; showing each report would cost more
    // than the pass itself, so the window is refreshed a few times a second.
    QElapsedTimer sinceShown;
    sinceShown.start();
    setAdding(true);
    const AddResult result =
        addWithEnabledDictionaries(request, detector, m_dialogs, [&, total](const QString &status, qsizetype position) {
            if (position >= 0 && sinceShown.elapsed() < kProgressIntervalMs)
                return;
            sinceShown.restart();
            statusBar()->showMessage(status);
            if (position >= 0)
                m_progressBar->setValue(int(position * 100 / total));
            QApplication::processEvents();
        });
    setAdding(false);
    m_emptyCount = detector.emptyCount;
    statusBar()->clearMessage();

    switch (result.status) {
    case AddStatus::NoTitle: m_titleEdit->setFocus(); return;
    case AddStatus::WriteFailed:
    case AddStatus::DictionaryFailed: return;
    case AddStatus::Cancelled: close(); return;
    case AddStatus::Added: break;
    }
    // The blocks already hold the dictionaries' rewriting; applying them
    // again while recording would rewrite the rewritten text.
    if (request.options.applyDictionaries)
        m_mainSettings.applyDictionaries = false;
    saveEditorSettings();
    m_closing = true;
    emit bookAdded(result.book, m_recordAfterAdding->isChecked());
    close();
}
