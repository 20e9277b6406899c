// F1 in every window opens the user guide at a section the guide has.

#include "app/ui/main_window.h"
#include "common/ui/help_key.h"
#include "common/user_guide.h"
#include "dictionaries/ui/dictionary_debugger_window.h"
#include "dictionaries/ui/dictionary_editor_window.h"
#include "dictionaries/ui/dictionary_list_dialog.h"
#include "dictionaries/ui/dictionary_tools_dialog.h"
#include "import/ui/book_editor_window.h"
#include "options/ui/about_box.h"
#include "options/ui/folder_picker.h"
#include "options/ui/options_dialog.h"
#include "options/ui/progress_window.h"
#include "options/ui/shutdown_window.h"
#include "reader/ui/reader_window.h"

#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include <QFile>
#include <QRegularExpression>
#include <QShortcut>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

QSet<QString> guideAnchors()
{
    QFile guide(QStringLiteral(LECTORIUM_SOURCE_DIR "/data/Doc/guide/index.html"));
    EXPECT_TRUE(guide.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(guide.readAll());
    QSet<QString> anchors;
    static const QRegularExpression id(QStringLiteral("\\bid=\"([^\"]+)\""));
    for (auto it = id.globalMatch(html); it.hasNext();)
        anchors.insert(it.next().captured(1));
    return anchors;
}

// The window's F1 key and the section it opens.
QString anchorOfF1(const QWidget *window)
{
    const auto *key = window->findChild<QShortcut *>(QStringLiteral("helpKey"));
    if (!key || key->key() != QKeySequence(Qt::Key_F1))
        return {};
    return helpAnchor(window);
}

} // namespace

TEST(HelpAnchors, TheGuideHasEverySectionAWindowOpens)
{
    const QSet<QString> inGuide = guideAnchors();
    for (const QString &anchor : helpAnchors())
        EXPECT_TRUE(inGuide.contains(anchor)) << anchor.toStdString();
}

TEST(HelpAnchors, EveryWindowOpensItsOwnSectionWithF1)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("Lectorium.ini"), QStringLiteral("[Общие настройки]\r\nПервый запуск=0\r\n"));
    ScriptedDialogs dialogs;
    Settings settings;
    const QList<QString> known = helpAnchors();
    std::vector<std::unique_ptr<QWidget>> windows;
    windows.emplace_back(std::make_unique<MainWindow>(folder.path()));
    windows.emplace_back(std::make_unique<BookEditorWindow>(folder.path(), settings, dialogs));
    windows.emplace_back(std::make_unique<ReaderWindow>(folder.path(), QStringList(), QString(), settings));
    windows.emplace_back(std::make_unique<DictionaryEditorWindow>(folder.path(), dialogs));
    windows.emplace_back(std::make_unique<DictionaryListDialog>(folder.path(), dialogs));
    windows.emplace_back(std::make_unique<DictionaryToolsDialog>(folder.path()));
    windows.emplace_back(std::make_unique<DictionaryDebuggerWindow>(folder.path(), dialogs));
    windows.emplace_back(std::make_unique<AboutBox>(folder.path()));
    windows.emplace_back(std::make_unique<ShutdownWindow>());
    windows.emplace_back(std::make_unique<ProgressWindow>());
    windows.emplace_back(std::make_unique<FolderPicker>(dialogs));
    for (const auto &window : windows) {
        const QString anchor = anchorOfF1(window.get());
        EXPECT_TRUE(known.contains(anchor))
            << window->objectName().toStdString() << " opens «" << anchor.toStdString() << "»";
    }
    // The options window opens the section of the page it shows.
    OptionsDialog options(settings, folder.path(), {}, 0, dialogs);
    auto *tabs = options.findChild<QTabWidget *>(QStringLiteral("mainTabs"));
    ASSERT_TRUE(tabs);
    QSet<QString> pages;
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        const QString anchor = anchorOfF1(&options);
        EXPECT_TRUE(known.contains(anchor)) << page;
        pages.insert(anchor);
    }
    EXPECT_EQ(pages.size(), tabs->count());
}
