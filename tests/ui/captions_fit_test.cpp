// Every caption of the windows can be read whole at the window's own size:
// a button, box or label whose text does not fit is a fault, unless its
// tooltip gives the whole text.

#include "app/settings.h"
#include "app/ui/main_window.h"
#include "dictionaries/ui/dictionary_editor_window.h"
#include "dictionaries/ui/dictionary_list_dialog.h"
#include "import/ui/book_editor_window.h"
#include "options/ui/about_box.h"
#include "options/ui/options_dialog.h"

#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString withoutMnemonic(QString text)
{
    return text.remove(u'&');
}

// The texts of `window` (and of every tab page, each shown in turn) that
// are cut short and have no tooltip with the whole text.
QStringList clippedTexts(QWidget *window)
{
    QStringList clipped;
    const auto look = [&] {
        for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
            if (!button->isVisible() || button->text().isEmpty())
                continue;
            // A push button's size hint has a minimum width of its own; its
            // text needs the text's width and the frame's margins.
            const bool push = qobject_cast<QPushButton *>(button) != nullptr;
            const int iconRoom = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
            // A check box or radio button: its text goes beside the indicator,
            // in the rectangle the style gives it.
            const int textWidth = button->fontMetrics().horizontalAdvance(withoutMnemonic(button->text()));
            int needed = textWidth + iconRoom + 8;
            if (!push) {
                QStyleOptionButton option;
                option.initFrom(button);
                option.text = button->text();
                const bool radio = qobject_cast<QRadioButton *>(button) != nullptr;
                const QRect contents = button->style()->subElementRect(
                    radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, button);
                needed = button->width() - contents.width() + textWidth;
            }
            if (needed > button->width() + 1 && !button->toolTip().contains(withoutMnemonic(button->text())))
                clipped << QStringLiteral("%1 \"%2\" (%3 < %4)")
                               .arg(button->objectName(), button->text())
                               .arg(button->width())
                               .arg(needed);
        }
        for (QLabel *label : window->findChildren<QLabel *>()) {
            if (!label->isVisible() || label->wordWrap() || label->text().isEmpty()
                || label->textFormat() == Qt::RichText || label->text().contains(u'\n'))
                continue;
            const int needed = label->fontMetrics().horizontalAdvance(label->text());
            if (needed > label->contentsRect().width() + 1 && !label->toolTip().contains(label->text()))
                clipped << QStringLiteral("%1 \"%2\" (%3 < %4)")
                               .arg(label->objectName(), label->text())
                               .arg(label->contentsRect().width())
                               .arg(needed);
        }
        for (QComboBox *combo : window->findChildren<QComboBox *>()) {
            if (!combo->isVisible() || combo->isEditable() || combo->currentText().isEmpty())
                continue;
            const int needed = combo->fontMetrics().horizontalAdvance(combo->currentText()) + 30;
            if (needed > combo->width() + 1 && !combo->toolTip().contains(combo->currentText()))
                clipped << QStringLiteral("%1 \"%2\" (%3 < %4)")
                               .arg(combo->objectName(), combo->currentText())
                               .arg(combo->width())
                               .arg(needed);
        }
    };
    look();
    for (QTabWidget *tabs : window->findChildren<QTabWidget *>()) {
        if (!tabs->isVisible())
            continue;
        const int shown = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QTest::qWait(5);
            look();
        }
        tabs->setCurrentIndex(shown);
    }
    clipped.removeDuplicates();
    return clipped;
}

class CaptionsFit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.writeCp1251(QStringLiteral("Lectorium.ini"), QStringLiteral("[Общие настройки]\r\nПервый запуск=0\r\n"));
    }

    void expectFits(QWidget *window)
    {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        const QStringList clipped = clippedTexts(window);
        EXPECT_TRUE(clipped.isEmpty()) << window->metaObject()->className() << ":\n  "
                                       << clipped.join(QStringLiteral("\n  ")).toStdString();
    }

    TempProgramFolder folder;
    ScriptedDialogs dialogs;
    Settings settings;
};

} // namespace

TEST_F(CaptionsFit, MainWindowWithItsLongestStatusTexts)
{
    MainWindow window(folder.path());
    window.setDialogs(&dialogs);
    window.show();
    RecordingProgress progress;
    progress.book = QStringLiteral("Война и мир");
    progress.block = 1234;
    progress.blockOfRange = 1234;
    progress.blocksInRange = 2000;
    progress.paused = progress.stopAfterBlock = true;
    progress.encodingFiles = QStringList(QStringLiteral("0002-Глава вторая, в которой ничего не случилось.wav"));
    progress.elapsedSeconds = 36000;
    progress.remainingSeconds = 36000;
    progress.bookPercent = 99.99;
    window.showProgress(progress);
    expectFits(&window);
}

TEST_F(CaptionsFit, BookEditorWindow)
{
    BookEditorWindow window(folder.path(), settings, dialogs);
    expectFits(&window);
}

TEST_F(CaptionsFit, DictionaryWindows)
{
    // The longest name of the dictionaries shipped with the program.
    QDir().mkpath(folder.file(QStringLiteral("Dic")));
    folder.writeCp1251(QStringLiteral("Dic/rulex-exp.dic"), QStringLiteral("//Словарь Lectorium\r\nкот=кот<\r\n"));
    folder.writeCp1251(QStringLiteral("Dic/Diclist.cfg"), QStringLiteral("\"rulex-exp.dic\",#TRUE#\r\n"));
    DictionaryEditorWindow editor(folder.path(), dialogs);
    expectFits(&editor);
    DictionaryListDialog list(folder.path(), dialogs);
    expectFits(&list);
}

TEST_F(CaptionsFit, OptionsAndAbout)
{
    OptionsDialog options(settings, folder.path(), {{QStringLiteral("Russian"), QStringLiteral("ru")}}, 0, dialogs);
    expectFits(&options);
    AboutBox about(folder.path());
    expectFits(&about);
}
