// The book editor: editing commands, find and replace, saving text, the
// block size views and the word analysis.

#include "import/ui/book_editor_window.h"

#include "app/settings.h"
#include "common/replace_all.h"
#include "import/add_book.h"
#include "import/editor_estimate.h"
#include "import/text_file_export.h"
#include "import/text_normalisation.h"
#include "recording/speech/speech_output_rate.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTextBlock>

namespace {

// A selection of the text control as plain text (its paragraph separators
// as "\n").
QString selectedText(const QPlainTextEdit *text)
{
    QString selection = text->textCursor().selectedText();
    selection.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return selection;
}

void select(QPlainTextEdit *text, int from, int to)
{
    QTextCursor cursor = text->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    text->setTextCursor(cursor);
}

} // namespace

SpeakingRate BookEditorWindow::speakingRate() const
{
    return {m_mainSettings.coefficient1, speechBytesPerSecond()};
}

void BookEditorWindow::updateDurationEstimate()
{
    if (m_loading)
        return;
    // The length of the CR LF text, without copying a long book on every
    // key press: each line break counts two characters.
    const QTextDocument *document = m_bookTextEdit->document();
    const qint64 characters = document->characterCount() - 1 + (document->blockCount() - 1);
    m_bookDurationLabel->setText(bookEstimateLabel(characters, speakingRate()));
}

void BookEditorWindow::showEditMenu(const QPoint &pos)
{
    const bool selection = m_bookTextEdit->textCursor().hasSelection();
    for (QAction *action : {m_cutAction, m_identifierFromSelectionAction, m_saveSelectionAction,
                            m_titleFromSelectionAction, m_properCaseAction})
        action->setEnabled(selection);
    m_editMenu->popup(m_bookTextEdit->viewport()->mapToGlobal(pos));
}

void BookEditorWindow::selectAll()
{
    m_bookTextEdit->selectAll();
}

void BookEditorWindow::selectUp()
{
    const int caret = m_bookTextEdit->textCursor().position();
    select(m_bookTextEdit, caret, 0);
}

void BookEditorWindow::selectDown()
{
    const int caret = m_bookTextEdit->textCursor().position();
    QTextCursor end = m_bookTextEdit->textCursor();
    end.movePosition(QTextCursor::End);
    select(m_bookTextEdit, caret, end.position());
}

void BookEditorWindow::titleFromSelection()
{
    const QString selection = selectedText(m_bookTextEdit);
    if (selection.isEmpty())
        return;
    if (const auto title = cleanTitle(selection, m_dialogs))
        m_titleEdit->setText(*title);
}

void BookEditorWindow::validateTitle()
{
    // The paste's prompt stays as it is, so adding still asks for a title
    // instead of naming the book after the prompt.
    if (m_titleEdit->text() == kTitlePlaceholder)
        return;
    if (const auto title = cleanTitle(m_titleEdit->text(), m_dialogs); title && *title != m_titleEdit->text())
        m_titleEdit->setText(*title);
}

void BookEditorWindow::properCaseSelection()
{
    QTextCursor cursor = m_bookTextEdit->textCursor();
    if (!cursor.hasSelection())
        return;
    const int from = cursor.selectionStart();
    const QString changed = properCase(selectedText(m_bookTextEdit));
    cursor.insertText(changed);
    select(m_bookTextEdit, from, from + int(changed.size()));
}

void BookEditorWindow::findNext()
{
    const QString text = m_bookTextEdit->toPlainText();
    const auto hit = m_search.findNext(text, m_findEdit->text(), m_matchCase->isChecked());
    if (!hit)
        return;
    select(m_bookTextEdit, int(*hit), int(*hit + m_findEdit->text().size()));
    m_bookTextEdit->centerCursor();
    m_bookTextEdit->setFocus();
}

void BookEditorWindow::replaceAll()
{
    if (m_findEdit->text().isEmpty())
        return;
    const QString before = m_bookTextEdit->toPlainText();
    const QString after = ::replaceAll(before, m_findEdit->text(), m_replaceEdit->text(), m_matchCase->isChecked());
    m_beforeReplace = before;
    m_bookTextEdit->setPlainText(after);
    m_undoReplaceButton->setEnabled(true);
}

void BookEditorWindow::undoReplace()
{
    if (!m_beforeReplace)
        return;
    m_bookTextEdit->setPlainText(*m_beforeReplace);
    m_beforeReplace.reset();
    m_undoReplaceButton->setEnabled(false);
}

void BookEditorWindow::saveAs(bool selectionOnly)
{
    const QString chosen = chooseSaveFile();
    if (chosen.isEmpty())
        return;
    const QString path = withTxtExtension(chosen);
    if (saveTextFile(path, selectionOnly ? selectedText(m_bookTextEdit) : m_bookTextEdit->toPlainText()))
        return;
    m_dialogs.show({QStringLiteral("Сохранить как..."),
                    QStringLiteral("Не удалось записать файл\n\"%1\".\nПроверьте права на запись и свободное место "
                                   "на диске.")
                        .arg(QDir::toNativeSeparators(path)),
                    DialogIcon::Critical, DialogButtons::Ok});
}

void BookEditorWindow::sliderMoved(int position)
{
    m_maxBlockSizeEdit->setText(sizeTextForSliderPosition(position, speakingRate()));
}

void BookEditorWindow::sizeEdited()
{
    const QSignalBlocker block(m_blockDurationSlider);
    m_blockDurationSlider->setValue(sliderPositionForSize(options().maxBlockSize(), speakingRate()));
}

void BookEditorWindow::dictionaryOptionToggled(bool on)
{
    if (on && m_mainSettings.applyDictionaries) {
        m_dialogs.show({QStringLiteral("Lectorium"),
                        QStringLiteral("Включена обработка словарем во время добавления книги. Обработка во "
                                       "время записи книги будет отключена автоматически."),
                        DialogIcon::Information, DialogButtons::Ok});
    }
}

void BookEditorWindow::analyseWords()
{
    findNames(m_bookTextEdit->toPlainText(), m_nameSearch);
}

void BookEditorWindow::chooseWordLength(int choice)
{
    const WordLengthChoice &chosen = wordLengthChoices().at(choice);
    m_nameSearch.longWords = chosen.minimumLength.has_value();
    if (chosen.minimumLength)
        m_nameSearch.minimumLength = *chosen.minimumLength;
    applyNameSearchOptions();
}
