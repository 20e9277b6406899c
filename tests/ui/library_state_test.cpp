// The main window's library shows each book's state under its name and
// follows a recording as its blocks come out.

#include "app/project_store.h"
#include "app/ui/library_entry_delegate.h"
#include "app/ui/main_window.h"
#include "mp3/book_audio.h"
#include "recording/recording_progress.h"

#include "support/find_child.h"
#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kBook = QStringLiteral("Каштанка");

struct LibraryWindow
{
    TempProgramFolder folder;
    ScriptedDialogs dialogs;
    QString audioFolder = folder.file(QStringLiteral("Аудио/") + kBook);

    LibraryWindow()
    {
        folder.writeCp1251(QStringLiteral("Lectorium.ini"),
                           QStringLiteral("[Общие настройки]\r\nПервый запуск=0\r\n[Настройки путей]\r\n"
                                          "Каталог для готовых аудиофайлов=")
                               + folder.file(QStringLiteral("Аудио")) + QStringLiteral("\r\n"));
        for (int n = 1; n <= 3; ++n)
            folder.writeCp1251(QStringLiteral("Projects/%1/%2").arg(kBook, blockFileName(n)),
                               QStringLiteral("Молодая рыжая собака ходила взад и вперёд.\r\n"));
        QDir().mkpath(audioFolder);
    }

    std::unique_ptr<MainWindow> open()
    {
        auto window = std::make_unique<MainWindow>(folder.path());
        window->setDialogs(&dialogs);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }

    // The block's MP3 as the encoder leaves it, named by the settings.
    void finishBlock(MainWindow &window, int n)
    {
        TagInfo info;
        BlockTitles titles;
        loadChapters(bookFolder(folder.path(), kBook), kBook, 3, info, titles);
        BookAudio audio{window.settings(), folder.path(), audioFolder, kBook, 3, info, titles};
        QFile(audioFolder + u'/' + mp3FileName(audio, n, QStringLiteral("00-04"))).open(QIODevice::WriteOnly);
    }

    static QString stateLine(MainWindow &window)
    {
        return child<QListWidget>(&window, "chapterList")
            ->item(0)
            ->data(LibraryEntryDelegate::kStateLineRole)
            .toString();
    }
};

RecordingProgress speaking(int block)
{
    RecordingProgress progress;
    progress.book = kBook;
    progress.block = block;
    return progress;
}

} // namespace

TEST(LibraryState, EachBookShowsItsStateAndFollowsTheRecording)
{
    LibraryWindow library;
    auto w = library.open();
    auto *list = child<QListWidget>(w.get(), "chapterList");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), kBook); // the name stays what the window reads
    EXPECT_TRUE(LibraryWindow::stateLine(*w).startsWith(QStringLiteral("0 из 3 блоков · 00:00:00 из ~")));
    EXPECT_TRUE(list->item(0)->toolTip().contains(QDir::toNativeSeparators(library.audioFolder)));
    EXPECT_TRUE(list->item(0)->icon().isNull());

    library.finishBlock(*w, 1);
    w->showProgress(speaking(2));
    EXPECT_TRUE(LibraryWindow::stateLine(*w).startsWith(QStringLiteral("1 из 3 блоков")));
    library.finishBlock(*w, 2);
    library.finishBlock(*w, 3);
    RecordingProgress done = speaking(3);
    done.phase = RecordingPhase::Finished;
    w->showProgress(done);
    EXPECT_TRUE(LibraryWindow::stateLine(*w).startsWith(QStringLiteral("3 из 3 блоков")));
}

TEST(LibraryState, ABookWithACoverShowsItsThumbnail)
{
    LibraryWindow library;
    QImage cover(60, 90, QImage::Format_RGB32);
    cover.fill(Qt::darkRed);
    ASSERT_TRUE(cover.save(library.folder.file(QStringLiteral("Projects/") + kBook + QStringLiteral("/cover.png"))));
    auto w = library.open();
    auto *list = child<QListWidget>(w.get(), "chapterList");
    EXPECT_FALSE(list->item(0)->icon().isNull());
    // Two lines fit in the row the delegate asks for.
    EXPECT_GE(list->visualItemRect(list->item(0)).height(), 2 * list->fontMetrics().height() - 2);
}
