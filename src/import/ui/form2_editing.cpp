// The book editor: editing commands, find and replace, saving text, the
// block size views and the word analysis.

#include "form2.h"

#include "app/settings.h"
#include "common/replace_all.h"
#include "import/add_book.h"
#include "import/editor_estimate.h"
#include "import/text_file_export.h"
#include "import/text_normalisation.h"

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

void Form2::textChanged()
{
    if (m_Loading)
        return;
    // The length of the CR LF text, without copying a long book on every
    // key press: each line break counts two characters.
    const QTextDocument *document = m_text->document();
    const qint64 characters = document->characterCount() - 1 + (document->blockCount() - 1);
    m_label11->setText(bookEstimateLabel(characters, m_mainSettings.coefficient1));
}

void Form2::showEditMenu(const QPoint &pos)
{
    const bool selection = m_text->textCursor().hasSelection();
    for (QAction *action : {m_mnCut, m_mnChapter, m_mnSaveSelection, m_mnTitle, m_mnPropCase})
        action->setEnabled(selection);
    m_editMenu->popup(m_text->viewport()->mapToGlobal(pos));
}

void Form2::selectAll()
{
    m_text->selectAll();
}

void Form2::selectUp()
{
    const int caret = m_text->textCursor().position();
    select(m_text, caret, 0);
}

void Form2::selectDown()
{
    const int caret = m_text->textCursor().position();
    QTextCursor end = m_text->textCursor();
    end.movePosition(QTextCursor::End);
    select(m_text, caret, end.position());
}

void Form2::titleFromSelection()
{
    const QString selection = selectedText(m_text);
    if (selection.isEmpty())
        return;
    if (const auto title = CleanTitle(selection, m_dialogs))
        m_text9->setText(*title);
}

void Form2::validateTitle()
{
    // The paste's prompt stays as it is, so adding still asks for a title
    // instead of naming the book after the prompt.
    if (m_text9->text() == kTitlePlaceholder)
        return;
    if (const auto title = CleanTitle(m_text9->text(), m_dialogs); title && *title != m_text9->text())
        m_text9->setText(*title);
}

void Form2::properCaseSelection()
{
    QTextCursor cursor = m_text->textCursor();
    if (!cursor.hasSelection())
        return;
    const int from = cursor.selectionStart();
    const QString changed = properCase(selectedText(m_text));
    cursor.insertText(changed);
    select(m_text, from, from + int(changed.size()));
}

void Form2::findNext()
{
    const QString text = m_text->toPlainText();
    const auto hit = m_search.findNext(text, m_text3->text(), m_check12->isChecked());
    if (!hit)
        return;
    select(m_text, int(*hit), int(*hit + m_text3->text().size()));
    m_text->centerCursor();
    m_text->setFocus();
}

void Form2::replaceAll()
{
    if (m_text3->text().isEmpty())
        return;
    const QString before = m_text->toPlainText();
    const QString after = ReplaceAll(before, m_text3->text(), m_text4->text(), m_check12->isChecked());
    m_beforeReplace = before;
    m_text->setPlainText(after);
    m_command16->setEnabled(true);
}

void Form2::undoReplace()
{
    if (!m_beforeReplace)
        return;
    m_text->setPlainText(*m_beforeReplace);
    m_beforeReplace.reset();
    m_command16->setEnabled(false);
}

void Form2::saveAs(bool selectionOnly)
{
    const QString chosen = chooseSaveFile();
    if (chosen.isEmpty())
        return;
    const QString path = withTxtExtension(chosen);
    if (saveTextFile(path, selectionOnly ? selectedText(m_text) : m_text->toPlainText()))
        return;
    m_dialogs.show({QStringLiteral("Сохранить как..."),
                    QStringLiteral("Не удалось записать файл\n\"%1\".\nПроверьте права на запись и свободное место "
                                   "на диске.")
                        .arg(QDir::toNativeSeparators(path)),
                    DialogIcon::Critical, DialogButtons::Ok});
}

void Form2::sliderMoved(int position)
{
    m_text1->setText(sizeTextForSliderPosition(position, m_mainSettings.coefficient1));
}

void Form2::sizeEdited()
{
    const QSignalBlocker block(m_slider1);
    m_slider1->setValue(sliderPositionForSize(options().maxBlockSize(), m_mainSettings.coefficient1));
}

void Form2::dictionaryOptionToggled(bool on)
{
    if (on && m_mainSettings.applyDictionaries == 1) {
        m_dialogs.show({QStringLiteral("Lectorium"),
                        QStringLiteral("Включена обработка словарем во время добавления книги. Обработка во "
                                       "время записи книги будет отключена автоматически."),
                        DialogIcon::Information, DialogButtons::Ok});
    }
}

void Form2::analyseWords()
{
    findNames(m_text->toPlainText(), m_nameSearch);
}

void Form2::chooseWordLength(int choice)
{
    const WordLengthChoice &chosen = wordLengthChoices().at(choice);
    m_nameSearch.longWords = chosen.minimumLength.has_value();
    if (chosen.minimumLength)
        m_nameSearch.minimumLength = *chosen.minimumLength;
    applyNameSearchOptions();
}
